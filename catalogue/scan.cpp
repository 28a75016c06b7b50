#include "catalogue/scan.h"

#include "core/error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <optional>

WeaponRowCaptions SplitWeaponRow(const QString &row, int index)
{
    const qsizetype colon = row.indexOf(u':');
    QString group = colon < 0 ? QString() : row.left(colon);
    if (group == QLatin1String("gun"))
        group = QStringLiteral("w") + QString::number(index);

    WeaponRowCaptions out{group + u':', {}};
    // R is the row from `pos` on. Each pass drops R's text up to its first ":", then
    // takes the item up to its first ";". Both searches move forward only, so a long
    // row costs one pass over its text.
    const qsizetype n = row.size();
    qsizetype pos = 0;
    qsizetype nextColon = row.indexOf(u':');
    while (pos < n) {
        if (nextColon >= 0 && nextColon < pos)
            nextColon = row.indexOf(u':', pos);
        if (nextColon >= 0)
            pos = nextColon + 1;
        const qsizetype semi = row.indexOf(u';', pos);
        // An item without its closing ";" takes the rest of the row.
        const qsizetype end = semi < 0 ? n : semi + 1;
        out.items.append(row.mid(pos, end - pos));
        pos = end;
    }
    return out;
}

QString ArmamentCaption() { return QStringLiteral("вооружение:"); }

// The groups of the aircraft's armament file; none when there is no such file.
static QList<WeaponRowCaptions> ReadArmament(const DataPaths &paths, const QString &name)
{
    QList<WeaponRowCaptions> groups;
    const QString path = paths.weaponFile(name);
    if (!RegularFileExists(path))
        return groups;
    const QStringList rows = ReadTextLines(path);
    for (int i = 0; i < rows.size(); ++i)
        groups.append(SplitWeaponRow(rows.at(i), i));
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

CraftRecord ReadCraft(const DataPaths &paths, const QString &name)
{
    // The files are read in the order the tree shows them: armament, summary, tables.
    QList<WeaponRowCaptions> armament = ReadArmament(paths, name);
    QStringList summary;
    for (const SummaryRow &row : kSummaryRows) {
        const QString key = QString::fromLatin1(row.key);
        const QString value = row.source == Source::Craft ? GetCraftValue(paths, name, key)
                                                          : GetTurnValue(paths, name, key);
        summary.append(QString::fromUtf16(row.prefix) + value + QString::fromUtf16(row.unit));
    }
    return CraftRecord{name, std::move(armament), std::move(summary), TNodeData(paths, name)};
}

QString CraftNameOf(const QString &entryName)
{
    const qsizetype at = entryName.indexOf(QLatin1String("_speed"));
    return at < 0 ? QString() : entryName.left(at);
}

QStringList ListSpeedEntries(const DataPaths &paths)
{
    const QFileInfo dirInfo(paths.speedDir());
    if (!dirInfo.isDir() || !dirInfo.isReadable() || !dirInfo.isExecutable())
        throw VarnelError(QStringLiteral("File not found"));
    QStringList entries = QDir(paths.speedDir())
                              .entryList({QStringLiteral("*.txt")},
                                         QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                         QDir::Unsorted);
    // Names equal but for letter case keep a fixed order too.
    std::sort(entries.begin(), entries.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
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

    setPanel(0, QStringLiteral("Scanning data-files..."));
    const QStringList entries = ListSpeedEntries(paths);

    int count = 0;
    QStringList failures;
    for (const QString &entry : entries) {
        setPanel(1, entry);
        pump(1);
        // An aircraft is read whole before it is listed, so whatever runs at the next
        // pump sees only complete aircraft, and a failure leaves no trace.
        std::optional<CraftRecord> craft;
        try {
            craft.emplace(ReadCraft(paths, CraftNameOf(entry)));
        } catch (const VarnelError &error) {
            failures.append(error.message());
            continue;
        }
        if (hooks.addCraft)
            hooks.addCraft(*craft);
        ++count;
        pump(2);
    }

    setPanel(0, QStringLiteral("crafts loaded: ") + QString::number(count));
    setPanel(1, QString());
    if (!failures.isEmpty())
        throw VarnelError(FailureText(failures));
    return count;
}
