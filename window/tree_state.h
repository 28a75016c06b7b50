#pragma once
// The state of an aircraft tree kept over a reload of the data folder and between
// runs: the aircraft chosen in it and its expanded nodes, by their texts.
#include <QStringList>

class CraftTree;
class QString;
class QTreeWidget;

// Chooses the aircraft listed under name in tree; false when it is not listed.
bool ChooseCraft(CraftTree *tree, const QString &name);

// The expanded items of a tree, each by the texts from its root down.
QStringList ExpandedNodes(const QTreeWidget *tree);
// Expands the items of a tree that are named so; names not found are passed over.
void ExpandNodes(QTreeWidget *tree, const QStringList &nodes);
