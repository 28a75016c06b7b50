// The command line: every way a call can end before a window opens, with its status.
#include "app/command_line.h"

#include <QTemporaryDir>
#include <QTest>

class AppCommandLine : public QObject {
    Q_OBJECT
private slots:
    void endings_data();
    void endings();
    void exportOptions();
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
    QTest::newRow("export without folder") << QStringList{"--export"} << exit << 2 << "Usage: varnel";
}

void AppCommandLine::endings()
{
    QFETCH(QStringList, args);
    QFETCH(int, action);
    QFETCH(int, exitCode);
    QFETCH(QString, textHas);
    const CommandLine c = ParseCommandLine(QStringList{"varnel"} + args);
    QCOMPARE(int(c.action), action);
    QCOMPARE(c.exitCode, exitCode);
    QVERIFY2(c.text.contains(textHas), qPrintable(c.text));
}

void AppCommandLine::exportOptions()
{
    QTemporaryDir dir;
    const CommandLine c = ParseCommandLine({"varnel", "--export", "out", "--first", "Tarn 5", "--flaps", "3, 1",
                                            "--format", "SVG", "--size", "640x480", "--scale", "2", dir.path()});
    QCOMPARE(int(c.action), int(CommandLine::Export));
    QCOMPARE(c.dataDir, dir.path());
    const ExportOptions &e = c.exportOptions;
    QCOMPARE(e.outDir.bytes, QByteArray("out"));
    QCOMPARE(e.first, QStringLiteral("Tarn 5"));
    QVERIFY(e.second.isEmpty());
    QCOMPARE(e.flapShown, (std::array<bool, 4>{false, true, false, true}));
    QCOMPARE(e.format, QStringLiteral("svg"));
    QCOMPARE(e.size, QSize(640, 480));
    QCOMPARE(e.scale, 2.0);

    // Defaults: the window's start (no flaps shown alone), PNG at 800 x 600, scale 1.
    const ExportOptions d = ParseCommandLine({"varnel", "--export", "out"}).exportOptions;
    QCOMPARE(d.flapShown, (std::array<bool, 4>{true, false, false, false}));
    QCOMPARE(d.format, QStringLiteral("png"));
    QCOMPARE(d.size, QSize(800, 600));
    QCOMPARE(d.scale, 1.0);
}

QTEST_APPLESS_MAIN(AppCommandLine)
#include "app_command_line.moc"
