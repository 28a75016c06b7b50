#include "catalogue/scan.h"

#include "core/error.h"

#include <QCollator>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <new>
#include <vector>

#include <dirent.h>

FileName CraftNameOf(const FileName &entryName)
{
    const qsizetype at = entryName.bytes.indexOf("_speed");
    return FileName::FromBytes(at < 0 ? QByteArray() : entryName.bytes.left(at));
}

void SortNatural(QList<QByteArray> &names)
{
    // A fixed locale, so the order is the same on every machine: Latin names before
    // Cyrillic ones, as before.
    QCollator collator{QLocale(QLocale::English, QLocale::UnitedStates)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    struct Keyed {
        QCollatorSortKey key;
        QByteArray name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (const QByteArray &name : std::as_const(names))
        keyed.push_back({collator.sortKey(DisplayName(name)), name});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int c = a.key.compare(b.key);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        names[qsizetype(i)] = keyed[i].name;
}

QList<QByteArray> ListSpeedEntries(const DataPaths &paths)
{
    // Listed by bytes: a name that is no valid UTF-8 is still a name, and opens.
    const FileName dir = paths.speedDir();
    DIR *listing = KindOf(dir) == FileKind::Directory ? ::opendir(dir.bytes.constData()) : nullptr;
    if (!listing)
        throw VarnelError(QStringLiteral("File not found.\nNo folder \"%1\"").arg(QDir::toNativeSeparators(dir)));
    QList<QByteArray> entries;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != ".." && name.toLower().endsWith(".txt"))
            entries.append(name);
    }
    ::closedir(listing);
    SortNatural(entries);
    return entries;
}

namespace {
// Runs pending events through the progress at the scan's points, where they are due.
class EventPump {
public:
    explicit EventPump(const ScanHooks &hooks) : hooks_(hooks) {}
    // Runs them `times` times in a row when they are due.
    void operator()(int times)
    {
        if (!hooks_.progress)
            return;
        const qint64 interval = hooks_.pumpInterval.count();
        if (interval > 0 && since_.isValid() && since_.elapsed() < interval)
            return;
        for (int i = 0; i < times; ++i)
            hooks_.progress->LetEventsRun();
        since_.start();
    }

private:
    const ScanHooks &hooks_;
    QElapsedTimer since_;
};

// One aircraft of the catalogue, read whole or kept with why it can't be.
CatalogueEntry ReadEntry(const DataPaths &paths, const FileName &name, const ScanHooks &hooks)
{
    AircraftPtr craft;
    AircraftReading reading;
    QString failure;
    try {
        craft = ReadAircraft(paths, name, Armament::Read, hooks.checkCraft ? &reading : nullptr);
    } catch (const VarnelError &error) {
        failure = error.message();
    } catch (const std::bad_alloc &) {
        failure = QStringLiteral("Out of memory reading the aircraft \"%1\"").arg(name);
    }
    if (hooks.checkCraft)
        hooks.checkCraft(name, craft, reading, failure);
    return {craft ? craft->name : QString(name), name, std::move(craft), std::move(failure)};
}
}  // namespace

Catalogue ReadCatalogue(const DataPaths &paths, const ScanHooks &hooks)
{
    ScanProgress quiet;
    ScanProgress &progress = hooks.progress ? *hooks.progress : quiet;
    progress.Started();
    QList<QByteArray> names;
    try {
        names = ListSpeedEntries(paths);
    } catch (const VarnelError &) {
        progress.Finished(0);  // the scan has ended, with nothing to list
        throw;
    }

    EventPump pump(hooks);
    QList<CatalogueEntry> entries;
    entries.reserve(names.size());
    int listed = 0;
    for (const QByteArray &entry : std::as_const(names)) {
        progress.Reading(DisplayName(entry));
        pump(1);
        // An aircraft is read whole before it is listed, so whatever runs at the next
        // pump sees only complete aircraft, and a failure leaves no trace.
        entries.append(ReadEntry(paths, CraftNameOf(FileName::FromBytes(entry)), hooks));
        if (const AircraftPtr &craft = entries.constLast().aircraft) {
            progress.Listed(craft);
            ++listed;
            pump(2);
        }
    }
    progress.Finished(listed);
    return Catalogue(std::move(entries));
}
