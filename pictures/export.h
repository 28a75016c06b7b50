#pragma once
// Pictures of the charts: a page or a chart drawn into PNG, SVG or PDF bytes by the
// chart widgets themselves, the seven pages of a comparison drawn by a pages widget of
// their own that is never shown (a page at a time, its buffers freed once drawn, each
// PNG encoded on a thread while the next pages are drawn, no more pictures held than
// 64 MB allow), and a set of pictures written whole or not at all.
// `varnel --export`, the window's "save" entries and the report all come here.
#include "catalogue/aircraft.h"
#include "core/view.h"
#include "pages/caption.h"
#include "pictures/picture_files.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>

class QCPPainter;
class QWidget;

// The pages' names in pictures, in tab order: the common page first.
const QStringList &PageSlugs();

// A page or a chart as QWidget::grab draws it, at `scale` device pixels per pixel;
// with a caption whose band is on, the band above it (the picture that much higher).
QImage GrabPicture(QWidget *widget, double scale, const PictureCaption *caption = nullptr);

// The picture of a page or a chart as it is laid out now: "png" at `scale` device
// pixels per pixel; "svg" and "pdf" as lines and text (scale does not apply). With a
// caption: its band above (as GrabPicture) and its words in the file's metadata.
QByteArray RenderPicture(QWidget *widget, const QString &format, double scale,
                         const PictureCaption *caption = nullptr);

// The same lines and text drawn with a painter already open on a page (a report's),
// the caption's band at the painter's origin and the page below it.
void PaintVectorPicture(QWidget *widget, QCPPainter &painter, const PictureCaption *caption);

// A page lifted out of its page control (which would size it to its own area) and laid
// out at `size` for a picture, keeping the pages' font and palette.
void LayOutPage(QWidget *page, QWidget *pages, QSize size);

// How pictures of the pages are drawn: the file format, each picture's size in pixels,
// the device pixels per pixel of PNG pictures, the caption band above each page
// (false: the bare page, its words only in the file) and the advantage shading.
struct PictureOptions {
    QString format = QStringLiteral("png");  // png, svg or pdf
    QSize size{800, 600};
    double scale = 1.0;
    bool caption = true;
    bool advantage = false;
    View view;  // the units and language the pages are drawn in
};

// The seven pages of the comparison of first and second (either may be null: that side
// stays empty) at the flap settings shown, drawn as `options` say; with the caption
// band on, the page takes what the band leaves of the height. Raises the refresh's
// error on one line, naming the aircraft it came from.
QList<Picture> DrawComparison(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown,
                              const PictureOptions &options);
