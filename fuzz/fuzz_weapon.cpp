// The armament rows: every line of the input through SplitWeaponRow, and the whole
// input as one row, checked against a model of the row rules (group before the first
// ":", "gun" renamed by row number, items cut after a ":" and up to a ";", a last
// item without its ";" taking the rest of the row).
#include "catalogue/scan.h"
#include "fuzz/fuzz_support.h"

#include <QStringList>

namespace {
WeaponRowCaptions ModelRow(const QString &row, int index)
{
    WeaponRowCaptions out;
    const qsizetype colon = row.indexOf(u':');
    const QString name = colon < 0 ? QString() : row.left(colon);
    out.group = (name == QLatin1String("gun") ? QStringLiteral("w%1").arg(index) : name) + u':';
    QString rest = row;
    while (!rest.isEmpty()) {
        rest.remove(0, rest.indexOf(u':') + 1);  // up to and including the first ":", if any
        const qsizetype semi = rest.indexOf(u';');
        const qsizetype take = semi < 0 ? rest.size() : semi + 1;
        out.items.append(rest.left(take));
        rest.remove(0, take);
    }
    return out;
}

void CheckRow(const QString &row, int index)
{
    const WeaponRowCaptions got = SplitWeaponRow(row, index, row.size() + 1);  // never cut
    const WeaponRowCaptions model = ModelRow(row, index);
    // Cut short: the first items, then a note of how many more there are.
    const WeaponRowCaptions cut = SplitWeaponRow(row, index, 3);
    const QStringList kept = model.items.mid(0, 3);
    FUZZ_CHECK(cut.items.mid(0, 3) == kept, row);
    FUZZ_CHECK(cut.items.size() == (model.items.size() > 3 ? 4 : model.items.size()), row);
    const QString where = QStringLiteral("row %1: ").arg(index) + row;
    FUZZ_CHECK(got.group == model.group, where + QStringLiteral(" group ") + got.group);
    FUZZ_CHECK(got.items == model.items, where + QStringLiteral(" items ") + got.items.join(u'|'));

    // Every item but the last is non-empty and ends with its ";"; together they are
    // never longer than the row.
    qsizetype total = 0;
    for (qsizetype i = 0; i < got.items.size(); ++i) {
        const QString &item = got.items.at(i);
        if (i + 1 < got.items.size())
            FUZZ_CHECK(item.endsWith(u';'), where + QStringLiteral(" item ") + item);
        FUZZ_CHECK(item.count(u';') <= 1, where + QStringLiteral(" item ") + item);
        total += item.size();
    }
    FUZZ_CHECK(total <= row.size(), where);
    FUZZ_CHECK(got.items.isEmpty() == row.isEmpty(), where);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    const QStringList rows = SplitTextLines(bytes);
    for (int i = 0; i < rows.size(); ++i)
        CheckRow(rows.at(i), i);
    // Row numbers far from the file's, and a row with every character a file can't hold.
    CheckRow(QString::fromLatin1(bytes), int(size % 100000) * 997 - 3);
    return 0;
}
