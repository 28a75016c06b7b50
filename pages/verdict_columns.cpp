#include "pages/verdict_columns.h"

#include <algorithm>
#include <optional>

namespace {
constexpr int kKeep = 3;  // the fewest rows of a table a column holds alone, where it can

// Where a table's piece that begins at `row` ends, when the rows up to `fit` have room
// in a column with another after it: at `row` for none, the rest moving on whole.
int BreakAt(int row, int fit, int rows, bool columnTop)
{
    if (fit == rows || fit == row)
        return fit;
    const int kept = std::min(fit, rows - kKeep);  // the next column gets more than a row or two
    if (kept - row >= kKeep)
        return kept;
    return columnTop ? fit : row;  // too few for here, but a column's top takes what it can
}

// The blocks flowed into columns `height` high but the last, `last` high; stops at the
// first block or row that has no room left.
FlowLayout Pack(int blocks, const FlowMeasure &measure, const std::vector<double> &widths, double height, double last)
{
    FlowLayout out;
    out.widths = widths;
    const int columns = int(widths.size());
    int column = 0;
    double y = 0;  // 0: the top of the column, where no gap goes
    const auto limit = [&] { return column == columns - 1 ? last : height; };
    const auto stop = [&] {
        out.complete = false;
        out.lineColumn = column;
        out.lineY = y;
        return out;
    };
    for (int i = 0; i < blocks; ++i) {
        int row = 0;
        for (;;) {
            const FlowBlock b = measure(i, widths[size_t(column)]);  // as this column holds it
            const int rows = int(b.rows.size());
            const double top = y > 0 ? y + b.gap : 0;
            const bool wide = b.width > widths[size_t(column)];
            int end = row;  // the rows that fit here
            for (double bottom = top + b.head; end < rows && bottom + b.rows[size_t(end)] <= limit();)
                bottom += b.rows[size_t(end++)];
            if (column + 1 < columns)
                end = BreakAt(row, end, rows, y == 0);
            if (wide || top + b.head > limit() || (rows > 0 && end == row)) {
                if (column + 1 < columns) {  // the next column, then
                    ++column;
                    y = 0;
                    continue;
                }
                return stop();
            }
            out.pieces.push_back({i, column, top, row, end});
            out.shown += rows > 0 ? end - row : 1;
            y = top + b.head;
            for (; row < end; ++row)
                y += b.rows[size_t(row)];
            if (row == rows)
                break;
            if (column + 1 >= columns)
                return stop();
            ++column;
            y = 0;
        }
    }
    return out;
}

// The widths of n columns sharing `width`: evenly, then the last a little wider or
// narrower than the others, for a wide table that comes last.
std::vector<std::vector<double>> Shares(int n, double width)
{
    std::vector<std::vector<double>> out;
    for (double lean : {0.0, 0.05, -0.05, 0.1, -0.1}) {
        if (n == 1 && lean != 0)
            break;
        const double lastWidth = width * (1.0 / n + lean);
        std::vector<double> widths(size_t(n), (width - lastWidth) / std::max(n - 1, 1));
        widths.back() = lastWidth;
        out.push_back(widths);
    }
    return out;
}

// Whether the blocks could all fit in `columns` no wider than `width`, `height` high:
// none too wide for that, and all their heights, gaps left out, no more than the room
// of all. `blocks` no higher than they stand in any of those columns: measured at
// `width` (a text is no shorter in a narrower column), or with the texts left out.
// Stops at the first block that shows they cannot.
bool MightHold(int blocks, const std::function<FlowBlock(int block)> &block, double width, int columns, double height)
{
    double total = 0;
    for (int i = 0; i < blocks && total <= columns * height; ++i) {
        const FlowBlock b = block(i);
        if (b.width > width)
            return false;
        total += b.head;
        for (double r : b.rows)
            total += r;
    }
    return total <= columns * height;
}

// The layouts ChooseColumns tries at a text size, in its order.
struct Search {
    double width, height, gap;
    int maxColumns, blocks;
    const SizedMeasure &measure;
    const std::function<double(int size)> &lineHeight;
    const std::vector<LeastMeasure> &least;

