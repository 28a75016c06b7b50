// The summary lookups on arbitrary files. The input is a turn file, then the file mark
// and a craft file (fuzz_support.h); without the mark there is no craft file. Both are
// written into a scratch data directory, with the craft bytes also standing in for the
// speed and armament files, and every summary value is looked up through the readers
// and through BuildCraftItem, which builds an aircraft's tree node from the files.
#include "catalogue/scan.h"
#include "fuzz/fuzz_support.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
const QString kName = QStringLiteral("Fuzz");

// The keys the tree shows, a key of one letter and an empty one.
const char *const kTurnKeys[] = {"M_takeoff", "T_turn", "V_turn", "Vz_climb", "V_climb", "T", ""};
const char *const kCraftKeys[] = {"0", "crew", ""};

// The craft value as the model reads it: the text after the first "=" of the first
// row whose name before that "=" equals the key, letter case ignored.
QString ModelCraftValue(const QStringList &rows, const QString &key)
{
    for (const QString &row : rows) {
        const qsizetype eq = row.indexOf(u'=');
        if (eq >= 0 && row.left(eq).toLower() == key.toLower() && row.left(eq).toUpper() == key.toUpper())
            return row.mid(eq + 1);
    }
    return QString();
}

// The turn value as the model reads it: from the summary rows (row 6 on), the first
// that holds the key; after the key's first place, spaces and a ":" or "=", the rest is
// the number; in a row with neither there, its text from position key length + 2
// (counted from 0). Empty when no row holds the key; nothing when the text is no number.
std::optional<QString> ModelTurnValue(const QStringList &rows, const QString &key)
{
    static const QRegularExpression separated(QStringLiteral("^ *[:=](.*)$"), QRegularExpression::DotMatchesEverythingOption);
    for (qsizetype r = 6; r < rows.size(); ++r) {
        if (!rows.at(r).contains(key))
            continue;
        const QRegularExpressionMatch m = separated.match(rows.at(r).mid(rows.at(r).indexOf(key) + key.size()));
        long double x = 0;
        if (!ParseNumber(m.hasMatch() ? m.captured(1) : rows.at(r).mid(key.size() + 2), x))
            return std::nullopt;
        return FormatSummaryValue(x);
    }
    return QString();
}

void CheckReadCraft(const DataPaths &paths, const QStringList &craftValues)
{
    AircraftPtr craft;
    try {
        craft = ReadAircraft(paths, kName);
    } catch (const VarnelError &e) {
        FUZZ_CHECK(IsKnownDataError(e.message()), e.message());
        return;
    }
    FUZZ_CHECK(craft->name == kName, craft->name);
    FUZZ_CHECK(craft->summary.size() == 6, QString::number(craft->summary.size()));
    const QString dive = SummaryCaption(craft->summary.at(0), UnitSystem::Metric);
    const QString value = craftValues.value(0).isEmpty() ? QStringLiteral("нет данных") : craftValues.value(0) + QStringLiteral(" км/ч");
    FUZZ_CHECK(dive == QStringLiteral("макс. скор. в пике: ") + value, dive);
    // Every group ends with its ":", but for a last note of rows not shown.
    for (const WeaponRowCaptions &row : craft->armament)
        FUZZ_CHECK(row.group.endsWith(u':') || (&row == &craft->armament.back() && row.items.isEmpty()), row.group);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static ScratchData scratch;
    const DataPaths paths = scratch.paths();
    const TwoFiles files = SplitAtFileMark(FuzzBytes(data, size));
    ScratchData::put(paths.turnFile(kName), files.first);
    ScratchData::put(paths.craftFile(kName), files.second);
    ScratchData::put(paths.weaponFile(kName), files.second);
    ScratchData::put(paths.speedFile(kName), files.second.value_or(QByteArray()));

    const QStringList turnRows = SplitTextLines(files.first);
    for (const char *k : kTurnKeys) {
        const QString key = QString::fromLatin1(k);
        const std::optional<QString> expected = ModelTurnValue(turnRows, key);
        try {
            const QString value = GetTurnValue(paths, kName, key);
            FUZZ_CHECK(expected.has_value(), QStringLiteral("took a value that is no number: ") + value);
            FUZZ_CHECK(value == *expected, value + QStringLiteral(" != ") + *expected);
        } catch (const VarnelError &e) {
            FUZZ_CHECK(!expected.has_value(), QStringLiteral("refused ") + expected.value_or(QString()));
            FUZZ_CHECK(IsKnownDataError(e.message()) &&
                           ValueErrorLine(e.message()).endsWith(QLatin1String("floating point value")),
                       e.message());
        }
    }

    QStringList craftValues;
    const QStringList craftRows = SplitTextLines(files.second.value_or(QByteArray()));
    for (const char *k : kCraftKeys) {
        const QString key = QString::fromLatin1(k);
        const QString value = GetCraftValue(paths, kName, key);
        const QString expected = files.second ? ModelCraftValue(craftRows, key) : QStringLiteral("unknown");
        FUZZ_CHECK(value == expected, value + QStringLiteral(" != ") + expected);
        FUZZ_CHECK(!value.contains(u'\r') && !value.contains(u'\n'), value);
        craftValues.append(value);
    }

    CheckReadCraft(paths, craftValues);
    return 0;
}
