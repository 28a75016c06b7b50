#pragma once
// The tables of one aircraft, attached to its root item in each tree.
#include "catalogue/readers.h"

class TNodeData {
public:
    // Loads the speed file and the turn file of the aircraft; raises when either
    // can't be opened.
    TNodeData(const DataPaths &paths, const FileName &name);

    QStringList lst_Turn;
    QStringList lst_Speed;
    // The two files' names as shown, for the messages that say where a value stands.
    QString speedFileName, turnFileName;
};
