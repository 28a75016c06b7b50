#include "window/tree_state.h"

#include "window/craft_tree.h"

#include <QSet>

namespace {
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
