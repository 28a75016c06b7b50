#include "catalogue/scan.h"

#include "core/error.h"

#include <QCollator>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include <dirent.h>

// The last node of a list cut short.
static QString NotShownNote(qsizetype count)
{
    return QStringLiteral("… не показано: %1").arg(count);
}

WeaponRowCaptions SplitWeaponRow(QStringView row, int index, qsizetype maxItems)
{
    const qsizetype colon = row.indexOf(u':');
    QString group = colon < 0 ? QString() : row.left(colon).toString();
    if (group == QLatin1String("gun"))
        group = QStringLiteral("w") + QString::number(index);

    WeaponRowCaptions out{group + u':', {}};
    // R is the row from `pos` on. Each pass drops R's text up to its first ":", then
    // takes the item up to its first ";". Both searches move forward only, so a long
    // row costs one pass over its text.
    const qsizetype n = row.size();
    qsizetype pos = 0;
    qsizetype nextColon = row.indexOf(u':');
    qsizetype leftOut = 0;
    while (pos < n) {
        if (nextColon >= 0 && nextColon < pos)
            nextColon = row.indexOf(u':', pos);
        if (nextColon >= 0)
            pos = nextColon + 1;
        const qsizetype semi = row.indexOf(u';', pos);
        // An item without its closing ";" takes the rest of the row.
        const qsizetype end = semi < 0 ? n : semi + 1;
        if (out.items.size() < maxItems)
            out.items.append(row.mid(pos, end - pos).toString());
        else
            ++leftOut;
        pos = end;
    }
    if (leftOut > 0)
        out.items.append(NotShownNote(leftOut));
    return out;
}

QString ArmamentCaption() { return QStringLiteral("вооружение:"); }

// The groups of the aircraft's armament file; none when there is no such file. The
// file is read as one text and its rows taken one by one, only as many as are shown.
static QList<WeaponRowCaptions> ReadArmament(const DataPaths &paths, const FileName &name)
{
    QList<WeaponRowCaptions> groups;
    const FileName path = paths.weaponFile(name);
    if (!RegularFileExists(path))
        return groups;
    qsizetype room = kMaxArmamentNodes;
    qsizetype leftOut = 0;
    int index = 0;
    ForEachLine(ReadText(path), [&](QStringView row) {
        if (room > 0) {
            groups.append(SplitWeaponRow(row, index, room - 1));
            room -= 1 + groups.back().items.size();
        } else {
            ++leftOut;
        }
        ++index;
        return true;
    });
    if (leftOut > 0)
        groups.append(WeaponRowCaptions{NotShownNote(leftOut), {}});
    return groups;
}

namespace {
enum class Source { Craft, Turn };
struct SummaryRow {
    const char16_t *prefix;
    Source source;
    const char *key;
    const char16_t *unit;
};
// The six summary children of an aircraft, in tree order.
const SummaryRow kSummaryRows[] = {
    {u"макс. скор. в пике: ", Source::Craft, "0", u" км/ч"},
    {u"взлетный вес: ", Source::Turn, "M_takeoff", u" кг"},
    {u"время виража: ", Source::Turn, "T_turn", u" сек"},
    {u"скорость виража: ", Source::Turn, "V_turn", u" км/ч"},
    {u"скороподъемность: ", Source::Turn, "Vz_climb", u" м/с"},
    {u"скорость набора: ", Source::Turn, "V_climb", u" км/ч"},
};
} // namespace

CraftRecord ReadCraft(const DataPaths &paths, const FileName &name, Armament parts)
{
    // The files are read in the order the tree shows them: armament, summary, tables.
    QList<WeaponRowCaptions> armament;
    if (parts == Armament::Read)
        armament = ReadArmament(paths, name);
    QStringList summary;
    for (const SummaryRow &row : kSummaryRows) {
        const QString key = QString::fromLatin1(row.key);
        const QString value = row.source == Source::Craft ? GetCraftValue(paths, name, key)
                                                          : GetTurnValue(paths, name, key);
        summary.append(QString::fromUtf16(row.prefix) + value + QString::fromUtf16(row.unit));
    }
    return CraftRecord{name, std::move(armament), std::move(summary), TNodeData(paths, name)};
}

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
        std::optional<CraftRecord> craft;
        try {
            craft.emplace(ReadCraft(paths, name));
        } catch (const VarnelError &error) {
            failures.append(error.message());
            continue;
        } catch (const std::bad_alloc &) {
            failures.append(QStringLiteral("Out of memory reading the aircraft \"%1\"").arg(name));
            continue;
        }
        if (hooks.addCraft)
            hooks.addCraft(*craft);
        ++count;
        pump(2);
    }

    finish(count);
    if (!failures.isEmpty())
        throw VarnelError(FailureText(failures));
    return count;
}
