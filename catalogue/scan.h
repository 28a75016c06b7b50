#pragma once
// The catalogue scan: every aircraft of DataSpeed read into its value (catalogue/aircraft),
// handed on in name order. Turning them into tree items is the window's business.
#include "catalogue/catalogue.h"

#include <QList>

#include <chrono>
#include <functional>

// The aircraft name of a DataSpeed entry: its name up to the first "_speed".
FileName CraftNameOf(const FileName &entryName);

// Sorts names as people sort them: letter case ignored, numbers by their value (v2
// before v10); names equal but for case keep a fixed order.
void SortNatural(QList<QByteArray> &names);

// The "*.txt" entries of DataSpeed (hidden ones too) with the bytes the directory
// listing gave, in natural order of their shown names. Raises "File not found." with a
// second line naming the DataSpeed folder when it is missing or can't be read.
QList<QByteArray> ListSpeedEntries(const DataPaths &paths);

// What a scan says as it goes, for whoever shows it: the window's status bar and trees.
class ScanProgress {
public:
    virtual ~ScanProgress() = default;
    // The scan has begun.
    virtual void Started() {}
    // The aircraft of this DataSpeed entry (its file name as shown) is read now.
    virtual void Reading(const QString &entry) { Q_UNUSED(entry); }
    // An aircraft was read whole: listed next, after those listed before it.
    virtual void Listed(const AircraftPtr &craft) { Q_UNUSED(craft); }
    // The scan has ended with count aircraft listed (none when DataSpeed can't be listed).
    virtual void Finished(int count) { Q_UNUSED(count); }
    // Pending events may run now: whatever runs sees only complete aircraft.
    virtual void LetEventsRun() {}
};

struct ScanHooks {
    ScanProgress *progress = nullptr;  // none: the scan says nothing as it goes
    // For the data check: every aircraft once read, before it is listed: its value (null
    // when reading failed), what reading saw (its tables read to their ends), and the
    // failure's message (empty when it read).
    std::function<void(const FileName &name, const AircraftPtr &craft, const AircraftReading &reading,
                       const QString &failure)>
        checkCraft;
    // Pending events run at three points per aircraft (once after its entry name is
    // shown, twice once it is listed), but only where at least this long has passed
    // since they last ran: a repaint of both trees after every aircraft would cost
    // more than the reading itself. Zero runs them at every point.
    std::chrono::milliseconds pumpInterval{16};
};

// The whole catalogue of a data folder: every aircraft of DataSpeed read, in the trees'
// order, each handed to the progress whole before the next one is read. An aircraft
// whose files fail (running out of memory included) is kept with its failure and the
// scan goes on. Raises only when DataSpeed can't be listed, after saying the scan
// finished with none.
Catalogue ReadCatalogue(const DataPaths &paths, const ScanHooks &hooks = {});
