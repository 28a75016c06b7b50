// The ranking: a catalogue made for it with every cell known, the sample data ranked
// exactly as the verdict and the tracker read each pair, its output in English and
// imperial units, and `--rank` driven with hostile names and values.
#include "chart_table_fixture.h"
#include "catalogue/scan.h"
#include "catalogue/text_file.h"
#include "charts/refresh.h"
#include "cli/command_line.h"
#include "cli/rank_command.h"
#include "core/language.h"
#include "presentation/chart_defs.h"
#include "presentation/tracker.h"
#include "support.h"
#include "verdict/ranking_format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {
const QString kSample = QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");

CatalogueEntry Craft(const QString &name, const char *speed, const char *turn)
{
    const AircraftPtr a = AircraftOfTables(name, SplitTextLines(speed), SplitTextLines(turn));
    return {name, FileName(name), a, QString()};
}

// The reference R at 1,000 m and 300 km/h: speed 500 (100%) and 520 (MAX), climb 14
// and 19, climb at speed 9, turn time 22 s, turn rate 16.5 deg/s (18 and 15 at the rows).
Catalogue Built()
{
    const char *turn = "200\t400\t\n10\t8\t\n20\t24\t\n\t\t\n\t\t\n\t\t\n";
    return Catalogue({
        Craft("R", "0\t500\t20\t480\t15\t\n2000\t540\t18\t520\t13\t\n", turn),
        Craft("Bad", "0\t5x0\t20\t480\t15\t\n", turn),
        // Everything within the even limits: 0.5 km/h, 0.05 m/s, 0.05 s.
        Craft("Even", "0\t500.5\t20.05\t480.5\t15.05\t\n2000\t540.5\t18.05\t520.5\t13.05\t\n",
              "200\t400\t\n10.05\t8.05\t\n20.05\t24.05\t\n\t\t\n\t\t\n\t\t\n"),
        Craft("Fast", "0\t530\t20\t510\t15\t\n2000\t570\t18\t550\t13\t\n", "200\t400\t\n10\t8\t\n18\t22\t\n\t\t\n\t\t\n\t\t\n"),
        {"Lost", FileName("Lost"), nullptr, "File not found.\nLost_speed.txt"},
        // Its curves stop below 1,000 m and 300 km/h.
        Craft("Short", "0\t600\t25\t590\t20\t\n500\t610\t24\t595\t19\t\n", "200\t250\t\n12\t11\t\n15\t16\t\n\t\t\n\t\t\n\t\t\n"),
    });
}

QString Results(const RankRow &row)
{
    QString out;
    for (const RankCell &c : row.cells)
        out += QStringLiteral("BWEN!")[int(c.result)];
    return out;
}
QStringList Names(const Ranking &r)
{
    QStringList out;
    for (const RankRow &row : r.rows)
        out << row.name;
    return out;
}
}  // namespace

