#pragma once
// What a picture that leaves the program says of itself: a band above the page with
// the two aircraft's names in their curves' colours and the flap settings shown
// ("Tarn-5 — Skarn-7 · закрылки: 0, 2"), in the pages' font; the same words go into
// the file's title and description.
#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

#include <array>

class QPainter;
class QPalette;

struct PictureCaption {
    QString first, second;  // the aircraft's names; empty: that side is empty
    std::array<bool, 4> flapShown{true, false, false, false};  // no flaps, 1, 2, 3
    QString page;     // the page's caption, named in the description
    bool band = true;  // drawn above the page; false: the bare page, the words only in the file
};

// The band's words: "Tarn-5 — Skarn-7 · закрылки: 0, 2". Control characters of a name
// show as U+FFFD, so the words stay one line and any file format can hold them.
QString CaptionTitle(const PictureCaption &caption);
// The page, then the words with the colour of each aircraft's curves named.
QString CaptionDescription(const PictureCaption &caption);
// Title, Description and Software, as a PNG's text chunks give them.
QList<QPair<QString, QString>> CaptionMetadata(const PictureCaption &caption);

// The colour of the first (1) or second (2) aircraft's curves, as the charts draw them.
QColor AircraftColor(int aircraft);

// The band's height in pixels; a picture lower than three bands gets none.
int CaptionBandHeight();
int CaptionBandHeightFor(int pictureHeight);

// Draws the band, `width` pixels wide, at the painter's origin: the page's background,
// the words centred (the names elided when they don't fit), nothing outside the band.
void DrawCaption(QPainter &painter, const PictureCaption &caption, int width, const QPalette &palette);
