#include "catalogue/data_problem.h"

const char *FolderOf(DataFile file)
{
    switch (file) {
    case DataFile::Speed: return "DataSpeed/";
    case DataFile::Turn: return "DataTurn/";
    case DataFile::Craft: return "DataCraft/";
    case DataFile::Weapon: break;
    }
    return "DataWeapon/";
}

QString DataFileName(const FileName &aircraft, DataFile file)
{
    const char *end = file == DataFile::Speed ? "_speed.txt" : file == DataFile::Turn ? "_turn.txt" : ".txt";
    return DisplayName(aircraft.bytes + end);
}

QString DataFilePath(const FileName &aircraft, DataFile file)
{
    return QLatin1String(FolderOf(file)) + DataFileName(aircraft, file);
}
