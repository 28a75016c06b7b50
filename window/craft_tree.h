#pragma once
// An aircraft tree of the main window: its look, the rule that lets only aircraft be
// selected, the tool tips of items too wide to be seen, and the items built from the
// catalogue's aircraft values.
#include <QElapsedTimer>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <chrono>
#include <functional>

#include "catalogue/aircraft.h"
#include "catalogue/scan.h"

// What an aircraft's root item holds: the aircraft's value, shared by both trees and
// named by the item's caption.
struct TNodeData {
    AircraftPtr aircraft;
};

// An aircraft's root item.
class CraftItem : public QTreeWidgetItem {
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;
    // The root with its armament node and six summary children.
    explicit CraftItem(const AircraftPtr &craft);
    // A copy of shown with its captions, for the other tree: the same aircraft, its
    // captions written once.
    explicit CraftItem(const CraftItem &shown);
    // An edited caption renames the aircraft: the charts and messages use the new name.
    void setData(int column, int role, const QVariant &value) override;

    TNodeData data;
};

// What an aircraft root item holds (each item its own); nullptr for any other item.
const TNodeData *NodeDataOf(const QTreeWidgetItem *item);
// The aircraft of an aircraft root item; null for any other item.
AircraftPtr AircraftOf(const QTreeWidgetItem *item);

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
    void AddCraft(const AircraftPtr &craft);
    // Writes every aircraft's captions under its name again, in the language and units
    // shown now.
    void Recaption();

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

// A scan shown in two trees, each aircraft listed in both. Until the window has been on
// screen at a turn of events each goes in as it arrives, so its first paint shows all
// that was read; after that the trees take those listed since their last batch in one
// go at most every kBatchInterval, and the rest when the scan finishes, so they lay out
// and repaint once per batch, not at every turn of events the scan lets run.
class TreesFill : public ScanProgress {
public:
    static constexpr std::chrono::milliseconds kBatchInterval{100};
    TreesFill(CraftTree &first, CraftTree &second) : trees_{&first, &second} {}
    void Listed(const AircraftPtr &craft) override;
    void Finished(int count) override;
    void LetEventsRun() override;

private:
    // Puts the aircraft listed since the last batch into both trees.
    void showListed();

    CraftTree *trees_[2];
    QList<AircraftPtr> listed_;  // not in the trees yet
    bool painted_ = false;       // the window has been on screen at a turn of events
    QElapsedTimer sinceBatch_;
};
