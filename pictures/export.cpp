#include "pictures/export.h"

#include "pages/application.h"
#include "pages/comparison_pages.h"
#include "pictures/picture_files.h"
#include "pictures/png_writer.h"
#include "pages/verdict_page.h"
#include "catalogue/scan.h"
#include "core/error.h"
#include "presentation/chart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QResizeEvent>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <system_error>
#include <vector>

const QStringList &PageSlugs()
{
    static const QStringList slugs = [] {
        QStringList out;
        for (const PageDef &page : ComparisonTable())
            if (page.inPictures)
                out << page.slug;
        return out;
    }();
    return slugs;
}

namespace {
// The charts a picture of `widget` shows: the widget itself or the charts inside it.
QList<TChart *> ChartsOf(QWidget *widget)
{
    if (auto *chart = qobject_cast<TChart *>(widget))
        return {chart};
    return widget->findChildren<TChart *>();
}

// A widget that was never shown keeps its resize events pending until it is painted;
// the charts need them now, since they lay out title and legend on a resize.
void SendPendingResize(QWidget *widget)
{
    if (!widget->testAttribute(Qt::WA_PendingResizeEvent))
        return;
    widget->setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent event(widget->size(), QSize());
    QCoreApplication::sendEvent(widget, &event);
}

// A verdict page in a picture shows its verdict, though it was not worked out while
// the page was hidden.
void WorkOutVerdicts(QWidget *widget)
{
    QList<VerdictPage *> pages = widget->findChildren<VerdictPage *>();
    if (auto *page = qobject_cast<VerdictPage *>(widget))
        pages.append(page);
    for (VerdictPage *page : pages)
        page->Shown();
}

// The charts brought in line with their series and drawn anew, into buffers of
// `ratio` device pixels per pixel (0: as they are).
void DrawCharts(const QList<TChart *> &charts, double ratio)
{
    for (TChart *chart : charts) {
        SendPendingResize(chart);
        chart->SyncNow();
        chart->Tracker().Hide();  // the mouse's read-out is no part of a picture
        if (ratio > 0)
            chart->setBufferDevicePixelRatio(ratio);
        chart->replot(QCustomPlot::rpImmediateRefresh);
    }
}

}  // namespace

namespace {
// The height of the caption's band above the widget: none without a caption or with its band off.
int BandOf(const PictureCaption *caption) { return caption && caption->band ? CaptionBandHeight() : 0; }

// The widget drawn into a picture of `scale` device pixels per pixel, its charts drawn
// anew into buffers of that ratio, under the caption's band.
QImage RenderPixels(QWidget *widget, const QList<TChart *> &charts, double scale, const PictureCaption *caption)
{
    WorkOutVerdicts(widget);
    DrawCharts(charts, scale);
    const int band = BandOf(caption);
    QPixmap pixmap((QSizeF(widget->width(), widget->height() + band) * scale).toSize());
    if (pixmap.isNull())
        throw VarnelError(QStringLiteral("Cannot draw a picture of %1 x %2 pixels").arg(pixmap.width()).arg(pixmap.height()));
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    widget->render(&pixmap, QPoint(0, band), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    if (band > 0) {
        QPainter painter(&pixmap);
        DrawCaption(painter, *caption, widget->width(), widget->palette());
    }
    return pixmap.toImage();
}
}  // namespace

QImage GrabPicture(QWidget *widget, double scale, const PictureCaption *caption)
{
    const QList<TChart *> charts = ChartsOf(widget);
    QImage image = RenderPixels(widget, charts, scale, caption);
    // Back to the screen's ratio for the window's own painting.
    for (TChart *chart : charts) {
        if (chart->bufferDevicePixelRatio() != chart->devicePixelRatioF()) {
            chart->setBufferDevicePixelRatio(chart->devicePixelRatioF());
            chart->Redraw();
        }
    }
    return image;
}

void PaintVectorPicture(QWidget *widget, QCPPainter &painter, const PictureCaption *caption)
{
    WorkOutVerdicts(widget);
    const QList<TChart *> charts = ChartsOf(widget);
    const int band = BandOf(caption);
    if (band)
        DrawCaption(painter, *caption, widget->width(), widget->palette());
    painter.save();
    painter.translate(0, band);
    if (charts.isEmpty()) {  // a page of text and tables, e.g. the verdict
        widget->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter.restore();
        return;
    }
    for (TChart *chart : charts) {
        SendPendingResize(chart);
        chart->SyncNow();
        chart->Tracker().Hide();
        chart->PrepareToPaint();  // drawn below as lines and text, never into pixels
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    for (TChart *chart : charts) {
        painter.save();
        painter.translate(chart == widget ? QPoint() : chart->mapTo(widget, QPoint()));
        chart->toPainter(&painter);
        chart->DrawFrame(painter);
        painter.restore();
    }
    painter.restore();
}

namespace {
void PaintVector(QWidget *widget, QPaintDevice *device, const PictureCaption *caption)
{
    QCPPainter painter(device);
    PaintVectorPicture(widget, painter, caption);
}
}  // namespace

QByteArray RenderPicture(QWidget *widget, const QString &format, double scale, const PictureCaption *caption)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = widget->size() + QSize(0, BandOf(caption));
    const QString title = caption ? CaptionTitle(*caption) : ApplicationTitle();
    if (format == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(), size));
        svg.setTitle(title.toHtmlEscaped());  // the generator writes them as they are
        if (caption)
            svg.setDescription(CaptionDescription(*caption).toHtmlEscaped());
        PaintVector(widget, &svg, caption);
        return XmlSafe(bytes);
    } else if (format == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(ApplicationTitle());
        pdf.setResolution(72);  // a pixel of the window is a point of the page
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        PaintVector(widget, &pdf, caption);
    } else {
        return EncodePng(GrabPicture(widget, scale, caption), caption ? CaptionMetadata(*caption) : PngText{});
    }
    return bytes;
}

