#include "catalogue/aircraft.h"

#include "catalogue/chart_values.h"
#include "catalogue/text_file.h"

#include <optional>

AircraftPtr ReadAircraft(const DataPaths &paths, const FileName &name, Armament parts)
{
    auto a = std::make_shared<Aircraft>();
    a->name = name;
    a->fileName = name;
    a->speedFile = DisplayName(name.bytes + "_speed.txt");
    a->turnFile = DisplayName(name.bytes + "_turn.txt");
    // The files are read in the order the tree shows them: armament, summary values,
    // tables. A turn file that is there gives its summary values before the speed file
    // is read; one that is not fails after it.
    if (parts == Armament::Read)
        a->armament = ReadArmament(paths.weaponFile(name));
    std::optional<QStringList> craftRows, turnRows;
    if (RegularFileExists(paths.craftFile(name)))
        craftRows = ReadTextLines(paths.craftFile(name));
    if (RegularFileExists(paths.turnFile(name)))
        turnRows = ReadTextLines(paths.turnFile(name));
    a->summary = ReadSummaries(craftRows ? &*craftRows : nullptr, turnRows ? &*turnRows : nullptr, name, a->turnFile);
    a->altitude = ReadAltitudeProfiles(ReadTextLines(paths.speedFile(name)));
    a->turn = ReadTurnCurves(turnRows ? *turnRows : ReadTextLines(paths.turnFile(name)));
    return a;
}

AircraftPtr AircraftOfTables(const QString &name, const QStringList &speedRows, const QStringList &turnRows)
{
    auto a = std::make_shared<Aircraft>();
    a->name = name;
    a->fileName = name;
    a->speedFile = name + QStringLiteral("_speed.txt");
    a->turnFile = name + QStringLiteral("_turn.txt");
    a->altitude = ReadAltitudeProfiles(speedRows);
    a->turn = ReadTurnCurves(turnRows);
    return a;
}

ReadFailure FirstFailure(const Aircraft &a, FlapSet shown)
{
    if (a.altitude.failure)
        return Located(*a.altitude.failure, a.name, a.speedFile);
    for (const ReadFailure &f : {a.turn.climb.failure, ShownTurnTimes(a.turn, shown).failure,
                                 ShownTurnRates(a.turn, shown).failure})
        if (f)
            return Located(*f, a.name, a.turnFile);
    return std::nullopt;
}
