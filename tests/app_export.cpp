// Sharing a comparison: the export's pictures and failures, the window's picture being
// the exported one, the chart's context menu and the copied data.
#include "pages/application.h"
#include "pages/caption.h"
#include "cli/export_command.h"
#include "pictures/png_writer.h"
#include "window/flap_button.h"
#include "window/main_window.h"
#include "pictures/share.h"
#include "pages/verdict_page.h"
#include "app_fixture.h"
#include "core/guard.h"
#include "presentation/chart.h"

#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>
#include <QXmlStreamReader>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
// Files larger than `bytes` cannot be written (EFBIG), as on a full disk, while alive.
struct FileSizeLimit {
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

// A size of this process's memory from /proc/self/status ("VmRSS:", now; "VmHWM:", its
// peak) in kB, or -1 where the system gives none.
long MemoryKb(const QByteArray &field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Starts the peak ("VmHWM:") anew from the memory held now.
bool ResetMemoryPeak()
{
    const int fd = ::open("/proc/self/clear_refs", O_WRONLY);
    const bool done = fd >= 0 && ::write(fd, "5", 1) == 1;
    if (fd >= 0)
        ::close(fd);
    return done;
}

// A PDF text string as Qt writes it: UTF-16 with its byte-order mark, ( ) \ escaped.
QByteArray PdfString(const QString &text)
{
    QByteArray out("(\xfe\xff");
    for (const QChar c : text)
        for (const char b : {char(c.unicode() >> 8), char(c.unicode() & 0xff)})
            out += QByteArray(b == '(' || b == ')' || b == '\\' ? "\\" : "") + b;
    return out + ')';
}

// The rows of an image's top `rows` that hold a pixel close to `colour`.
bool HasColour(const QImage &image, int rows, QColor colour)
{
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) + std::abs(p.blue() - colour.blue()) < 60)
                return true;
        }
    return false;
}
}  // namespace

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
    void vectorPicturesNeedNoPixels_data();
    void vectorPicturesNeedNoPixels();
    void failures_data();
    void failures();
    void exportedPagesAreTheWindowsPages();
    void menuOnlyOnStillRightClick_data();
    void menuOnlyOnStillRightClick();
    void copiedDataText();
    void failedSaveLeavesNoFile();
    void savingFromTheWindow();
    void svgWithControlCharacters();
    void captionWords();
    void captionedFiles_data();
    void captionedFiles();
    void failedWriteKeepsTheFolder_data();
    void failedWriteKeepsTheFolder();
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
        expected << QString(o.outDir) + "/" + slug + "." + format;
    QCOMPARE(result.written, expected);
    QCOMPARE(QDir(QString(o.outDir)).entryList(QDir::Files).size(), 7);  // no temporary file left over

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
            // A chart page has lines; the verdict page, this small, its sentences alone.
            QVERIFY2((paths > 0 || path.endsWith("verdict." + format)) && texts > 0, qPrintable(path));
        }
    }
}

// An SVG or PDF picture is lines and text: however large, it needs no pixels of its size
// (8192 x 8192 pixels of four bytes are 256 MB a buffer).
void AppExport::vectorPicturesNeedNoPixels_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("svg") << "svg";
    QTest::newRow("pdf") << "pdf";
}

void AppExport::vectorPicturesNeedNoPixels()
{
    QFETCH(QString, format);
    const long before = MemoryKb("VmRSS:");
    if (before < 0 || !ResetMemoryPeak())
        QSKIP("this system does not tell the peak memory of a process");
    QTemporaryDir out;
    ExportOptions o = options(out.path());
    o.format = format;
    o.size = QSize(8192, 8192);
    o.advantage = true;
    const ExportOutcome result = RunExport(o, data_.path());
    QCOMPARE(result.exitCode, 0);
    const long grown = MemoryKb("VmHWM:") - before;
    QVERIFY2(grown < 200 * 1024, qPrintable(QStringLiteral("%1 MB more at the peak").arg(grown / 1024)));
}

