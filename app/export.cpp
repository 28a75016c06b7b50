#include "app/export.h"

#include "app/application.h"
#include "app/craft_tree.h"
#include "app/flap_button.h"
#include "app/main_window.h"
#include "app/named_crafts.h"
#include "app/picture_files.h"
#include "app/png.h"
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
#include <QSignalBlocker>
#include <QSvgGenerator>
#include <QTabWidget>

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

QImage GrabPicture(QWidget *widget, double scale)
{
    const QList<TChart *> charts = ChartsOf(widget);
    DrawCharts(charts, scale);
    QPixmap pixmap((QSizeF(widget->size()) * scale).toSize());
    if (pixmap.isNull())
        throw VarnelError(QStringLiteral("Cannot draw a picture of %1 x %2 pixels").arg(pixmap.width()).arg(pixmap.height()));
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    widget->render(&pixmap, QPoint(), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    // Back to the screen's ratio for the window's own painting.
    for (TChart *chart : charts) {
        if (chart->bufferDevicePixelRatio() != chart->devicePixelRatioF()) {
            chart->setBufferDevicePixelRatio(chart->devicePixelRatioF());
            chart->replot(QCustomPlot::rpQueuedReplot);
        }
    }
    return pixmap.toImage();
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

void Select(CraftTree *tree, const QString &name)
{
    const QSignalBlocker quiet(tree->selectionModel());
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0) == name) {
            tree->selectionModel()->select(tree->model()->index(i, 0), QItemSelectionModel::ClearAndSelect);
            return;
        }
}
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

QList<Picture> DrawComparison(const CraftRecord *first, const CraftRecord *second,
                              const std::array<bool, 4> &flapShown, const QString &format, QSize size,
                              double scale)
{
    Tfrm_Main window;
    window.SkipCatalogueScan();
    // The aircraft go into both trees, as the scan puts them there.
    for (const CraftRecord *craft : {first, second}) {
        if (!craft || (craft == second && first && first->name == second->name))
            continue;
        window.tree_Crafts_1->AddCraft(*craft);
        window.tree_Crafts_2->AddCraft(*craft);
    }
    if (first)
        Select(window.tree_Crafts_1, first->name);
    if (second)
        Select(window.tree_Crafts_2, second->name);
    TMarkButton *buttons[4] = {window.btn_Turn1, window.btn_Turn2, window.btn_Turn3, window.btn_Turn4};
    for (int i = 0; i < 4; ++i)
        buttons[i]->SetMarked(!flapShown[i]);

    try {
        window.SetDataForChart();
    } catch (const VarnelError &error) {
        // The box's text, which names the aircraft, file and row, on one line.
        throw VarnelError(ErrorBoxText(error.message()).replace(QLatin1Char('\n'), QStringLiteral(" (")) +
                          (error.message().contains(QLatin1Char('\n')) ? QStringLiteral(")") : QString()));
    }

    // Each page is lifted out of the page control, which would size it to its own
    // area, and drawn at the size asked for; it keeps the window's font and palette.
    const QString suffix = QLatin1Char('.') + format;
    QList<Picture> pictures;
    QList<QImage> images;
    QList<QWidget *> pages;
    for (int i = 0; i < PageSlugs().size(); ++i)
        pages.append(window.pages_Charts->widget(i));
    for (int i = 0; i < pages.size(); ++i) {
        QWidget *page = pages[i];
        page->setParent(&window);
        page->setGeometry(QRect(QPoint(), size));
        SendPendingResize(page);
        page->layout()->setGeometry(QRect(QPoint(), size));
        if (format == QLatin1String("png"))
            images.append(GrabPicture(page, scale));
        else
            pictures.append({PageSlugs()[i] + suffix, RenderPicture(page, format, scale)});
    }
    // The PNG pictures are encoded side by side, one thread each.
    std::vector<std::future<QByteArray>> encoded;
    for (const QImage &image : std::as_const(images))
        encoded.push_back(std::async(std::launch::async, EncodePng, image));
    for (int i = 0; i < int(encoded.size()); ++i)
        pictures.append({PageSlugs()[i] + suffix, encoded[i].get()});
    return pictures;
}

ExportOutcome RunExport(const ExportOptions &options, const QString &dataDir)
{
    ExportOutcome outcome;
    try {
        const NamedCrafts crafts = ReadNamedCrafts(dataDir, options.first, options.second);
        const QList<Picture> pictures =
            DrawComparison(crafts.first ? &*crafts.first : nullptr, crafts.second ? &*crafts.second : nullptr,
                           options.flapShown, options.format, options.size, options.scale);
        outcome.written = WritePictures(options.outDir, pictures);
    } catch (const VarnelError &error) {
        outcome.exitCode = 1;
        outcome.error = QStringLiteral("varnel: ") + error.message();
    }
    return outcome;
}
