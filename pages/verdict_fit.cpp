#include "pages/verdict_fit.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QTableWidget>

namespace {
constexpr int kSmallest = 7;  // pixels of a picture are its points

void SetTextSize(QWidget *content, int pixels)
{
    QFont font = content->font();
    font.setPixelSize(pixels);
    content->setFont(font);
    for (QWidget *child : content->findChildren<QWidget *>()) {
        QFont f = child->font();
        f.setPixelSize(pixels);
        child->setFont(f);
    }
    for (QTableWidget *table : content->findChildren<QTableWidget *>()) {
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
        table->horizontalHeader()->setFixedHeight(table->fontMetrics().height() + 6);
        table->resizeColumnsToContents();
        table->updateGeometry();
    }
    content->layout()->invalidate();
    content->layout()->activate();
}

// The height the content asks for at the page's width (the sentences wrap).
int NeededHeight(QWidget *content, int width)
{
    QLayout *layout = content->layout();
    return layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : layout->totalSizeHint().height();
}

// The widgets of the page in their order, the tables' rows included.
QList<QWidget *> InOrder(QWidget *content)
{
    QList<QWidget *> out;
    for (int i = 0; i < content->layout()->count(); ++i)
        if (QWidget *w = content->layout()->itemAt(i)->widget())
            out << w;
    return out;
}
}  // namespace

void FitVerdictContent(QWidget *content, QSize size)
{
    const int height = size.height();
    int pixels = content->font().pixelSize() > 0 ? content->font().pixelSize() : 11;
    content->layout()->activate();
    while (NeededHeight(content, size.width()) > height && pixels > kSmallest)
        SetTextSize(content, --pixels);
    if (NeededHeight(content, size.width()) <= height)
        return;
    // Still too long: whole rows left out from the end, under a line that says so.
    auto *more = new QLabel(QCoreApplication::translate("Varnel", "… продолжение в отчете (varnel --report)"), content);
    more->setObjectName(QStringLiteral("lbl_Continued"));
    QFont italic = more->font();
    italic.setItalic(true);
    more->setFont(italic);
    static_cast<QBoxLayout *>(content->layout())->insertWidget(content->layout()->count() - 1, more);
    content->layout()->activate();
    const QList<QWidget *> widgets = InOrder(content);
    const auto relayOut = [content](QWidget *changed) {
        changed->updateGeometry();
        content->layout()->invalidate();
        content->layout()->activate();
    };
    for (qsizetype i = widgets.size() - 1; i >= 0 && NeededHeight(content, size.width()) > height; --i) {
        auto *table = qobject_cast<QTableWidget *>(widgets[i]);
        if (widgets[i]->objectName() == QLatin1String("lbl_Verdict") && !widgets[i]->isHidden()) {
            widgets[i]->hide();  // the sentences, when not even the tables' first rows fit
            relayOut(widgets[i]);
        }
        if (!table || table->isHidden())
            continue;
        int rows = table->rowCount();
        while (rows > 0 && NeededHeight(content, size.width()) > height) {
            table->setRowHidden(--rows, true);
            relayOut(table);
        }
        if (rows == 0 || NeededHeight(content, size.width()) > height) {
            table->hide();
            if (i > 0)
                widgets[i - 1]->hide();  // its title
            relayOut(table);
        }
    }
}