class VerdictRanking : public QObject {
    Q_OBJECT
private slots:
    void builtCatalogue()
    {
        RankQuery q;
        q.reference = QStringLiteral("R");
        const Ranking r = RankCatalogue(Built(), q);
        QCOMPARE(r.referenceValues, (std::vector<double>{500, 520, 14, 19, 9, 22, 16.5}));
        QCOMPARE(Names(r), QStringList({"Fast", "Even", "Short", "Bad", "Lost"}));
        // Fast: faster by 30 km/h, climbs the same, turns 2 s sooner.
        const RankRow &fast = r.rows[0];
        QCOMPARE(Results(fast), QStringLiteral("BBEEEBB"));
        QCOMPARE(fast.wins, 4);
        QCOMPARE(fast.cells[1].value, 550.0);
        QCOMPARE(fast.cells[1].difference, 30.0);
        QCOMPARE(fast.cells[5].difference, -2.0);
        QVERIFY(std::abs(fast.cells[6].value - (20 + 16.363) / 2) < 1e-9);  // 360 / 22 to three places
        QCOMPARE(Results(r.rows[1]), QStringLiteral("EEEEEEE"));
        QCOMPARE(r.rows[1].cells[0].difference, 0.5);
        // Never read past a curve's end.
        QCOMPARE(Results(r.rows[2]), QStringLiteral("NNNNNNN"));
        QVERIFY(std::isnan(r.rows[2].cells[0].value) && std::isnan(r.rows[2].cells[0].difference));
        // Errors keep their place, located.
        QCOMPARE(Results(r.rows[3]), QStringLiteral("!!!!!!!"));
        QVERIFY2(r.rows[3].error.contains(QStringLiteral("5x0")), qPrintable(r.rows[3].error));
        QCOMPARE(r.rows[4].error, QStringLiteral("File not found.\nLost_speed.txt"));

        // By the turn time (lower first) and by the speed.
        q.by = RankColumnNamed(r.columns, QStringLiteral("turn-time"));
        QCOMPARE(q.by, 5);
        QCOMPARE(Names(RankCatalogue(Built(), q)), QStringList({"Fast", "Even", "Short", "Bad", "Lost"}));
        q.by = RankColumnNamed(r.columns, QStringLiteral("speed-100"));
        q.reference = QStringLiteral("Even");
        QCOMPARE(Names(RankCatalogue(Built(), q)), QStringList({"Fast", "R", "Short", "Bad", "Lost"}));
        QCOMPARE(RankColumnNamed(r.columns, QStringLiteral("turn-rate:2")), -2);

        // Leaders: Short leads where only its curve reaches, never beyond.
        QCOMPARE(r.byAltitude.size(), size_t(3));
        const auto leader = [](const LeaderRow &row, size_t i) { return row.leaders[i].name; };
        QCOMPARE(leader(r.byAltitude[0], 0), QStringLiteral("Short"));
        QCOMPARE(leader(r.byAltitude[1], 0), QStringLiteral("Fast"));
        QCOMPARE(leader(r.byAltitude[1], 2), QStringLiteral("Even"));
        QCOMPARE(r.bySpeed.size(), size_t(5));
        QCOMPARE(leader(r.bySpeed[1], 0), QStringLiteral("Short"));
        QCOMPARE(r.bySpeed[1].at, 250.0);
        QCOMPARE(leader(r.bySpeed[2], 0), QStringLiteral("Fast"));
        QCOMPARE(r.bySpeed[4].leaders[0].value, 22.0);

        // The reference itself failing, or missing.
        q.reference = QStringLiteral("Bad");
        QVERIFY(ErrorOf([&] { RankCatalogue(Built(), q); }).contains(QStringLiteral("5x0")));
        q.reference = QStringLiteral("Nobody");
        QVERIFY(!ErrorOf([&] { RankCatalogue(Built(), q); }).isEmpty());
    }

    // Every aircraft of the sample data against Tarn-5 at 3,000 m and 300 km/h: each
    // value is what the tracker reads on the charts of that pair, and the altitude
    // values are the verdict's own at 3,000 m.
    void sampleDataIsTheTrackersReading()
    {
        const Catalogue catalogue = ReadCatalogue(DataPaths{kSample});
        const FlapSet all = FlapSet::All();
        RankQuery q{QStringLiteral("Tarn-5"), 3000, 300, all};
        const Ranking r = RankCatalogue(catalogue, q);
        const AircraftPtr tarn = catalogue.Find(QStringLiteral("Tarn-5"))->aircraft;
        int checked = 0;
        for (const RankRow &row : r.rows) {
            const AircraftPtr other = catalogue.Find(row.name)->aircraft;
            if (!row.error.isEmpty()) {
                QVERIFY(!ErrorOf([&] { ComputeVerdict(tarn.get(), other.get(), all); }).isEmpty());
                continue;
            }
            const Verdict v = ComputeVerdict(tarn.get(), other.get(), all);
            for (const AltitudeRow &a : AltitudeRows(v, UnitSystem::Metric))
                for (size_t m = 0; a.altitude == 3000 && m < a.cells.size(); ++m) {
                    QCOMPARE(r.referenceValues[m], a.cells[m].values[0]);
                    QCOMPARE(row.cells[m].value, a.cells[m].values[1]);
                }
            ReadOnCharts(r, row, *tarn, *other, checked);
        }
        QVERIFY(checked > 100);
    }

