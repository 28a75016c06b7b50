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
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

namespace {

using PagePaint = std::function<void(QCPPainter &)>;
constexpr double kFooter = 16;     // the page number's line at the foot of each page
constexpr double kColumnGap = 20;  // between the columns the tables flow in
constexpr double kCellPadding = 4; // either side of a table cell's text

// A block of a page: where it stands and what it draws there.
struct Block {
    QPointF at;
    PagePaint paint;
};
using Page = std::vector<Block>;

// Blocks set one under the other, across the page or, once Columns is called, in
// columns side by side from there on: the next column where a block does not fit, a
// new page after the last column.
struct Flow {
    QSizeF area;
    std::vector<Page> pages;
    double y = 0;
    int columns = 1, column = 0;
    double top = 0;  // where the columns begin on this page

    double Width() const { return (area.width() - kColumnGap * (columns - 1)) / columns; }
    void Columns(int n)
    {
        columns = n;
        column = 0;
        top = y;
    }
    void Next()
    {
        if (!pages.empty() && column + 1 < columns) {
            ++column;
        } else {
            pages.emplace_back();
            column = 0;
            top = 0;
        }
        y = top;
    }
    void Add(double h, PagePaint paint, const std::function<void()> &onNewColumn = {})
    {
        if (pages.empty() || (y + h > area.height() && y > top)) {
            Next();
            if (onNewColumn)
                onNewColumn();
        }
        pages.back().push_back({QPointF(column * (Width() + kColumnGap), y), std::move(paint)});
        y += h;
    }
    // The next column unless h fits in this one.
    void Keep(double h)
    {
        if (!pages.empty() && y > top && y + h > area.height())
            Next();
    }
};

QFont TextFont(double size, bool bold = false)
{
    QFont font = PagesFont();
    font.setPixelSize(int(size));
    font.setBold(bold);
    return font;
}

// The width of each of a table's columns at that size of text: its widest cell.
std::vector<double> NaturalColumns(const VerdictTable &t, double size)
{
    const QFontMetricsF fm(TextFont(size)), bold(TextFont(size, true));
    std::vector<double> columns(size_t(t.header.size()), 0);
    for (size_t c = 0; c < columns.size(); ++c)
        columns[c] = bold.horizontalAdvance(t.header[qsizetype(c)]) + 2 * kCellPadding;
    for (const auto &row : t.rows)
        for (size_t c = 0; c < row.size() && c < columns.size(); ++c)
            columns[c] = std::max(columns[c], fm.horizontalAdvance(row[c].text) + 2 * kCellPadding);
    return columns;
}

double Sum(const std::vector<double> &widths) { return std::accumulate(widths.begin(), widths.end(), 0.0); }

// A table set in rows across the flow's width, its title, header and first row kept
// together, its header repeated atop every column and page it runs onto.
void FlowTable(Flow &flow, const VerdictTable &t)
{
    // The text shrinks (not below 7 points) until the columns fit; they then share the
    // whole width.
    const double width = flow.Width();
    double size = 9;
    std::vector<double> columns = NaturalColumns(t, size);
    for (; Sum(columns) > width && size > 7; columns = NaturalColumns(t, size))
        size -= 0.5;
    const double stretch = Sum(columns) > 0 ? width / Sum(columns) : 1;
    for (double &w : columns)
        w *= stretch;
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
                p.drawText(cell.adjusted(kCellPadding, 0, -kCellPadding, 0), (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                           texts.value(qsizetype(c)));
                x += columns[c];
            }
            p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0.5));
            p.drawLine(QPointF(0, rowHeight), QPointF(x, rowHeight));
        };
    };
    const PagePaint header = row(t.header, {}, true);
    const double titleHeight = QFontMetricsF(TextFont(10, true)).height() + 4;
    if (flow.y > flow.top)
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
void FlowParagraph(Flow &flow, const QString &text, const QFont &font)
{
    const double width = flow.Width();
    const QRectF box = QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text);
    flow.Add(box.height() + 3, [=](QCPPainter &p) {
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 0, width, box.height() + 3), Qt::TextWordWrap, text);
    });
}

// Whether a table fits half the width (a column of two) in 8-point text or larger.
bool FitsHalf(const VerdictTable &t, double width) { return Sum(NaturalColumns(t, 8)) <= (width - kColumnGap) / 2; }

