#include "pages/page_keys.h"

#include "pages/comparison_table.h"
#include "core/guard.h"

#include <QShortcut>
#include <QTabWidget>

namespace {
void addKey(QWidget *window, QKeySequence key, std::function<void()> action)
{
    auto *shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [action = std::move(action)] { Guarded(action); });
}
}  // namespace

QList<QKeySequence> PageNumberKeys()
{
    QList<QKeySequence> keys;
    for (qsizetype i = 0; i < ComparisonTable().size() && i < 9; ++i)
        keys << QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i));
    return keys;
}

void InstallPageKeys(QWidget *window, QTabWidget *pages, const std::function<void()> &quit)
{
    auto step = [pages](int by) {
        const int n = pages->count();
        if (n > 0)
            pages->setCurrentIndex((pages->currentIndex() + by + n) % n);
    };
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        addKey(window, key, [step] { step(1); });
    // Shift+Tab arrives as Backtab.
    for (const QKeySequence &key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        addKey(window, key, [step] { step(-1); });
    const QList<QKeySequence> numbers = PageNumberKeys();
    for (int i = 0; i < numbers.size(); ++i)
        addKey(window, numbers[i], [pages, i] {
            if (i < pages->count())
                pages->setCurrentIndex(i);
        });
    addKey(window, QKeySequence(Qt::CTRL | Qt::Key_Q), quit);
}
