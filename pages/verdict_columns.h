#pragma once
// The verdict page's blocks flowed into columns of a picture, top to bottom and left to
// right in their order: a strip or a piece of text stays whole; a table may break
// between two rows, its title and header repeated atop the next column, and leaves no
// fewer than three rows on either side where it can. Where not everything
// fits, the flow stops after the last whole row or block that does and leaves room for
// a line saying the rest is elsewhere. Plain numbers in, plain places out: the widgets
// are measured and placed elsewhere.
#include <functional>
#include <vector>

struct FlowBlock {
    double width = 0;           // the narrowest column it reads in
    double gap = 0;             // the space above it, but at the top of a column
    double head = 0;            // a whole strip or text; a table's title and header, atop each piece
    std::vector<double> rows;   // a table's rows; none for a strip or text
};
// Block `block` of the blocks, in their order, as it stands in a column of that width
// (text wraps). The flow asks for a block only when it reaches it.
using FlowMeasure = std::function<FlowBlock(int block, double width)>;

// One block, or the rows [from, to) of a table with its header, in a column at y.
struct FlowPiece {
    int block = 0, column = 0;
    double y = 0;
    int from = 0, to = 0;
};

struct FlowLayout {
    std::vector<double> widths;  // the columns', left to right
    std::vector<FlowPiece> pieces;
    bool complete = true;
    // Where the line that says the rest is elsewhere stands, when not complete.
    int lineColumn = 0;
    double lineY = 0;
    int shown = 0;  // the strips, texts and table rows placed
};

// The `blocks` blocks in columns of these widths and `height`; a block goes on to the
// next column where it is too wide or too long for the room left. `line`: the height of
// the line that ends an incomplete flow.
FlowLayout FlowColumns(int blocks, const FlowMeasure &measure, const std::vector<double> &widths, double height, double line);

// The layout with the largest text that holds everything: for each text size from
// `largest` down to `smallest`, one to `maxColumns` columns sharing `width` (less `gap`
// between two), evenly or with the last a little wider or narrower. measure(size,
// block, width): that one of the `blocks` blocks at that text size; lineHeight(size): the ending line's. Then one
// column at the smallest size that takes blocks however wide; where even that does
// not hold everything, the layout at the smallest size that shows most. A column count
// whose blocks, as they stand in its widest column, cannot fit in its room is passed
// over unmeasured: measure must give a text no shorter in a narrower column. least:
// cheaper measures, cheapest first, each giving the blocks at a size no wider or higher
// than measure does at any width (a text's height at 0, say), so that a size is passed
// over before any text is laid out.
struct FlowChoice {
    int size = 0;
    FlowLayout layout;
};
using SizedMeasure = std::function<FlowBlock(int size, int block, double width)>;
using LeastMeasure = std::function<std::vector<FlowBlock>(int size)>;
FlowChoice ChooseColumns(double width, double height, double gap, int largest, int smallest, int maxColumns, int blocks,
                         const SizedMeasure &measure, const std::function<double(int size)> &lineHeight,
                         const std::vector<LeastMeasure> &least = {});
