// The command line: every way a call can end before a window opens, with its status,
// and the aircraft it names or lists.
#include "cli/command_line.h"
#include "cli/named_crafts.h"
#include "cli/terminal_text.h"
#include "cli/verdict_command.h"
#include "app_fixture.h"
#include "core/error.h"

#include <QTemporaryDir>
#include <QTest>

class AppCommandLine : public QObject {
    Q_OBJECT
private slots:
    void endings_data();
    void endings();
    void exportOptions();
    void aircraftNames();
    void argumentBytes();
};

void AppCommandLine::endings_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("textHas");

    const int open = CommandLine::OpenWindow, exp = CommandLine::Export, exit = CommandLine::Exit;
    QTest::newRow("no arguments") << QStringList{} << open << 0 << "";
    QTest::newRow("help") << QStringList{"--help"} << exit << 0 << "--export <OUT_DIR>";
    QTest::newRow("help has an example") << QStringList{"-h"} << exit << 0 << "Examples:";
    QTest::newRow("version") << QStringList{"--version"} << exit << 0 << "varnel 4.07m\n";
    QTest::newRow("unknown option") << QStringList{"--colour"} << exit << 2 << "Usage: varnel";
    QTest::newRow("missing directory") << QStringList{"/nonexistent/varnel"} << exit << 2 << "/nonexistent/varnel: no such directory";
    QTest::newRow("missing directory, one line") << QStringList{"/nonexistent/a\nb\x1b"} << exit << 2
                                                  << "varnel: /nonexistent/a\\nb\\x1b: no such directory\n";
    QTest::newRow("file, not directory") << QStringList{VARNEL_SOURCE_DIR "/README.md"} << exit << 2 << "not a directory";
    QTest::newRow("two directories") << QStringList{"/tmp", "/tmp"} << exit << 2 << "Usage: varnel";
    QTest::newRow("export option without export") << QStringList{"--first", "A"} << exit << 2 << "--first needs --export";
    QTest::newRow("export") << QStringList{"--export", "/tmp/o"} << exp << 0 << "";
    QTest::newRow("size zero") << QStringList{"--export", "o", "--size", "0x5"} << exit << 2 << "bad --size";
    QTest::newRow("size no x") << QStringList{"--export", "o", "--size", "800"} << exit << 2 << "bad --size";
    QTest::newRow("flap 7") << QStringList{"--export", "o", "--flaps", "0,7"} << exit << 2 << "bad --flaps";
    QTest::newRow("flap list junk") << QStringList{"--export", "o", "--flaps", "0,,1"} << exit << 2 << "bad --flaps";
    QTest::newRow("gif") << QStringList{"--export", "o", "--format", "gif"} << exit << 2 << "bad --format";
    QTest::newRow("scale zero") << QStringList{"--export", "o", "--scale", "0"} << exit << 2 << "bad --scale";
    QTest::newRow("picture too large") << QStringList{"--export", "o", "--size", "5000x100", "--scale", "2"} << exit << 2 << "over 8192";
    QTest::newRow("no pixels") << QStringList{"--export", "o", "--size", "1x1", "--scale", "0.1"} << exit << 2 << "under one pixel";
    QTest::newRow("scale text") << QStringList{"--export", "o", "--scale", "big"} << exit << 2 << "bad --scale";
    QTest::newRow("list") << QStringList{"--list", "/tmp"} << int(CommandLine::List) << 0 << "";
    QTest::newRow("list with export") << QStringList{"--list", "--export", "o"} << exit << 2 << "--list goes with DATA_DIR alone";
    QTest::newRow("list with recent") << QStringList{"--list", "--recent"} << exit << 2 << "--list goes with DATA_DIR alone";
    QTest::newRow("export without folder") << QStringList{"--export"} << exit << 2 << "Usage: varnel";
    const int verdict = CommandLine::Verdict;
    QTest::newRow("verdict") << QStringList{"--verdict", "--first", "A", "--format", "JSON"} << verdict << 0 << "";
    QTest::newRow("verdict in png") << QStringList{"--verdict", "--format", "png"} << exit << 2 << "give text, tsv or json";
    QTest::newRow("verdict sized") << QStringList{"--verdict", "--size", "10x10"} << exit << 2 << "--size needs --export";
    QTest::newRow("verdict uncaptioned") << QStringList{"--verdict", "--no-caption"} << exit << 2 << "--no-caption needs --export";
    QTest::newRow("advantage without export") << QStringList{"--advantage"} << exit << 2 << "--advantage needs --export";
    QTest::newRow("verdict shaded") << QStringList{"--verdict", "--advantage"} << exit << 2 << "--advantage needs --export";
    QTest::newRow("verdict and export") << QStringList{"--verdict", "--export", "o"} << exit << 2 << "do not go together";
    // Each mode refuses what it does not take, in its own words or the taker's.
    QTest::newRow("paper without report") << QStringList{"--paper", "a4"} << exit << 2 << "varnel: --paper needs --report\n";
    QTest::newRow("export, recent") << QStringList{"--recent", "--export", "o"} << exit << 2
                                    << "varnel: --recent opens the window; it does not go with --export\n";
    QTest::newRow("rank, first") << QStringList{"--rank", "A", "--first", "B"} << exit << 2 << "varnel: --rank does not go with --first\n";
    QTest::newRow("rank, check") << QStringList{"--check", "--rank", "A"} << exit << 2 << "varnel: --rank does not go with --check\n";
    QTest::newRow("altitude alone") << QStringList{"--altitude", "5"} << exit << 2 << "varnel: --altitude, --speed and --by need --rank\n";
    QTest::newRow("check, flaps") << QStringList{"--check", "--flaps", "0"} << exit << 2
                                  << "varnel: --check goes with --format and DATA_DIR alone\n";
    QTest::newRow("check in tsv") << QStringList{"--check", "--format", "tsv"} << exit << 2 << "varnel: bad --format 'tsv': give text or json\n";
    QTest::newRow("units in the window") << QStringList{"--units", "Imperial"} << open << 0 << "";
    QTest::newRow("verdict in knots") << QStringList{"--verdict", "--units=knots"} << verdict << 0 << "";
    QTest::newRow("units unknown") << QStringList{"--export", "o", "--units", "furlongs"} << exit << 2
                                   << "bad --units 'furlongs': give metric, imperial or knots";
    const int check = CommandLine::Check;
    QTest::newRow("check in English") << QStringList{"--check", "--lang", "en"} << check << 0 << "";
    QTest::newRow("check in German") << QStringList{"--check", "--lang", "de"} << exit << 2 << "bad --lang 'de'";
    QTest::newRow("check in furlongs") << QStringList{"--check", "--units", "furlongs"} << exit << 2 << "bad --units";
    // Qt's own options, with a value or without, in one dash or two, are Qt's.
    QTest::newRow("Qt's plugin path") << QStringList{"-platformpluginpath", "/tmp", "/tmp"} << open << 0 << "";
    QTest::newRow("Qt's options") << QStringList{"--platform", "offscreen", "-reverse", "-qmljsdebugger=port:1", "-style=x",
                                                 "-session", "s", "-widgetcount", "/tmp"} << open << 0 << "";
    QTest::newRow("flag with a value") << QStringList{"--list=1"} << exit << 2 << "Unexpected value after '--list'.";
    QTest::newRow("after --, no option") << QStringList{"--", "--list"} << exit << 2 << "--list: no such directory";
}

