#include "app/export.h"

#include "app/application.h"
#include "app/comparison_pages.h"
#include "app/named_crafts.h"
#include "app/picture_files.h"
#include "app/png_writer.h"
#include "catalogue/scan.h"
#include "core/error.h"
#include "presentation/chart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QResizeEvent>
#include <QSaveFile>
#include <QSvgGenerator>

#include <filesystem>
#include <future>
#include <memory>
#include <system_error>
#include <vector>

const QStringList &PageSlugs()
{
    static const QStringList slugs = {"overview",  "speed-by-altitude", "climb-by-altitude",
                                      "climb-at-speed", "turn-time",   "turn-rate"};
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
// The widget drawn into a picture of `scale` device pixels per pixel, its charts drawn
// anew into buffers of that ratio.
QImage RenderPixels(QWidget *widget, const QList<TChart *> &charts, double scale)
{
    DrawCharts(charts, scale);
    QPixmap pixmap((QSizeF(widget->size()) * scale).toSize());
    if (pixmap.isNull())
        throw VarnelError(QStringLiteral("Cannot draw a picture of %1 x %2 pixels").arg(pixmap.width()).arg(pixmap.height()));
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    widget->render(&pixmap, QPoint(), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    return pixmap.toImage();
}
}  // namespace

QImage GrabPicture(QWidget *widget, double scale)
{
    const QList<TChart *> charts = ChartsOf(widget);
    QImage image = RenderPixels(widget, charts, scale);
    // Back to the screen's ratio for the window's own painting.
    for (TChart *chart : charts) {
        if (chart->bufferDevicePixelRatio() != chart->devicePixelRatioF()) {
            chart->setBufferDevicePixelRatio(chart->devicePixelRatioF());
            chart->replot(QCustomPlot::rpQueuedReplot);
        }
    }
    return image;
}

namespace {

// Each chart through QCustomPlot's own painter path, so lines stay lines and text
// stays text, with its frame, at its place in the widget.
void PaintVector(QWidget *widget, QPaintDevice *device)
{
    const QList<TChart *> charts = ChartsOf(widget);
    DrawCharts(charts, 0);
    QCPPainter painter(device);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    for (TChart *chart : charts) {
        painter.save();
        painter.translate(chart == widget ? QPoint() : chart->mapTo(widget, QPoint()));
        chart->toPainter(&painter);
        chart->DrawFrame(painter);
        painter.restore();
    }
}

}  // namespace

namespace {

}  // namespace

QByteArray RenderPicture(QWidget *widget, const QString &format, double scale)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = widget->size();
    if (format == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(), size));
        svg.setTitle(ApplicationTitle());
        PaintVector(widget, &svg);
        return XmlSafe(bytes);
    } else if (format == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(ApplicationTitle());
        pdf.setResolution(72);  // a pixel of the window is a point of the page
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        PaintVector(widget, &pdf);
    } else {
        return EncodePng(GrabPicture(widget, scale));
    }
    return bytes;
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

// A picture encoded while the next is drawn, when two pictures of this size are few
// enough bytes to hold at once.
constexpr qint64 OverlapLimit = qint64(64) << 20;
}  // namespace

QList<Picture> DrawComparison(const CraftRecord *first, const CraftRecord *second,
                              const std::array<bool, 4> &flapShown, const QString &format, QSize size,
                              double scale, bool advantage)
{
    ComparisonPages pages;
    pages.SetAdvantageShown(advantage);
    SelectedAircraft craft[2];
    const SelectedAircraft *chosen[2] = {nullptr, nullptr};
    const CraftRecord *records[2] = {first, second};
    for (int i = 0; i < 2; ++i)
        if (records[i]) {
            craft[i] = {records[i]->name, &records[i]->tables};
            chosen[i] = &craft[i];
        }
    try {
        pages.SetComparison(chosen[0], chosen[1], flapShown);
    } catch (const VarnelError &error) {
        // The box's text, which names the aircraft, file and row, on one line.
        throw VarnelError(ErrorBoxText(error.message()).replace(QLatin1Char('\n'), QStringLiteral(" (")) +
                          (error.message().contains(QLatin1Char('\n')) ? QStringLiteral(")") : QString()));
    }

    // Each page is lifted out of the page control, which would size it to its own
    // area, and drawn at the size asked for; it keeps the pages' font and palette.
    const bool png = format == QLatin1String("png");
    const QSize pixels = (QSizeF(size) * scale).toSize();
    const bool overlap = qint64(pixels.width()) * pixels.height() * 4 * 2 <= OverlapLimit;
    QList<QWidget *> pageList;
    for (int i = 0; i < pages.PageCount(); ++i)
        pageList.append(pages.Page(i));
    QList<Picture> pictures;
    std::future<QByteArray> encoding;  // the previous page's PNG
    for (int i = 0; i < pageList.size(); ++i) {
        QWidget *page = pageList[i];
        page->setParent(&pages);
        page->setGeometry(QRect(QPoint(), size));
        SendPendingResize(page);
        page->layout()->setGeometry(QRect(QPoint(), size));
        const QString name = PageSlugs().value(i) + QLatin1Char('.') + format;
        if (!png) {
            pictures.append({name, RenderPicture(page, format, scale)});
            continue;
        }
        const QList<TChart *> charts = ChartsOf(page);
        DrawWithoutReadOutBuffer(charts);
        QImage image = RenderPixels(page, charts, scale);
        ReleaseBuffers(charts);
        if (encoding.valid())
            pictures.last().bytes = encoding.get();
        pictures.append({name, {}});
        if (overlap)
            encoding = std::async(std::launch::async, [image = std::move(image)] { return EncodePng(image); });
        else
            pictures.last().bytes = EncodePng(image);
    }
    if (encoding.valid())
        pictures.last().bytes = encoding.get();
    return pictures;
}

ExportOutcome RunExport(const ExportOptions &options, const QString &dataDir)
{
    ExportOutcome outcome;
    try {
        const NamedCrafts crafts = ReadNamedCrafts(dataDir, options.first, options.second);
        const QList<Picture> pictures =
            DrawComparison(crafts.first ? &*crafts.first : nullptr, crafts.second ? &*crafts.second : nullptr,
                           options.flapShown, options.format, options.size, options.scale, options.advantage);
        outcome.written = WritePictures(options.outDir, pictures);
    } catch (const VarnelError &error) {
        outcome.exitCode = 1;
        outcome.error = QStringLiteral("varnel: ") + error.message();
    }
    return outcome;
}
