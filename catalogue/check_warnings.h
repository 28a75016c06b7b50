#pragma once
// The data check's warnings about one aircraft's files: things that draw but are
// probably mistakes, each saying what the charts will do.
#include "catalogue/aircraft.h"
#include "catalogue/data_problem.h"

#include <QList>

// Altitudes or speeds out of order or repeated, values past the speeds row, an empty
// table, a summary key of the turn file spelled not quite as the trees spell it.
QList<DataProblem> AircraftWarnings(const Aircraft &craft, const AircraftReading &reading);

// A warning text: QCoreApplication::translate in the program's context.
QString CheckText(const char *text);

// A row's fields as the tables cut them: up to each tab, then a last one without a tab
// (none when it is only white space).
QList<QStringView> RowFields(QStringView row);

// Whether a and b differ in at most one character (one changed, added or left out) or
// in two neighbours swapped: a name typed not quite right.
bool NearName(const QString &a, const QString &b);
