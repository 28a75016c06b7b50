// Sharing a comparison: the export's pictures and failures, the window's picture being
// the exported one, the chart's context menu and the copied data.
#include "app/application.h"
#include "app/export.h"
#include "app/png.h"
#include "app/flap_button.h"
#include "app/main_window.h"
#include "app/share.h"
#include "app_fixture.h"
#include "core/guard.h"
#include "presentation/chart.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <QXmlStreamReader>

class AppExport : public QObject {
    Q_OBJECT

    QTemporaryDir data_;
    QStringList messages_;

    ExportOptions options(const QString &out) const
    {
        ExportOptions o;
        o.outDir = out;
        o.first = QStringLiteral("Alpha");
        o.second = QStringLiteral("Bravo");
        return o;
    }

private slots:
    void pngRoundTrip();
    void initTestCase()
    {
        WriteFixtureCraft(data_.path(), QStringLiteral("Alpha"));
        WriteFixtureCraft(data_.path(), QStringLiteral("Bravo"), 40);
        // Reads fine, fails in the refresh: a speed that is no number.
        WriteFixtureCraft(data_.path(), QStringLiteral("Broken"));
        WriteFile(data_.path() + "/DataSpeed/Broken_speed.txt", "0\t500\t15\t480\t13\t\r\n1000\tfast\t15\t480\t13\t\r\n");
    }
    void init()
    {
        messages_.clear();
        SetErrorBoxHook([this](const QString &text) { messages_ << text; });
    }
    void cleanup()
    {
        SetErrorBoxHook(nullptr);
        SetShareDialogs({});
    }

    void exportSet_data();
    void exportSet();
    void failures_data();
    void failures();
    void exportedOverviewIsTheWindowsPage();
    void menuOnlyOnStillRightClick_data();
    void menuOnlyOnStillRightClick();
    void copiedDataText();
    void failedSaveLeavesNoFile();
};

void AppExport::exportSet_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("png") << "png";
    QTest::newRow("svg") << "svg";
    QTest::newRow("pdf") << "pdf";
}

void AppExport::exportSet()
{
    QFETCH(QString, format);
    QTemporaryDir out;
    ExportOptions o = options(out.path() + "/new/sub");
    o.format = format;
    o.size = QSize(320, 240);
    o.scale = 2;
    const ExportOutcome result = RunExport(o, data_.path());
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.exitCode, 0);
    QStringList expected;
    for (const QString &slug : PageSlugs())
        expected << o.outDir + "/" + slug + "." + format;
    QCOMPARE(result.written, expected);
    QCOMPARE(QDir(o.outDir).entryList(QDir::Files).size(), 6);  // no temporary file left over

    for (const QString &path : expected) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        if (format == "png") {
            QCOMPARE(QImage::fromData(bytes, "PNG").size(), QSize(640, 480));
        } else if (format == "pdf") {
            QVERIFY(bytes.startsWith("%PDF"));
        } else {
            QXmlStreamReader xml(bytes);
            int paths = 0, texts = 0;
            while (!xml.atEnd())
                if (xml.readNext() == QXmlStreamReader::StartElement) {
                    paths += xml.name() == u"path" || xml.name() == u"polyline";
                    texts += xml.name() == u"text";
                }
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            QVERIFY2(paths > 0 && texts > 0, qPrintable(path));
        }
    }
}

void AppExport::failures_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("outDir");  // "FILE": a plain file stands where the folder should go
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown first") << "Zulu" << "Bravo" << "out" << 1 << "varnel: no aircraft \"Zulu\" in %1/DataSpeed";
    QTest::newRow("unknown second") << "" << "alpha" << "out" << 1 << "varnel: no aircraft \"alpha\" in %1/DataSpeed";
    QTest::newRow("data error, second") << "Alpha" << "Broken" << "out" << 1
                                        << "varnel: 'fast' is not a valid floating point value. (Broken: Broken_speed.txt, row 2, column 2.)";
    QTest::newRow("data error, first") << "Broken" << "Alpha" << "out" << 1
                                       << "varnel: 'fast' is not a valid floating point value. (Broken: Broken_speed.txt, row 2, column 2.)";
    QTest::newRow("folder is a file") << "Alpha" << "" << "FILE" << 1 << "varnel: Cannot create folder";
    QTest::newRow("under a file") << "Alpha" << "" << "FILE/sub" << 1 << "varnel: Cannot create folder";
    QTest::newRow("one side empty") << "" << "Bravo" << "out" << 0 << "";
}

void AppExport::failures()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, outDir);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QTemporaryDir tmp;
    WriteFile(tmp.path() + "/FILE", "not a folder");
    ExportOptions o = options(tmp.path() + "/" + outDir);
    o.first = first;
    o.second = second;
    const ExportOutcome result = RunExport(o, data_.path());
    QCOMPARE(result.exitCode, exitCode);
    if (error.isEmpty())
        QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    else if (error.contains("%1"))
        QCOMPARE(result.error, error.arg(data_.path()));
    else
        QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    if (exitCode != 0) {
        // Nothing written: not a picture, not the folder.
        QVERIFY(result.written.isEmpty());
        QVERIFY(!QFileInfo::exists(tmp.path() + "/out"));
    }
}

void AppExport::pngRoundTrip()
{
    // Every pixel comes back as it went in: opaque pictures (written as RGB) and ones
    // with transparent and half-transparent pixels (RGBA), odd sizes, one-pixel ones.
    for (const QSize size : {QSize(37, 23), QSize(1, 1)}) {
        for (const int alphaFloor : {255, 128, 0}) {  // opaque; all half-transparent; with clear pixels
            QImage image(size, QImage::Format_ARGB32);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    image.setPixel(x, y, qRgba(x * 7, y * 11, (x * y) % 256, alphaFloor + (x * 13 + y) % (256 - alphaFloor)));
            const QImage back = QImage::fromData(EncodePng(image), "PNG").convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(back, image);
        }
    }
}

