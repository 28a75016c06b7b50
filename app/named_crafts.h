#pragma once
// The aircraft a command line names (`--first`, `--second`), read from a data folder
// without a window: only the named ones are read.
#include "catalogue/scan.h"

#include <QString>

#include <optional>

struct NamedCrafts {
    std::optional<CraftRecord> first, second;  // empty where no name was given
};

// Reads the aircraft named first and second (either may be empty) from dataDir (empty:
// the working directory). Raises the line for stderr, without the program's name: an
// unknown aircraft (`no aircraft "X" in DIR/DataSpeed`) or the error box's text of an
// aircraft that can't be read, naming it, on one line.
NamedCrafts ReadNamedCrafts(const QString &dataDir, const QString &first, const QString &second);