void LayOutPage(QWidget *page, QWidget *pages, QSize size)
{
    page->setParent(pages);
    page->setGeometry(QRect(QPoint(), size));
    if (auto *verdict = qobject_cast<VerdictPage *>(page))
        verdict->FitPicture();
    SendPendingResize(page);
    if (page->layout())
        page->layout()->setGeometry(QRect(QPoint(), size));
}

namespace {
// Pictures never show the mouse's read-out: its layer, empty, is drawn with the layer
// below it, which spares each chart one buffer of the picture's size.
void DrawWithoutReadOutBuffer(const QList<TChart *> &charts)
{
    for (TChart *chart : charts)
        chart->Tracker().Layer()->setMode(QCPLayer::lmLogical);
}

// A page's charts, once in their picture, are not drawn again: their buffers go.
void ReleaseBuffers(const QList<TChart *> &charts)
{
    for (TChart *chart : charts)
        chart->setBufferDevicePixelRatio(1e-9);  // buffers of no pixels
}

// The pictures' PNG bytes, each encoded on a thread while the pages after it are drawn:
// one at a time, in page order, so that the drawing keeps a core to itself; as many
// waiting as `HeldLimit` bytes of pictures hold, the one being drawn counted.
class PngQueue {
public:
    explicit PngQueue(QSize pixels) : room_(int(std::min<qint64>(HeldLimit / std::max<qint64>(qint64(pixels.width()) * pixels.height() * 4, 1) - 1, 64))) {}

    // Encoded on a thread after those before it, or here when no thread can be had or
    // no picture may wait.
    void Add(const QImage &image, const PngText &text)
    {
        makeRoom();
        if (room_ > 0) {
            try {
                // The copy shares the pixels: once encoded, no one holds them.
                encodings_.push_back(std::async(std::launch::async, [image, text, previous = last()]() mutable {
                                         const QImage own = std::move(image);
                                         if (previous.valid())
                                             previous.wait();
                                         return EncodePng(own, text);
                                     }).share());
                return;
            } catch (const std::system_error &) {  // encoded here
            }
        }
        AddHere(image, text);
    }
    // Encoded here and now, in `parts` runs at once, while those before it may still
    // be encoded (the last one, which nothing else waits for: in halves).
    void AddHere(const QImage &image, const PngText &text, int parts = 1)
    {
        std::promise<QByteArray> done;
        done.set_value(EncodePng(image, text, parts));
        encodings_.push_back(done.get_future().share());
    }
    // Each picture's bytes, in the order added; raises the first failure.
    QList<QByteArray> Bytes()
    {
        QList<QByteArray> bytes;
        for (const std::shared_future<QByteArray> &encoding : encodings_)
            bytes.append(encoding.get());
        return bytes;
    }

private:
    // At most 64 MB of pictures held at once.
    static constexpr qint64 HeldLimit = qint64(64) << 20;