void AppExport::failures_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("outDir");  // "FILE": a plain file stands where the folder should go
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown first") << "Zulu" << "Bravo" << "out" << 1 << "varnel: no aircraft \"Zulu\" in %1/DataSpeed";
    QTest::newRow("unknown second") << "" << "Alpah" << "out" << 1
                                    << "varnel: no aircraft \"Alpah\" in %1/DataSpeed; did you mean \"Alpha\"?";
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
    // with transparent and half-transparent pixels (RGBA, from premultiplied pixels as
    // the pages are drawn), odd sizes, one-pixel ones; the text chunks are kept.
    for (const QSize size : {QSize(37, 23), QSize(1, 1)}) {
        for (const int alphaFloor : {255, 128, 0}) {  // opaque; all half-transparent; with clear pixels
            QImage image(size, QImage::Format_ARGB32);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    image.setPixel(x, y, qRgba(x * 7, y * 11, (x * y) % 256, alphaFloor + (x * 13 + y) % (256 - alphaFloor)));
            for (const QImage &source : {image, image.convertToFormat(QImage::Format_ARGB32_Premultiplied)}) {
                const QImage back = QImage::fromData(EncodePng(source), "PNG");
                QCOMPARE(back.convertToFormat(source.format()), source);
                QCOMPARE(back.hasAlphaChannel(), alphaFloor < 255);
            }
        }
    }
    const QImage tagged = QImage::fromData(
        EncodePng(QImage(2, 2, QImage::Format_RGB32), {{"Title", "Tarn-5 — Skarn-7"}, {"Software", "Varnel"}}), "PNG");
    QCOMPARE(tagged.text("Title"), QStringLiteral("Tarn-5 — Skarn-7"));
    QCOMPARE(tagged.text("Software"), QStringLiteral("Varnel"));
}

void AppExport::exportedPagesAreTheWindowsPages()
{
    // The window as a user has it: scanned, both aircraft chosen, flaps 0 and 2 shown;
    // then with the advantage shading switched on, against --advantage.
    auto w = ScannedWindow(data_.path());
    FindRoot(w->tree_Crafts_1, "Alpha")->setSelected(true);
    FindRoot(w->tree_Crafts_2, "Bravo")->setSelected(true);
    // The verdict page follows the flaps as the charts do: flaps 2 shown, their rows come.
    const auto *best = w->pages_Charts->tab_Verdict->findChild<QTableWidget *>("tbl_best");
    const auto flaps2Rows = [best] {
        return best->findItems(QStringLiteral("закрылки 2"), Qt::MatchContains).size();
    };
    QCOMPARE(flaps2Rows(), 0);
    QTest::mouseClick(w->btn_Turn3, Qt::LeftButton);
    QVERIFY(flaps2Rows() > 0);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::qWait(50);

    QTemporaryDir plain, shaded;
    ExportOptions o = options(plain.path());
    o.flaps = FlapSet().With(0).With(2);
    o.size = w->pages_Charts->tab_Common->size();
    o.caption = false;
    QCOMPARE(RunExport(o, data_.path()).exitCode, 0);
    o.outDir = shaded.path();
    o.advantage = true;
    QCOMPARE(RunExport(o, data_.path()).exitCode, 0);
    for (const QTemporaryDir *out : {&plain, &shaded}) {
        if (out == &shaded)
            w->act_Advantage->trigger();
        // The common page, and a full page.
        for (QWidget *page : {w->pages_Charts->tab_Common, w->pages_Charts->tab_SpeedByAlt}) {
            w->pages_Charts->setCurrentWidget(page);
            QTest::qWait(20);
            const QImage shown = page->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            const QString slug = PageSlugs()[w->pages_Charts->indexOf(page)];
            const QImage exported = QImage(out->path() + "/" + slug + ".png").convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(exported.size(), shown.size());
            if (exported != shown) {
                shown.save(out->path() + "/../window-" + slug + ".png");
                QFAIL(qPrintable("the exported " + slug + " differs from the window's page"));
            }
        }
    }
    // The two differ in speed alone: the other charts' curves are even, and not shaded.
    for (const QString &slug : PageSlugs()) {
        const bool differ = QImage(plain.path() + "/" + slug + ".png") != QImage(shaded.path() + "/" + slug + ".png");
        QVERIFY2(differ == (slug == "overview" || slug == "speed-by-altitude"), qPrintable(slug));
    }

    // Copied from the window: the band above the page as shown, or, unchecked, the page alone.
    auto *sharing = w->findChild<ChartSharing *>();
    const QImage shown = w->pages_Charts->tab_SpeedByAlt->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    sharing->Run(ChartSharing::CopyPicture, w->pages_Charts->tab_SpeedByAlt);
    const QImage banded = QApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(banded.size(), shown.size() + QSize(0, CaptionBandHeight()));
    QVERIFY(banded.copy(0, CaptionBandHeight(), shown.width(), shown.height()) == shown);
    QVERIFY(HasColour(banded, CaptionBandHeight(), AircraftColor(1)) && HasColour(banded, CaptionBandHeight(), AircraftColor(2)));
    sharing->SetCaptionBand(false);
    sharing->Run(ChartSharing::CopyPicture, w->pages_Charts->tab_SpeedByAlt);
    QVERIFY(QApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32) == shown);
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
    TChart *chart = w.pages_Charts->ch_C2;
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
                                       "Сохранить рисунок... Ctrl+S", "Сохранить все страницы... Ctrl+Shift+S",
                                       " ", "Подпись над рисунком "}));
        // The last entry switches the caption band of every picture shared.
        QAction *band = sharing->OpenMenu()->actions().last();
        QVERIFY(band->isCheckable() && band->isChecked() && sharing->CaptionBand());
        band->trigger();
        QVERIFY(!sharing->CaptionBand());
        sharing->OpenMenu()->close();
    }
}

