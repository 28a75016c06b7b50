#pragma once
// A plain text as a word-wrapped label lays it out, its glyphs shaped once: how high it
// stands at each column width, without the text laid out again for each width. The
// lines break where the label breaks them: before a word that, with the spaces before
// it and any overhang of its last glyph, no longer fits the line, never inside a word
// nor at a no-break space. Where a text is not one this can follow (a line separator,
// a tab, a soft hyphen, right-to-left text, glyphs of more than one font), it says so,
// and the label is asked instead.
#include <QFont>
#include <QString>

#include <map>
#include <optional>
#include <vector>

class WrappedText {
public:
    WrappedText(const QString &text, const QFont &font);
    // The lines it takes in a column that wide; none where the label must be asked.
    std::optional<int> Lines(int width) const;
    // As high as a word-wrapped QLabel of the text in that font at that width asks.
    std::optional<int> Height(int width);

private:
    struct Piece {
        bool space = false;  // a run of breakable spaces, else a word up to where a line may break
        double width = 0;
        double overhang = 0;  // how far a word's last glyph reaches past its advance
    };
    QFont font_;
    QChar sample_;  // a character of the text, in the one font its glyphs come from
    std::vector<Piece> pieces_;
    double leastBearing_ = 0;  // the font's most negative right bearing
    bool followed_ = false;
    std::map<int, int> heights_;  // by the lines
};
