#pragma once
// The catalogue scan: every aircraft of DataSpeed read into a plain record (its
// armament, its summary captions and its tables), handed on in name order. Turning the
// records into tree items is the window's business.
#include "catalogue/node_data.h"

#include <QList>

#include <chrono>
#include <functional>

// At most about this many nodes (groups and items) stand under an aircraft's armament
// node; past them a last node tells how many rows or items are not shown, so a huge
// armament file costs neither memory nor time in the trees.
constexpr qsizetype kMaxArmamentNodes = 2000;

// One row of an armament file as the tree shows it: the group's caption (with its
// ":") and the captions of its items (each with its ";").
struct WeaponRowCaptions {
    QString group;
    QStringList items;
};
// row: the row's text; index: its row number counted from 0 over all rows. At most
// maxItems items are taken; past them one more item tells how many are not shown.
WeaponRowCaptions SplitWeaponRow(QStringView row, int index, qsizetype maxItems = kMaxArmamentNodes);

// The caption of the armament node, the first child of an aircraft.
QString ArmamentCaption();

// Everything the trees show of one aircraft, and its tables.
struct CraftRecord {
    QString name;                      // the caption of its root
    QList<WeaponRowCaptions> armament; // the groups under the armament node, in file order
    QStringList summary;               // the six summary captions, in tree order
    TNodeData tables;
};

// Reads one aircraft, named by the bytes of its file names: its armament file (none: no
// groups; skipped where nothing shows it), its six summary values and its tables.
// Raises when one of its files can't be read or a summary value is not a number.
enum class Armament { Read, Skip };
CraftRecord ReadCraft(const DataPaths &paths, const FileName &name, Armament armament = Armament::Read);

// The aircraft name of a DataSpeed entry: its name up to the first "_speed".
FileName CraftNameOf(const FileName &entryName);

// Sorts names as people sort them: letter case ignored, numbers by their value (v2
// before v10); names equal but for case keep a fixed order.
void SortNatural(QList<QByteArray> &names);

// The "*.txt" entries of DataSpeed (hidden ones too) with the bytes the directory
// listing gave, in natural order of their shown names. Raises "File not found." with a
// second line naming the DataSpeed folder when it is missing or can't be read.
QList<QByteArray> ListSpeedEntries(const DataPaths &paths);

struct ScanHooks {
    std::function<void(int panel, const QString &text)> setPanel;
    std::function<void()> processEvents;
    // Lists one complete aircraft (in both trees).
    std::function<void(const CraftRecord &craft)> addCraft;
    // Pending events run at three points per aircraft (once after its entry name is
    // shown, twice once it is listed), but only where at least this long has passed
    // since they last ran: a repaint of both trees after every aircraft would cost
    // more than the reading itself. Zero runs them at every point.
    std::chrono::milliseconds pumpInterval{16};
};

// Reads every aircraft of DataSpeed and hands each to addCraft, whole, before the next
// one is read. An aircraft whose files fail (running out of memory included) is left
// out and the scan goes on; at the end one error lists the failures. Gives the number of
// aircraft listed. The status ends as "crafts loaded: N" also when DataSpeed can't be
// listed.
int ScanCatalogue(const DataPaths &paths, const ScanHooks &hooks);
