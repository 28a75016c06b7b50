// The report: the command line's PDF and HTML hold the whole verdict and every chart
// page, the window's "Print…" prints the pages asked for, and the verdict's strips
// show each band in its leader's colour with the crossing labelled where it is.
#include "app_fixture.h"
#include "cli/command_line.h"
#include "cli/named_crafts.h"
#include "pages/caption.h"
#include "pages/comparison_pages.h"
#include "pages/verdict_page.h"
#include "pages/verdict_strips.h"
#include "pictures/share.h"
#include "verdict/verdict_format.h"

#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QTableWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

namespace {
const QString kData = QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");

QString Run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Every kind of space, the no-break space that joins digit groups too.
QString NoSpace(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s"), QRegularExpression::UseUnicodePropertiesOption));
}

// Every line the text verdict prints, that the document's text does not hold.
QStringList Missing(const QString &documentText)
{
    const QString verdict = Run(QStringLiteral(VARNEL_BINARY),
                                {"--verdict", "--first", "Tarn-5", "--second", "Skarn-7", kData});
    const QString whole = NoSpace(documentText);
    QStringList missing;
    for (const QString &line : verdict.split(u'\n'))
        if (!NoSpace(line).isEmpty() && !whole.contains(NoSpace(line)))
            missing << line;
    return missing;
}

bool HavePoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }
}  // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void pdfHoldsTheWholeVerdict()
    {
        if (!HavePoppler())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
        Run(QStringLiteral(VARNEL_BINARY), {"--report", pdf, "--first", "Tarn-5", "--second", "Skarn-7", kData});
        const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
        const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        QVERIFY2(pages.hasMatch() && pages.captured(1).toInt() >= 8, qPrintable(info));
        for (const char *field : {"Title:", "Subject:"}) {
            const QString line = info.split(u'\n').filter(QRegularExpression(QStringLiteral("^") + field)).value(0);
            QVERIFY2(line.contains(QLatin1String("Tarn-5")) && line.contains(QLatin1String("Skarn-7")), qPrintable(info));
        }
        const QStringList missing = Missing(Run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}));
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));

        // The verdict starts on the first page and fills each of its pages but the last
        // (the page number at the foot aside); its tables use the page's width.
        struct Filled {
            double width, height, lowest = 0, right = 0;
        };
        QList<Filled> seen;
        static const QRegularExpression box(QStringLiteral(
            "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"|<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"));
        for (const QRegularExpressionMatch &m : box.globalMatch(Run(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}))) {
            if (!m.captured(1).isEmpty())
                seen.append({m.captured(1).toDouble(), m.captured(2).toDouble()});
            else if (!seen.isEmpty() && m.captured(3).toDouble() < seen.last().height * 0.9)
                seen.last().lowest = std::max(seen.last().lowest, m.captured(5).toDouble());
            if (m.captured(6) == QStringLiteral("Δ"))
                seen.last().right = std::max(seen.last().right, m.captured(4).toDouble());
        }
        const qsizetype verdictPages = seen.size() - 6;  // the six chart pages follow
        double right = 0;
        for (qsizetype i = 0; i < verdictPages; ++i) {
            QVERIFY2(i + 1 == verdictPages || seen[i].lowest > seen[i].height * 0.75, qPrintable(QString::number(i + 1)));
            right = std::max(right, seen[i].right / seen[i].width);
        }
        QVERIFY2(right > 0.75, qPrintable(QString::number(right)));
    }

    void htmlStandsAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.html"));
        Run(QStringLiteral(VARNEL_BINARY), {"--report", path, "--first", "Tarn-5", "--second", "Skarn-7", kData});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY(html.startsWith(QLatin1String("<!DOCTYPE html>")));
        QVERIFY(html.contains(QLatin1String("name=\"viewport\"")));
        QVERIFY(!html.contains(QLatin1String("<script"), Qt::CaseInsensitive));
        // Nothing outside the file: no reference but to the file itself or inline data.
        static const QRegularExpression reference(QStringLiteral("(?:src|href)\\s*=\\s*[\"']?(?!#|data:)"),
                                                  QRegularExpression::CaseInsensitiveOption);
        QVERIFY2(!reference.match(html).hasMatch(), qPrintable(reference.match(html).captured()));
        // The six chart pages and the verdict's strips, each at the size it was drawn (its
        // text as in the window) in a block that scrolls sideways on a phone, its text
        // falling back on a sans-serif face, never a browser's wider serif default.
        QCOMPARE(html.count(QLatin1String("<svg")), 7);
        static const QRegularExpression drawnSize(
            QStringLiteral("<div class=\"scroll\"><svg width=\"(\\d+)\" height=\"(\\d+)\"\\s*viewBox=\"0 0 \\1 \\2\""));
        QCOMPARE(html.count(drawnSize), 7);
        static const QRegularExpression family(QStringLiteral("font-family=\"([^\"]*)\""));
        for (const QRegularExpressionMatch &m : family.globalMatch(html))
            QVERIFY2(m.captured(1).endsWith(QLatin1String(", sans-serif")), qPrintable(m.captured()));
        const QString text = QTextDocumentFragment::fromHtml(html).toPlainText();
        const QStringList missing = Missing(text);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));

        // In English, nothing is left in Russian.
        file.close();
        Run(QStringLiteral(VARNEL_BINARY), {"--report", path, "--lang", "en", "--first", "Tarn-5", "--second", "Skarn-7", kData});
        QVERIFY(file.open(QIODevice::ReadOnly));
        static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]+"));
        const QString english = QTextDocumentFragment::fromHtml(QString::fromUtf8(file.readAll())).toPlainText();
        QVERIFY2(!english.contains(cyrillic), qPrintable(cyrillic.match(english).captured()));
    }

    // Names and folders are text, never markup, wherever the HTML names them (title,
    // heading, the first page's facts).
    void htmlNamesAreText()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("<s>Tarn&amp;");
        WriteFixtureCraft(dir.path(), name);
        ReportInput input;
        input.first = ReadNamedCrafts(FileName(dir.path()), name, {}).first;
        input.dataFolder = QStringLiteral("<b>data");
        const QString html = QString::fromUtf8(ReportHtml(input));
        for (const QString &raw : {name, input.dataFolder})
            QVERIFY2(!html.contains(raw), qPrintable(raw));
        const QString text = QTextDocumentFragment::fromHtml(html).toPlainText();
        QVERIFY2(text.startsWith(name + " — —"), qPrintable(text.left(80)));
        QVERIFY(text.contains(": <b>data\n"));
    }

    void printsThePagesAsked()
    {
        if (!HavePoppler())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const NamedCrafts crafts = ReadNamedCrafts(FileName(kData), QStringLiteral("Tarn-5"), QStringLiteral("Skarn-7"));
        QWidget host;
        ComparisonPages pages(View{}, &host);
        ChartSharing sharing(host, pages, {.chosen = [&] { return std::array<AircraftPtr, 2>{crafts.first, crafts.second}; },
                                           .flaps = [] { return FlapSet::NoFlaps(); },
                                           .chooseFolder = {},
                                           .dataFolder = {}});
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
        ShareDialogs dialogs;
        dialogs.print = [&](QWidget *, QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            return true;
        };
        SetShareDialogs(dialogs);
        sharing.Run(ChartSharing::Print, &pages);
        SetShareDialogs({});
        const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(info));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Page size:.*\\(A4\\)"))));
        const QString text = Run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
        // The second and third pages of the whole report, numbered as in it.
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Страница 2 из \\d+"))), qPrintable(text));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Страница 3 из \\d+"))));
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("Страница 1 из"))));
    }

    void stripShowsLeadersAndCrossing()
    {
        Verdict v;
        v.names = {QStringLiteral("Tarn-5"), QStringLiteral("Skarn-7")};
        v.present = {true, true};
        v.pairs.push_back({Measure::Speed100, -1,
                           {{0, 2400, Lead::First, -31, 0}, {2400, 6000, Lead::Second, 27, 6000}, {6000, 8000, Lead::Even, 0.5, 7000}}});
        VerdictStrips strips;
        strips.SetVerdict(v, View{});
        strips.resize(700, strips.sizeHint().height());
        const QImage image = strips.grab().toImage();
        const std::vector<StripPlace> places =
            PlaceStrips(v, QRectF(strips.rect()).adjusted(1, 0, -1, 0), QFontMetricsF(strips.font()));
        QCOMPARE(places.size(), size_t(1));
        const StripPlace &s = places[0];
        const int y = int(s.bar.top()) + 3;  // above the lead written in the band
        QCOMPARE(image.pixelColor(int(s.X(1200)), y), AircraftColor(1));
        QCOMPARE(image.pixelColor(int(s.X(4200)), y), AircraftColor(2));
        QCOMPARE(image.pixelColor(int(s.X(7000)), y).red(), image.pixelColor(int(s.X(7000)), y).blue());  // grey
        // Ink below the bar at each crossing, and none between them.
        const auto inkBelow = [&](double at) {
            for (int x = int(s.X(at)) - 25; x <= int(s.X(at)) + 25; ++x)
                for (int yy = int(s.bar.bottom()) + 4; yy < image.height(); ++yy)
                    if (image.pixelColor(x, yy).lightness() < 128)
                        return true;
            return false;
        };
        QVERIFY(inkBelow(2400));
        QVERIFY(inkBelow(6000));
        QVERIFY(!inkBelow(1200));
        QVERIFY(!inkBelow(4200));
    }

    // The verdict picture holds every row once, in columns where the page is too long,
    // each piece of a table under its own header; where even that does not fit, rows go
    // whole and a line says so.
    void verdictPictureSaysWhenCut_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("columns");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<int>("textSize");  // the largest that holds everything, as the pictures have it
        QTest::newRow("tall") << QSize(800, 3000) << false << false << 0;
        QTest::newRow("default") << QSize(800, 575) << true << false << 7;
        QTest::newRow("roomy") << QSize(1024, 700) << true << false << 10;
        QTest::newRow("wide") << QSize(1280, 775) << true << false << 11;
        QTest::newRow("small") << QSize(640, 455) << true << true << 7;
    }
    void verdictPictureSaysWhenCut()
    {
        QFETCH(QSize, size);
        QFETCH(bool, columns);
        QFETCH(bool, cut);
        QFETCH(int, textSize);
        const NamedCrafts crafts = ReadNamedCrafts(FileName(kData), QStringLiteral("Tarn-5"), QStringLiteral("Skarn-7"));
        VerdictPage page;
        page.SetComparison(crafts.first, crafts.second, FlapSet().With(0));
        page.resize(size);
        page.FitPicture();
        QCOMPARE(page.findChild<QWidget *>(QStringLiteral("verdict_columns")) != nullptr, columns);
        const QLabel *more = page.findChild<QLabel *>(QStringLiteral("lbl_Continued"));
        QCOMPARE(more != nullptr && more->isVisibleTo(&page), cut);
        // Each row of the picture's tables, under its table's header.
        QStringList all, shown;
        const std::vector<VerdictTable> tables = VerdictTables(page.Shown(), View{});
        const auto rowText = [](const QStringList &header, const QStringList &cells) {
            return header.join(u'|') + u'/' + cells.join(u'|');
        };
        for (const VerdictTable &t : tables)
            for (const auto &row : t.rows) {
                QStringList cells;
                for (const VerdictCell &c : row)
                    cells << c.text;
                all << rowText(t.header, cells);
            }
        for (const QTableWidget *table : page.findChildren<QTableWidget *>()) {
            if (!table->isVisibleTo(&page))
                continue;
            QVERIFY(table->horizontalHeader()->isVisibleTo(&page));  // the header atop each piece
            QStringList header;
            for (int c = 0; c < table->columnCount(); ++c)
                header << table->horizontalHeaderItem(c)->text();
            for (int r = 0; r < table->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columnCount(); ++c)
                    cells << table->item(r, c)->text();
                shown << rowText(header, cells);
            }
        }
        for (const QString &row : shown)
            QVERIFY2(all.count(row) == 1 && shown.count(row) == 1, qPrintable(row));
        QCOMPARE(shown.size() < all.size(), cut);
        QStringList said;  // and the sentences, each once
        for (const QLabel *label : page.findChildren<QLabel *>())
            if (label->isVisibleTo(&page))
                said << label->text().split(u'\n');
        for (const QString &sentence : VerdictSentences(page.Shown(), View{}, kPageBands))
            QVERIFY(said.count(sentence) == 1 || (cut && said.count(sentence) == 0));
        for (const QWidget *w : page.findChildren<QWidget *>())
            QVERIFY(w->font().pixelSize() >= 7 || w->font().pointSizeF() >= 7);
        // Each text placed as high as it wraps at its width in its font, and no two blocks
        // over each other: the fit's sizes are those of the text size it shows.
        QList<QRect> placed;
        if (const QWidget *sheet = page.findChild<QWidget *>(QStringLiteral("verdict_columns"))) {
            QCOMPARE(sheet->font().pixelSize(), textSize);
            for (const QWidget *w : sheet->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (!w->isVisibleTo(&page))
                    continue;
                if (const auto *label = qobject_cast<const QLabel *>(w); label && label->wordWrap())
                    QCOMPARE(label->height(), label->heightForWidth(label->width()));
                for (const QRect &other : placed)
                    QVERIFY2(!other.intersects(w->geometry()), qPrintable(w->metaObject()->className()));
                placed << w->geometry();
            }
        }
    }

    void badReportFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("extension") << QStringList{"--report", "r.txt"};
        QTest::newRow("paper") << QStringList{"--report", "r.pdf", "--paper", "a3"};
        QTest::newRow("paper alone") << QStringList{"--paper", "a4"};
        QTest::newRow("with export") << QStringList{"--report", "r.pdf", "--export", "out"};
    }
    void badReportFile()
    {
        QFETCH(QStringList, args);
        const CommandLine c = ParseCommandLine(QStringList{"varnel"} + args);
        QCOMPARE(c.action, CommandLine::Exit);
        QCOMPARE(c.exitCode, 2);
    }
};

QTEST_MAIN(ReportTest)
#include "app_report.moc"