void AppCommandLine::endings()
{
    QFETCH(QStringList, args);
    QFETCH(int, action);
    QFETCH(int, exitCode);
    QFETCH(QString, textHas);
    const CommandLine c = CheckedDataFolder(ParseCommandLine(QStringList{"varnel"} + args));
    QCOMPARE(int(c.action), action);
    QCOMPARE(c.exitCode, exitCode);
    QVERIFY2(c.text.contains(textHas), qPrintable(c.text));
}

void AppCommandLine::exportOptions()
{
    QTemporaryDir dir;
    const CommandLine c = ParseCommandLine({"varnel", "--export", "out", "--first", "Tarn 5", "--flaps", "3, 1",
                                            "--format", "SVG", "--size", "640x480", "--scale", "2", "--no-caption", "--advantage", dir.path()});
    QCOMPARE(int(c.action), int(CommandLine::Export));
    QCOMPARE(QString(c.dataDir), dir.path());
    const ExportOptions &e = c.exportOptions;
    QCOMPARE(e.outDir.bytes, QByteArray("out"));
    QCOMPARE(e.first, QStringLiteral("Tarn 5"));
    QVERIFY(e.second.isEmpty());
    QCOMPARE(e.flaps, FlapSet().With(1).With(3));
    QCOMPARE(e.format, QStringLiteral("svg"));
    QCOMPARE(e.size, QSize(640, 480));
    QCOMPARE(e.scale, 2.0);
    QVERIFY(!e.caption);
    QVERIFY(e.advantage);
    QVERIFY(!c.units);  // as the settings have it
    QCOMPARE(ParseCommandLine({"varnel", "--export", "out", "--units", "knots"}).units, UnitSystem::Knots);

    // Defaults: the window's start (no flaps shown alone), PNG at 800 x 600, scale 1.
    const ExportOptions d = ParseCommandLine({"varnel", "--export", "out"}).exportOptions;
    QCOMPARE(d.flaps, FlapSet::NoFlaps());
    QCOMPARE(d.format, QStringLiteral("png"));
    QCOMPARE(d.size, QSize(800, 600));
    QCOMPARE(d.scale, 1.0);
    QVERIFY(d.caption);
    QVERIFY(!d.advantage);
}

