// The verdict: bands of two hand-made curves worked out by hand, the aircraft's tables
// read as the charts read them, and the sentences and formats made of it.
#include "support.h"
#include "core/language.h"
#include "verdict/verdict_format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <map>
#include <set>

Q_DECLARE_METATYPE(CurvePoints)

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
using Bands = QList<QList<double>>;  // from, to, lead, largest, at

CurvePoints Curve(std::vector<double> x, std::vector<double> y) { return {std::move(x), std::move(y)}; }

bool Near(double a, double b) { return (std::isnan(a) && std::isnan(b)) || std::abs(a - b) < 1e-6 * std::max(1.0, std::abs(b)); }

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
        QTest::addColumn<double>("even");
        QTest::addColumn<Bands>("bands");
        const double F = double(Lead::First), S = double(Lead::Second), E = double(Lead::Even);
        const double OF = double(Lead::OnlyFirst), OS = double(Lead::OnlySecond);
        // `largest` is always the second's value minus the first's.
        // d = 20, 10, -20: zero at 1000 + 1000 * 10/30; the even sliver about it (1300 to
        // 1366.7) holds no row and goes, split at the zero.
        QTest::newRow("crossing between rows")
            << Curve({0, 1000, 2000}, {500, 520, 520}) << Curve({0, 1000, 2000}, {480, 510, 540}) << true << 1.0
            << Bands{{0, 4000.0 / 3, F, -20, 0}, {4000.0 / 3, 2000, S, 20, 2000}};
        // d = 10, 0.5, -0.5, -10: even from d = 1 (1000 * 9/9.5) to d = -1 (2000 + 1000 *
        // 0.5/9.5); its largest at the rows, 0.5 at 1000 first.
        QTest::newRow("tie band")
            << Curve({0, 1000, 2000, 3000}, {500, 510, 520, 530}) << Curve({0, 1000, 2000, 3000}, {490, 509.5, 520.5, 540})
            << true << 1.0 << Bands{{0, 9000.0 / 9.5, F, -10, 0}, {9000.0 / 9.5, 2000 + 500 / 9.5, E, -0.5, 1000}, {2000 + 500 / 9.5, 3000, S, 10, 3000}};
        QTest::newRow("stops early") << Curve({0, 1000, 2000, 3000}, {500, 500, 500, 500}) << Curve({0, 1000, 2000}, {500, 500, 500})
                                     << true << 1.0 << Bands{{0, 2000, E, 0, 0}, {2000, 3000, OF, NaN, NaN}};
        QTest::newRow("gap of NaN") << Curve({0, 1000, 2000, 3000, 4000}, {500, 500, NaN, 500, 500})
                                    << Curve({0, 1000, 2000, 3000, 4000}, {490, 490, 490, 490, 490}) << true << 1.0
                                    << Bands{{0, 1000, F, -10, 0}, {1000, 3000, OS, NaN, NaN}, {3000, 4000, F, -10, 3000}};
        QTest::newRow("equal") << Curve({0, 1000}, {18.5, 17}) << Curve({0, 1000}, {18.5, 17}) << true << 0.1 << Bands{{0, 1000, E, 0, 0}};
        QTest::newRow("one missing") << Curve({0, 500, 1000}, {1, 2, 3}) << CurvePoints{} << true << 1.0 << Bands{{0, 1000, OF, NaN, NaN}};
        // Lower is better: times 20, 18, 19 against 21, 19, 18; the lead changes at 350.
        QTest::newRow("lower is better")
            << Curve({200, 300, 400}, {20, 18, 19}) << Curve({200, 300, 400}, {21, 19, 18}) << false << 0.1
            << Bands{{200, 350, F, 1, 200}, {350, 400, S, -1, 400}};
        // A difference of exactly the limit leads (20.2 - 20.1 is a hair under 0.1 in
        // binary); one that reaches it at a single row only makes no band, and is the
        // even band's largest difference.
        QTest::newRow("at the limit") << Curve({0, 1000}, {20.1, 20.2}) << Curve({0, 1000}, {20.2, 20.3}) << true << 0.1
                                      << Bands{{0, 1000, S, 0.1, 0}};
        QTest::newRow("limit at one row") << Curve({2000, 2500, 3000}, {18.85, 18.8, 18.85}) << Curve({2000, 2500, 3000}, {18.9, 18.9, 18.9})
                                          << true << 0.1 << Bands{{2000, 3000, E, 0.1, 2500}};
        // Equal where the second's row meets the first's line (26.776 at 266.8): even
        // there, from where the difference falls under 0.1.
        QTest::newRow("equal at a row") << Curve({260, 270}, {28, 26.2}) << Curve({264.8, 266.8}, {26.853, 26.776}) << false << 0.1
                                        << Bands{{260, 264.8, OF, NaN, NaN}, {264.8, 266.8 - 0.2 / 0.283, S, -0.283, 264.8},
                                                 {266.8 - 0.2 / 0.283, 266.8, E, 0, 266.8}, {266.8, 270, OF, NaN, NaN}};
        // An uneven grid: the first is 510 at 1000 m, two less than the second.
        QTest::newRow("uneven grid") << Curve({0, 3000}, {500, 530}) << Curve({0, 1000, 3000}, {500, 512, 530}) << true << 1.0
                                     << Bands{{0, 500, E, 0, 0}, {500, 2000, S, 2, 1000}, {2000, 3000, E, 0, 3000}};
        // Columns not in speed order: read in speed order, 14 at 220 and 12 at 240.
        QTest::newRow("out of order") << Curve({200, 240, 220, 260}, {10, 12, 14, 16}) << Curve({200, 260}, {10, 16}) << true << 0.1
                                      << Bands{{200, 201, E, 0, 200}, {201, 230, F, -2, 220}, {230, 259, S, 2, 240}, {259, 260, E, 0, 260}};
        // A lone row is compared where it stands, or is its curve's alone.
        QTest::newRow("lone row") << Curve({200}, {15}) << Curve({150, 300}, {14, 14}) << true << 0.1
                                  << Bands{{150, 200, OS, NaN, NaN}, {200, 200, F, -1, 200}, {200, 300, OS, NaN, NaN}};
        QTest::newRow("lone row alone") << Curve({200}, {15}) << CurvePoints{} << true << 0.1 << Bands{{200, 200, OF, NaN, NaN}};
        // A huge value leads by its size, and the bands stay on the axis.
        QTest::newRow("huge value") << Curve({0, 1000, 2000}, {500, 1e306, 500}) << Curve({0, 1000, 2000}, {510, 510, 510}) << true
                                    << 1.0 << Bands{{0, 0, S, 10, 0}, {0, 2000, F, -1e306, 1000}};
    }
    void bands()
    {
        QFETCH(CurvePoints, first);
        QFETCH(CurvePoints, second);
        QFETCH(bool, higher);
        QFETCH(double, even);
        QFETCH(Bands, bands);
        const auto got = CompareCurves(first, second, even, higher);
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
        QCOMPARE(AltitudeRows(v, UnitSystem::Metric).size(), size_t(3));
        QCOMPARE(AltitudeRows(v, UnitSystem::Metric)[1].cells[0].values[0], (490.999 + 530) / 2);
        // In feet the table steps every 2,000 ft: 0 to 6,000 over the 6,562 ft of the range.
        const std::vector<AltitudeRow> feet = AltitudeRows(v, UnitSystem::Imperial);
        QCOMPARE(feet.size(), size_t(4));
        QCOMPARE(feet[3].altitude * 3.28084, 6000.0);
        QCOMPARE(feet[1].cells[0].values[0], 490.999 + (530 - 490.999) * 2000 / 6561.68);
        QCOMPARE(v.summary[0][2].value, 18.2);

        QCOMPARE(ErrorOf([&] { CurvesOf(*a, FlapSet().With(1)); }),
                 QStringLiteral("'bad' is not a valid floating point value.\nA: A_turn.txt, строка 4, столбец 1"));
    }

    void sentences()
    {
        CraftCurves a, b;
        a.curves[0] = Curve({0, 1000, 2000, 3000, 9000, 10000}, {500, 520, 520, 530, 530, 530});
        b.curves[0] = Curve({0, 1000, 2000, 3000, 9000}, {480, 510, 540, 530, 530});
        a.curves[2] = Curve({0, 4000}, {15, 15});
        b.curves[2] = Curve({2000}, {16.5});
        const Verdict v = CompareCrafts({"Tarn-5", "Skarn-7"}, {&a, &b}, {}, FlapSet::NoFlaps());
        QCOMPARE(VerdictSentences(v, View{}).at(2), QStringLiteral("Скороподъемность 100%: только Tarn-5 от 0 до 2 000 м; на 2 000 м — "
                                                           "Skarn-7 (+1.5 м/с); выше 2 000 м — только Tarn-5."));
        QCOMPARE(VerdictSentences(v, View{}).first(),
                 QStringLiteral("Скорость 100%: Tarn-5 быстрее от 0 до 1 333 м (до +20 км/ч у земли); от 1 333 до 2 950 м — "
                                "Skarn-7 (до +20 км/ч на 2 000 м); от 2 950 до 9 000 м — поровну; выше 9 000 м — только Tarn-5."));
        QCOMPARE(VerdictSentences(v, View{}).at(1), QStringLiteral("Скорость MAX: нет данных."));
        QCOMPARE(VerdictNumber(-1234567.26, 1), QStringLiteral("−1 234 567.3"));
        QCOMPARE(VerdictNumber(-0.04, 1, true), QStringLiteral("0.0"));
        // The page's lists stand one above the other; the command line has options.
        const Verdict one = CompareCrafts({"Tarn-5", ""}, {&a, nullptr}, {}, FlapSet());
        QCOMPARE(MissingText(one), QStringLiteral("Выберите второй самолет (нижний список), чтобы сравнить его с Tarn-5."));
        QCOMPARE(VerdictText(one, View{}), QStringLiteral("Выберите второй самолет (--second), чтобы сравнить его с Tarn-5.\n"));

        // JSON: numbers as numbers, a missing value as null.
        const QJsonObject json = QJsonDocument::fromJson(VerdictJson(v, View{})).object();
        const QJsonObject band = json["pairs"].toArray()[0].toObject()["bands"].toArray()[1].toObject();
        QCOMPARE(band["lead"].toString(), QStringLiteral("second"));
        QCOMPARE(band["largestSecondMinusFirst"].toDouble(), 20.0);
        QCOMPARE(json["byAltitude"].toArray()[3].toObject()["speed-max"].toArray()[0].type(), QJsonValue::Null);
    }

    // Numbers as the data hold them and as the cells show them; a value that is not a
    // number without its unit.
    void numbers()
    {
        CraftCurves a, b;
        a.curves[0] = Curve({0, 1000}, {534.6, 500});
        b.curves[0] = Curve({0, 1000}, {648.4, 600});
        const double none = std::numeric_limits<double>::quiet_NaN();
        const std::vector<SummaryValue> sa{{"0", "макс. скор. в пике", "км/ч", "unknown", none},
                                           {"M_takeoff", "взлетный вес", "кг", "3000", 3000},
                                           {"T_turn", "время виража", "сек", "20.1", 20.1}};
        // The second's in another order: values pair by their key.
        const std::vector<SummaryValue> sb{{"T_turn", "время виража", "сек", "20.2", 20.2},
                                           {"0", "макс. скор. в пике", "км/ч", "700", 700},
                                           {"M_takeoff", "взлетный вес", "кг", "3200", 3200}};
        const Verdict v = CompareCrafts({"A", "B"}, {&a, &b}, {sa, sb}, FlapSet::NoFlaps());
        const std::vector<VerdictTable> tables = VerdictTables(v, View{});
        QCOMPARE(tables[0].rows[0][1].text, QStringLiteral("unknown"));
        QCOMPARE(tables[0].rows[2][3].plain, QStringLiteral("0.1"));
        // The shorter turn wins; a heavier take-off weight only informs.
        QCOMPARE((QList<int>{tables[0].rows[2][1].tint, tables[0].rows[2][2].tint}), (QList<int>{1, 0}));
        QCOMPARE((QList<int>{tables[0].rows[1][1].tint, tables[0].rows[1][2].tint}), (QList<int>{0, 0}));
        QCOMPARE(tables[1].rows[0][3].text, QStringLiteral("+113"));  // 648 - 535
        QCOMPARE(tables[1].rows[0][3].plain, QStringLiteral("113.8"));
        QVERIFY2(!VerdictTsv(v, View{}).contains(QRegularExpression(R"(\d\.\d{4}|e-)")), qPrintable(VerdictTsv(v, View{})));
    }

    // Curves that swap the lead at every row: the page says the widest bands and counts
    // the rest; the command line says every band.
    void manyBands()
    {
        CraftCurves a, b;
        for (int i = 0; i < 1000; ++i) {
            a.curves[0].x.push_back(10 * i), a.curves[0].y.push_back(i % 2 ? 503 : 497);
            b.curves[0].x.push_back(10 * i), b.curves[0].y.push_back(500);
        }
        a.curves[0].x.push_back(50000), a.curves[0].y.push_back(503);
        b.curves[0].x.push_back(50000), b.curves[0].y.push_back(500);
        const Verdict v = CompareCrafts({"A", "B"}, {&a, &b}, {}, FlapSet::NoFlaps());
        const size_t all = v.pairs[0].bands.size();
        QVERIFY2(all >= 1000, qPrintable(QString::number(all)));
        const QString shown = VerdictSentences(v, View{}, 8).first();
        QCOMPARE(shown.count(QStringLiteral(" — ")), 7);
        QVERIFY2(shown.contains(QStringLiteral("от 9 985 до 50 000 м — A")), qPrintable(shown));
        QVERIFY2(shown.endsWith(QStringLiteral("; … и ещё %1 полосы.").arg(VerdictNumber(double(all - 8), 0))), qPrintable(shown));
        QCOMPARE(qsizetype(VerdictSentences(v, View{}).first().count(QStringLiteral("; "))), qsizetype(all - 1));
        QVERIFY(!VerdictText(v, View{}).contains(QStringLiteral("и ещё")));
    }

    // The count of bands left unsaid takes the word its number asks for in Russian:
    // 11 to 14 take "полос" whatever their last digit.
    void bandsLeftWord()
    {
        const std::map<size_t, QString> words{{1, "полоса"}, {2, "полосы"}, {5, "полос"}, {11, "полос"}, {12, "полос"}, {14, "полос"},
                                              {21, "полоса"}, {22, "полосы"}, {25, "полос"}, {112, "полос"}};
        std::set<size_t> seen;
        for (int rows = 4; rows < 140; ++rows) {
            CraftCurves a, b;
            for (int i = 0; i < rows; ++i) {
                a.curves[0].x.push_back(10 * i), a.curves[0].y.push_back(i % 2 ? 503 : 497);
                b.curves[0].x.push_back(10 * i), b.curves[0].y.push_back(500);
            }
            const Verdict v = CompareCrafts({"A", "B"}, {&a, &b}, {}, FlapSet::NoFlaps());
            const size_t left = v.pairs[0].bands.size() - kPageBands;
            if (!words.count(left))
                continue;
            const QString said = VerdictSentences(v, View{}, kPageBands).first();
            QVERIFY2(said.endsWith(QStringLiteral("и ещё %1 %2.").arg(left).arg(words.at(left))), qPrintable(said));
            seen.insert(left);
        }
        QCOMPARE(seen.size(), words.size());
    }

    // In English one band, any other number bands; thousands set apart as on the page.
    void bandsLeftWordInEnglish()
    {
        InstallLanguage(QStringLiteral("en"));
        for (const auto &[left, said] : std::map<size_t, QString>{
                 {1, "… and 1 more band."}, {2, "… and 2 more bands."}, {21, "… and 21 more bands."}, {1234, "… and 1 234 more bands."}}) {
            Verdict v;
            v.names = {"A", "B"};
            v.present = {true, true};
            v.pairs = {{Measure::Speed100, -1, {}}};
            for (size_t i = 0; i <= left; ++i)
                v.pairs[0].bands.push_back({double(i), double(i + 1), Lead::Even, 0, 0});
            const QString sentence = VerdictSentences(v, View{}, 1).first();
            QVERIFY2(sentence.endsWith(said), qPrintable(sentence));
        }
        InstallLanguage(QStringLiteral("ru"));
    }

    // An aircraft better in every measure leads every pair, from end to end, whichever
    // list it is chosen in: which way each measure is better is right.
    void betterEverywhereLeadsEveryPair()
    {
        CraftCurves good, poor;
        for (size_t m = 0; m < 5; ++m) {
            const bool byAltitude = m < 4;
            const std::vector<double> x = byAltitude ? std::vector<double>{0, 4000, 8000} : std::vector<double>{200, 300, 400};
            good.curves[m] = Curve(x, {30, 25, 20});
            poor.curves[m] = Curve(x, {20, 15, 10});
        }
        for (size_t f = 0; f < 4; ++f) {
            good.turnTime[f] = Curve({200, 300, 400}, {18, 17, 19});
            poor.turnTime[f] = Curve({200, 300, 400}, {22, 21, 23});
            good.turnRate[f] = Curve({200, 300, 400}, {20, 21, 19});
            poor.turnRate[f] = Curve({200, 300, 400}, {16, 17, 15});
        }
                for (const bool goodFirst : {true, false}) {
            const Verdict v = goodFirst ? CompareCrafts({"A", "B"}, {&good, &poor}, {}, FlapSet::All())
                                        : CompareCrafts({"A", "B"}, {&poor, &good}, {}, FlapSet::All());
            QCOMPARE(v.pairs.size(), size_t(13));
            for (const PairVerdict &p : v.pairs) {
                QVERIFY2(p.bands.size() == 1 && p.bands[0].lead == (goodFirst ? Lead::First : Lead::Second),
                         qPrintable(PairLabel(p)));
            }
        }
    }

    // The winners of the tables are of the values as the data hold them: a cell's tint
    // is the same in every unit system, with the even limits of 1 km/h and 0.1 m/s.
    void tintsKeepInEveryUnitSystem()
    {
        CraftCurves a, b;
        // At 100% 0.9 km/h and 0.05 m/s apart: even; at MAX 1.2 km/h and 0.15 m/s: the
        // second leads.
        a.curves[0] = a.curves[1] = Curve({0, 1000}, {500, 500});
        b.curves[0] = Curve({0, 1000}, {500.9, 500.9});
        b.curves[1] = Curve({0, 1000}, {501.2, 501.2});
        a.curves[2] = a.curves[3] = Curve({0, 1000}, {15, 15});
        b.curves[2] = Curve({0, 1000}, {15.05, 15.05});
        b.curves[3] = Curve({0, 1000}, {15.15, 15.15});
        const Verdict v = CompareCrafts({"A", "B"}, {&a, &b}, {}, FlapSet::NoFlaps());
        const auto tints = [&](UnitSystem units) {
            QList<int> out;
            for (const VerdictTable &t : VerdictTables(v, View{units}))
                for (const auto &row : t.rows)
                    for (const VerdictCell &c : row)
                        out << c.tint;
            return out;
        };
        const QList<int> metric = tints(UnitSystem::Metric);
        QCOMPARE(metric.count(2), 2 + 2 + 2);  // MAX in both rows of both tables, the best at MAX
        QCOMPARE(tints(UnitSystem::Imperial), metric);
        QCOMPARE(tints(UnitSystem::Knots), metric);
    }

    // A curve read as a function of its axis value, whatever order its rows come in.
    void valueAt_data()
    {
        QTest::addColumn<CurvePoints>("curve");
        QTest::addColumn<double>("at");
        QTest::addColumn<double>("value");
        QTest::newRow("uneven grid") << Curve({0, 3000}, {500, 530}) << 1000.0 << 510.0;
        QTest::newRow("rows out of order") << Curve({0, 2000, 1000, 3000}, {100, 200, 300, 400}) << 1000.0 << 300.0;
        QTest::newRow("between rows out of order") << Curve({0, 2000, 1000, 3000}, {100, 200, 300, 400}) << 1500.0 << 250.0;
        QTest::newRow("a place twice: its first row") << Curve({10, 10, 30}, {0, 50, 0}) << 20.0 << 0.0;
        QTest::newRow("in a gap") << Curve({100, 200, 300}, {10, NaN, 30}) << 250.0 << NaN;
        QTest::newRow("huge") << Curve({0, 1000}, {500, 1e306}) << 500.0 << 5e305;
    }
    void valueAt()
    {
        QFETCH(CurvePoints, curve);
        QFETCH(double, at);
        QFETCH(double, value);
        QVERIFY2(Near(CurveValueAt(curve, at), value), qPrintable(QString::number(CurveValueAt(curve, at))));
    }

    // The best figure of a plateau is its lowest place, whatever the rows' order.
    void bestOfPlateau()
    {
        const CurvePeak top = CurveBest(Curve({0, 1000, 3000, 2000}, {500, 520, 530, 530}), true);
        QCOMPARE(top.value, 530.0);
        QCOMPARE(top.at, 2000.0);
        const CurvePeak shortest = CurveBest(Curve({200, 300, 400}, {20, 18, 18}), false);
        QCOMPARE(shortest.at, 300.0);
    }
};

QTEST_GUILESS_MAIN(VerdictCompare)
#include "verdict_compare.moc"