    // Whether no layout of these columns at `size` can hold everything.
    bool CannotHold(int size, int n, const std::vector<std::vector<double>> &shares) const
    {
        double widest = 0;
        for (const std::vector<double> &widths : shares)
            widest = std::max(widest, *std::max_element(widths.begin(), widths.end()));
        if (widest <= 0)
            return false;
        for (const LeastMeasure &bound : least) {
            const std::vector<FlowBlock> bounds = bound(size);
            if (!MightHold(int(bounds.size()), [&](int i) { return bounds[size_t(i)]; }, widest, n, height))
                return true;
        }
        return !MightHold(blocks, [&](int i) { return measure(size, i, widest); }, widest, n, height);
    }
    // The first complete layout at `size`; `bounded`: passing over the column counts
    // that cannot hold everything. Each incomplete one tried goes to `incomplete`.
    std::optional<FlowLayout> FirstComplete(int size, bool bounded, const std::function<void(FlowLayout &&)> &incomplete) const
    {
        const FlowMeasure atSize = [&](int i, double w) { return measure(size, i, w); };
        for (int n = 1; n <= std::max(maxColumns, 1); ++n) {
            const std::vector<std::vector<double>> shares = Shares(n, width - gap * (n - 1));
            if (bounded && CannotHold(size, n, shares))
                continue;
            for (const std::vector<double> &widths : shares) {
                if (widths.front() <= 0 || widths.back() <= 0)
                    continue;
                FlowLayout layout = FlowColumns(blocks, atSize, widths, height, lineHeight(size));
                if (layout.complete)
                    return layout;
                if (incomplete)
                    incomplete(std::move(layout));
            }
        }
        return std::nullopt;
    }
};
}  // namespace

FlowLayout FlowColumns(int blocks, const FlowMeasure &measure, const std::vector<double> &widths, double height, double line)
{
    if (widths.empty())
        return FlowColumns(blocks, measure, {0.0}, height, line);
    FlowLayout full = Pack(blocks, measure, widths, height, height);
    if (full.complete)
        return full;
    // Room for the line under the last column's last row.
    FlowLayout cut = Pack(blocks, measure, widths, height, height - line);
    cut.complete = false;
    return cut;
}

FlowChoice ChooseColumns(double width, double height, double gap, int largest, int smallest, int maxColumns, int blocks,
                         const SizedMeasure &measure, const std::function<double(int size)> &lineHeight,
                         const std::vector<LeastMeasure> &least)
{
    FlowChoice most;
    const auto keep = [&](int size, FlowLayout layout) {
        if (most.layout.pieces.empty() || layout.shown > most.layout.shown)
            most = {size, std::move(layout)};
    };
    const Search search{width, height, gap, maxColumns, blocks, measure, lineHeight, least};
    for (int size = std::max(largest, smallest); size >= smallest; --size)
        if (std::optional<FlowLayout> layout = search.FirstComplete(size, true, {}))
            return {size, std::move(*layout)};
    // None holds everything: every layout at the smallest size, for the one that shows most.
    search.FirstComplete(smallest, false, [&](FlowLayout &&layout) { keep(smallest, std::move(layout)); });
    // The last resort, before anything is left out: one column at the smallest size,
    // which takes a block however wide.
    const FlowMeasure anyWidth = [&](int i, double w) {
        FlowBlock b = measure(smallest, i, w);
        b.width = 0;
        return b;
    };
    FlowLayout last = FlowColumns(blocks, anyWidth, {std::max(width, 1.0)}, height, lineHeight(smallest));
    if (last.complete)
        return {smallest, std::move(last)};
    keep(smallest, std::move(last));
    return most;
}
