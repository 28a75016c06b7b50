#include "pages/verdict_fit.h"

#include "pages/verdict_columns.h"
#include "pages/text_wrap.h"
#include "pages/verdict_strips.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace {
constexpr int kSmallest = 7;  // pixels of a picture are its points
constexpr int kMostColumns = 3;
constexpr int kColumnGap = 16;
constexpr int kTextChars = 30;  // the narrowest a sentence reads in, in characters

// A table's row and header heights in its font.
int RowHeight(const QFontMetrics &fm) { return fm.height() + 4; }
int HeaderRowHeight(const QFontMetrics &fm) { return fm.height() + 6; }
// The narrowest column a sentence reads in, in its font.
int TextWidth(const QFontMetrics &fm) { return fm.averageCharWidth() * kTextChars; }
QFontMetrics MetricsAt(const QWidget *w, int pixels)
{
    QFont font = w->font();
    font.setPixelSize(pixels);
    return QFontMetrics(font);
}

void SetTextSize(QWidget *content, int pixels)
{
    QFont font = content->font();
    font.setPixelSize(pixels);
    content->setFont(font);
    for (QWidget *child : content->findChildren<QWidget *>()) {
        QFont f = child->font();
        f.setPixelSize(pixels);
        if (f != child->font())  // most have it from the content already
            child->setFont(f);
    }
    for (QTableWidget *table : content->findChildren<QTableWidget *>()) {
        table->verticalHeader()->setDefaultSectionSize(RowHeight(table->fontMetrics()));
        table->horizontalHeader()->setFixedHeight(HeaderRowHeight(table->fontMetrics()));
        table->resizeColumnsToContents();
        table->updateGeometry();
    }
    if (content->layout()) {
        content->layout()->invalidate();
        content->layout()->activate();
    }
}

// The height the content asks for at the page's width (the sentences wrap).
int NeededHeight(QWidget *content, int width)
{
    QLayout *layout = content->layout();
    return layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : layout->totalSizeHint().height();
}

// No more than NeededHeight, without a text laid out: the strips' and tables' heights.
int LeastNeededHeight(QWidget *content)
{
    int height = 0;
    for (int i = 0; i < content->layout()->count(); ++i)
        if (QLayoutItem *item = content->layout()->itemAt(i); item->widget() && !item->isEmpty() && !item->hasHeightForWidth())
            height += item->sizeHint().height();
    return height;
}

QLabel *CopyText(const QString &text, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(font);
    return label;
}

// A table set for the picture, as the page sets its own.
QTableWidget *SheetTable(QTableWidget *table, const QFont &font)
{
    table->setFont(font);
    table->verticalHeader()->hide();
    // Its header hidden while it is measured at each text size (a header shown works out
    // its own size again at each); shown once the table is placed.
    table->horizontalHeader()->hide();
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    return table;
}

// The rows [first, end) of a table of the picture with its header and its columns' widths.
QTableWidget *CopyRows(const QTableWidget *from, int first, int end, QWidget *parent)
{
    QTableWidget *table = SheetTable(new QTableWidget(end - first, from->columnCount(), parent), from->font());
    table->verticalHeader()->setDefaultSectionSize(from->verticalHeader()->defaultSectionSize());
    table->horizontalHeader()->setFixedHeight(from->horizontalHeader()->minimumHeight());
    for (int c = 0; c < from->columnCount(); ++c) {
        if (const QTableWidgetItem *h = from->horizontalHeaderItem(c))
            table->setHorizontalHeaderItem(c, h->clone());
        for (int r = first; r < end; ++r)
            if (const QTableWidgetItem *item = from->item(r, c))
                table->setItem(r - first, c, item->clone());
        table->setColumnWidth(c, from->columnWidth(c));
    }
    return table;
}

int TableWidth(const QTableWidget *t) { return t->horizontalHeader()->length() + 2 * t->frameWidth(); }
// A table's height without its rows.
int HeaderHeight(const QTableWidget *t) { return t->horizontalHeader()->minimumHeight() + 2 * t->frameWidth(); }

