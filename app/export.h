#pragma once
// Pictures of the charts: a page or a chart drawn into PNG, SVG or PDF bytes by the
// chart widgets themselves, the seven pages of a comparison drawn by a pages widget of
// their own that is never shown (a page at a time, its buffers freed once drawn, so
// at most two pictures are held at once), and a set of pictures written whole or not
// at all.
// `varnel --export` and the window's "save" entries both come here.
#include "app/caption.h"
#include "app/command_line.h"
#include "app/picture_files.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>

class QWidget;
struct CraftRecord;

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

// The seven pages of the comparison of first and second (either may be null: that side
// stays empty) at the flap settings shown, each `size` pixels, captioned: with `band`
// the page takes what the band leaves of the height; with `advantage` the charts are
// shaded where each aircraft is better. Raises the refresh's error, naming the
// aircraft it came from.
QList<Picture> DrawComparison(const CraftRecord *first, const CraftRecord *second,
                              const std::array<bool, 4> &flapShown, const QString &format, QSize size,
                              double scale, bool band = true, bool advantage = false);

// `varnel --export`: reads only the named aircraft from dataDir (empty: the working
// directory), draws and writes. Gives the exit status, the written paths and, on
// failure, the one line for stderr.
struct ExportOutcome {
    int exitCode = 0;
    QStringList written;
    QString error;
};
ExportOutcome RunExport(const ExportOptions &options, const QString &dataDir);
