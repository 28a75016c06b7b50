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
    bool opaque, premultiplied;
    std::vector<png_byte> &row;
    std::vector<png_text> &chunks;
    QByteArray &bytes;
};

// Header, text chunks and rows, each row converted as it is reached.
void WritePng(png_structp png, png_infop info, const PngJob &job)
{
    const QImage &image = job.image;
    png_set_write_fn(png, &job.bytes, AppendBytes, NoFlush);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 job.opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (!job.chunks.empty())
        png_set_text(png, info, job.chunks.data(), int(job.chunks.size()));
    png_write_info(png, info);
    const int width = image.width();
    const bool unpremultiply = job.premultiplied && !job.opaque;
    for (int y = 0; y < image.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        png_byte *out = job.row.data();
        for (int x = 0; x < width; ++x) {
            const QRgb p = unpremultiply ? qUnpremultiply(pixels[x]) : pixels[x];
            *out++ = png_byte(qRed(p));
            *out++ = png_byte(qGreen(p));
            *out++ = png_byte(qBlue(p));
            if (!job.opaque)
                *out++ = png_byte(qAlpha(p));
        }
        png_write_row(png, job.row.data());
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
    const int channels = opaque ? 3 : 4;
    QByteArray bytes;
    std::vector<png_byte> row(size_t(image.width()) * channels);
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
    if (!w.info || !Encoded(w.png, w.info, {image, opaque, premultiplied, row, chunks, bytes}))
        throw VarnelError(failed);
    return bytes;
}