// A block of the page as the picture lays it out: a strip or a sentence, kept whole,
// or a table under its title.
struct Source {
    VerdictStrips *strip = nullptr;
    QLabel *text = nullptr;
    QLabel *title = nullptr;
    QTableWidget *table = nullptr;
    bool pageTable = false;  // the page's own, moved here: it stays the page's
    int gap = 0;
    // The widget of a whole block: a strip or a sentence; none for a table.
    QWidget *Unit() const { return strip ? static_cast<QWidget *>(strip) : text; }
};

// The page's blocks, made again in `sheet` in their order, each with the room the page
// leaves above it: its layout's spacing between the strips, the sentences and each
// table, and kTableSpacing more above a table's title.
std::vector<Source> SheetBlocks(const Verdict &v, const View &view, const std::vector<VerdictBlock> &blocks, int spacing,
                                const std::vector<QTableWidget *> &pageTables, QWidget *sheet)
{
    size_t tables = 0;
    std::vector<Source> out;
    int gap = 0;
    bool first = true;
    const auto opens = [&](int above) {  // a widget of the page opens here
        gap += above + (first ? 0 : spacing);
        first = false;
    };
    QFont bold = sheet->font();
    bold.setBold(true);
    for (size_t i = 0; i < blocks.size(); ++i) {
        const VerdictBlock &b = blocks[i];
        const bool continues = i > 0 && blocks[i - 1].kind == b.kind && b.kind != VerdictBlock::Kind::Table;
        if (!continues)  // the strips are one widget of the page, the sentences one label
            opens(b.kind == VerdictBlock::Kind::Table ? kTableSpacing : 0);
        Source s{.gap = std::exchange(gap, 0)};
        if (b.kind == VerdictBlock::Kind::Strip) {
            Verdict one;  // a strip draws its pair alone
            one.names = v.names;
            one.present = v.present;
            one.pairs = {v.pairs[b.pair]};
            s.strip = new VerdictStrips(sheet);
            s.strip->SetVerdict(one, view);
        } else if (b.kind == VerdictBlock::Kind::Sentence) {
            s.text = CopyText(b.text, sheet->font(), sheet);
        } else {
            s.title = CopyText(b.table.title, bold, sheet);
            s.pageTable = tables < pageTables.size();
            if (s.pageTable) {  // filled as the block says: moved, not made again
                s.table = SheetTable(pageTables[tables], sheet->font());
                s.table->setParent(sheet);
            } else {
                s.table = SheetTable(new QTableWidget(sheet), sheet->font());
                FillVerdictRows(s.table, b.table, 0, int(b.table.rows.size()));
            }
            ++tables;
        }
        out.push_back(s);
    }
    for (QWidget *copy : sheet->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        copy->hide();  // until placed
    return out;
}

// The blocks' sizes at the sheet's text size, each text's height left at 0: a text's
// width is its font's, a strip's and a table's sizes do not depend on the column.
std::vector<FlowBlock> FixedSizes(const std::vector<Source> &sources, int spacing)
{
    std::vector<FlowBlock> out;
    for (const Source &s : sources) {
        FlowBlock b;
        b.gap = s.gap;
        if (s.strip) {
            b.width = s.strip->fontMetrics().horizontalAdvance(StripLabel(s.strip->Drawn().pairs.front(), s.strip->DrawnView())) + 2;
            b.head = s.strip->sizeHint().height();
        } else if (s.text) {
            b.width = TextWidth(s.text->fontMetrics());
        } else {
            b.width = TableWidth(s.table);
            b.head = (s.title ? spacing : 0) + HeaderHeight(s.table);
            for (int r = 0; r < s.table->rowCount(); ++r)
                b.rows.push_back(s.table->rowHeight(r));
        }
        out.push_back(b);
    }
    return out;
}

// No wider than the table stands at that font, its columns fitted to their contents:
// each column counted as wide as one of its texts (the one of most characters, so that
// one text a column is measured), where fitting gives it its widest text and a margin.
int TextsWidth(const QTableWidget *t, const QFontMetrics &fm)
{
    int width = 0;
    for (int c = 0; c < t->columnCount(); ++c) {
        QString longest = t->horizontalHeaderItem(c) ? t->horizontalHeaderItem(c)->text() : QString();
        for (int r = 0; r < t->rowCount(); ++r)
            if (const QTableWidgetItem *item = t->item(r, c); item && item->text().size() > longest.size())
                longest = item->text();
        width += fm.horizontalAdvance(longest);
    }
    return width;
}

// The blocks at a text size no wider or higher than FixedSizes gives them, from the
// fonts alone, no widget changed: the search passes over most sizes by these.
std::vector<FlowBlock> LeastSizes(const std::vector<Source> &sources, int spacing, int pixels)
{
    std::vector<FlowBlock> out;
    std::optional<std::pair<QFont, double>> strips;  // a strip's font at that size and height, worked out once
    for (const Source &s : sources) {
        FlowBlock b;
        b.gap = s.gap;
        if (s.strip) {  // as high as it asks, at no width
            QFont font = s.strip->font();
            font.setPixelSize(pixels);
            if (!strips || strips->first != font)  // each strip shows one pair
                strips.emplace(font, std::ceil(StripsHeight(s.strip->Drawn(), QFontMetricsF(font))));
            b.head = strips->second;
        } else if (s.text) {
            b.width = TextWidth(MetricsAt(s.text, pixels));
        } else if (s.table) {
            const QFontMetrics fm = MetricsAt(s.table, pixels);
            b.width = TextsWidth(s.table, fm);
            b.head = (s.title ? spacing : 0) + HeaderRowHeight(fm);
            b.rows.assign(size_t(s.table->rowCount()), RowHeight(fm));
        }
        out.push_back(b);
    }
    return out;
}

// The blocks' sizes at each text size and column width the search tries, each laid out
// once: the search tries many layouts over few widths, and laying a text out is what
// costs. The sheet's widgets take the text size last asked for, as the picture shows it.
class BlockSizes {
public:
    BlockSizes(QWidget *sheet, const std::vector<Source> &sources, int spacing)
        : sheet_(sheet), sources_(sources), spacing_(spacing)
    {
    }
    // The blocks at that size with the texts' heights left at 0.
    const std::vector<FlowBlock> &Fixed(int pixels)
    {
        if (pixels != sized_)
            SetTextSize(sheet_, sized_ = pixels);
        const auto known = fixed_.find(pixels);
        return known != fixed_.end() ? known->second : fixed_[pixels] = FixedSizes(sources_, spacing_);
    }
    // The blocks at that size from the fonts alone, the sheet left as it is.
    const std::vector<FlowBlock> &Least(int pixels)
    {
        const auto known = least_.find(pixels);
        return known != least_.end() ? known->second : least_[pixels] = LeastSizes(sources_, spacing_, pixels);
    }
    // Block i at that size in a column that wide, its text laid out when first asked for.
    // A text wraps into no more lines in a wider column: one as high in a narrower and a
    // wider column is as high in any between, and is not laid out again.
    const FlowBlock &At(int pixels, int i, int width)
    {
        const FlowBlock &fixed = Fixed(pixels)[size_t(i)];
        const Source &s = sources_[size_t(i)];
        QLabel *label = s.text;
        if (!label && !s.title)
            return fixed;
        Wrapped &wrapped = wrapped_[{pixels, i}];
        std::map<int, FlowBlock> &known = wrapped.byWidth;
        const auto wider = known.lower_bound(width);
        if (wider != known.end() && wider->first == width)
            return wider->second;
        if (wider != known.begin() && wider != known.end() && std::prev(wider)->second.head == wider->second.head)
            return known[width] = wider->second;
        FlowBlock b = fixed;
        b.head = label ? TextHeight(wrapped, label, width) : b.head + TextHeight(wrapped, s.title, width);
        return known[width] = std::move(b);
    }

private:
    // A text's heights at one size: by the column's width, and as it wraps.
    struct Wrapped {
        std::map<int, FlowBlock> byWidth;
        std::unique_ptr<WrappedText> text;
    };
    // The label's height at that width, its text shaped once for every width.
    static int TextHeight(Wrapped &wrapped, const QLabel *label, int width)
    {
        if (!wrapped.text)
            wrapped.text = std::make_unique<WrappedText>(label->text(), label->font());
        const std::optional<int> height = wrapped.text->Height(width);
        return height ? *height : label->heightForWidth(width);
    }

    QWidget *sheet_;
    const std::vector<Source> &sources_;
    int spacing_;
    int sized_ = 0;
    std::map<int, std::vector<FlowBlock>> least_, fixed_;
    std::map<std::pair<int, int>, Wrapped> wrapped_;  // by size and block
};

void Place(QWidget *w, int x, int y, int width, int height)
{
    w->setGeometry(x, y, width, height);
    w->setVisible(true);
}

// The blocks at the layout chosen: whole ones moved into place, tables copied a piece a
// column, the line that ends an incomplete layout under its last row.
void Arrange(const std::vector<Source> &sources, const FlowChoice &choice, const FlowMeasure &measure,
             QWidget *sheet, QPoint origin, int spacing)
{
    const FlowLayout &layout = choice.layout;
    std::vector<int> left;  // each column's x
    double x = origin.x();
    for (double w : layout.widths) {
        left.push_back(int(x));
        x += w + kColumnGap;
    }
    for (const FlowPiece &p : layout.pieces) {
        const Source &s = sources[size_t(p.block)];
        const FlowBlock b = measure(p.block, layout.widths[size_t(p.column)]);
        const int x = left[size_t(p.column)], width = int(layout.widths[size_t(p.column)]);
        int y = origin.y() + int(p.y);
        if (s.Unit()) {
            Place(s.Unit(), x, y, width, int(b.head));
            continue;
        }
        if (s.title) {  // atop each piece of the table
            QLabel *title = s.title->isHidden() ? s.title : CopyText(s.title->text(), s.title->font(), sheet);
            const int height = int(b.head) - HeaderHeight(s.table);
            Place(title, x, y, width, height - spacing);
            y += height;
        }
        // A whole table is its measure, at the size chosen; a piece, a copy of its rows.
        const bool whole = p.from == 0 && p.to == s.table->rowCount() && s.table->isHidden();
        QTableWidget *piece = whole ? s.table : CopyRows(s.table, p.from, p.to, sheet);
        int rows = 0;
        for (int r = p.from; r < p.to; ++r)
            rows += s.table->rowHeight(r);
        piece->horizontalHeader()->show();
        Place(piece, x, y, std::min(TableWidth(s.table), width), HeaderHeight(s.table) + rows);
    }
    for (const Source &s : sources)  // what is not in the picture, and the broken tables' measures
        for (QWidget *w : {s.Unit(), static_cast<QWidget *>(s.title), s.pageTable ? nullptr : static_cast<QWidget *>(s.table)})
            if (w && w->isHidden())
                delete w;
    if (layout.complete)
        return;
    auto *more = new QLabel(QCoreApplication::translate("Varnel", "… продолжение в отчете (varnel --report)"), sheet);
    more->setObjectName(QStringLiteral("lbl_Continued"));
    QFont italic = sheet->font();
    italic.setItalic(true);
    more->setFont(italic);
    const int y = origin.y() + int(layout.lineY) + (layout.lineY > 0 ? spacing : 0);
    Place(more, left[size_t(layout.lineColumn)], y, int(layout.widths[size_t(layout.lineColumn)]), more->sizeHint().height());
}
}  // namespace