    // A cell's number as the verdict writes one: an exact half rounded away from zero,
    // thousands apart, "−" and "+", no sign on a zero; its plain form to thousandths.
    void cellsAsShown_data()
    {
        QTest::addColumn<int>("column");  // 2: speed at 100 % (km/h, whole), 4: climb (m/s, tenths)
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("difference");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("plain");
        QTest::newRow("halves away from zero") << 2 << 497.5 << -2.5 << QStringLiteral("498 (−3)") << QStringLiteral("497.5");
        QTest::newRow("tenths") << 4 << 11.25 << 0.25 << QStringLiteral("11.3 (+0.3)") << QStringLiteral("11.25");
        QTest::newRow("zero has no sign") << 4 << 0.04 << -0.04 << QStringLiteral("0.0 (0.0)") << QStringLiteral("0.04");
        QTest::newRow("thousands") << 2 << 1234567.0 << 1000.0 << QStringLiteral("1\u00A0234\u00A0567 (+1\u00A0000)") << QStringLiteral("1234567");
        QTest::newRow("thousandths") << 4 << 2.0004 << 0.0 << QStringLiteral("2.0 (0.0)") << QStringLiteral("2");
        QTest::newRow("huge") << 2 << 1e20 << 0.0 << QStringLiteral("100\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000 (0)") << QStringLiteral("1e+20");
    }
    void cellsAsShown()
    {
        QFETCH(int, column);
        QFETCH(double, value);
        QFETCH(double, difference);
        Ranking r;
        r.reference = QStringLiteral("R");
        r.columns = RankColumns(FlapSet::NoFlaps());
        r.referenceValues.assign(r.columns.size(), value - difference);
        RankRow row{QStringLiteral("A"), QString(), std::vector<RankCell>(r.columns.size(), {value, difference, RankResult::Better}), 1};
        r.rows.push_back(row);
        const VerdictCell cell = RankingCells(r, View{}).Cell(1, size_t(column));
        QFETCH(QString, text);
        QFETCH(QString, plain);
        QCOMPARE(cell.text, text);
        QCOMPARE(cell.plain, plain);
        QCOMPARE(cell.tint, 2);
    }

    void englishImperialSaysNoRussian()
    {
        InstallLanguage(QStringLiteral("en"));
        const View view{UnitSystem::Imperial, QStringLiteral("en")};
        RankQuery q;
        q.reference = QStringLiteral("Tarn-5");
        q.flaps = FlapSet::All();
        Ranking r = RankCatalogue(ReadCatalogue(DataPaths{kSample}), q);
        QString text = RankingText(r, view) + RankingTsv(r, view) + QString::fromUtf8(RankingJson(r, view));
        InstallLanguage(QStringLiteral("ru"));
        // The numbers in the view's units too, whatever the units shown elsewhere.
        QVERIFY2(text.startsWith(QStringLiteral("Tarn-5: 3\u00A0281 ft, 186 mph")), qPrintable(text.left(40)));
        const QJsonObject json = QJsonDocument::fromJson(RankingJson(r, view)).object();
        const double speed = json[QStringLiteral("reference")][QStringLiteral("values")][QStringLiteral("speed-100")].toDouble();
        QVERIFY(std::abs(speed - ToShown(Quantity::Speed, r.referenceValues[0], UnitSystem::Imperial)) < 1e-3);
        text.remove(QStringLiteral("Вереск-3"));
        QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("\\p{Cyrillic}"))), qPrintable(text));
        QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("km/h|m/s|\\d m\\b|, m\\b"))), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("mph")) && text.contains(QStringLiteral("ft/min")));
    }

    // Names with control characters, quotes and marks, values huge and absurd, and
    // random options: every run ends with a status and a line, json that parses.
    void hostileRanks()
    {
        QTemporaryDir dir;
        const QStringList names{"Tarn", "a\tb", "\"q\"", "x\x1b[31m", QString(100, QChar(0x0301)), "Ω-7"};
        const QByteArray turn = "100\t1e300\t\n5\t-1e300\t\n20\t0\t\n\t\t\n\t\t\n\t\t\n";
        for (int i = 0; i < names.size(); ++i)
            WriteFile(dir.path() + "/DataSpeed/" + names[i] + "_speed.txt",
                      i == 3 ? QByteArray("0\tnan\t\n") : "0\t500\t15\t480\t12\t\n" + QByteArray::number(1e300 * i) + "\t1\t1\t1\t1\t\n");
        // Every other aircraft turns: the ranking is written, with errors among its rows.
        for (int i = 0; i < names.size(); ++i)
            WriteFile(dir.path() + "/DataTurn/" + names[i] + "_turn.txt", i % 2 ? turn : QByteArray(turn).replace("20\t0", "20\t25"));
        QRandomGenerator rng(35);
        int written = 0;
        const QStringList values{"0", "-1", "1e300", "nan", "3000", "1,5", "", "50"};
        const QStringList by{"wins", "speed-100", "turn-time:0", "turn-rate", "x"};
        for (int run = 0; run < 200; ++run) {
            const auto pick = [&](const QStringList &l) { return l[int(rng.bounded(quint32(l.size())))]; };
            QStringList args{"varnel", "--rank", run % 7 == 6 ? QStringLiteral("nope") : pick(names), "--altitude", pick(values),
                             "--speed", pick(values), "--by", pick(by), "--format", pick({"text", "tsv", "json"}),
                             "--units", pick({"metric", "imperial", "knots"}), "--flaps", pick({"0", "0,1,2,3", ""}), dir.path()};
            const CommandLine c = ParseCommandLine(args);
            if (c.action != CommandLine::Rank) {
                QCOMPARE(c.exitCode, 2);
                continue;
            }
            SetShownUnits(*c.units);
            const VerdictOutcome out = RunRank(c);
            SetShownUnits(UnitSystem::Metric);
            written += out.exitCode == 0 ? 1 : 0;
            QVERIFY2(out.exitCode == 0 || (out.exitCode == 1 && !out.error.contains(QLatin1Char('\n'))), qPrintable(out.error));
            // The JSON is laid out exactly as Qt's own writer lays it out.
            if (out.exitCode == 0 && c.textFormat == TextFormat::Json)
                QCOMPARE(QJsonDocument::fromJson(out.output).toJson(), out.output);
        }
        QVERIFY(written >= 5);
    }

