#include "pages/text_wrap.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <utility>

namespace {
// What a label lays out otherwise than by words and spaces on one line after another.
bool Unusual(const QString &text)
{
    if (text.isEmpty() || text.back().isSpace())
        return true;
    for (QChar c : text) {
        if (c.isSurrogate() || c == QLatin1Char('\n') || c == QLatin1Char('\t') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator || c == QChar::SoftHyphen)
            return true;
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
            return true;
        default:
            break;
        }
    }
    return false;
}

// A space a line may end at: not a no-break one.
bool BreakableSpace(QChar c) { return c.isSpace() && c.decompositionTag() != QChar::NoBreak; }

// A length as text layout holds it, in 64ths of a pixel.
double Fixed(double pixels) { return qRound(pixels * 64) / 64.0; }
}  // namespace

WrappedText::WrappedText(const QString &text, const QFont &font) : font_(font)
{
    if (Unusual(text))
        return;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const QList<QGlyphRun> runs = line.glyphRuns();
    if (layout.lineCount() != 1 || runs.isEmpty() ||
        std::any_of(runs.begin(), runs.end(), [&](const QGlyphRun &r) { return r.rawFont() != runs.front().rawFont(); }))
        return;  // lines of glyphs from several fonts may differ in height
    std::vector<bool> mayBreak(size_t(text.size()) + 1);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (qsizetype p = finder.toNextBoundary(); p > 0; p = finder.toNextBoundary())
        mayBreak[size_t(p)] = true;
    const QFontMetricsF fm(font);
    leastBearing_ = -std::min(Fixed(fm.minRightBearing()), 0.0);
    double x = 0;  // where the piece starts on the one line
    for (qsizetype p = 0; p < text.size();) {
        Piece piece;
        piece.space = BreakableSpace(text[p]);
        if (piece.space) {
            while (p < text.size() && BreakableSpace(text[p]))
                ++p;
        } else {
            do
                ++p;
            while (p < text.size() && !BreakableSpace(text[p]) && !mayBreak[size_t(p)]);
            piece.overhang = -std::min(Fixed(fm.rightBearing(text[p - 1])), 0.0);
        }
        const double end = line.cursorToX(int(p));
        piece.width = end - std::exchange(x, end);
        pieces_.push_back(piece);
    }
    const auto letter = std::find_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    sample_ = letter != text.end() ? *letter : QChar();
    followed_ = !sample_.isNull();
}

std::optional<int> WrappedText::Lines(int width) const
{
    if (!followed_)
        return std::nullopt;
    int lines = 1;
    double used = 0, space = 0;  // the line's words and the spaces after them
    bool started = false;
    for (const Piece &p : pieces_) {
        if (p.space) {
            space += p.width;
            if (space > width) {  // spaces that run past the line end it
                ++lines;
                used = space = 0;
                started = false;
            }
            continue;
        }
        const double wide = used + space + p.width;
        // The overhang of the word's last glyph counts only near the line's end.
        const double overhang = wide + leastBearing_ > width ? p.overhang : 0;
        if (started && wide + overhang > width) {
            ++lines;
            used = p.width;
        } else {
            used = wide;
        }
        space = 0;
        started = true;
    }
    return lines;
}

std::optional<int> WrappedText::Height(int width)
{
    const std::optional<int> lines = Lines(width);
    if (!lines)
        return std::nullopt;
    const auto known = heights_.find(*lines);
    if (known != heights_.end())
        return known->second;
    // As many lines of one letter of the text, each word a line in a column a pixel wide:
    // each line as high as one of the text's, laid out as the label lays its text.
    QStringList sample;
    for (int i = 0; i < *lines; ++i)
        sample << QString(sample_);
    const QRect box = QFontMetrics(font_).boundingRect(QRect(0, 0, 1, 2000), Qt::AlignLeft | Qt::TextWordWrap,
                                                       sample.join(QLatin1Char(' ')));
    return heights_[*lines] = box.height();
}
