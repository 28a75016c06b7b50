#include "app/session_state.h"

#include "app/craft_tree.h"
#include "app/flap_button.h"
#include "app/main_window.h"

#include <QDir>
#include <QSet>
#include <QSettings>
#include <QTabWidget>

namespace {
// The same file as the recent folders: ~/.config/varnel/varnel.conf.
QSettings Settings() { return QSettings(QStringLiteral("varnel"), QStringLiteral("varnel")); }

const char *const kFlapButtons[] = {"btn_Turn1", "btn_Turn2", "btn_Turn3", "btn_Turn4"};
const char *const kTrees[] = {"tree_Crafts_1", "tree_Crafts_2"};
const QString kFolder = QStringLiteral("session/folder"), kGeometry = QStringLiteral("session/geometry"),
              kFlapsHidden = QStringLiteral("session/flapsHidden"), kPage = QStringLiteral("session/page"),
              kCrafts = QStringLiteral("session/aircraft");

QString FolderOf(const Tfrm_Main &window) { return QDir(window.DataFolder()).absolutePath(); }

template <class T>
T *Child(const Tfrm_Main &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

// The texts from the root down to item, one a line.
QString PathOf(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (; item; item = item->parent())
        texts.prepend(item->text(0));
    return texts.join(QLatin1Char('\n'));
}

// Every item of a tree, depth first.
template <class F>
void ForEachItem(QTreeWidgetItem *item, const F &f)
{
    for (int i = 0; i < item->childCount(); ++i) {
        f(item->child(i));
        ForEachItem(item->child(i), f);
    }
}
}  // namespace

void SaveSession(const Tfrm_Main &window)
{
    QSettings s = Settings();
    s.setValue(kFolder, FolderOf(window));
    s.setValue(kGeometry, window.saveGeometry());
    QString hidden;
    for (const char *name : kFlapButtons)
        hidden += Child<MarkButton>(window, name)->Marked() ? QLatin1Char('1') : QLatin1Char('0');
    s.setValue(kFlapsHidden, hidden);
    s.setValue(kPage, Child<QTabWidget>(window, "pages_Charts")->currentIndex());
    QStringList crafts;
    for (const char *name : kTrees) {
        const QTreeWidgetItem *item = Child<CraftTree>(window, name)->SelectedCraft();
        crafts << (item ? item->text(0) : QString());
    }
    s.setValue(kCrafts, crafts);
}

void RestoreSession(Tfrm_Main &window)
{
    const QSettings s = Settings();
    if (!s.contains(kGeometry))
        return;
    window.restoreGeometry(s.value(kGeometry).toByteArray());
    const QString hidden = s.value(kFlapsHidden).toString();
    if (hidden.size() == 4 && hidden.count(QLatin1Char('0')) + hidden.count(QLatin1Char('1')) == 4) {
        for (int i = 0; i < 4; ++i)
            Child<MarkButton>(window, kFlapButtons[i])->SetMarked(hidden[i] == QLatin1Char('1'));
        window.SetDataForChart();
    }
    auto *pages = Child<QTabWidget>(window, "pages_Charts");
    const int page = s.value(kPage, -1).toInt();
    if (page >= 0 && page < pages->count())
        pages->setCurrentIndex(page);
    if (s.value(kFolder).toString() != FolderOf(window))
        return;
    const QStringList crafts = s.value(kCrafts).toStringList();
    QObject::connect(
        &window, &Tfrm_Main::ScanEnded, &window,
        [&window, crafts] {
            for (int i = 0; i < 2 && i < crafts.size(); ++i)
                ChooseCraft(Child<CraftTree>(window, kTrees[i]), crafts[i]);
        },
        Qt::SingleShotConnection);
}

bool ChooseCraft(CraftTree *tree, const QString &name)
{
    for (int row = 0; !name.isEmpty() && row < tree->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = tree->topLevelItem(row);
        if (item->text(0) == name && NodeDataOf(item)) {
            tree->setCurrentItem(item);
            return true;
        }
    }
    return false;
}

QStringList ExpandedNodes(const QTreeWidget *tree)
{
    QStringList nodes;
    ForEachItem(tree->invisibleRootItem(), [&nodes](QTreeWidgetItem *item) {
        if (item->isExpanded())
            nodes << PathOf(item);
    });
    return nodes;
}

void ExpandNodes(QTreeWidget *tree, const QStringList &nodes)
{
    if (nodes.isEmpty())
        return;
    const QSet<QString> wanted(nodes.begin(), nodes.end());
    ForEachItem(tree->invisibleRootItem(), [&wanted](QTreeWidgetItem *item) {
        if (item->childCount() > 0 && wanted.contains(PathOf(item)))
            item->setExpanded(true);
    });
}
