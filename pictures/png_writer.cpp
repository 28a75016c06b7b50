#include "pictures/png_writer.h"

#include "core/error.h"

#include <QtEndian>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <future>
#include <system_error>
#include <vector>

namespace {
void AppendBytes(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void NoFlush(png_structp) {}

// Failures end in the exception below, warnings go unsaid: stderr is the export's own.
[[noreturn]] void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Quiet(png_structp, png_const_charp) {}

bool Opaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return true;
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        // Every pixel's bits and-ed together: the alpha of all is 255 only when each one's is.
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QRgb all = ~QRgb(0);
        for (int x = 0; x < width; ++x)
            all &= row[x];
        if (qAlpha(all) != 255)
            return false;
    }
    return true;
}

// libpng's state for one picture, freed however the encoding ends.
struct PngWrite {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Quiet);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

// An opaque row as RGB: its alpha is 255, so there is nothing to unpremultiply. Each
// pixel, 0xAARRGGBB, byte-swapped and shifted is R, G, B, 0 in memory: four bytes
// stored, three kept (the row has a byte to spare at its end).
void RgbRow(const QRgb *pixels, int width, png_byte *out)
{
    for (int x = 0; x < width; ++x, out += 3) {
        const quint32 rgb = qFromLittleEndian(qbswap(pixels[x]) >> 8);
        std::memcpy(out, &rgb, 4);
    }
}

void RgbaRow(const QRgb *pixels, int width, bool premultiplied, png_byte *out)
{
    for (int x = 0; x < width; ++x) {
        const QRgb p = premultiplied ? qUnpremultiply(pixels[x]) : pixels[x];
        *out++ = png_byte(qRed(p));
        *out++ = png_byte(qGreen(p));
        *out++ = png_byte(qBlue(p));
        *out++ = png_byte(qAlpha(p));
    }
}

// A picture's pixels as PNG rows: RGB, or RGBA where some pixels are not opaque.
struct Rows {
    const QImage &image;
    bool opaque, premultiplied;
    // Bytes of a row as the PNG data hold it: its filter byte (none), then its pixels.
    qsizetype Size() const { return 1 + qsizetype(image.width()) * (opaque ? 3 : 4); }
    void Row(int y, png_byte *out) const
    {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        *out++ = 0;
        if (opaque)
            RgbRow(pixels, image.width(), out);
        else
            RgbaRow(pixels, image.width(), premultiplied, out);
    }
};

// A run of rows deflated at zlib's level 2 (why: see EncodePng), its input's Adler-32
// and length.
struct Deflated {
    QByteArray bytes;
    uLong adler = 1;
    qint64 length = 0;
    bool ok = false;
};