private:
    // The pair's charts filled as the window fills them, read by the tracker's line at
    // the ranking's altitude or speed: each curve of the pair against its cell.
    void ReadOnCharts(const Ranking &r, const RankRow &row, const Aircraft &tarn, const Aircraft &other, int &checked)
    {
        TChartSeriesList lists[9];
        const char *const names[9] = {"chrt_TASbyAlt", "chrt_MaxROCbyAlt", "chrt_ROCatConst", "chrt_TurnbySpeed",
                                      "chrt_FunPlot", "ch_C1", "ch_C2", "ch_C3", "ch_C4"};
        for (int i = 0; i < 9; ++i)
            BuildSeries(lists[i], QString::fromLatin1(names[i]));
        const ComparisonCharts charts = RefreshedCharts(
            [&](const ChartEntry &entry) {
                return &lists[std::find_if(std::begin(names), std::end(names),
                                           [&](const char *n) { return entry.def->name == QLatin1String(n); }) -
                              std::begin(names)];
            },
            Qt::black);
        RefreshComparison(charts, &tarn, &other, r.flaps);
        for (int i = 0; i < 5; ++i) {
            const ShadingSetup &s = ChartDefNamed(QString::fromLatin1(names[i])).shading;
            for (int p = 0; p < s.pairs.size(); ++p) {
                const RankColumn column{s.pairs[p].measure, i >= 3 ? p : -1};
                const size_t c = size_t(std::find(r.columns.begin(), r.columns.end(), column) - r.columns.begin());
                const bool byAltitude = RuleOf(column.measure).byAltitude;
                const auto read = [&](int series) {
                    const auto at = LineCrossing(lists[i][series], byAltitude ? Qt::Horizontal : Qt::Vertical,
                                                 byAltitude ? r.altitude : r.speed, {-1e9, 1e9});
                    return at ? (byAltitude ? at->x() : at->y()) : std::nan("");
                };
                const double mine = read(s.pairs[p].second), theirs = read(s.pairs[p].first);
                QVERIFY2(c < r.columns.size(), qPrintable(row.name));
                const bool same = (std::isnan(mine) && std::isnan(row.cells[c].value)) || mine == row.cells[c].value;
                QVERIFY2(same, qPrintable(QStringLiteral("%1 %2: %3 %4").arg(row.name).arg(c).arg(mine).arg(row.cells[c].value)));
                QVERIFY((std::isnan(theirs) && std::isnan(r.referenceValues[c])) || theirs == r.referenceValues[c]);
                ++checked;
            }
        }
    }
};

QTEST_MAIN(VerdictRanking)
#include "verdict_ranking.moc"
