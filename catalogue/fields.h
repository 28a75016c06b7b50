#pragma once
// The tab-terminated fields of a table row.
#include <QString>

// The text before the first tab; removes it and the tab from row. A row without a tab
// gives an empty field and stays unchanged.
QString CutField(QString &row);

struct SpeedRowFields {
    QString altitude, tasMax, rocMax, tas100, roc100;
};
// Five CutField calls: altitude, TAS at MAX, climb at MAX, TAS at 100%, climb at 100%.
SpeedRowFields SplitSpeedRow(QString &row);
