#include "pages/page_tabs.h"

#include <QEvent>

#include <algorithm>
#include <numeric>

QVector<int> FairTabWidths(const QVector<int> &natural, int room, int least)
{
    const qsizetype n = natural.size();
    if (n == 0 || std::accumulate(natural.begin(), natural.end(), 0) <= room)
        return natural;
    // Water filling: the narrowest titles keep their width while they are under the
    // share of what is left; the rest share it equally.
    QVector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return natural[a] < natural[b]; });
    QVector<int> widths = natural;
    int left = room;
    for (qsizetype k = 0; k < n; ++k) {
        const int share = left / int(n - k);
        if (natural[order[k]] <= share) {
            left -= natural[order[k]];
            continue;
        }
        // This title and every wider one get the share; the first ones take the remainder
        // pixel by pixel, so the tabs fill the room exactly.
        int extra = left - share * int(n - k);
        for (qsizetype j = k; j < n; ++j, --extra)
            widths[order[j]] = std::max(least, share + (extra > 0 ? 1 : 0));
        break;
    }
    return widths;
}

void PageTabBar::measure() const
{
    natural_.resize(count());
    for (int i = 0; i < count(); ++i) {
        // A style may size the current tab apart from the others.
        Natural &n = natural_[i];
        const bool current = i == currentIndex();
        if (n.size.isValid() && n.text == tabText(i) && n.current == current)
            continue;
        n = {tabText(i), current, QTabBar::tabSizeHint(i)};
    }
    if (least_ < 0)
        least_ = fontMetrics().horizontalAdvance(QStringLiteral("W…")) + 16;
}

QSize PageTabBar::tabSizeHint(int index) const
{
    const QWidget *pages = parentWidget();
    if (!pages || index < 0 || index >= count())
        return QTabBar::tabSizeHint(index);
    measure();
    QVector<int> widths;
    for (const Natural &n : natural_)
        widths << n.size.width();
    QSize size = natural_[index].size;
    size.setWidth(FairTabWidths(widths, pages->width() - 4, least_)[index]);
    return size;
}

void PageTabBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        natural_.clear();
        least_ = -1;
    }
    QTabBar::changeEvent(event);
}

void PageTabBar::Reshare()
{
    // Setting the elide mode lays the tabs out again from their size hints.
    setElideMode(elideMode());
}
