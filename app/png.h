#pragma once
// PNG files of the charts, written here rather than through Qt's PNG writer: libpng
// tries every row filter on every row, which took four fifths of an export's time.
// Every row here takes the "up" filter and zlib's fastest level; charts are large flat
// areas and straight lines, so the files stay small.
#include <QByteArray>
#include <QImage>

// PNG bytes of an image (8-bit RGB, or RGBA where a pixel is not opaque; lossless);
// raises when it can't be encoded.
QByteArray EncodePng(const QImage &image);
