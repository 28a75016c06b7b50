#pragma once
// Helpers of the catalogue tests: small aircraft files, the records the scan lists, and
// data directories scanned to the end.
#include "catalogue/scan.h"
#include "catalogue/text_file.h"
#include "core/error.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "support.h"

namespace {
const QByteArray kSpeed = "0\t500\t15\t480\t12\t\n1000\t520\t14.2\t490\t11.7\t\n";
const QByteArray kTurn = "200\t300\t\n5\t6\t\n20\t19\t\n\t\t\n\t\t\n\t\t\n"
                         "M_takeoff: 2950.5\nT_turn: 18.456\nV_turn: 250\nVz_climb: 15\nV_climb: 290\n";

// An aircraft as the trees show it: name, armament groups, summary captions, and its
// value with the curves of its tables.
struct ListedCraft {
    QString name;
    QList<WeaponRowCaptions> armament;
    QStringList summary;
    AircraftPtr value;
};
inline ListedCraft RecordOf(const AircraftPtr &a)
{
    QStringList captions;
    for (const SummaryValue &s : a->summary)
        captions << SummaryCaption(s, UnitSystem::Metric);
    return {a->name, a->armament, captions, a};
}
inline ListedCraft ReadCraft(const DataPaths &paths, const FileName &name, Armament armament = Armament::Read)
{
    return RecordOf(ReadAircraft(paths, name, armament));
}
// True when the aircraft's curves are those of these speed and turn files.
inline bool ReadFrom(const ListedCraft &c, const QByteArray &speed, const QByteArray &turn)
{
    const AircraftPtr files = AircraftOfTables(c.name, SplitTextLines(speed), SplitTextLines(turn));
    const auto same = [](const CurvePoints &a, const CurvePoints &b) { return a.x == b.x && a.y == b.y; };
    for (size_t m = 0; m < 4; ++m)
        if (!same(c.value->altitude.curves[m], files->altitude.curves[m]))
            return false;
    for (size_t f = 0; f < 4; ++f)
        if (!same(c.value->turn.times[f].points, files->turn.times[f].points))
            return false;
    return same(c.value->turn.climb.points, files->turn.climb.points) && !c.value->altitude.failure == !files->altitude.failure;
}

// A data directory written for one test.
struct DataDir {
    QTemporaryDir dir;
    DataPaths paths{dir.path()};

    DataDir() { QDir(dir.path()).mkdir("DataSpeed"); }
    // An aircraft with its speed and turn files.
    void craft(const QString &name, const QByteArray &turn = kTurn)
    {
        WriteFile(paths.speedFile(name), kSpeed);
        WriteFile(paths.turnFile(name), turn);
    }
};

// A scan run to its end, with what it said as it went: "started", "reading
// A_speed.txt", "finished 2".
struct ScanRun : ScanProgress {
    QList<ListedCraft> crafts;
    QStringList said;
    Catalogue catalogue;
    QString error;  // the listing's error, else the catalogue's failures
    int count = -1;  // as the scan said when it finished
    std::function<void()> onPump;
    std::chrono::milliseconds pumpInterval{0};

    void Started() override { said << "started"; }
    void Reading(const QString &entry) override { said << "reading " + entry; }
    void Listed(const AircraftPtr &craft) override { crafts.append(RecordOf(craft)); }
    void Finished(int n) override
    {
        said << "finished " + QString::number(n);
        count = n;
    }
    void LetEventsRun() override
    {
        if (onPump)
            onPump();
    }
    void run(const DataPaths &paths)
    {
        ScanHooks hooks;
        hooks.pumpInterval = pumpInterval;
        hooks.progress = this;
        error = ErrorOf([&] { catalogue = ReadCatalogue(paths, hooks); });
        if (error.isEmpty())
            error = catalogue.FailureText();
    }
    // The entry the scan said it reads last.
    QString lastReading() const
    {
        for (auto it = said.crbegin(); it != said.crend(); ++it)
            if (it->startsWith("reading "))
                return it->mid(8);
        return "(none)";
    }
    QStringList names() const
    {
        QStringList out;
        for (const ListedCraft &c : crafts)
            out << c.name;
        return out;
    }
};

// Every listed aircraft is complete: six summary captions and its tables.
inline void VerifyComplete(const QList<ListedCraft> &crafts)
{
    for (const ListedCraft &c : crafts) {
        QCOMPARE(c.summary.size(), 6);
        QVERIFY(!c.value->altitude.curves[0].x.empty());
        QVERIFY(!c.value->turn.climb.points.x.empty());
    }
}

inline QStringList Groups(const ListedCraft &craft)
{
    QStringList out;
    for (const WeaponRowCaptions &row : craft.armament)
        out << row.group;
    return out;
}

inline QString Ru(const char *utf8) { return QString::fromUtf8(utf8); }
} // namespace
