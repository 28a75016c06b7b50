#include "app/png.h"

#include "core/error.h"

#include <zlib.h>

namespace {
void putUint32(QByteArray &out, quint32 v)
{
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

void putChunk(QByteArray &out, const char *type, const QByteArray &data)
{
    putUint32(out, quint32(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    const auto *typed = reinterpret_cast<const Bytef *>(out.constData() + start);
    putUint32(out, quint32(crc32(crc32(0, nullptr, 0), typed, uInt(out.size() - start))));
}
}  // namespace

QByteArray EncodePng(const QImage &image)
{
    // R, G, B, A bytes, not premultiplied; R, G, B when every pixel is opaque.
    QImage pixels = image.convertToFormat(QImage::Format_RGBA8888);
    if (pixels.isNull())
        throw VarnelError(QStringLiteral("Cannot encode a PNG picture of %1 x %2 pixels").arg(image.width()).arg(image.height()));
    const int width = pixels.width(), height = pixels.height();
    bool opaque = true;
    for (int y = 0; y < height && opaque; ++y) {
        const uchar *row = pixels.constScanLine(y);
        for (int x = 0; x < width && opaque; ++x)
            opaque = row[4 * x + 3] == 0xff;
    }
    if (opaque)
        pixels = pixels.convertToFormat(QImage::Format_RGB888);
    const qsizetype rowBytes = qsizetype(width) * (opaque ? 3 : 4);

    // Each row: its filter type (2, "up"), then each byte less the one above it.
    QByteArray raw(height * (rowBytes + 1), Qt::Uninitialized);
    char *to = raw.data();
    for (int y = 0; y < height; ++y) {
        const uchar *row = pixels.constScanLine(y);
        const uchar *above = y > 0 ? pixels.constScanLine(y - 1) : nullptr;
        *to++ = 2;
        for (qsizetype i = 0; i < rowBytes; ++i)
            *to++ = char(above ? uchar(row[i] - above[i]) : row[i]);
    }

    uLongf packedSize = compressBound(uLong(raw.size()));
    QByteArray packed(qsizetype(packedSize), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef *>(packed.data()), &packedSize, reinterpret_cast<const Bytef *>(raw.constData()),
                  uLong(raw.size()), Z_BEST_SPEED) != Z_OK)
        throw VarnelError(QStringLiteral("Cannot encode a PNG picture of %1 x %2 pixels").arg(width).arg(height));
    packed.truncate(qsizetype(packedSize));

    QByteArray header;
    putUint32(header, quint32(width));
    putUint32(header, quint32(height));
    // 8 bits a sample, RGB (2) or RGBA (6), deflate, no filter choice, no interlace.
    header.append(opaque ? "\x08\x02\x00\x00\x00" : "\x08\x06\x00\x00\x00", 5);
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", QByteArray());
    return out;
}
