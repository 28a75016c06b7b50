#pragma once
// An aircraft's armament as the trees show it: one group per row of its armament file.
#include "catalogue/file_name.h"

#include <QList>
#include <QStringList>

// At most about this many nodes (groups and items) stand under an aircraft's armament
// node; past them a last node tells how many rows or items are not shown, so a huge
// armament file costs neither memory nor time in the trees.
constexpr qsizetype kMaxArmamentNodes = 2000;

// One row of an armament file as the tree shows it: the group's caption (with its
// ":") and the captions of its items (each with its ";").
struct WeaponRowCaptions {
    QString group;
    QStringList items;
};
// row: the row's text; index: its row number counted from 0 over all rows. At most
// maxItems items are taken; past them one more item tells how many are not shown.
WeaponRowCaptions SplitWeaponRow(QStringView row, int index, qsizetype maxItems = kMaxArmamentNodes);

// The caption of the armament node, the first child of an aircraft.
QString ArmamentCaption();

// The groups of an armament file (none when there is no such file), read as one text
// and its rows taken one by one, only as many as are shown.
QList<WeaponRowCaptions> ReadArmament(const FileName &path);
