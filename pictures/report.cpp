#include "pictures/report.h"

#include "pages/comparison_pages.h"
#include "pages/verdict_page.h"
#include "pages/verdict_strips.h"
#include "pictures/export.h"
#include "pictures/report_parts.h"
#include "verdict/verdict_format.h"
#include "core/error.h"
#include "presentation/chart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using PagePaint = std::function<void(QCPPainter &)>;
constexpr double kFooter = 16;  // the page number's line at the foot of each page

// Blocks set one under the other, a new page where the next one does not fit.
struct Flow {
    double height;
    std::vector<std::vector<std::pair<double, PagePaint>>> pages;
    double y = 0;
    void Add(double h, PagePaint paint, const std::function<void()> &onNewPage = {})
    {
        if (pages.empty() || (y + h > height && y > 0)) {
            pages.emplace_back();
            y = 0;
            if (onNewPage)
                onNewPage();
        }
        pages.back().push_back({y, std::move(paint)});
        y += h;
    }
    // A new page unless h fits on this one.
    void Keep(double h)
    {
        if (!pages.empty() && y > 0 && y + h > height) {
            pages.emplace_back();
            y = 0;
        }
    }
};

QFont TextFont(double size, bool bold = false)
{
    QFont font = PagesFont();
    font.setPixelSize(int(size));
    font.setBold(bold);
    return font;
}

// A table set in rows, its header repeated at the top of every page it runs onto.
void FlowTable(Flow &flow, const VerdictTable &t, double width)
{
    // The font shrinks (not below 7 points) until the columns fit the width.
    double size = 9;
    std::vector<double> columns;
    for (;; size -= 0.5) {
        const QFontMetricsF fm(TextFont(size)), bold(TextFont(size, true));
        columns.assign(size_t(t.header.size()), 0);
        for (size_t c = 0; c < columns.size(); ++c)
            columns[c] = bold.horizontalAdvance(t.header[qsizetype(c)]) + 10;
        for (const auto &row : t.rows)
            for (size_t c = 0; c < row.size() && c < columns.size(); ++c)
                columns[c] = std::max(columns[c], fm.horizontalAdvance(row[c].text) + 10);
        double sum = 0;
        for (double w : columns)
            sum += w;
        if (sum <= width || size <= 7) {
            if (sum > width)  // still too wide: the columns share the width
                for (double &w : columns)
                    w *= width / sum;
            break;
        }
    }
    const double rowHeight = QFontMetricsF(TextFont(size)).height() + 4;
    const auto row = [columns, size, rowHeight](QStringList texts, std::vector<int> tints, bool header) {
        return [=](QCPPainter &p) {
            p.setFont(TextFont(size, header));
            double x = 0;
            for (size_t c = 0; c < columns.size(); ++c) {
                const QRectF cell(x, 0, columns[c], rowHeight);
                if (header)
                    p.fillRect(cell, QColor(0xEE, 0xEE, 0xEE));
                else if (c < tints.size() && tints[c])
                    p.fillRect(cell, VerdictPage::Tint(tints[c]));
                p.setPen(Qt::black);
                p.drawText(cell.adjusted(5, 0, -5, 0), (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                           texts.value(qsizetype(c)));
                x += columns[c];
            }
            p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0.5));
            p.drawLine(QPointF(0, rowHeight), QPointF(x, rowHeight));
        };
    };
    const PagePaint header = row(t.header, {}, true);
    const double titleHeight = QFontMetricsF(TextFont(10, true)).height() + 4;
    flow.y += 8;
    flow.Keep(titleHeight + rowHeight * 2);  // the title with its header and first row
    flow.Add(titleHeight, [title = t.title](QCPPainter &p) {
        p.setFont(TextFont(10, true));
        p.setPen(Qt::black);
        p.drawText(QPointF(0, QFontMetricsF(p.font()).ascent()), title);
    });
    flow.Add(rowHeight, header);
    for (const auto &cells : t.rows) {
        QStringList texts;
        std::vector<int> tints;
        for (const VerdictCell &c : cells) {
            texts << c.text;
            tints.push_back(c.tint);
        }
        flow.Add(rowHeight, row(texts, tints, false), [&] { flow.Add(rowHeight, header); });
    }
}

// Sentences wrapped to the width, one block each.
void FlowParagraph(Flow &flow, const QString &text, double width, const QFont &font)
{
    const QRectF box = QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text);
    flow.Add(box.height() + 3, [=](QCPPainter &p) {
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 0, width, box.height() + 3), Qt::TextWordWrap, text);
    });
}

// The first page: the names in their colours, the facts, the summary values side by side.
std::vector<std::vector<std::pair<double, PagePaint>>> FirstPage(const ReportInput &input, const Verdict &v, QSizeF area)
{
    Flow flow{area.height(), {}};
    const PictureCaption caption = ReportCaption(input);
    flow.Add(70, [caption, width = area.width()](QCPPainter &p) {
        p.scale(2, 2);  // the caption's band, twice its size
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, Qt::black);
        p.setFont(PagesFont());
        DrawCaption(p, caption, int(width / 2), palette);
    });
    for (const QString &line : ReportFacts(input))
        FlowParagraph(flow, line, area.width(), TextFont(11));
    const std::vector<VerdictTable> tables = VerdictTables(v);
    if (!tables.empty())
        FlowTable(flow, tables.front(), area.width());
    else
        FlowParagraph(flow, MissingText(v, true), area.width(), TextFont(11));
    return flow.pages;
}