// Rows [from, to) deflated: with the zlib header where they start the picture, and
// ending on a byte boundary (a sync flush) where more follow, so that the next run,
// deflated apart, carries on the stream; the picture's last run ends it.
Deflated DeflateRows(const Rows &rows, int from, int to, int windowBits)
{
    Deflated out;
    const bool first = from == 0, last = to == rows.image.height();
    z_stream z{};
    if (deflateInit2(&z, 2, Z_DEFLATED, first ? windowBits : -windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return out;
    out.length = qint64(rows.Size()) * (to - from);
    out.bytes.resize(qsizetype(deflateBound(&z, uLong(out.length))) + 16);  // and a sync flush's few bytes
    z.next_out = reinterpret_cast<Bytef *>(out.bytes.data());
    z.avail_out = uInt(out.bytes.size());
    std::vector<png_byte> row(size_t(rows.Size()) + 1);  // a byte to spare for RgbRow
    int status = Z_OK;
    for (int y = from; y < to && status == Z_OK && z.avail_in == 0; ++y) {  // each row taken whole
        rows.Row(y, row.data());
        if (!first)  // zlib sums the input of a stream with a header itself
            out.adler = adler32(out.adler, row.data(), uInt(rows.Size()));
        z.next_in = row.data();
        z.avail_in = uInt(rows.Size());
        status = deflate(&z, y + 1 < to ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH);
    }
    out.ok = (last ? status == Z_STREAM_END : status == Z_OK) && z.avail_in == 0;
    out.bytes.resize(qsizetype(z.total_out));
    if (first)
        out.adler = z.adler;
    deflateEnd(&z);
    return out;
}

// The window libpng gives zlib: 32 KB, less for a picture of few bytes.
int WindowBits(qint64 size)
{
    int bits = 15;
    if (size <= 16384) {
        for (qint64 half = qint64(1) << (bits - 1); size + 262 <= half && bits > 9; half >>= 1)
            --bits;
    }
    return bits;
}

// The PNG data of the picture: a zlib stream of its rows, deflated in `parts` runs at
// once (each on a thread of its own but the first), joined. Empty on failure.
QByteArray DeflatedRows(const Rows &rows, int parts)
{
    const int height = rows.image.height();
    parts = std::clamp(parts, 1, height);
    const int bits = WindowBits(qint64(rows.Size()) * height);
    std::vector<std::future<Deflated>> later;
    for (int i = 1; i < parts; ++i) {
        const auto run = [&rows, bits, from = height * i / parts, to = height * (i + 1) / parts] { return DeflateRows(rows, from, to, bits); };
        try {
            later.push_back(std::async(std::launch::async, run));
        } catch (const std::system_error &) {
            later.push_back(std::async(std::launch::deferred, run));
        }
    }
    Deflated all = DeflateRows(rows, 0, height / parts, bits);
    for (std::future<Deflated> &part : later) {
        const Deflated next = part.get();
        all.ok = all.ok && next.ok;
        all.bytes += next.bytes;
        all.adler = adler32_combine(all.adler, next.adler, z_off_t(next.length));
    }
    if (parts > 1) {  // the stream's end: the Adler-32 of all, high byte first
        const quint32 adler = qToBigEndian(quint32(all.adler));
        all.bytes.append(reinterpret_cast<const char *>(&adler), 4);
    }
    return all.ok ? all.bytes : QByteArray();
}

// One picture and what its encoding needs, made before libpng may jump back.
struct PngJob {
    const QImage &image;
    bool opaque;
    const QByteArray &data;  // the rows, deflated
    std::vector<png_text> &chunks;
    QByteArray &bytes;
};

// Header, text chunks, the rows' data in chunks of libpng's own size, and the end.
void WritePng(png_structp png, png_infop info, const PngJob &job)
{
    const QImage &image = job.image;
    png_set_write_fn(png, &job.bytes, AppendBytes, NoFlush);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 job.opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (!job.chunks.empty())
        png_set_text(png, info, job.chunks.data(), int(job.chunks.size()));
    png_write_info(png, info);
    for (qsizetype at = 0; at < job.data.size(); at += PNG_ZBUF_SIZE)
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), reinterpret_cast<png_const_bytep>(job.data.constData()) + at,
                        size_t(std::min<qsizetype>(PNG_ZBUF_SIZE, job.data.size() - at)));
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
}

// libpng reports a failure by a jump back here; nothing here needs its destructor run.
bool Encoded(png_structp png, png_infop info, const PngJob &job)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    WritePng(png, info, job);
    return true;
}
}  // namespace

QByteArray EncodePng(const QImage &source, const PngText &text, int parts)
{
    // Premultiplied or not, 32 bits a pixel; an image in another format is converted whole.
    const QImage image = source.format() == QImage::Format_ARGB32_Premultiplied || source.format() == QImage::Format_ARGB32 ||
                                 source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_ARGB32);
    const QString failed = QStringLiteral("Cannot encode a PNG picture of %1 x %2 pixels").arg(source.width()).arg(source.height());
    if (image.isNull())
        throw VarnelError(failed);
    const bool opaque = Opaque(image);
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    // Measured on the seven pictures from 320 x 200 to 1600 x 1000 and at scale 2: no row
    // filter at zlib's level 2 makes files a sixth smaller than the "up" filter at level 1
    // (one, 500 x 1000, 14 % larger), in two thirds of the instructions; level 1
    // costs as much for files 2 % larger, higher levels, other filters, a filter chosen a
    // row or the run-length strategy cost more time or bytes.
    const QByteArray data = DeflatedRows({image, opaque, premultiplied}, parts);
    if (data.isEmpty())
        throw VarnelError(failed);
    QByteArray bytes;
    std::vector<QByteArray> texts;  // the chunks' UTF-8, alive until written
    std::vector<png_text> chunks(size_t(text.size()));

    texts.reserve(size_t(text.size()) * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        texts.push_back(text[i].first.toLatin1().left(79));
        texts.push_back(text[i].second.toUtf8());
        png_text &t = chunks[size_t(i)];
        t = {};
        t.compression = PNG_ITXT_COMPRESSION_NONE;
        t.key = texts[texts.size() - 2].data();
        t.text = texts.back().data();
        t.itxt_length = size_t(texts.back().size());
    }

    PngWrite w;
    if (!w.info || !Encoded(w.png, w.info, {image, opaque, data, chunks, bytes}))
        throw VarnelError(failed);
    return bytes;
}
