#pragma once
// One aircraft, read from its files once into a value that never changes: what the
// trees show of it, its summary values as numbers, and its tables as curves of plain
// numbers. The trees, the charts, the verdict, the export and the command line all read
// this value; none of them reads a file or parses text again.
#include "catalogue/armament.h"
#include "catalogue/curves.h"
#include "catalogue/summaries.h"

#include <memory>
#include <vector>

struct Aircraft {
    QString name;       // as the trees show it
    FileName fileName;  // the bytes its files are named by
    QString speedFile, turnFile;  // the two tables' file names as shown, for the messages
    QList<WeaponRowCaptions> armament;  // the groups under the armament node, in file order
    std::vector<SummaryValue> summary;  // the six summary values, in tree order
    AltitudeProfiles altitude;  // from the speed file
    TurnCurves turn;            // from the turn file's table
};
using AircraftPtr = std::shared_ptr<const Aircraft>;

// An aircraft's four files.
enum class DataFile { Weapon, Craft, Turn, Speed };

// What reading an aircraft saw besides its value, for the data check: the lines of its
// files, every bad value of its tables after the first, and where reading failed.
struct AircraftReading {
    QStringList speedRows, turnRows, craftRows;
    bool hasCraftFile = false, hasTurnFile = false;
    LaterFailures laterSpeed, laterTurn;
    DataFile failedFile = DataFile::Weapon;  // the file read when reading raised
    ReadFailure failure;  // the error raised, before its second line said where (row kept)
    // For the check, when reading failed: the aircraft as far as it read (its tables
    // read all the same after a summary value failed), so their problems are listed too.
    std::shared_ptr<const struct Aircraft> unlisted;
};

// Reads one aircraft, named by the bytes of its file names: its armament file (none: no
// groups; skipped where nothing shows it), its craft file, its speed file and its turn
// file, each opened at most once. Raises when the speed or turn file can't be read or a
// summary value is not a number; a bad value in the tables is kept, not raised. With
// `reading`, the tables are read on to their ends, and what reading saw lands there.
enum class Armament { Read, Skip };
AircraftPtr ReadAircraft(const DataPaths &paths, const FileName &name, Armament armament = Armament::Read,
                         AircraftReading *reading = nullptr);
// The same from the tables' lines alone (no armament, no summary values).
AircraftPtr AircraftOfTables(const QString &name, const QStringList &speedRows, const QStringList &turnRows);

// The first error the aircraft's curves give at these flap settings, in the order the
// charts read them (speed file; then the turn file's climb, turn times and turn rates),
// located; none when they all read.
ReadFailure FirstFailure(const Aircraft &aircraft, FlapSet shown);
// The same before its second line: the error with its row and column, and its file.
struct TableFailure {
    VarnelError error;
    DataFile file;
};
std::optional<TableFailure> FirstTableFailure(const Aircraft &aircraft, FlapSet shown);
