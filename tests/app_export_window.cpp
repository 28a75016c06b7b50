// Sharing a comparison from the window: the window's pictures being the exported ones,
// the chart's context menu, the copied data, saving and the captioned file names.
#include "export_fixture.h"
#include "window/view_menu.h"

#include <QPrinter>

class AppExportWindow : public ExportFixture {
    Q_OBJECT

private slots:
    void exportedPagesAreTheWindowsPages();
    void menuOnlyOnStillRightClick_data();
    void menuOnlyOnStillRightClick();
    void copiedDataText();
    void failedSaveLeavesNoFile();
    void savingFromTheWindow();
    void captionWords();
    void captionedFiles_data();
    void captionedFiles();
    void reportFromTheToolbarMenu();
};

void AppExportWindow::exportedPagesAreTheWindowsPages()
{
    // The window as a user has it: scanned, both aircraft chosen, flaps 0 and 2 shown;
    // then with the advantage shading switched on, against --advantage.
    auto w = ScannedWindow(data_.path());
    FindRoot(w->tree_Crafts_1, "Alpha")->setSelected(true);
    FindRoot(w->tree_Crafts_2, "Bravo")->setSelected(true);
    // The verdict page follows the flaps as the charts do: flaps 2 shown, their rows come.
    const auto flaps2Rows = [&w] {
        w->pages_Charts->tab_Verdict->Shown();
        const auto *best = w->pages_Charts->tab_Verdict->findChild<QTableWidget *>("tbl_best");
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

void AppExportWindow::menuOnlyOnStillRightClick_data()
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

void AppExportWindow::menuOnlyOnStillRightClick()
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
                                       "Печать... Ctrl+P", "Сохранить отчет... ",
                                       " ", "Подпись над рисунком "}));
        // The last entry switches the caption band of every picture shared.
        QAction *band = sharing->OpenMenu()->actions().last();
        QVERIFY(band->isCheckable() && band->isChecked() && sharing->CaptionBand());
        band->trigger();
        QVERIFY(!sharing->CaptionBand());
        sharing->OpenMenu()->close();
    }
}

void AppExportWindow::copiedDataText()
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

void AppExportWindow::failedSaveLeavesNoFile()
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
                     {},
                     {},
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

void AppExportWindow::savingFromTheWindow()
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
                     },
                     {},
                     {}});
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

void AppExportWindow::captionWords()
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

void AppExportWindow::captionedFiles_data()
{
    formatRows();
}

void AppExportWindow::captionedFiles()
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

// Print and save report stand in the toolbar's menu too. Started inside the data folder
// (as run.sh starts it), the report names that folder, and "print to file" suggests
// the report's name, no ":" in it, in the folder last saved to (first the home folder),
// never the data folder.
void AppExportWindow::reportFromTheToolbarMenu()
{
    QTemporaryDir out;
    auto w = ScannedWindow(data_.path());
    FindRoot(w->tree_Crafts_1, "Alpha")->setSelected(true);
    FindRoot(w->tree_Crafts_2, "Bravo")->setSelected(true);
    QAction *print = nullptr, *save = nullptr;
    for (QAction *a : w->menu_View->actions()) {
        if (a->text() == "Печать...")
            print = a;
        if (a->text() == "Сохранить отчет...")
            save = a;
    }
    QVERIFY(print && save);
    QStringList suggested;
    SetShareDialogs({{}, {}, {}, [&](QWidget *, QPrinter &printer) {
                         suggested << printer.outputFileName();
                         return false;
                     },
                     [&](QWidget *, const QString &s) {
                         suggested << s;
                         return out.path() + "/r.html";
                     }});
    print->trigger();
    save->trigger();
    print->trigger();
    const QString name = "/report_Alpha_Bravo.pdf";
    QCOMPARE(suggested, (QStringList{QDir::homePath() + name, QDir::homePath() + name, out.path() + name}));
    QFile html(out.path() + "/r.html");
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QString facts = QString::fromUtf8(html.readAll());
    QVERIFY2(facts.contains("<p>Папка данных: " + data_.path() + "</p>"), qPrintable(facts.left(2000)));
    w->SetLanguage("en");
    QCOMPARE(print->text(), "Print...");
    w->SetLanguage("ru");
}

QTEST_MAIN(AppExportWindow)
#include "app_export_window.moc"
#include "moc_export_fixture.cpp"
