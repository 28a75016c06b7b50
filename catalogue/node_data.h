#pragma once
// The tables of one aircraft, attached to its root item in each tree.
#include "catalogue/readers.h"

class TNodeData {
public:
    // Loads the speed file and the turn file of the aircraft; raises when either
    // can't be opened.
    TNodeData(const DataPaths &paths, const QString &name);

    QStringList lst_Turn;
    QStringList lst_Speed;
};
