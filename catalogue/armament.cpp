#include "catalogue/armament.h"

#include "catalogue/text_file.h"

#include <QCoreApplication>

// The last node of a list cut short.
static QString NotShownNote(qsizetype count)
{
    return QCoreApplication::translate("Varnel", "… не показано: %1").arg(count);
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

QString ArmamentCaption() { return QCoreApplication::translate("Varnel", "вооружение:"); }

QList<WeaponRowCaptions> ReadArmament(const FileName &path)
{
    QList<WeaponRowCaptions> groups;
    const std::optional<QString> text = ReadTextIfRegular(path);
    if (!text)
        return groups;
    qsizetype room = kMaxArmamentNodes;
    qsizetype leftOut = 0;
    int index = 0;
    ForEachLine(*text, [&](QStringView row) {
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

