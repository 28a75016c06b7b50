// The verdict: bands of two hand-made curves worked out by hand, the aircraft's tables
// read as the charts read them, and the sentences and formats made of it.
#include "support.h"
#include "verdict/verdict_format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(CurvePoints)

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
using Bands = QList<QList<double>>;  // from, to, lead, largest, at

CurvePoints Curve(std::vector<double> x, std::vector<double> y) { return {std::move(x), std::move(y)}; }

bool Near(double a, double b) { return (std::isnan(a) && std::isnan(b)) || std::abs(a - b) < 1e-6; }

// Writes an aircraft: speed rows and turn rows as given (tab-terminated by the caller).
void WriteCraft(const QString &dir, const QString &name, const QByteArray &speed, const QByteArray &turn)
{
    WriteFile(dir + "/DataSpeed/" + name + "_speed.txt", speed);
    WriteFile(dir + "/DataTurn/" + name + "_turn.txt",
              turn + "M_takeoff: 2750\nT_turn: 18.2\nV_turn: 280\nVz_climb: 18.5\nV_climb: 220\n");
    WriteFile(dir + "/DataCraft/" + name + ".txt", "0=700\n");
}
}  // namespace

class VerdictCompare : public QObject {
    Q_OBJECT
private slots:
    void bands_data()
    {
        QTest::addColumn<CurvePoints>("first");
        QTest::addColumn<CurvePoints>("second");
        QTest::addColumn<bool>("higher");
        QTest::addColumn<Bands>("bands");
        const double F = double(Lead::First), S = double(Lead::Second), E = double(Lead::Even);
        const double OF = double(Lead::OnlyFirst), OS = double(Lead::OnlySecond);
        // d = 20, 10, -20: zero at 1000 + 1000 * 10/30; the even sliver about it (1300 to
        // 1366.7) holds no row and goes, split at the zero.
        QTest::newRow("crossing between rows")
            << Curve({0, 1000, 2000}, {500, 520, 520}) << Curve({0, 1000, 2000}, {480, 510, 540}) << true
            << Bands{{0, 4000.0 / 3, F, 20, 0}, {4000.0 / 3, 2000, S, 20, 2000}};
        // d = 10, 0.5, -0.5, -10: even from d = 1 (1000 * 9/9.5) to d = -1 (2000 + 1000 *
        // 0.5/9.5); its largest at the rows, 0.5 at 1000 first.
        QTest::newRow("tie band")
            << Curve({0, 1000, 2000, 3000}, {500, 510, 520, 530}) << Curve({0, 1000, 2000, 3000}, {490, 509.5, 520.5, 540})
            << true << Bands{{0, 9000.0 / 9.5, F, 10, 0}, {9000.0 / 9.5, 2000 + 500 / 9.5, E, 0.5, 1000}, {2000 + 500 / 9.5, 3000, S, 10, 3000}};
        QTest::newRow("stops early") << Curve({0, 1000, 2000, 3000}, {500, 500, 500, 500}) << Curve({0, 1000, 2000}, {500, 500, 500})
                                     << true << Bands{{0, 2000, E, 0, 0}, {2000, 3000, OF, NaN, NaN}};
        QTest::newRow("gap of NaN") << Curve({0, 1000, 2000, 3000, 4000}, {500, 500, NaN, 500, 500})
                                    << Curve({0, 1000, 2000, 3000, 4000}, {490, 490, 490, 490, 490}) << true
                                    << Bands{{0, 1000, F, 10, 0}, {1000, 3000, OS, NaN, NaN}, {3000, 4000, F, 10, 3000}};
        QTest::newRow("equal") << Curve({0, 1000}, {18.5, 17}) << Curve({0, 1000}, {18.5, 17}) << true << Bands{{0, 1000, E, 0, 0}};
        QTest::newRow("one missing") << Curve({0, 500, 1000}, {1, 2, 3}) << CurvePoints{} << true << Bands{{0, 1000, OF, NaN, NaN}};
        // Lower is better: times 20, 18, 19 against 21, 19, 18; the lead changes at 350.
        QTest::newRow("lower is better")
            << Curve({200, 300, 400}, {20, 18, 19}) << Curve({200, 300, 400}, {21, 19, 18}) << false
            << Bands{{200, 350, F, -1, 200}, {350, 400, S, -1, 400}};
        // Columns not in speed order: each place reads the first segment that spans it.
        QTest::newRow("doubles back") << Curve({0, 2000, 1000}, {10, 10, 30}) << Curve({0, 2000}, {10, 10}) << true
                                      << Bands{{0, 2000, E, 0, 0}};
    }
    void bands()
    {
        QFETCH(CurvePoints, first);
        QFETCH(CurvePoints, second);
        QFETCH(bool, higher);
        QFETCH(Bands, bands);
        const auto got = CompareCurves(first, second, higher ? 1.0 : 0.1, higher);
        QString text;
        for (const LeadBand &b : got)
            text += QStringLiteral("[%1 %2 %3 %4 %5] ").arg(b.from).arg(b.to).arg(int(b.lead)).arg(b.largest).arg(b.at);
        QVERIFY2(qsizetype(got.size()) == bands.size(), qPrintable(text));
        for (size_t i = 0; i < got.size(); ++i) {
            const LeadBand &b = got[i];
            const QList<double> &w = bands[qsizetype(i)];
            QVERIFY2(Near(b.from, w[0]) && Near(b.to, w[1]) && int(b.lead) == int(w[2]) && Near(b.largest, w[3]) && Near(b.at, w[4]),
                     qPrintable(text));
        }
    }

