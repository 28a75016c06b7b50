#pragma once
// The tab-terminated fields of a table row.
#include <QString>

// The text before the first tab; removes it and the tab from row. A rest without a tab
// is the row's last field (empty when it holds only white space) and leaves row empty, so a
// row reads the same with or without its closing tab, and a loop cutting fields ends.
QString CutField(QString &row);

struct SpeedRowFields {
    QString altitude, tasMax, rocMax, tas100, roc100;
};
// Five CutField calls: altitude, TAS at MAX, climb at MAX, TAS at 100%, climb at 100%.
SpeedRowFields SplitSpeedRow(QString &row);