void AppCommandLine::aircraftNames()
{
    QTemporaryDir dir;
    for (const char *name : {"v10", "Tarn-6", "v2", "Tarn-5", "Skarn-7", "Case", "CASE", "Broken"})
        WriteFixtureCraft(dir.path(), QString::fromLatin1(name));
    WriteFile(dir.path() + "/DataTurn/Broken_turn.txt", "200\t\r\n10\t\r\n\r\n\r\n\r\n\r\nT_turn: fast\r\n");
    const auto error = [&](const QString &name) {
        try {
            ReadNamedCrafts(dir.path(), name, {});
        } catch (const VarnelError &e) {
            return e.message();
        }
        return QString();
    };

    // The trees' order (natural, case ignored), the aircraft that fail left out and told.
    const CraftList list = ListCrafts(dir.path());
    QCOMPARE(list.names, QStringList({"CASE", "Case", "Skarn-7", "Tarn-5", "Tarn-6", "v2", "v10"}));
    QVERIFY2(list.failures.contains("Broken"), qPrintable(list.failures));
    QVERIFY_THROWS_EXCEPTION(VarnelError, ListCrafts(dir.path() + "/DataSpeed"));

    // A name is found as written, else as the one aircraft named so but for case.
    const NamedCrafts found = ReadNamedCrafts(dir.path(), "tARN-5", "CASE");
    QCOMPARE(found.first->name, QStringLiteral("Tarn-5"));
    QCOMPARE(found.second->name, QStringLiteral("CASE"));
    QCOMPARE(error("case"), QString("\"case\" names \"CASE\" or \"Case\" in %1/DataSpeed: give the name as written").arg(dir.path()));
    // An unknown name gets up to three close names, the closest first, or none.
    QCOMPARE(error("tarn5"), QString("no aircraft \"tarn5\" in %1/DataSpeed; did you mean \"Tarn-5\" or \"Tarn-6\"?").arg(dir.path()));
    QCOMPARE(CloseNames("Tarn", {"Tarn-5", "Tarn-6", "Tarn-55", "Tarn-7", "Skarn-7"}),
             QStringList({"Tarn-5", "Tarn-6", "Tarn-7"}));
    QCOMPARE(error("Zulu"), QString("no aircraft \"Zulu\" in %1/DataSpeed").arg(dir.path()));
    QVERIFY(CloseNames(QString(100000, QLatin1Char('x')), {"v2"}).isEmpty());
    // A blank name is part of every name, but close only to short ones.
    QCOMPARE(CloseNames("Tarn\t5", {"Tarn-5", ""}), QStringList{"Tarn-5"});
    // A name in a message shows its control characters escaped, on one line.
    QVERIFY2(error("Tarn\n5\x1b").startsWith("no aircraft \"Tarn\\n5\\x1b\" in"), qPrintable(error("Tarn\n5\x1b")));

    // Names compared in one normal form: "É" typed composed finds it stored decomposed.
    QTemporaryDir other;
    const QString decomposed = QString::fromUtf8("E\u0301cru"), tabbed = QString::fromUtf8("Tab\tX\x1b");
    WriteFixtureCraft(other.path(), decomposed);
    WriteFixtureCraft(other.path(), tabbed);
    QCOMPARE(ReadNamedCrafts(other.path(), QString::fromUtf8("\u00C9cru"), {}).first->name, decomposed);
    // The verdict's text and tsv show a name's control characters escaped; json as JSON does.
    CommandLine c = ParseCommandLine({"varnel", "--verdict", "--first", tabbed, "--second", decomposed, other.path()});
    for (const TextFormat format : {TextFormat::Text, TextFormat::Tsv, TextFormat::Json}) {
        c.textFormat = format;
        const QByteArray out = RunVerdict(c).output;
        QVERIFY2(out.contains(format == TextFormat::Json ? "Tab\\tX\\u001b" : "Tab\\tX\\x1b"), out.constData());
        QVERIFY(!out.contains('\x1b'));
    }
    QCOMPARE(ControlsEscaped(QString::fromUtf8("a\x1b[2J\tb\r\nc\u0085\x7f É")), QString::fromUtf8("a\\x1b[2J\\tb\\r\\nc\\x85\\x7f É"));
}