void AppExport::copiedDataText()
{
    TChartSeriesList list;
    list.Add(SeriesKind::TLineSeries, "Series1").SetTitle("100% Alpha");
    list.Add(SeriesKind::TLineSeries, "Series2").SetTitle("hidden");
    list.Add(SeriesKind::THorizLineSeries, "Series3");  // no title: its component name
    list[0].AddXY(400, 1000);
    list[0].AddXY(350.5, 0);  // sorted by x as the chart holds it
    list[1].AddXY(1, 1);
    list[1].SetActive(false);
    list[2].AddXY(2, 1e-7);
    const AxisTitle speed{"Скорость (км/ч)", "Скорость", "км/ч", Quantity::Speed};
    const AxisTitle altitude{"Высота (м)", "Высота", "м", Quantity::Altitude};
    QCOMPARE(ChartDataText(list, speed, altitude),
             QStringLiteral("Кривая\tСкорость (км/ч)\tВысота (м)\n"
                            "100% Alpha\t350.5\t0\n"
                            "100% Alpha\t400\t1000\n"
                            "Series3\t2\t0.0000001\n"));
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
                     [&](QWidget *) { return tmp.path() + "/FILE/pages"; },
                     {}});
    w.pages_Charts->chrt_TASbyAlt->resize(400, 300);
    sharing->Run(ChartSharing::SavePicture, w.pages_Charts->ch_C1);
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("speed-by-altitude.png"));
    QVERIFY(QFile(tmp.path() + "/speed.svg").size() > 0);

    // Into a folder that can't be: the box names it and the system's reason, nothing is left.
    Guarded([&] { sharing->Run(ChartSharing::SaveAllPages, w.pages_Charts->tab_Common); });
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_[0].contains(tmp.path() + "/FILE/pages") && messages_[0].contains("Not a directory"),
             qPrintable(messages_[0]));
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"FILE", "speed.svg"}));
}

