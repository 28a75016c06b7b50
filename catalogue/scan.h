#pragma once
// The catalogue scan: every aircraft of DataSpeed, with its armament, its summary
// values and its tables, added to both aircraft trees.
#include "catalogue/node_data.h"

#include <QTreeWidgetItem>

#include <chrono>
#include <functional>
#include <memory>

class QTreeWidget;

// An aircraft's root item; it owns the aircraft's tables.
class TCraftItem : public QTreeWidgetItem {
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;
    explicit TCraftItem(const QString &name);

    std::unique_ptr<TNodeData> data;
};

// The tables of an aircraft root item; nullptr for any other item and for a root
// without tables.
const TNodeData *NodeDataOf(const QTreeWidgetItem *item);

// One row of an armament file as the tree shows it: the group's caption (with its
// ":") and the captions of its items (each with its ";").
struct WeaponRowCaptions {
    QString group;
    QStringList items;
};
// row: the row's text; index: its row number counted from 0 over all rows.
WeaponRowCaptions SplitWeaponRow(const QString &row, int index);

// Fills weaponNode with the groups and items of the armament file of the aircraft
// named by root's caption; adds nothing when there is no such file.
void AddWeaponNodes(const DataPaths &paths, QTreeWidgetItem *root, QTreeWidgetItem *weaponNode);

// A complete aircraft root (armament, six summary children, tables) for one tree.
// Raises when one of its files can't be read or a summary value is not a number.
std::unique_ptr<TCraftItem> BuildCraftItem(const DataPaths &paths, const QString &name);

// The aircraft name of a DataSpeed entry: its name up to the first "_speed".
QString CraftNameOf(const QString &entryName);

// The "*.txt" entries of DataSpeed (hidden ones too), sorted by name ignoring case.
// Raises "File not found" when DataSpeed is missing or can't be read.
QStringList ListSpeedEntries(const DataPaths &paths);

struct ScanHooks {
    std::function<void(int panel, const QString &text)> setPanel;
    std::function<void()> processEvents;
    // Pending events run at three points per aircraft (once after its entry name is
    // shown, twice once it is complete in both trees), but only where at least this
    // long has passed since they last ran: a repaint of both trees after every
    // aircraft would cost more than the reading itself. Zero runs them at every point.
    std::chrono::milliseconds pumpInterval{16};
};

// Lists every aircraft in both trees, complete in tree1 and then in tree2 before the
// next one. An aircraft whose files fail is left out and the scan goes on; at the end
// one error lists the failures. Gives the number of aircraft listed.
int ScanCatalogue(const DataPaths &paths, QTreeWidget *tree1, QTreeWidget *tree2, const ScanHooks &hooks);