void AppCommandLine::argumentBytes()
{
    // OUT_DIR and DATA_DIR keep the bytes given, though both read "Як" (Windows-1251 and UTF-8).
    const QByteArray cp1251 = "\xDF\xEA", utf8 = "\xD0\xAF\xD0\xBA";
    CommandLine c = ParseArgv(QByteArrayList{"varnel", "--export", cp1251, "--first", cp1251 + "-3", utf8});
    QCOMPARE(c.exportOptions.outDir.bytes, cp1251);
    QCOMPARE(c.dataDir.bytes, utf8);
    QCOMPARE(c.exportOptions.first, QString::fromUtf8("Як-3"));
    c = ParseArgv(QByteArrayList{"varnel", utf8, "-export=" + cp1251});
    QCOMPARE(c.exportOptions.outDir.bytes, cp1251);
    QCOMPARE(c.dataDir.bytes, utf8);

    // Qt gets its own options, all of them; export draws offscreen whatever -platform says.
    const QByteArrayList qt{"varnel", "-platformpluginpath", "/tmp", "--platform", "xcb", "-reverse"};
    c = ParseArgv(qt + QByteArrayList{"sample-data"});
    QCOMPARE(c.action, CommandLine::OpenWindow);
    QCOMPARE(c.dataDir.bytes, QByteArray("sample-data"));
    QCOMPARE(c.qtArguments, qt);
    c = ParseArgv(qt + QByteArrayList{"--export", "o"});
    QCOMPARE(c.qtArguments, (QByteArrayList{"varnel", "-platformpluginpath", "/tmp", "-reverse"}));

    // The parser reads no disk: the data folder's check is apart.
    QCOMPARE(ParseCommandLine(QStringList{"varnel", "/nonexistent/varnel"}).action, CommandLine::OpenWindow);
}

QTEST_APPLESS_MAIN(AppCommandLine)
#include "app_command_line.moc"
