#include "catalogue/check_warnings.h"

#include "catalogue/chart_values.h"
#include "catalogue/decimal.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <optional>

QString CheckText(const char *text) { return QCoreApplication::translate("Varnel", text); }

QList<QStringView> RowFields(QStringView row)
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

bool NearName(const QString &a, const QString &b)
{
    if (std::abs(a.size() - b.size()) > 1)
        return false;
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a.at(i) == b.at(i))
        ++i;
    const auto rest = [&](qsizetype ai, qsizetype bi) { return QStringView(a).sliced(std::min(ai, a.size())) == QStringView(b).sliced(std::min(bi, b.size())); };
    const bool swapped = a.size() == b.size() && i + 1 < a.size() && a.at(i) == b.at(i + 1) && a.at(i + 1) == b.at(i) && rest(i + 2, i + 2);
    return swapped || rest(i + 1, i + 1) || rest(i + 1, i) || rest(i, i + 1);
}

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

// The values among fields that read as chart values, each with its index; an empty
// field is a gap and a bad one an error of its own.
struct ReadableValues {
    std::vector<double> values;
    std::vector<int> at;
};
ReadableValues Readable(const QList<QStringView> &fields)
{
    ReadableValues out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields.at(i).isEmpty())
            continue;
        try {
            out.values.push_back(ChartValue(fields.at(i).toString()));
            out.at.push_back(int(i));
        } catch (const VarnelError &) {
        }
    }
    return out;
}

void CheckAltitudes(const Aircraft &craft, const QStringList &rows, QList<DataProblem> &out)
{
    // Every row's altitude, also past a bad value: the order is a problem of its own.
    QList<QStringView> altitudes;
    for (const QString &row : rows)
        altitudes.append(RowFields(row).value(0));
    const ReadableValues read = Readable(altitudes);
    const int i = FirstOutOfOrder(read.values);
    if (i >= 0)
        out << Warning(craft, DataFile::Speed, read.at[size_t(i)] + 1, 1,
                       OrderText(read.values[size_t(i)], read.values[size_t(i) - 1],
                                 QT_TRANSLATE_NOOP("Varnel", "высота %1 %2: кривые по высоте повернут назад")));
}

void CheckSpeeds(const Aircraft &craft, const QStringList &rows, QList<DataProblem> &out)
{
    if (rows.isEmpty())
        return;
    const QList<QStringView> speeds = RowFields(rows.at(0));
    const ReadableValues read = Readable(speeds);
    const int i = FirstOutOfOrder(read.values);
    if (i >= 0)
        out << Warning(craft, DataFile::Turn, 1, read.at[size_t(i)] + 1,
                       OrderText(read.values[size_t(i)], read.values[size_t(i) - 1],
                                 QT_TRANSLATE_NOOP("Varnel", "скорость %1 %2: кривые по скорости повернут назад")));
    // The table's other rows are read as far as the speeds row goes.
    for (qsizetype r = 1; r < std::min<qsizetype>(rows.size(), kFirstSummaryRow); ++r) {
        const QList<QStringView> fields = RowFields(rows.at(r));
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
        const auto near = std::find_if(known.begin(), known.end(), [&](const QString &k) { return NearName(key, k); });
        const auto k = meant != known.end() ? meant : near;
        if (k != known.end())
            out << Warning(craft, DataFile::Turn, int(r) + 1, 1,
                           QCoreApplication::translate("Varnel", "ключ «%1» деревья не знают, они знают «%2»: строку пропустят").arg(key, *k));
    }
    // A value read with another separator than ": ": said with the number read, so a
    // reader sees at once whether it is the one meant.
    for (const QString &key : known) {
        const TurnSummaryText found = FindTurnSummary(rows, key);
        long double value = 0;
        if (found.row >= 0 && found.separator != QLatin1String(": ") && ParseNumber(found.text, value))
            out << Warning(craft, DataFile::Turn, int(found.row) + 1, int(rows.at(found.row).indexOf(key) + key.size()) + 1,
                           QCoreApplication::translate("Varnel", "между ключом %1 и числом стоит «%2», а не «: »: прочитано %3")
                               .arg(key, found.separator, FormatSummaryValue(value)));
    }
}
}  // namespace

QList<DataProblem> AircraftWarnings(const Aircraft &craft, const AircraftReading &reading)
{
    QList<DataProblem> out;
    if (!reading.failure)  // an aircraft left out draws nothing: an empty table is no news
        CheckEmpty(craft, reading, out);
    CheckAltitudes(craft, reading.speedRows, out);
    CheckSpeeds(craft, reading.turnRows, out);
    CheckSummaryKeys(craft, reading.turnRows, out);
    return out;
}