void AppExport::exportedOverviewIsTheWindowsPage()
{
    // The window as a user has it: scanned, both aircraft chosen, flaps 0 and 2 shown.
    auto w = ScannedWindow(data_.path());
    FindRoot(w->tree_Crafts_1, "Alpha")->setSelected(true);
    FindRoot(w->tree_Crafts_2, "Bravo")->setSelected(true);
    QTest::mouseClick(w->btn_Turn3, Qt::LeftButton);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::qWait(50);
    const QImage shown = w->tab_Common->grab().toImage().convertToFormat(QImage::Format_ARGB32);

    QTemporaryDir out;
    ExportOptions o = options(out.path());
    o.flapShown = {true, false, true, false};
    o.size = w->tab_Common->size();
    const ExportOutcome result = RunExport(o, data_.path());
    QCOMPARE(result.exitCode, 0);
    const QImage exported = QImage(out.path() + "/overview.png").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(exported.size(), shown.size());
    if (exported != shown) {
        shown.save(out.path() + "/../window-overview.png");
        QFAIL("the exported overview differs from the window's common page");
    }
    QVERIFY(messages_.isEmpty());
}

void AppExport::menuOnlyOnStillRightClick_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("via");  // a move between press and release
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<bool>("menu");
    QTest::newRow("still") << int(Qt::RightButton) << QPoint(0, 0) << QPoint(0, 0) << true;
    QTest::newRow("3 pixels") << int(Qt::RightButton) << QPoint(3, -3) << QPoint(3, -3) << true;
    QTest::newRow("4 pixels") << int(Qt::RightButton) << QPoint(0, 0) << QPoint(4, 0) << false;
    QTest::newRow("out and back") << int(Qt::RightButton) << QPoint(30, 0) << QPoint(1, 0) << false;
    QTest::newRow("left click") << int(Qt::LeftButton) << QPoint(0, 0) << QPoint(0, 0) << false;
}

void AppExport::menuOnlyOnStillRightClick()
{
    QFETCH(int, button);
    QFETCH(QPoint, via);
    QFETCH(QPoint, release);
    QFETCH(bool, menu);
    Tfrm_Main w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *sharing = w.findChild<ChartSharing *>();
    QVERIFY(sharing);
    TChart *chart = w.ch_C2;
    const QPoint at = chart->PlotArea().center();
    QTest::mousePress(chart, Qt::MouseButton(button), {}, at);
    QTest::mouseMove(chart, at + via);
    QTest::mouseRelease(chart, Qt::MouseButton(button), {}, at + release);
    QCOMPARE(sharing->OpenMenu() != nullptr && sharing->OpenMenu()->isVisible(), menu);
    // A still click scrolls nothing; a drag scrolls as ever.
    QCOMPARE(chart->IsZoomed(), button == Qt::RightButton && !menu);
    if (menu) {
        QStringList entries;
        for (QAction *a : sharing->OpenMenu()->actions())
            entries << a->text() + " " + a->shortcut().toString();
        QCOMPARE(entries, (QStringList{"Копировать рисунок Ctrl+C", "Копировать данные Ctrl+Shift+C",
                                       "Сохранить рисунок... Ctrl+S", "Сохранить все страницы... Ctrl+Shift+S"}));
        sharing->OpenMenu()->close();
    }
}

void AppExport::copiedDataText()
{
    TChartSeriesList list;
    list.Add(TSeriesKind::TLineSeries, "Series1").SetTitle("100% Alpha");
    list.Add(TSeriesKind::TLineSeries, "Series2").SetTitle("hidden");
    list.Add(TSeriesKind::THorizLineSeries, "Series3");  // no title: its component name
    list[0].AddXY(400, 1000);
    list[0].AddXY(350.5, 0);  // sorted by x as the chart holds it
    list[1].AddXY(1, 1);
    list[1].SetActive(false);
    list[2].AddXY(2, 1e-7);
    QCOMPARE(ChartDataText(list, "Скорость (км/ч)", "Высота (м)"),
             QStringLiteral("Кривая\tСкорость (км/ч)\tВысота (м)\n"
                            "100% Alpha\t350.5\t0\n"
                            "100% Alpha\t400\t1000\n"
                            "Series3\t2\t1e-07\n"));
}

void AppExport::failedSaveLeavesNoFile()
{
    QTemporaryDir tmp;
    WriteFile(tmp.path() + "/FILE", "x");
    Tfrm_Main w;
    auto *sharing = w.findChild<ChartSharing *>();
    QString suggested;
    SetShareDialogs({[&](QWidget *, const QString &s) {
                         suggested = s;
                         return tmp.path() + "/speed.svg";
                     },
                     [&](QWidget *) { return tmp.path() + "/FILE/pages"; }});
    w.chrt_TASbyAlt->resize(400, 300);
    sharing->Run(ChartSharing::SavePicture, w.ch_C1);
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("speed-by-altitude.png"));
    QVERIFY(QFile(tmp.path() + "/speed.svg").size() > 0);

    // Into a folder that can't be: the box names it and the system's reason, nothing is left.
    Guarded([&] { sharing->Run(ChartSharing::SaveAllPages, w.tab_Common); });
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains(tmp.path() + "/FILE/pages") && messages_[0].contains("Not a directory"),
             qPrintable(messages_[0]));
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"FILE", "speed.svg"}));
}

QTEST_MAIN(AppExport)
#include "app_export.moc"
