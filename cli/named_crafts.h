#pragma once
// The aircraft a command line names (`--first`, `--second`), read from a data folder
// without a window: only the named ones are read. And the list of aircraft as the trees
// name them (`--list`), also without a window.
#include "catalogue/scan.h"

#include <QString>
#include <QStringList>


struct NamedCrafts {
    AircraftPtr first, second;  // null where no name was given
};

// Reads the aircraft named first and second (either may be empty) from dataDir (empty:
// the working directory). A name matches an aircraft as the trees name it, or else the
// one aircraft whose name differs from it only in letter case; both compared in one
// Unicode normal form (NFC), so an "É" typed finds one stored decomposed. Raises the
// line for stderr, without the program's name: an unknown aircraft (`no aircraft "X" in
// DIR/DataSpeed; did you mean "Y"?`, with up to three close names), a name that matches
// several aircraft but for case, or the error box's text of an aircraft that can't be
// read, naming it, on one line.
NamedCrafts ReadNamedCrafts(const FileName &dataDir, const QString &first, const QString &second);

// The aircraft of dataDir as the trees list them, in their order; failures holds the
// text the scan's error box would show (empty: every aircraft was read). Raises when
// dataDir holds no DataSpeed folder.
struct CraftList {
    QStringList names;
    QString failures;
};
CraftList ListCrafts(const FileName &dataDir);
// `--list`: the names one a line, their control characters escaped; status 1 with the
// failures, or the reason nothing could be listed.
struct TextOutcome;
TextOutcome RunList(const FileName &dataDir);

// The names among known closest to name (letter case ignored), at most three, the
// closest first; none when nothing is close.
QStringList CloseNames(const QString &name, const QStringList &known);

// The whole catalogue of dataDir, read without a window, and the entry that name stands
// for in it, found as ReadNamedCrafts finds a name. Raises as ReadNamedCrafts does: an
// unknown name (with close names), several names but for case, or, for an aircraft
// that can't be read, the error box's text naming it on one line; and when dataDir holds
// no DataSpeed folder.
struct NamedCatalogue {
    Catalogue catalogue;
    QString name;  // the named aircraft as the trees name it
};
NamedCatalogue ReadNamedCatalogue(const FileName &dataDir, const QString &name);

// path itself when it names something; else the path its text names (LocateFileName:
// a name typed in UTF-8 finds its Windows-1251 twin).
FileName LocatedPath(const FileName &path);
