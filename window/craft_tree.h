#pragma once
// An aircraft tree of the main window: its look, the rule that lets only aircraft be
// selected, the tool tips of items too wide to be seen, and the items built from the
// catalogue's aircraft records.
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <functional>

#include "catalogue/node_data.h"

struct CraftRecord;

// An aircraft's root item; it owns the aircraft's tables.
class CraftItem : public QTreeWidgetItem {
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;
    // The root with its armament node and six summary children; it takes its own copy
    // of the record's tables.
    explicit CraftItem(const CraftRecord &craft);

    TNodeData data;
};

// The tables of an aircraft root item; nullptr for any other item.
const TNodeData *NodeDataOf(const QTreeWidgetItem *item);
// The summary captions shown under an aircraft root item, in tree order.
QStringList SummaryOf(const QTreeWidgetItem *item);

class CraftTree : public QTreeWidget {
    Q_OBJECT
public:
    // The tree named `name`, its text drawn in textColor.
    CraftTree(const QString &name, const QColor &textColor, QWidget *parent);

    // Asked before an item becomes selected, by mouse and keyboard alike; a refused
    // change leaves the selection as it was and signals nothing. An error raised in it
    // is reported and refuses the change.
    using SelectionFilter = std::function<bool(const QTreeWidgetItem *item)>;
    void SetSelectionFilter(SelectionFilter allow);

    // Appends the aircraft's root item.
    void AddCraft(const CraftRecord &craft);

    // The selected item, or nullptr. The current item may stand on a child the filter
    // refused, so this reads the selection.
    QTreeWidgetItem *SelectedCraft() const;

protected:
    bool viewportEvent(QEvent *event) override;

private:
    friend class CraftSelectionModel;
    bool allows(const QModelIndex &index) const;

    SelectionFilter allow_;
};
