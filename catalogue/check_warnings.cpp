#include "catalogue/check_warnings.h"

#include "catalogue/chart_values.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <optional>

QString CheckText(const char *text) { return QCoreApplication::translate("Varnel", text); }

namespace {
DataProblem Warning(const Aircraft &craft, DataFile file, int line, int column, const QString &message)
{
    DataProblem p;
    p.file = DataFilePath(craft.fileName, file);
    p.line = line;
    p.column = column;
    p.severity = DataProblem::Severity::Warning;
    p.aircraft = craft.name;
    p.message = message;
    return p;
}

// A row's fields as the tables cut them: up to each tab, then a last one without a tab
// (none when it is only white space).
QList<QStringView> Fields(QStringView row)
{
    QList<QStringView> fields;
    while (!row.isEmpty()) {
        const qsizetype tab = row.indexOf(u'\t');
        if (tab < 0) {
            if (!row.trimmed().isEmpty())
                fields.append(row);
            break;
        }
        fields.append(row.first(tab));
        row = row.sliced(tab + 1);
    }
    return fields;
}

// The first place (index into values) where values stop going one way: a value equal to
// the one before it, or one that turns back. -1: in order.
int FirstOutOfOrder(const std::vector<double> &values)
{
    int direction = 0;
    for (size_t i = 1; i < values.size(); ++i) {
        const double step = values[i] - values[i - 1];
        const int sign = step > 0 ? 1 : step < 0 ? -1 : 0;
        if (sign == 0 || (direction != 0 && sign != direction))
            return int(i);
        direction = sign;
    }
    return -1;
}

QString OrderText(double value, double before, const char *what)
{
    return value == before ? CheckText(what).arg(value).arg(QCoreApplication::translate("Varnel", "повторяет предыдущее"))
                           : CheckText(what).arg(value).arg(QCoreApplication::translate("Varnel", "идет не по порядку после %1").arg(before));
}

void CheckAltitudes(const Aircraft &craft, QList<DataProblem> &out)
{
    // Each row read gives one point of every altitude curve: point i stands in row i.
    const CurvePoints &points = craft.altitude.curves[0];
    const int i = FirstOutOfOrder(points.x);
    if (i >= 0)
        out << Warning(craft, DataFile::Speed, i + 1, 1,
                       OrderText(points.x[size_t(i)], points.x[size_t(i) - 1],
                                 QT_TRANSLATE_NOOP("Varnel", "высота %1 %2: кривые по высоте повернут назад")));
}

void CheckSpeeds(const Aircraft &craft, const QStringList &rows, QList<DataProblem> &out)
{
    if (rows.isEmpty())
        return;
    const QList<QStringView> speeds = Fields(rows.at(0));
    std::vector<double> values;
    std::vector<int> columns;
    for (qsizetype c = 0; c < speeds.size(); ++c) {
        if (speeds.at(c).isEmpty())
            continue;
        try {
            values.push_back(ChartValue(speeds.at(c).toString()));
            columns.push_back(int(c));
        } catch (const VarnelError &) {
            // a bad speed is an error of its own
        }
    }
    const int i = FirstOutOfOrder(values);
    if (i >= 0)
        out << Warning(craft, DataFile::Turn, 1, columns[size_t(i)] + 1,
                       OrderText(values[size_t(i)], values[size_t(i) - 1],
                                 QT_TRANSLATE_NOOP("Varnel", "скорость %1 %2: кривые по скорости повернут назад")));
    // The table's other rows are read as far as the speeds row goes.
    for (qsizetype r = 1; r < std::min<qsizetype>(rows.size(), kFirstSummaryRow); ++r) {
        const QList<QStringView> fields = Fields(rows.at(r));
        qsizetype extra = 0, first = -1;
        for (qsizetype c = speeds.size(); c < fields.size(); ++c)
            if (!fields.at(c).trimmed().isEmpty()) {
                ++extra;
                if (first < 0)
                    first = c;
            }
        if (extra > 0)
            out << Warning(craft, DataFile::Turn, int(r) + 1, int(first) + 1,
                           QCoreApplication::translate("Varnel", "в строке значения дальше строки скоростей (%1 лишних): графики их не покажут")
                               .arg(extra));
    }
}

void CheckEmpty(const Aircraft &craft, const AircraftReading &reading, QList<DataProblem> &out)
{
    if (reading.speedRows.isEmpty())
        out << Warning(craft, DataFile::Speed, 0, 0,
                       QCoreApplication::translate("Varnel", "таблица пуста: графиков по высоте у этого самолета не будет"));
    const TurnCurves &t = craft.turn;
    bool drawn = !t.climb.points.x.empty() || t.climb.failure || t.missingTimeRow;
    for (const SpeedCurve &c : t.times)
        drawn = drawn || !c.points.x.empty() || c.failure;
    if (!drawn)
        out << Warning(craft, DataFile::Turn, 0, 0,
                       QCoreApplication::translate("Varnel", "таблица пуста: графиков по скорости у этого самолета не будет"));
}

// Whether a and b differ in at most one character (one changed, added or left out).
bool OneEditApart(const QString &a, const QString &b)
{
    if (std::abs(a.size() - b.size()) > 1)
        return false;
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a.at(i) == b.at(i))
        ++i;
    const auto rest = [&](qsizetype ai, qsizetype bi) { return QStringView(a).sliced(std::min(ai, a.size())) == QStringView(b).sliced(std::min(bi, b.size())); };
    return rest(i + 1, i + 1) || rest(i + 1, i) || rest(i, i + 1);
}

void CheckSummaryKeys(const Aircraft &craft, const QStringList &rows, QList<DataProblem> &out)
{
    const QStringList known = TurnSummaryKeys();
    for (qsizetype r = kFirstSummaryRow; r < rows.size(); ++r) {
        const QString row = rows.at(r).trimmed();
        qsizetype end = 0;
        while (end < row.size() && (row.at(end).isLetterOrNumber() || row.at(end) == u'_'))
            ++end;
        const QString key = row.left(end);
        if (key.size() < 4 || known.contains(key))
            continue;
        // A key in another case first, then one a letter off.
        const auto meant = std::find_if(known.begin(), known.end(), [&](const QString &k) { return key.compare(k, Qt::CaseInsensitive) == 0; });
        const auto near = std::find_if(known.begin(), known.end(), [&](const QString &k) { return OneEditApart(key, k); });
        const auto k = meant != known.end() ? meant : near;
        if (k != known.end())
            out << Warning(craft, DataFile::Turn, int(r) + 1, 1,
                           QCoreApplication::translate("Varnel", "ключ «%1» деревья не знают, они знают «%2»: строку пропустят").arg(key, *k));
    }
}
}  // namespace

QList<DataProblem> AircraftWarnings(const Aircraft &craft, const AircraftReading &reading)
{
    QList<DataProblem> out;
    CheckEmpty(craft, reading, out);
    CheckAltitudes(craft, out);
    CheckSpeeds(craft, reading.turnRows, out);
    CheckSummaryKeys(craft, reading.turnRows, out);
    return out;
}
