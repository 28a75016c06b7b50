#include "catalogue/node_data.h"

TNodeData::TNodeData(const DataPaths &paths, const FileName &name)
    : lst_Turn(), lst_Speed(ReadTextLines(paths.speedFile(name))),
      speedFileName(DisplayName(name.bytes + "_speed.txt")), turnFileName(DisplayName(name.bytes + "_turn.txt"))
{
    lst_Turn = ReadTextLines(paths.turnFile(name));
}
