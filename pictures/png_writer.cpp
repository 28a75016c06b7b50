#include "pictures/png_writer.h"

#include "core/error.h"

#include <png.h>

#include <csetjmp>
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
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (qAlpha(row[x]) != 255)
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

// One picture and what its encoding needs, made before libpng may jump back.
struct PngJob {
    const QImage &image;
    const QImage &rgb;  // an opaque picture's pixels as PNG rows; null where some are not opaque
    bool opaque, premultiplied;
    std::vector<png_byte> &row;
    std::vector<png_text> &chunks;
    QByteArray &bytes;
};

// The rows of a picture with transparent pixels, each converted to RGBA as it is reached.
void WriteRgbaRows(png_structp png, const PngJob &job)
{
    const QImage &image = job.image;
    for (int y = 0; y < image.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        png_byte *out = job.row.data();
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = job.premultiplied ? qUnpremultiply(pixels[x]) : pixels[x];
            *out++ = png_byte(qRed(p));
            *out++ = png_byte(qGreen(p));
            *out++ = png_byte(qBlue(p));
            *out++ = png_byte(qAlpha(p));
        }
        png_write_row(png, job.row.data());
    }
}

// Header, text chunks and rows.
void WritePng(png_structp png, png_infop info, const PngJob &job)
{
    const QImage &image = job.image;
    png_set_write_fn(png, &job.bytes, AppendBytes, NoFlush);
    // Measured on the seven pictures from 320 x 200 to 1600 x 1000 and at scale 2: no row
    // filter at zlib's level 2 makes files a sixth smaller than the "up" filter at level 1
    // (one, 500 x 1000, 14 % larger), in two thirds of the instructions; level 1
    // costs as much for files 2 % larger, higher levels, other filters, a filter chosen a
    // row or the run-length strategy cost more time or bytes.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 2);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 job.opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (!job.chunks.empty())
        png_set_text(png, info, job.chunks.data(), int(job.chunks.size()));
    png_write_info(png, info);
    if (job.opaque) {
        for (int y = 0; y < job.rgb.height(); ++y)
            png_write_row(png, job.rgb.constScanLine(y));
    } else {
        WriteRgbaRows(png, job);
    }
    png_write_end(png, info);
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

QByteArray EncodePng(const QImage &source, const PngText &text)
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
    QByteArray bytes;
    std::vector<png_byte> row(opaque ? 0 : size_t(image.width()) * 4);
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

    // An opaque picture's rows converted at once (alpha is 255, so nothing to unpremultiply).
    const QImage rgb = opaque ? image.convertToFormat(QImage::Format_RGB888) : QImage();
    PngWrite w;
    if (!w.info || !Encoded(w.png, w.info, {image, rgb, opaque, premultiplied, row, chunks, bytes}))
        throw VarnelError(failed);
    return bytes;
}
