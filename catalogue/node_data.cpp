#include "catalogue/node_data.h"

TNodeData::TNodeData(const DataPaths &paths, const QString &name)
    : lst_Turn(), lst_Speed(ReadTextLines(paths.speedFile(name)))
{
    lst_Turn = ReadTextLines(paths.turnFile(name));
}
