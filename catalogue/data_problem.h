#pragma once
// One problem the data check finds in a data folder's files, with where it stands, and
// how the check names a data file.
#include "catalogue/aircraft.h"

#include <QString>

struct DataProblem {
    enum class Severity { Error, Warning };
    QString file;              // from the data folder, names as the trees show them: "DataTurn/A_turn.txt"
    int line = 0, column = 0;  // counted from 1; 0: about no one line or column
    Severity severity = Severity::Error;
    QString aircraft;  // as the trees name it; empty for a file no aircraft reads
    QString message;   // what is wrong, without where
    QString boxText;   // an error's text as its box shows it (full stop and where included)
};

// The folder of a kind of data file, as the check names it: "DataSpeed/" and so on.
const char *FolderOf(DataFile file);
// The file's name as the trees show names: "A_turn.txt".
QString DataFileName(const FileName &aircraft, DataFile file);
// The file of an aircraft as the check names it: "DataSpeed/A_speed.txt" and so on.
QString DataFilePath(const FileName &aircraft, DataFile file);