void AppExport::savingFromTheWindow()
{
    QTemporaryDir data, out;
    const QString longName(122, QChar(u'Я'));  // 244 bytes: the longest a speed file's name allows
    WriteFixtureCraft(data.path(), "Alpha");
    WriteFixtureCraft(data.path(), longName, 40);
    auto w = ScannedWindow(data.path());
    FindRoot(w->tree_Crafts_1, "Alpha")->setSelected(true);
    FindRoot(w->tree_Crafts_2, longName)->setSelected(true);
    auto *sharing = w->findChild<ChartSharing *>();

    // Copied data of the common page names each curve's aircraft.
    sharing->Run(ChartSharing::CopyData, w->pages_Charts->tab_Common);
    const QStringList rows = QApplication::clipboard()->text().split('\n');
    QVERIFY(rows.contains("100% Alpha\t490\t1000"));
    QVERIFY(rows.contains("MAX " + longName + "\t580\t4000"));
    QVERIFY(rows.filter(QRegularExpression("^(100%|Макс\\.|Скороподъемность)\t")).isEmpty());

    // "Save all pages" asks once, naming the files it would replace; no answer, no file.
    WriteFile(out.path() + "/overview.png", "old");
    WriteFile(out.path() + "/turn-time.png", "old");
    QList<QStringList> asked;
    bool answer = false;
    QString suggested, chosen = out.path() + "/one.png";
    SetShareDialogs({[&](QWidget *, const QString &s) {
                         suggested = s;
                         return chosen;
                     },
                     [&](QWidget *) { return out.path(); },
                     [&](QWidget *, const QString &, const QStringList &replaced) {
                         asked << replaced;
                         return answer;
                     }});
    sharing->Run(ChartSharing::SaveAllPages, w->pages_Charts->tab_Common);
    QCOMPARE(asked, QList<QStringList>{(QStringList{"overview.png", "turn-time.png"})});
    QCOMPARE(Snapshot(out.path()).keys(), (QStringList{"overview.png", "turn-time.png"}));
    answer = true;
    sharing->Run(ChartSharing::SaveAllPages, w->pages_Charts->tab_Common);
    QCOMPARE(asked.size(), 2);
    QCOMPARE(Snapshot(out.path()).size(), 7);
    QVERIFY(Snapshot(out.path())["overview.png"].startsWith("\x89PNG"));

    // A suggested name too long for a file is cut to 255 bytes, its extension kept.
    sharing->Run(ChartSharing::SavePicture, w->pages_Charts->tab_Common);
    const QString name = QFileInfo(suggested).fileName();
    QVERIFY2(name.toUtf8().size() == 255 && name.startsWith("overview_Alpha_ЯЯ") && name.endsWith("Я.png"),
             qPrintable(name));
    // ... and is written under that name.
    chosen = out.path() + '/' + name;
    sharing->Run(ChartSharing::SavePicture, w->pages_Charts->tab_Common);
    QVERIFY(QFile(chosen).size() > 0 && QFile::remove(chosen));
    chosen = out.path() + "/one.png";

    // A full disk: the box gives the system's reason; the earlier picture stays whole.
    const QByteArray earlier = Snapshot(out.path())["one.png"];
    SetPictureFault([](const char *step, int) { return QByteArray(step) == "write" ? ENOSPC : 0; });
    Guarded([&] { sharing->Run(ChartSharing::SavePicture, w->pages_Charts->tab_Common); });
    SetPictureFault(nullptr);
    QCOMPARE(messages_, QStringList{"Cannot write file \"" + out.path() + "/one.png\". No space left on device."});
    QCOMPARE(Snapshot(out.path())["one.png"], earlier);
    QCOMPARE(Snapshot(out.path()).size(), 8);
}

void AppExport::svgWithControlCharacters()
{
    // Names a file may hold but XML may not: every SVG stays well-formed.
    QTemporaryDir data, out;
    const QString first = QString::fromUtf8("Esc\x1b-\x01-\x0c"), second = QString::fromUtf8("Tab\tCR\r\uFFFE\uFFFF");
    WriteFixtureCraft(data.path(), first);
    WriteFixtureCraft(data.path(), second, 40);
    ExportOptions o = options(out.path());
    o.first = first;
    o.second = second;
    o.format = "svg";
    const ExportOutcome result = RunExport(o, data.path());
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.written.size(), 7);
    for (const QString &path : result.written) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(path + ": " + xml.errorString()));
    }
}

