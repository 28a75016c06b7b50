#include "catalogue/fields.h"

QString CutField(QString &row)
{
    const qsizetype tab = row.indexOf(u'\t');
    if (tab < 0) {
        QString last;
        if (!QStringView(row).trimmed().isEmpty())
            last = row;
        row.clear();
        return last;
    }
    QString field = row.left(tab);
    row.remove(0, tab + 1);
    return field;
}

SpeedRowFields SplitSpeedRow(QString &row)
{
    SpeedRowFields f;
    f.altitude = CutField(row);
    f.tasMax = CutField(row);
    f.rocMax = CutField(row);
    f.tas100 = CutField(row);
    f.roc100 = CutField(row);
    return f;
}
