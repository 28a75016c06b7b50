#include "catalogue/aircraft.h"

#include "catalogue/chart_values.h"
#include "catalogue/text_file.h"

#include <optional>

static AircraftPtr ReadAircraftInto(const DataPaths &paths, const FileName &name, Armament parts, AircraftReading &r,
                                    bool onToTheEnd);

AircraftPtr ReadAircraft(const DataPaths &paths, const FileName &name, Armament parts, AircraftReading *reading)
{
    AircraftReading own;
    AircraftReading &r = reading ? *reading : own;
    try {
        return ReadAircraftInto(paths, name, parts, r, reading != nullptr);
    } catch (const VarnelError &error) {
        if (!r.failure)
            r.failure = error;
        throw;
    }
}

static AircraftPtr ReadAircraftInto(const DataPaths &paths, const FileName &name, Armament parts, AircraftReading &r,
                                    bool onToTheEnd)
{
    auto a = std::make_shared<Aircraft>();
    a->name = name;
    a->fileName = name;
    a->speedFile = DisplayName(name.bytes + "_speed.txt");
    a->turnFile = DisplayName(name.bytes + "_turn.txt");
    // The files are read in the order the tree shows them: armament, summary values,
    // tables. A turn file that is there gives its summary values before the speed file
    // is read; one that is not fails after it.
    r.failedFile = DataFile::Weapon;
    if (parts == Armament::Read)
        a->armament = ReadArmament(paths.weaponFile(name));
    r.failedFile = DataFile::Craft;
    if (std::optional<QStringList> rows = ReadTextLinesIfRegular(paths.craftFile(name))) {
        r.hasCraftFile = true;
        r.craftRows = std::move(*rows);
    }
    r.failedFile = DataFile::Turn;
    if (std::optional<QStringList> rows = ReadTextLinesIfRegular(paths.turnFile(name))) {
        r.hasTurnFile = true;
        r.turnRows = std::move(*rows);
    }
    ReadFailure summaryFailure;
    try {
        a->summary = ReadSummaryValues(r.hasCraftFile ? &r.craftRows : nullptr, r.hasTurnFile ? &r.turnRows : nullptr);
    } catch (const VarnelError &error) {
        r.failure = error;
        if (!onToTheEnd)
            throw Located(error, a->name, a->turnFile);
        summaryFailure = Located(error, a->name, a->turnFile);
    }
    const auto readTables = [&] {
        r.failedFile = DataFile::Speed;
        r.speedRows = ReadTextLines(paths.speedFile(name));
        a->altitude = ReadAltitudeProfiles(r.speedRows, onToTheEnd ? &r.laterSpeed : nullptr);
        r.failedFile = DataFile::Turn;
        if (!r.hasTurnFile)
            r.turnRows = ReadTextLines(paths.turnFile(name));
        a->turn = ReadTurnCurves(r.turnRows, onToTheEnd ? &r.laterTurn : nullptr);
    };
    try {
        readTables();
    } catch (const VarnelError &) {
        if (onToTheEnd)
            r.unlisted = a;  // as far as it read
        if (!summaryFailure)
            throw;
    }
    if (!summaryFailure)
        return a;
    // The summary value's failure is the one raised, whatever the tables give.
    r.unlisted = a;
    r.failedFile = DataFile::Turn;
    throw *summaryFailure;
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

std::optional<TableFailure> FirstTableFailure(const Aircraft &a, FlapSet shown)
{
    if (a.altitude.failure)
        return TableFailure{*a.altitude.failure, DataFile::Speed};
    for (const ReadFailure &f : {a.turn.climb.failure, ShownTurnTimes(a.turn, shown).failure,
                                 ShownTurnRates(a.turn, shown).failure})
        if (f)
            return TableFailure{*f, DataFile::Turn};
    return std::nullopt;
}

ReadFailure FirstFailure(const Aircraft &a, FlapSet shown)
{
    const std::optional<TableFailure> f = FirstTableFailure(a, shown);
    if (!f)
        return std::nullopt;
    return Located(f->error, a.name, f->file == DataFile::Speed ? a.speedFile : a.turnFile);
}