void AppExport::captionWords()
{
    PictureCaption c{"Tarn-5", "Skarn-7", FlapSet().With(0).With(2), "Общая таблица"};
    QCOMPARE(CaptionTitle(c), QStringLiteral("Tarn-5 — Skarn-7 · закрылки: 0, 2"));
    QCOMPARE(CaptionDescription(c),
             QStringLiteral("Общая таблица: Tarn-5 (синие кривые) — Skarn-7 (красные кривые) · закрылки: 0, 2"));
    c.first.clear();
    c.flaps = FlapSet().With(3);
    QCOMPARE(CaptionTitle(c), QStringLiteral("Skarn-7 · закрылки: 3"));
    c.second.clear();
    c.flaps = FlapSet();
    QCOMPARE(CaptionTitle(c), QStringLiteral("самолёты не выбраны · закрылки: нет"));
    // A name's control characters: the words stay one line that any file can hold.
    c.first = QString::fromUtf8("Esc\x1b\nX\u0085");
    QCOMPARE(CaptionTitle(c), QStringLiteral("Esc\uFFFD\uFFFDX\uFFFD · закрылки: нет"));
    // The curves' colours, first aircraft blue, second red.
    QCOMPARE(AircraftColor(1), QColor(Qt::blue));
    QCOMPARE(AircraftColor(2), QColor(Qt::red));
}

void AppExport::captionedFiles_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("png") << "png";
    QTest::newRow("svg") << "svg";
    QTest::newRow("pdf") << "pdf";
}

void AppExport::captionedFiles()
{
    // Names with markup and a control character: the band and the file's metadata name
    // them, the picture keeps the size asked for, every file stays readable.
    QFETCH(QString, format);
    QTemporaryDir data, out;
    const QString first = "Tarn<b>&\"5", second = QString::fromUtf8("Esc\x1b]");
    WriteFixtureCraft(data.path(), first);
    WriteFixtureCraft(data.path(), second, 40);
    ExportOptions o = options(out.path());
    o.first = first;
    o.second = second;
    o.flaps = FlapSet().With(0).With(2);
    o.format = format;
    o.size = QSize(320, 240);
    o.scale = 2;
    const ExportOutcome result = RunExport(o, data.path());
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    const QString title = QStringLiteral("Tarn<b>&\"5 — Esc\uFFFD] · закрылки: 0, 2");
    QFile f(result.written.value(1));  // speed by altitude
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    if (format == "png") {
        const QImage image = QImage::fromData(bytes, "PNG");
        QCOMPARE(image.size(), QSize(640, 480));
        QCOMPARE(image.text("Title"), title);
        QCOMPARE(image.text("Description"),
                 "Макс. истинная скорость на заданной высоте: Tarn<b>&\"5 (синие кривые) — Esc\uFFFD] (красные кривые) · закрылки: 0, 2");
        QCOMPARE(image.text("Software"), ApplicationTitle());
        const int band = 2 * CaptionBandHeight();
        QVERIFY(HasColour(image, band, AircraftColor(1)) && HasColour(image, band, AircraftColor(2)));
        // A picture too low for a band gets none: the page as --no-caption gives it.
        QImage low[2];
        for (const bool caption : {true, false}) {
            o.size = QSize(320, 3 * CaptionBandHeight() - 1);
            o.caption = caption;
            o.outDir = out.path() + (caption ? "/low" : "/bare");
            QCOMPARE(RunExport(o, data.path()).exitCode, 0);
            low[caption] = QImage(QString(o.outDir) + "/overview.png");
        }
        QCOMPARE(low[1].height(), 2 * (3 * CaptionBandHeight() - 1));
        QVERIFY(low[1] == low[0]);
    } else if (format == "svg") {
        QXmlStreamReader xml(bytes);
        QString svgTitle, svgDesc, viewBox;
        QStringList texts;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                if (xml.name() == u"svg")
                    viewBox = xml.attributes().value("viewBox").toString();
                else if (xml.name() == u"title")
                    svgTitle = xml.readElementText();
                else if (xml.name() == u"desc")
                    svgDesc = xml.readElementText();
                else if (xml.name() == u"text")
                    texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(viewBox, QStringLiteral("0 0 320 240"));
        QCOMPARE(svgTitle, title);
        QVERIFY2(svgDesc.endsWith("Esc\uFFFD] (красные кривые) · закрылки: 0, 2"), qPrintable(svgDesc));
        // The band's words are text: each name in a text of its own.
        QVERIFY2(texts.contains(first) && texts.contains("Esc\uFFFD]"), qPrintable(texts.join(" | ")));
    } else {
        QVERIFY(bytes.contains("/Title " + PdfString(title)));
        QVERIFY(bytes.contains("/Creator " + PdfString(ApplicationTitle())));
        QVERIFY(bytes.contains("/MediaBox [0 0 320.000000 240.000000]"));
    }
}