    // Values as the charts draw them: cut to three decimals, turn rates 360 / t, empty
    // values left out, hidden settings not read, a bad value the charts' error.
    void readsAsCharts()
    {
        QTemporaryDir dir;
        WriteCraft(dir.path(), "A", "0\t500.4567\t20\t490.9999\t18\t\n2000\t540\t15\t530\t14\t\n",
                   "200\t300\t400\t\n15\t\t12\t\n20\t17.3\t0.36\t\nbad\t\t\t\n\n\n");
        WriteCraft(dir.path(), "B", "0\t500\t20\t490\t18\t\n2000\t500\t15\t490\t14\t\n", "200\t400\t\n14\t11\t\n20\t18\t\n\n\n\n");
        const DataPaths paths{dir.path()};
        const AircraftPtr a = ReadAircraft(paths, FileName("A")), b = ReadAircraft(paths, FileName("B"));
        const Verdict v = ComputeVerdict(a.get(), b.get(), FlapSet::NoFlaps());
        const CraftCurves c = CurvesOf(*a, FlapSet::NoFlaps());
        QCOMPARE(c.curves[0].y, (std::vector<double>{490.999, 530}));
        QCOMPARE(c.curves[size_t(Measure::ClimbAtSpeed)].x, (std::vector<double>{200, 400}));
        QCOMPARE(c.turnRate[0].y, (std::vector<double>{18, 20.809, 1000}));
        QVERIFY(c.turnTime[1].x.empty());
        // Best figures: 100% speed 530 at 2000 m; turn time 0.36 s at 400 km/h.
        QCOMPARE(v.best[0][0].value, 530.0);
        QCOMPARE(v.best[0][0].at, 2000.0);
        QCOMPARE(v.best[0][5].value, 0.36);
        QCOMPARE(v.best[0][5].at, 400.0);
        QCOMPARE(v.byAltitude.size(), size_t(3));
        QCOMPARE(v.byAltitude[1].values[0][0], (490.999 + 530) / 2);
        QCOMPARE(v.summary[0][2].value, 18.2);

        QCOMPARE(ErrorOf([&] { CurvesOf(*a, FlapSet().With(1)); }),
                 QStringLiteral("'bad' is not a valid floating point value.\nA: A_turn.txt, row 4, column 1"));
    }

    void sentences()
    {
        CraftCurves a, b;
        a.curves[0] = Curve({0, 1000, 2000, 3000, 9000, 10000}, {500, 520, 520, 530, 530, 530});
        b.curves[0] = Curve({0, 1000, 2000, 3000, 9000}, {480, 510, 540, 530, 530});
        const Verdict v = CompareCrafts({"Tarn-5", "Skarn-7"}, {&a, &b}, {}, FlapSet::NoFlaps());
        QCOMPARE(VerdictSentences(v).first(),
                 QStringLiteral("Скорость 100%: Tarn-5 быстрее от 0 до 1 333 м (до +20 км/ч у земли); от 1 333 до 2 950 м — "
                                "Skarn-7 (до +20 км/ч на 2 000 м); от 2 950 до 9 000 м — поровну; выше 9 000 м — только Tarn-5."));
        QCOMPARE(VerdictSentences(v).at(1), QStringLiteral("Скорость MAX: нет данных."));
        QCOMPARE(VerdictNumber(-1234567.26, 1), QStringLiteral("−1 234 567.3"));
        QCOMPARE(VerdictNumber(-0.04, 1, true), QStringLiteral("0.0"));
        QCOMPARE(MissingText(CompareCrafts({"Tarn-5", ""}, {&a, nullptr}, {}, FlapSet())),
                 QStringLiteral("Выберите второй самолет (правый список), чтобы сравнить его с Tarn-5."));

        // JSON: numbers as numbers, a missing value as null.
        const QJsonObject json = QJsonDocument::fromJson(VerdictJson(v)).object();
        const QJsonObject band = json["pairs"].toArray()[0].toObject()["bands"].toArray()[1].toObject();
        QCOMPARE(band["lead"].toString(), QStringLiteral("second"));
        QCOMPARE(band["largest"].toDouble(), 20.0);
        QCOMPARE(json["byAltitude"].toArray()[3].toObject()["speed-max"].toArray()[0].type(), QJsonValue::Null);
    }
};

QTEST_GUILESS_MAIN(VerdictCompare)
#include "verdict_compare.moc"
