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

// At most this many failure messages are listed one by one.
constexpr int kListedFailures = 20;

static QString FailureText(const QStringList &failures)
{
    QStringList lines = failures.mid(0, kListedFailures);
    if (failures.size() > kListedFailures)
        lines.append(QStringLiteral("... and %1 more").arg(failures.size() - kListedFailures));
    return lines.join(u'\n');
}

int ScanCatalogue(const DataPaths &paths, const ScanHooks &hooks)
{
    const auto setPanel = [&](int panel, const QString &text) {
        if (hooks.setPanel)
            hooks.setPanel(panel, text);
    };
    QElapsedTimer sincePump;
    // Runs pending events `times` times in a row when they are due.
    const auto pump = [&](int times) {
        if (!hooks.processEvents)
            return;
        if (hooks.pumpInterval.count() > 0 && sincePump.isValid() && sincePump.elapsed() < hooks.pumpInterval.count())
            return;
        for (int i = 0; i < times; ++i)
            hooks.processEvents();
        sincePump.start();
    };

    const auto finish = [&](int count) {
        setPanel(0, QStringLiteral("crafts loaded: ") + QString::number(count));
        setPanel(1, QString());
    };
    setPanel(0, QStringLiteral("Scanning data-files..."));
    QList<QByteArray> entries;
    try {
        entries = ListSpeedEntries(paths);
    } catch (const VarnelError &) {
        finish(0);  // the scan has ended, with nothing to list
        throw;
    }

    int count = 0;
    QStringList failures;
    for (const QByteArray &entry : entries) {
        const FileName name = CraftNameOf(FileName::FromBytes(entry));
        setPanel(1, DisplayName(entry));
        pump(1);
        // An aircraft is read whole before it is listed, so whatever runs at the next
        // pump sees only complete aircraft, and a failure leaves no trace.
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
        if (!craft) {
            failures.append(failure);
            continue;
        }
        if (hooks.addCraft)
            hooks.addCraft(craft);
        ++count;
        pump(2);
    }

    finish(count);
    if (!failures.isEmpty())
        throw VarnelError(FailureText(failures));
    return count;
}

Catalogue ReadCatalogue(const DataPaths &paths, ScanHooks hooks)
{
    QList<CatalogueEntry> entries;
    const auto check = hooks.checkCraft;
    hooks.checkCraft = [&entries, check](const FileName &name, const AircraftPtr &craft,
                                         const AircraftReading &reading, const QString &failure) {
        entries.append({craft ? craft->name : QString(name), name, craft, failure});
        if (check)
            check(name, craft, reading, failure);
    };
    try {
        ScanCatalogue(paths, hooks);
    } catch (const VarnelError &) {
        if (entries.isEmpty())
            throw;  // DataSpeed could not be listed
    }
    return Catalogue(std::move(entries));
}