void AppExport::failedWriteKeepsTheFolder_data()
{
    // Each step of the write failing for one picture: the first, or the last (after
    // the others have taken their names and replaced earlier pictures).
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("reason");
    for (const char *step : {"open", "write", "sync", "close", "aside", "place"})
        for (const int index : {0, int(PageSlugs().size()) - 1})
            QTest::addRow("%s %d", step, index) << step << index << "No space left on device";
    QTest::newRow("full disk") << "" << 3 << "File too large";
}

void AppExport::failedWriteKeepsTheFolder()
{
    QFETCH(QString, step);
    QFETCH(int, index);
    QFETCH(QString, reason);
    QTemporaryDir tmp;
    const QString dir = tmp.path() + "/out";
    QList<Picture> pictures;
    for (const QString &slug : PageSlugs())
        pictures.append({slug + ".png", QByteArray(slug == PageSlugs()[index] ? 100000 : 100, 'n')});
    // Earlier pictures under the same names (the last one of them among them) and a file of the user's.
    WriteFile(dir + "/overview.png", "old overview");
    WriteFile(dir + "/verdict.png", "old verdict");
    WriteFile(dir + "/notes.txt", "mine");
    const QMap<QString, QByteArray> before = Snapshot(dir);

    // Before every step each earlier picture's name holds a whole picture, old or new.
    QStringList torn;
    SetPictureFault([&](const char *at, int i) {
        const QMap<QString, QByteArray> now = Snapshot(dir);
        for (const QString &name : {QStringLiteral("overview.png"), QStringLiteral("verdict.png")})
            if (now.value(name) != before[name] && now.value(name) != pictures[int(PageSlugs().indexOf(name.chopped(4)))].bytes)
                torn << QStringLiteral("%1 %2: %3").arg(QLatin1String(at)).arg(i).arg(name);
        return at == step && i == index ? ENOSPC : 0;
    });
    QString error, fresh;
    {
        std::optional<FileSizeLimit> fullDisk;
        if (step.isEmpty())
            fullDisk.emplace(50000);
        error = ErrorOf([&] { WritePictures(FileName(dir), pictures); });
        // Into a folder that is not there yet (nothing to move aside): it does not stay.
        fresh = ErrorOf([&] { WritePictures(FileName(tmp.path() + "/new/sub"), pictures); });
    }
    SetPictureFault(nullptr);
    const QString path = dir + "/" + pictures[index].fileName;
    QCOMPARE(error, "Cannot write file \"" + path + "\". " + reason);
    QCOMPARE(Snapshot(dir), before);
    QCOMPARE(fresh.isEmpty(), step == "aside");
    QCOMPARE(QFileInfo::exists(tmp.path() + "/new"), fresh.isEmpty());
    QCOMPARE(torn, QStringList());

    // Without a fault the set replaces the earlier pictures and leaves nothing else:
    // what earlier runs ended by force left under the temporary names goes too (no
    // process has a number that high), a hidden file of another kind stays.
    for (const char *left : {"/.varnel-new-4194399-1x", "/.varnel-old-4194399-2y", "/.overview.png.new-3z"})
        WriteFile(dir + left, "left");
    QCOMPARE(WritePictures(FileName(dir), pictures).size(), 7);
    const QMap<QString, QByteArray> after = Snapshot(dir);
    QCOMPARE(after.size(), 9);
    QVERIFY(after.contains(".overview.png.new-3z"));
    QCOMPARE(after["verdict.png"], pictures.last().bytes);
}

QTEST_MAIN(AppExport)
#include "app_export.moc"
