#include "window/images.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

namespace {
QImage blank(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

QImage flapBars(int dotted, bool dark)
{
    QImage img = blank(16);
    // Navy, as designed; on a dark toolbar a light blue that stands out from it.
    const QRgb navy = dark ? qRgb(150, 180, 255) : qRgb(0, 0, 128);
    const int columns[4] = {3, 6, 9, 12};
    for (int bar = 0; bar < 4; ++bar)
        for (int row = 3; row <= 12; ++row)
            if (bar != dotted || row % 2 == 0)
                img.setPixel(columns[bar], row, navy);
    return img;
}

QImage openDoor()
{
    QImage img = blank(16);
    QPainter p(&img);
    // Door frame: a dark outline with the dark opening inside.
    p.fillRect(3, 1, 10, 14, QColor(40, 40, 40));
    p.fillRect(4, 2, 8, 13, QColor(20, 20, 60));
    // The door leaf swung open towards the viewer.
    const QPolygon leaf({QPoint(4, 2), QPoint(9, 4), QPoint(9, 15), QPoint(4, 14)});
    p.setPen(QColor(90, 50, 10));
    p.setBrush(QColor(200, 130, 50));
    p.drawPolygon(leaf);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 60));
    p.drawRect(7, 8, 1, 1);
    // Threshold.
    p.fillRect(2, 15, 12, 1, QColor(80, 80, 80));
    return img;
}
QImage openFolder()
{
    QImage img = blank(16);
    QPainter p(&img);
    const QColor outline(130, 90, 0);
    // The back of the folder with its tab.
    p.setPen(outline);
    p.setBrush(QColor(230, 180, 40));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 13), QPoint(1, 13)}));
    // The front flap, opened forward.
    p.setBrush(QColor(255, 225, 110));
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(12, 13), QPoint(1, 13)}));
    return img;
}

QImage reloadArrows()
{
    QImage img = blank(16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor green(0, 120, 40);
    p.setPen(QPen(green, 2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    // Two arcs of one circle, each ending in an arrow head, turning clockwise.
    const QRectF circle(2.5, 2.5, 11, 11);
    p.drawArc(circle, 100 * 16, 140 * 16);
    p.drawArc(circle, 280 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPolygon(QPolygonF({QPointF(8.5, 0.5), QPointF(12.5, 3), QPointF(8.5, 5.5)}));
    p.drawPolygon(QPolygonF({QPointF(7.5, 10.5), QPointF(3.5, 13), QPointF(7.5, 15.5)}));
    return img;
}

QImage menuLines(bool dark)
{
    // Three lines over a small arrow pointing down: a menu opens here.
    QImage img = blank(16);
    QPainter p(&img);
    const QColor ink = dark ? QColor(220, 220, 220) : QColor(40, 40, 40);
    for (int y : {2, 5, 8})
        p.fillRect(2, y, 12, 2, ink);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygon({QPoint(5, 11), QPoint(11, 11), QPoint(8, 14)}));
    return img;
}

QImage crossingLines()
{
    QImage img = blank(16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    // The blue line runs from the upper left to the lower right, the red one across it.
    p.setBrush(QColor(150, 170, 255));
    p.drawPolygon(QPolygonF({QPointF(1, 2), QPointF(8, 8), QPointF(1, 14)}));
    p.setBrush(QColor(255, 160, 160));
    p.drawPolygon(QPolygonF({QPointF(15, 2), QPointF(8, 8), QPointF(15, 14)}));
    p.setPen(QPen(QColor(0, 0, 255), 1.5));
    p.drawLine(QPointF(1, 2), QPointF(15, 14));
    p.setPen(QPen(QColor(255, 0, 0), 1.5));
    p.drawLine(QPointF(1, 14), QPointF(15, 2));
    return img;
}
// Two chevrons pointing right (the toolbar laid out in a row) or down, in the
// button text's colour.
QImage doubleChevron(bool down, const QColor &colour)
{
    QImage img = blank(16);
    for (int chevron = 0; chevron < 2; ++chevron)
        for (int i = 0; i < 4; ++i) {
            const int along = 4 + 4 * chevron + i, across[2] = {4 + i, 11 - i};
            for (int y : across)
                down ? img.setPixel(y, along, colour.rgba()) : img.setPixel(along, y, colour.rgba());
        }
    return img;
}

class WindowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton) {
            const QPalette palette = widget ? widget->palette() : standardPalette();
            return QIcon(QPixmap::fromImage(
                doubleChevron(which == SP_ToolBarVerticalExtensionButton, palette.color(QPalette::ButtonText))));
        }
        return QProxyStyle::standardIcon(which, option, widget);
    }
};
}  // namespace

QStyle *NewWindowStyle()
{
    // Over the style the application has chosen (the platform's, or one named by -style
    // or QT_STYLE_OVERRIDE).
    const QString chosen = QApplication::style()->name();
    return new WindowStyle(chosen.isEmpty() ? nullptr : QStyleFactory::create(chosen));
}

QImage ToolbarPicture(int index, bool dark)
{
    if (index >= 0 && index < 4)
        return flapBars(index, dark);
    if (index == 8)
        return menuLines(dark);
    if (index == 5)
        return openFolder();
    if (index == 6)
        return reloadArrows();
    if (index == 7)
        return crossingLines();
    return openDoor();
}

bool IsDarkPalette(const QPalette &palette) { return palette.color(QPalette::Button).lightness() < 128; }

QImage WindowIconImage(int size)
{
    QImage img = blank(size);
    QPainter p(&img);
    p.scale(size / 32.0, size / 32.0);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Board.
    p.setPen(QColor(90, 55, 20));
    p.setBrush(QColor(170, 110, 50));
    p.drawRect(4, 3, 22, 27);
    // Sheet of paper with ruled lines.
    p.setPen(QColor(120, 120, 120));
    p.setBrush(Qt::white);
    p.drawRect(7, 7, 16, 20);
    p.setPen(QColor(120, 150, 220));
    for (int y = 11; y <= 24; y += 3)
        p.drawLine(9, y, 21, y);
    // Clip.
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(190, 190, 200));
    p.drawRect(11, 1, 8, 5);
    // Pencil lying across the sheet.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(230, 180, 20), 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(28, 12), QPointF(16, 26));
    p.setPen(QPen(QColor(60, 40, 20), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16.5, 25.5), QPointF(14.5, 28));
    return img;
}