// The verdict: its strips, its sentences, every table.
std::vector<std::vector<std::pair<double, PagePaint>>> VerdictPages(const Verdict &v, QSizeF area)
{
    Flow flow{area.height(), {}};
    FlowParagraph(flow, QCoreApplication::translate("Varnel", "Кто лучше"), area.width(), TextFont(14, true));
    const QString missing = MissingText(v, true);
    if (!missing.isEmpty()) {
        FlowParagraph(flow, missing, area.width(), TextFont(10));
        return flow.pages;
    }
    const QFont stripFont = TextFont(9);
    for (const PairVerdict &pair : v.pairs) {
        Verdict one;
        one.names = v.names;
        one.present = v.present;
        one.pairs = {pair};
        flow.Add(StripsHeight(one, QFontMetricsF(stripFont)), [one, stripFont, width = area.width()](QCPPainter &p) {
            p.setFont(stripFont);
            PaintVerdictStrips(p, one, QRectF(0, 0, width, StripsHeight(one, QFontMetricsF(stripFont))));
        });
    }
    flow.y += 6;
    for (const QString &sentence : VerdictSentences(v))
        FlowParagraph(flow, sentence, area.width(), TextFont(10));
    for (const VerdictTable &t : VerdictTables(v))
        FlowTable(flow, t, area.width());
    return flow.pages;
}

PagePaint Placed(std::vector<std::pair<double, PagePaint>> blocks)
{
    return [blocks = std::move(blocks)](QCPPainter &p) {
        for (const auto &[y, paint] : blocks) {
            p.save();
            p.translate(0, y);
            paint(p);
            p.restore();
        }
    };
}
}  // namespace

QString ReportTitle(const ReportInput &input) { return CaptionTitle(ReportCaption(input)); }

QString ReportSubject(const ReportInput &input)
{
    return QCoreApplication::translate("Varnel", "Сравнение летных характеристик: %1").arg(ReportTitle(input));
}

int PaintReport(QPagedPaintDevice &device, const ReportInput &input, int fromPage, int toPage)
{
    // A point a unit: the pages are laid out as the window lays them out, a pixel a point.
    if (auto *pdf = dynamic_cast<QPdfWriter *>(&device))
        pdf->setResolution(72);
    if (auto *printer = dynamic_cast<QPrinter *>(&device))
        printer->setResolution(72);
    device.setPageLayout(QPageLayout(QPageSize(input.paper), QPageLayout::Landscape, QMarginsF(28, 28, 28, 28)));
    const QSizeF area = device.pageLayout().paintRectPoints().size() - QSizeF(0, kFooter);

    const ReportPages report = OpenComparison(input);
    const Verdict &verdict = report.pages->tab_Verdict->Shown();
    std::vector<PagePaint> paints;
    for (auto &blocks : FirstPage(input, verdict, area))
        paints.push_back(Placed(std::move(blocks)));
    for (qsizetype i = 0; i < report.charts.size(); ++i) {
        paints.push_back([&, i](QCPPainter &p) {
            QWidget *page = report.charts[i];
            const PictureCaption caption = ReportCaption(input, report.names[i]);
            LayOutPage(page, report.pages.get(), QSize(int(area.width()), int(area.height()) - CaptionBandHeight()));
            for (TChart *chart : page->findChildren<TChart *>())
                chart->SetVectorOnly();
            if (auto *chart = qobject_cast<TChart *>(page))
                chart->SetVectorOnly();
            PaintVectorPicture(page, p, &caption);
        });
    }
    for (auto &blocks : VerdictPages(verdict, area))
        paints.push_back(Placed(std::move(blocks)));

    QCPPainter painter;
    if (!painter.begin(&device))
        throw VarnelError(QCoreApplication::translate("Varnel", "Не удалось начать печать отчета."));
    const int total = int(paints.size());
    bool first = true;
    for (int n = 1; n <= total; ++n) {
        if ((fromPage > 0 && n < fromPage) || (toPage > 0 && n > toPage))
            continue;
        if (!first)
            device.newPage();
        first = false;
        painter.save();
        paints[size_t(n - 1)](painter);
        painter.restore();
        painter.setFont(TextFont(8));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(0, area.height(), area.width(), kFooter), Qt::AlignRight | Qt::AlignBottom,
                         QCoreApplication::translate("Varnel", "Страница %1 из %2").arg(n).arg(total));
    }
    painter.end();
    return total;
}

QByteArray ReportPdf(const ReportInput &input)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        const QString title = ReportTitle(input);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Varnel " VARNEL_VERSION));
        // Author and subject have no setter of their own: the document's XMP holds them.
        const auto xml = [](const QString &s) { return s.toHtmlEscaped().toUtf8(); };
        pdf.setDocumentXmpMetadata(
            "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
            "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
            "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/' xmlns:pdf='http://ns.adobe.com/pdf/1.3/'>"
            "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>" + xml(title) + "</rdf:li></rdf:Alt></dc:title>"
            "<dc:creator><rdf:Seq><rdf:li>Varnel</rdf:li></rdf:Seq></dc:creator>"
            "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>" + xml(ReportSubject(input)) + "</rdf:li></rdf:Alt></dc:description>"
            "<pdf:Producer>Varnel " VARNEL_VERSION "</pdf:Producer>"
            "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end='w'?>");
        PaintReport(pdf, input);
    }
    return bytes;
}