    std::shared_future<QByteArray> last() const { return encodings_.empty() ? std::shared_future<QByteArray>() : encodings_.back(); }
    void makeRoom()
    {
        while (done_ < encodings_.size() && encodings_[done_].wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            ++done_;
        while (done_ < encodings_.size() && int(encodings_.size() - done_) >= room_)
            encodings_[done_++].wait();
    }

    int room_;  // pictures that may wait to be encoded
    std::vector<std::shared_future<QByteArray>> encodings_;
    size_t done_ = 0;  // those before it are encoded
};

// The comparison's pages, as they are drawn: first and second compared at the flaps
// shown, the advantage shading as asked; the refresh's error on one line.
void Compare(ComparisonPages &pages, const AircraftPtr &first, const AircraftPtr &second, FlapSet shown, bool advantage)
{
    pages.SetAdvantageShown(advantage);
    try {
        pages.SetComparison(first, second, shown);
    } catch (const VarnelError &error) {
        // The box's text, which names the aircraft, file and row, on one line.
        throw VarnelError(OneLineErrorText(error.message()));
    }
}

// The caption of the comparison's pictures (each sets its page's name); its band is
// on where asked and the height leaves room for it.
PictureCaption CaptionOf(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown, const PictureOptions &options)
{
    PictureCaption caption;
    caption.first = first ? first->name : QString();
    caption.second = second ? second->name : QString();
    caption.flaps = shown;
    caption.band = options.caption && CaptionBandHeightFor(options.size.height()) > 0;
    return caption;
}

// The pages that go into pictures, in tab order.
QVector<std::pair<const PageDef *, QWidget *>> PicturedPages(const ComparisonPages &pages)
{
    QVector<std::pair<const PageDef *, QWidget *>> pictured;
    for (const auto &entry : pages.Pages())
        if (entry.first->inPictures)
            pictured.push_back(entry);
    return pictured;
}

// A page drawn into PNG pixels, its charts' buffers freed once it is drawn.
QImage PagePixels(QWidget *page, double scale, const PictureCaption &caption)
{
    const QList<TChart *> charts = ChartsOf(page);
    DrawWithoutReadOutBuffer(charts);
    QImage image = RenderPixels(page, charts, scale, &caption);
    ReleaseBuffers(charts);
    return image;
}
}  // namespace

namespace {
// The pictures of the pages, drawn by a pages widget of their own, which goes once they
// are drawn, while the last PNGs are still being encoded into `encoded` (their bytes
// are left empty here).
QList<Picture> DrawPages(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown, const PictureOptions &options,
                         PngQueue &encoded)
{
    ComparisonPages pages(options.view);
    Compare(pages, first, second, shown, options.advantage);
    // Each page is lifted out of the page control, which would size it to its own
    // area, and drawn at the size asked for, less the caption's band; it keeps the
    // pages' font and palette.
    PictureCaption caption = CaptionOf(first, second, shown, options);
    const QSize pageSize = options.size - QSize(0, BandOf(&caption));
    const bool png = options.format == QLatin1String("png");
    QList<Picture> pictures;
    const auto pictured = PicturedPages(pages);
    for (const auto &[row, page] : pictured) {
        caption.page = pages.tabText(pages.indexOf(page));  // before the page leaves its tab
        LayOutPage(page, &pages, pageSize);
        pictures.append({row->slug + QLatin1Char('.') + options.format, {}});
        if (!png) {
            for (TChart *chart : ChartsOf(page))
                chart->SetVectorOnly();
            pictures.last().bytes = RenderPicture(page, options.format, options.scale, &caption);
        } else if (page != pictured.last().second) {
            encoded.Add(PagePixels(page, options.scale, caption), CaptionMetadata(caption));
        } else {  // the last one here, in halves, while those before it are still being encoded
            encoded.AddHere(PagePixels(page, options.scale, caption), CaptionMetadata(caption), 2);
        }
    }
    return pictures;
}
}  // namespace

QList<Picture> DrawComparison(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown,
                              const PictureOptions &options)
{
    PngQueue encoded((QSizeF(options.size) * options.scale).toSize());
    QList<Picture> pictures = DrawPages(first, second, shown, options, encoded);
    if (options.format == QLatin1String("png")) {
        const QList<QByteArray> bytes = encoded.Bytes();
        for (qsizetype i = 0; i < pictures.size(); ++i)
            pictures[i].bytes = bytes[i];
    }
    return pictures;
}
