#pragma once
// The data check: every problem of a data folder's files at once, each with where it
// stands. Errors are what the window would say, read by the same code as the charts;
// warnings are things that draw but are probably mistakes, each saying what the charts
// will do with them.
#include "catalogue/aircraft.h"
#include "catalogue/data_problem.h"
#include "catalogue/scan.h"

#include <QHash>
#include <QList>
#include <QSet>

struct DataCheckSummary {
    int errors = 0, warnings = 0, files = 0;
    int aircraft = 0, clean = 0;  // aircraft of DataSpeed, and those without any problem
};

struct DataCheck {
    // Aircraft by aircraft in the trees' order, each one's first error first (the one its
    // box shows with no flaps), then the rest by file, line and column; then the files
    // no aircraft reads.
    QList<DataProblem> problems;
    DataCheckSummary summary;
};

// Checks the aircraft as a scan reads them (ScanHooks::checkCraft), then the folder.
class DataChecker {
public:
    explicit DataChecker(const DataPaths &paths) : paths_(paths) {}
    // Sets the scan's checkCraft hook to this checker.
    void Hook(ScanHooks &hooks);
    void Add(const FileName &name, const AircraftPtr &craft, const AircraftReading &reading, const QString &failure);
    // The folder's own problems (files no aircraft reads, names that clash) added: the
    // whole check.
    DataCheck Finish();

private:
    struct Craft {
        FileName name;
        QList<DataProblem> problems;
        qsizetype unlisted = 0;  // errors past those kept
    };
    DataPaths paths_;
    QList<Craft> crafts_;
};

// The check of a scan made later, when its result is first needed: the scan only
// keeps each aircraft as it was read (its value, what reading saw, its failure), and
// Finish hands them to a DataChecker then.
class LaterCheck {
public:
    explicit LaterCheck(const DataPaths &paths) : paths_(paths) {}
    // Sets the scan's checkCraft hook to keep what it reads here.
    void Hook(ScanHooks &hooks);
    DataCheck Finish() const;

private:
    struct Read {
        FileName name;
        AircraftPtr craft;
        AircraftReading reading;
        QString failure;
    };
    DataPaths paths_;
    QList<Read> read_;
};

// Scans the folder with a checker hooked, without a window. Raises the scan's error
// when there is no DataSpeed; one that is there but can't be listed is an error of the
// check, as is any of the four folders that can't be.
DataCheck CheckDataFolder(const DataPaths &paths);
