#include "cli/named_crafts.h"

#include "pages/application.h"
#include "catalogue/readers.h"
#include "cli/terminal_text.h"
#include "core/error.h"

#include <QDir>

#include <algorithm>
#include <vector>

namespace {
// The message of an aircraft's error names the aircraft.
QString Naming(const QString &name, const QString &message)
{
    return message.contains(name) ? message : name + QStringLiteral(": ") + message;
}

// Files are opened by the bytes the file system names them with, as the window does.
DataPaths PathsOf(const FileName &dataDir)
{
    return DataPaths{dataDir.isEmpty() ? CurrentDirectory() : AbsoluteFileName(LocatedPath(dataDir))};
}

QString SpeedDirOf(const FileName &dataDir)
{
    const QString root = dataDir.isEmpty() ? QDir::currentPath() : QString(dataDir);
    return QDir::toNativeSeparators(QDir::cleanPath(root + QStringLiteral("/DataSpeed")));
}

// Edits (insert, delete, replace) that turn a into b.
int EditDistance(const QString &a, const QString &b)
{
    std::vector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

// A name in a message: in quotes, so a blank one shows, its control characters escaped.
QString Quoted(const QString &name) { return QLatin1Char('"') + ControlsEscaped(name) + QLatin1Char('"'); }

// "A", "A or B", "A, B or C", each quoted.
QString OneOf(QStringList names)
{
    for (QString &name : names)
        name = Quoted(name);
    if (names.size() < 2)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + names.constLast();
}

QString Normal(const QString &name) { return name.normalized(QString::NormalizationForm_C); }

// The aircraft that name stands for among known: the one named so, else the one named
// so but for letter case.
FileName Find(const QString &name, const QList<FileName> &known, const QString &speedDir)
{
    const QString wanted = Normal(name);
    QStringList caseless;
    const FileName *found = nullptr;
    for (const FileName &craft : known) {
        const QString shown = Normal(craft);
        if (shown == wanted)
            return craft;
        if (shown.compare(wanted, Qt::CaseInsensitive) == 0 && !caseless.contains(shown)) {
            caseless << shown;
            found = &craft;
        }
    }
    if (caseless.size() == 1)
        return *found;
    if (caseless.size() > 1)
        throw VarnelError(QStringLiteral("%1 names %2 in %3: give the name as written")
                              .arg(Quoted(name), OneOf(caseless), speedDir));
    QStringList shown;
    for (const FileName &craft : known)
        shown << Normal(craft);
    const QStringList close = CloseNames(wanted, shown);
    QString message = QStringLiteral("no aircraft %1 in %2").arg(Quoted(name), speedDir);
    if (!close.isEmpty())
        message += QStringLiteral("; did you mean %1?").arg(OneOf(close));
    throw VarnelError(message);
}
}  // namespace

QStringList CloseNames(const QString &name, const QStringList &known)
{
    // Long names are compared by their first characters: the table stays small.
    constexpr int kCompared = 64;
    const QString wanted = name.left(kCompared).toCaseFolded();
    std::vector<std::pair<int, int>> ranked;  // distance, index in known
    for (int i = 0; i < known.size(); ++i) {
        const QString candidate = known[i].left(kCompared).toCaseFolded();
        const int distance = EditDistance(wanted, candidate);
        // Close: a few edits for its length, or one name is part of the other.
        const bool close = distance <= std::max<qsizetype>(2, wanted.size() / 3) ||
                           (!wanted.isEmpty() && !candidate.isEmpty() && (candidate.contains(wanted) || wanted.contains(candidate)));
        if (close)
            ranked.emplace_back(distance, i);
    }
    std::stable_sort(ranked.begin(), ranked.end());
    QStringList names;
    for (const auto &[distance, i] : ranked)
        if (names.size() < 3 && !names.contains(known[i]))
            names << known[i];
    return names;
}

NamedCrafts ReadNamedCrafts(const FileName &dataDir, const QString &first, const QString &second)
{
    NamedCrafts crafts;
    if (first.isEmpty() && second.isEmpty())
        return crafts;
    const DataPaths paths = PathsOf(dataDir);
    QList<FileName> known;  // aircraft as the trees name them, in their order
    try {
        for (const auto &entry : ListSpeedEntries(paths))
            known << CraftNameOf(FileName::FromBytes(entry));
    } catch (const VarnelError &) {
        // No DataSpeed to look in: every name given is unknown.
    }
    const QString names[2] = {first, second};
    AircraftPtr *targets[2] = {&crafts.first, &crafts.second};
    for (int i = 0; i < 2; ++i) {
        if (names[i].isEmpty())
            continue;
        const FileName craft = Find(names[i], known, SpeedDirOf(dataDir));
        try {
            // The pictures show no armament: it is not read.
            *targets[i] = ReadAircraft(paths, craft, Armament::Skip);
        } catch (const VarnelError &error) {
            throw VarnelError(OneLineMessage(Naming(craft, ErrorBoxText(error.message()))));
        }
    }
    return crafts;
}

CraftList ListCrafts(const FileName &dataDir)
{
    const DataPaths paths = PathsOf(dataDir);
    Catalogue catalogue;
    try {
        catalogue = ReadCatalogue(paths);
    } catch (const VarnelError &error) {
        if (KindOf(paths.speedDir()) != FileKind::Directory)
            throw VarnelError(QStringLiteral("no folder %1").arg(SpeedDirOf(dataDir)));
        return {{}, ErrorBoxText(error.message())};
    }
    CraftList list;
    for (const AircraftPtr &craft : catalogue.Aircraft())
        list.names << craft->name;
    list.failures = ErrorBoxText(catalogue.FailureText());
    return list;
}

TextOutcome RunList(const FileName &dataDir)
{
    return Attempted<TextOutcome>([&](TextOutcome &outcome) {
        CheckCodePage();
        const CraftList list = ListCrafts(dataDir);
        for (const QString &name : list.names)
            outcome.output += (ControlsEscaped(name) + QLatin1Char('\n')).toUtf8();
        if (!list.failures.isEmpty())
            outcome.fail(1, list.failures);
    });
}

NamedCatalogue ReadNamedCatalogue(const FileName &dataDir, const QString &name)
{
    NamedCatalogue out;
    try {
        out.catalogue = ReadCatalogue(PathsOf(dataDir));
    } catch (const VarnelError &) {
        throw VarnelError(QStringLiteral("no folder %1").arg(SpeedDirOf(dataDir)));
    }
    QList<FileName> known;
    for (const CatalogueEntry &entry : out.catalogue.Entries())
        known << entry.fileName;
    const FileName craft = Find(name, known, SpeedDirOf(dataDir));
    for (const CatalogueEntry &entry : out.catalogue.Entries())
        if (entry.fileName == craft) {
            if (!entry.aircraft)
                throw VarnelError(OneLineMessage(Naming(craft, ErrorBoxText(entry.failure))));
            out.name = entry.name;
            break;
        }
    return out;
}

FileName LocatedPath(const FileName &path)
{
    return KindOf(path) != FileKind::None ? path : LocateFileName(path);
}
