#pragma once
// PNG files of the charts, told what suits a chart: no row filter and one of zlib's
// fastest levels instead of libpng's trial of every filter on every row. Charts are
// large flat areas and straight lines, so the files stay small. The rows go through
// zlib here (so that a picture can be compressed in parts at once), the rest through
// libpng.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

// Text chunks of a PNG file, as key and value (e.g. "Title", "Software").
using PngText = QList<QPair<QString, QString>>;

// PNG bytes of an image: 8-bit RGB when every pixel is opaque, else RGBA (lossless),
// with the text chunks given. With `parts` above 1 its rows are compressed in that many
// runs at once, each on a thread of its own but the first, and joined into one stream
// (a picture that nothing else is waiting for).
// Raises when it can't be encoded.
QByteArray EncodePng(const QImage &image, const PngText &text = {}, int parts = 1);