// The report's words: the names in their colours and the facts, then the verdict (its
// strips, its sentences, every table), from the first page on.
std::vector<Page> VerdictPages(const ReportInput &input, const Verdict &v, QSizeF area)
{
    Flow flow{area, {}};
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
        FlowParagraph(flow, line, TextFont(11));
    flow.y += 12;
    FlowParagraph(flow, QCoreApplication::translate("Varnel", "Кто лучше"), TextFont(14, true));
    // The strips across the page, the sentences, then the tables too wide for half the
    // page across it and the others, each in its order, in two columns.
    const std::vector<VerdictBlock> blocks = VerdictBlocks(v, input.view, 0, true);
    const QFont stripFont = TextFont(9);
    bool strips = false;
    for (const VerdictBlock &b : blocks) {
        if (b.kind != VerdictBlock::Kind::Strip)
            continue;
        Verdict one;
        one.names = v.names;
        one.present = v.present;
        one.pairs = {v.pairs[b.pair]};
        flow.Add(StripsHeight(one, QFontMetricsF(stripFont)), [one, stripFont, view = input.view, width = area.width()](QCPPainter &p) {
            p.setFont(stripFont);
            PaintVerdictStrips(p, one, view, QRectF(0, 0, width, StripsHeight(one, QFontMetricsF(stripFont))));
        });
        strips = true;
    }
    if (strips)
        flow.y += 6;
    for (const VerdictBlock &b : blocks)
        if (b.kind == VerdictBlock::Kind::Sentence)
            FlowParagraph(flow, b.text, TextFont(10));
    for (const bool half : {false, true}) {
        if (flow.y > flow.top)
            flow.y += 8;
        flow.Columns(half ? 2 : 1);
        for (const VerdictBlock &b : blocks)
            if (b.kind == VerdictBlock::Kind::Table && FitsHalf(b.table, area.width()) == half)
                FlowTable(flow, b.table);
    }
    return flow.pages;
}

// The PDF with a Subject in its document information, as an update appended to the
// file (a new information dictionary, its cross-reference and trailer), the rest as Qt
// wrote it. A file not laid out as Qt writes it is given back as it was.
QByteArray WithSubject(const QByteArray &pdf, const QString &subject)
{
    static const QRegularExpression trailerAt(QStringLiteral("trailer\\s*<<(.*)>>\\s*startxref\\s*(\\d+)\\s*%%EOF\\s*$"),
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression infoAt(QStringLiteral("/Info (\\d+) 0 R"));
    const QString tail = QString::fromLatin1(pdf.right(1024));
    const QRegularExpressionMatch trailer = trailerAt.match(tail);
    const QRegularExpressionMatch info = infoAt.match(trailer.captured(1));
    if (!trailer.hasMatch() || !info.hasMatch())
        return pdf;
    const QByteArray object = info.captured(1).toLatin1() + " 0 obj\n<<";
    const qsizetype from = pdf.indexOf(object), to = pdf.indexOf(">>", from);
    if (from < 0 || to < 0)
        return pdf;
    QByteArray hex;
    for (const QChar c : subject)
        hex += QByteArray::number(c.unicode() + 0x10000, 16).mid(1).toUpper();
    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out += '\n';
    const qsizetype objectAt = out.size();
    out += pdf.mid(from, to - from) + "/Subject <FEFF" + hex + ">\n>>\nendobj\n";
    const qsizetype xrefAt = out.size();
    out += "xref\n" + info.captured(1).toLatin1() + " 1\n" + QByteArray::number(objectAt).rightJustified(10, '0') +
           " 00000 n \ntrailer\n<<" + trailer.captured(1).toLatin1() + "/Prev " + trailer.captured(2).toLatin1() +
           "\n>>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    return out;
}

PagePaint Placed(Page blocks)
{
    return [blocks = std::move(blocks)](QCPPainter &p) {
        for (const Block &block : blocks) {
            p.save();
            p.translate(block.at);
            block.paint(p);
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
    for (Page &blocks : VerdictPages(input, verdict, area))
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
        // Qt has no setter for the subject: the document's XMP holds it, and the
        // document information too (WithSubject).
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
    return WithSubject(bytes, ReportSubject(input));
}
