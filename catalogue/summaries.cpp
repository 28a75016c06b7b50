#include "catalogue/summaries.h"

#include "catalogue/decimal.h"
#include "catalogue/text_file.h"
#include "core/error.h"

QString GetCraftValue(const DataPaths &paths, const FileName &name, const QString &key)
{
    const FileName path = paths.craftFile(name);
    if (!RegularFileExists(path))
        return QStringLiteral("unknown");
    for (const QString &row : ReadTextLines(path)) {
        const qsizetype eq = row.indexOf(u'=');
        if (eq >= 0 && QStringView(row).first(eq).compare(key, Qt::CaseInsensitive) == 0)
            return row.mid(eq + 1);
    }
    return QString();
}

// The turn file's summary rows follow its six table rows.
constexpr qsizetype kFirstSummaryRow = 6;

QString GetTurnValue(const DataPaths &paths, const FileName &name, const QString &key)
{
    const FileName path = paths.turnFile(name);
    if (!RegularFileExists(path))
        return QStringLiteral("unknown");
    const QStringList rows = ReadTextLines(path);
    for (qsizetype r = kFirstSummaryRow; r < rows.size(); ++r) {
        if (!rows.at(r).contains(key))
            continue;
        // The value stands two characters after the key's length, wherever the key was.
        const QString text = rows.at(r).mid(key.size() + 2);
        long double x = 0;
        if (!ParseNumber(text, x))
            throw LocatedError(InvalidFloatError(text), name, FileName::FromBytes(path.bytes.mid(path.bytes.lastIndexOf('/') + 1)), r);
        return FormatSummaryValue(x);
    }
    return QString();
}
