#pragma once
// Values read from the tables exactly as the charts draw them: every number cut to
// three decimals, turn times as turn rates, and an error that says in which row and
// column the value stands.
#include "core/error.h"

#include <QString>
#include <QStringList>

#include <functional>

// A chart value read from text with ReadValue; a number that does not fit a chart point
// (not finite as a double) raises "Floating point overflow".
double ChartValue(QStringView text);

// A full-turn time in seconds read from text, as a turn rate in degrees per second
// cut toward zero to three decimals. Raises "Floating point division by zero" for a
// time of zero, "Floating point overflow" for a rate too large for a chart.
double TurnTimeToRate(QStringView text);

// A value's text and where it stands in its table: row and column, counted from 0.
struct Cell {
    QStringView text;
    int row, column;
};

// Runs read, which reads the value standing at `at`; an error it raises carries the
// value's row and column, so the refresh can say where it stands.
template <class Read>
auto ReadAt(const Cell &at, Read &&read) -> decltype(read())
{
    try {
        return read();
    } catch (const VarnelError &e) {
        throw e.InCell(at.row, at.column);
    }
}

// A table's error with a second line saying where its value stands (aircraft, file,
// row and column); an error about no one row stays as it is.
VarnelError Located(const VarnelError &error, const QString &aircraft, const QString &file);

// Runs read, which reads values of an aircraft's file; an error about a value in one row
// gets a second line naming the aircraft, the file and where the value stands.
void ReadLocated(const QString &aircraft, const QString &file, const std::function<void()> &read);