QColor VerdictTint(int aircraft) { return aircraft == 1 ? QColor(0xD6, 0xE0, 0xFF) : QColor(0xFF, 0xD9, 0xD9); }

QColor InkOnTint(const QColor &back) { return back.lightness() >= 128 ? QColor(Qt::black) : QColor(Qt::white); }

void FillVerdictRows(QTableWidget *table, const VerdictTable &t, int first, int end)
{
    table->setRowCount(end - first);
    table->setColumnCount(int(t.header.size()));
    for (int c = 0; c < int(t.header.size()); ++c)
        table->setHorizontalHeaderItem(c, new QTableWidgetItem(t.header[c]));
    // A cell of each look, copied for each cell: cheaper than setting each one's look.
    QTableWidgetItem looks[2][3];  // [right-aligned][tint]
    for (int right = 0; right < 2; ++right)
        for (int tint = 0; tint < 3; ++tint) {
            QTableWidgetItem &look = looks[right][tint];
            look.setTextAlignment(right ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            if (tint) {
                // The tint is pale whatever the palette: its own text colour keeps it legible.
                look.setBackground(VerdictTint(tint));
                look.setForeground(InkOnTint(VerdictTint(tint)));
            }
        }
    for (int r = first; r < end; ++r) {
        for (int c = 0; c < int(t.rows[size_t(r)].size()); ++c) {
            const VerdictCell &cell = t.rows[size_t(r)][size_t(c)];
            QTableWidgetItem *item = looks[c > 0][std::clamp(cell.tint, 0, 2)].clone();
            item->setText(cell.text);
            table->setItem(r - first, c, item);
        }
    }
}

void FitVerdictContent(QWidget *content, const Verdict &v, const View &view, const std::vector<VerdictBlock> &blocks,
                       const std::vector<QTableWidget *> &tables, QSize size)
{
    const int largest = content->font().pixelSize() > 0 ? content->font().pixelSize() : 11;
    // A page too tall by its strips and tables alone goes into columns without its
    // sentences laid out at the page's width first.
    if (LeastNeededHeight(content) <= size.height()) {
        content->layout()->activate();
        if (NeededHeight(content, size.width()) <= size.height())
            return;
    }
    // Too long as it stands: its blocks, copied, flow into columns on a sheet over it.
    auto *sheet = new QWidget(content);
    sheet->setObjectName(QStringLiteral("verdict_columns"));
    const int spacing = std::max(content->layout()->spacing(), 0);
    const std::vector<Source> sources = SheetBlocks(v, view, blocks, spacing, tables, sheet);
    const QMargins margins = content->layout()->contentsMargins();
    const QSize area = size.shrunkBy(margins);
    BlockSizes sizes(sheet, sources, spacing);
    const auto measure = [&](int pixels, int block, double width) { return sizes.At(pixels, block, int(width)); };
    const auto lineHeight = [&](int pixels) {
        QFont font = sheet->font();
        font.setPixelSize(pixels);
        return double(QFontMetrics(font).height() + spacing);
    };
    const FlowChoice choice = ChooseColumns(area.width(), area.height(), kColumnGap, largest, kSmallest, kMostColumns,
                                           int(sources.size()), measure, lineHeight,
                                           {[&](int pixels) { return sizes.Least(pixels); },
                                            [&](int pixels) { return sizes.Fixed(pixels); }});
    sizes.Fixed(choice.size);  // the sheet's widgets at the size chosen
    Arrange(sources, choice, [&](int block, double width) { return measure(choice.size, block, width); }, sheet,
            QPoint(margins.left(), margins.top()), spacing);
    for (int i = 0; i < content->layout()->count(); ++i)
        if (QWidget *w = content->layout()->itemAt(i)->widget())
            w->hide();
    sheet->setGeometry(QRect(QPoint(), size));
    sheet->show();
}
