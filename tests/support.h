#pragma once
// Helpers shared by the tests: writing data files, catching the program's error text,
// and (in the tests that link the widgets) reading captions out of a tree.
#include "bench/bench_files.h"
#include "core/error.h"

#include <QString>
#include <QStringList>

#include <functional>

// The message of the error that call raises; empty when it raises none.
inline QString ErrorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const VarnelError &e) {
        return e.message();
    }
    return QString();
}

#ifdef QT_WIDGETS_LIB
#include <QImage>
#include <QTreeWidget>

// How many pixels of the image have exactly this colour.
inline int PixelsOf(const QImage &image, QRgb colour)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

// The captions of a tree's roots, in tree order.
inline QStringList RootCaptions(const QTreeWidget *tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        out << tree->topLevelItem(i)->text(0);
    return out;
}

// The captions of an item's children, in tree order.
inline QStringList ChildCaptions(const QTreeWidgetItem *item)
{
    QStringList out;
    for (int i = 0; i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

// The first root captioned name, or nullptr.
inline QTreeWidgetItem *FindRoot(const QTreeWidget *tree, const QString &name)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0) == name)
            return tree->topLevelItem(i);
    return nullptr;
}
#endif
