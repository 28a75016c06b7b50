#include "verdict/ranking_format.h"

#include "core/error.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

double ShownValue(Measure m, double v) { return ToShown(QuantityOf(m), v, ShownUnits()); }
QString Along(Quantity q, double at)
{
    return VerdictNumber(ToShown(q, at, ShownUnits()), 0) + QLatin1Char(' ') + UnitName(q, ShownUnits());
}
QString ValueText(Measure m, double v, bool sign = false) { return VerdictNumber(ShownValue(m, v), MeasureDecimals(m), sign); }

VerdictCell CellOf(const RankColumn &c, const RankCell &cell, const QString &error)
{
    if (cell.result == RankResult::Error)
        return {QCoreApplication::translate("Varnel", "ошибка"), OneLineErrorText(error), 0};
    if (!std::isfinite(cell.value))
        return {QCoreApplication::translate("Varnel", "нет данных"), QString(), 0};
    QString text = ValueText(c.measure, cell.value);
    if (std::isfinite(cell.difference))
        text += QLatin1String(" (") + ValueText(c.measure, cell.difference, true) + QLatin1Char(')');
    const int tint = cell.result == RankResult::Better ? 2 : cell.result == RankResult::Worse ? 1 : 0;
    return {text, PlainNumber(ShownValue(c.measure, cell.value)), tint};
}

VerdictCell LeaderCell(const RankColumn &c, const Leader &l)
{
    if (l.name.isEmpty())
        return {QStringLiteral("—"), QString(), 0};
    return {QStringLiteral("%1 (%2)").arg(l.name, ValueText(c.measure, l.value)), l.name, 0};
}

VerdictTable LeadersTable(const Ranking &r, bool byAltitude)
{
    const auto &columns = byAltitude ? r.altitudeLeaders : r.speedLeaders;
    const Quantity along = byAltitude ? Quantity::Altitude : Quantity::Speed;
    VerdictTable t{byAltitude ? QStringLiteral("leaders-altitude") : QStringLiteral("leaders-speed"),
                   byAltitude ? QCoreApplication::translate("Varnel", "Лидеры каталога по высоте") : QCoreApplication::translate("Varnel", "Лидеры каталога по скорости"),
                   {(byAltitude ? QCoreApplication::translate("Varnel", "Высота, %1") : QCoreApplication::translate("Varnel", "Скорость, %1")).arg(UnitName(along, ShownUnits()))}, {}};
    for (const RankColumn &c : columns)
        t.header << RankColumnTitle(c);
    for (const LeaderRow &row : byAltitude ? r.byAltitude : r.bySpeed) {
        const double at = ToShown(along, row.at, ShownUnits());
        std::vector<VerdictCell> cells{{VerdictNumber(at, 0), PlainNumber(RoundedAsShown(at, 0)), 0}};
        for (size_t i = 0; i < columns.size(); ++i)
            cells.push_back(LeaderCell(columns[i], row.leaders[i]));
        t.rows.push_back(cells);
    }
    return t;
}

QJsonValue Number(double v) { return std::isfinite(v) ? QJsonValue(RoundedAsShown(v, 3)) : QJsonValue(); }

// A map of the columns' values: single measures by key, turn time and rate by flap.
template <class Value>
QJsonObject ByColumn(const std::vector<RankColumn> &columns, Value value)
{
    QJsonObject out;
    for (size_t i = 0; i < columns.size(); ++i) {
        const QString key = QString::fromLatin1(RuleOf(columns[i].measure).key);
        if (columns[i].flap < 0) {
            out[key] = value(i);
            continue;
        }
        QJsonObject flaps = out.value(key).toObject();
        flaps[QString::number(columns[i].flap)] = value(i);
        out[key] = flaps;
    }
    return out;
}

QJsonObject RowJson(const Ranking &r, const RankRow &row)
{
    if (!row.error.isEmpty())
        return {{"name", row.name}, {"error", OneLineErrorText(row.error)}};
    const auto &cols = r.columns;
    return {{"name", row.name},
            {"values", ByColumn(cols, [&](size_t i) { return Number(ShownValue(cols[i].measure, row.cells[i].value)); })},
            {"differences", ByColumn(cols, [&](size_t i) { return Number(ShownValue(cols[i].measure, row.cells[i].difference)); })},
            {"results", ByColumn(cols, [&](size_t i) { return QJsonValue(RankResultKey(row.cells[i].result)); })},
            {"wins", row.wins}};
}

QJsonArray LeadersJson(const Ranking &r, bool byAltitude)
{
    const auto &columns = byAltitude ? r.altitudeLeaders : r.speedLeaders;
    QJsonArray out;
    for (const LeaderRow &row : byAltitude ? r.byAltitude : r.bySpeed) {
        const auto leader = [&](size_t i) {
            const Leader &l = row.leaders[i];
            return l.name.isEmpty() ? QJsonValue()
                                    : QJsonValue(QJsonObject{{"name", l.name}, {"value", Number(ShownValue(columns[i].measure, l.value))}});
        };
        QJsonObject o = ByColumn(columns, leader);
        const Quantity along = byAltitude ? Quantity::Altitude : Quantity::Speed;
        o[byAltitude ? QStringLiteral("altitude") : QStringLiteral("speed")] = Number(ToShown(along, row.at, ShownUnits()));
        out.append(o);
    }
    return out;
}

}  // namespace

QString RankResultKey(RankResult result)
{
    static const char *const keys[] = {"better", "worse", "even", "noData", "error"};
    return QString::fromLatin1(keys[int(result)]);
}

QString RankColumnKey(const RankColumn &c)
{
    const QString key = QString::fromLatin1(RuleOf(c.measure).key);
    return c.flap < 0 ? key : key + QLatin1Char(':') + QString::number(c.flap);
}

QString RankColumnTitle(const RankColumn &c)
{
    return MeasureLabel(c.measure, c.flap) + QStringLiteral(", ") + MeasureUnit(c.measure, ShownUnits());
}

QString RankingHeading(const Ranking &r)
{
    return QStringLiteral("%1: %2, %3").arg(r.reference, Along(Quantity::Altitude, r.altitude), Along(Quantity::Speed, r.speed));
}

QStringList RankingHeader(const Ranking &r)
{
    QStringList header{QCoreApplication::translate("Varnel", "Самолет"), QCoreApplication::translate("Varnel", "Побед")};
    for (const RankColumn &c : r.columns)
        header << RankColumnTitle(c);
    return header;
}

VerdictCell RankingCell(const Ranking &r, size_t row, size_t column)
{
    const QString name = row == 0 ? r.reference : r.rows[row - 1].name;
    if (column == 0)
        return {name, name, 0};
    if (row == 0) {
        const RankCell own{column > 1 ? r.referenceValues[column - 2] : std::nan(""), std::nan(""), RankResult::NoData};
        return column == 1 ? VerdictCell{QStringLiteral("—"), QString(), 0} : CellOf(r.columns[column - 2], own, QString());
    }
    const RankRow &data = r.rows[row - 1];
    if (column == 1)
        return data.error.isEmpty() ? VerdictCell{QString::number(data.wins), QString::number(data.wins), 0}
                                    : VerdictCell{QStringLiteral("—"), QString(), 0};
    return CellOf(r.columns[column - 2], data.cells[column - 2], data.error);
}

VerdictTable RankingTable(const Ranking &r)
{
    VerdictTable t{QStringLiteral("ranking"), RankingHeading(r), RankingHeader(r), {}};
    t.rows.reserve(r.rows.size() + 1);
    for (size_t row = 0; row <= r.rows.size(); ++row) {
        std::vector<VerdictCell> cells;
        cells.reserve(r.columns.size() + 2);
        for (size_t c = 0; c < r.columns.size() + 2; ++c)
            cells.push_back(RankingCell(r, row, c));
        t.rows.push_back(std::move(cells));
    }
    return t;
}

VerdictTable AltitudeLeadersTable(const Ranking &r) { return LeadersTable(r, true); }
VerdictTable SpeedLeadersTable(const Ranking &r) { return LeadersTable(r, false); }

QString RankingText(const Ranking &r)
{
    QString text = AlignedTable(RankingTable(r));
    for (const RankRow &row : r.rows)
        if (!row.error.isEmpty())
            text += row.name + QStringLiteral(": ") + OneLineErrorText(row.error) + QLatin1Char('\n');
    for (const VerdictTable &t : {AltitudeLeadersTable(r), SpeedLeadersTable(r)})
        text += QLatin1Char('\n') + AlignedTable(t);
    return text;
}

QString RankingTsv(const Ranking &r)
{
    VerdictTable t{QStringLiteral("ranking"), QString(), {"name", "wins"}, {}};
    for (const RankColumn &c : r.columns)
        t.header << RankColumnKey(c) << RankColumnKey(c) + QStringLiteral(" difference") << RankColumnKey(c) + QStringLiteral(" result");
    const auto plain = [](double v) { return VerdictCell{QString(), PlainNumber(v), 0}; };
    std::vector<VerdictCell> reference{plain(0), plain(0)};
    reference[0].plain = r.reference;
    reference[1].plain = QStringLiteral("reference");
    for (size_t i = 0; i < r.columns.size(); ++i)
        reference.insert(reference.end(), {plain(ShownValue(r.columns[i].measure, r.referenceValues[i])), plain(NAN), plain(NAN)});
    t.rows.push_back(reference);
    for (const RankRow &row : r.rows) {
        std::vector<VerdictCell> cells{{QString(), row.name, 0}, {QString(), row.error.isEmpty() ? QString::number(row.wins) : QString(), 0}};
        for (size_t i = 0; i < r.columns.size(); ++i) {
            const Measure m = r.columns[i].measure;
            cells.insert(cells.end(), {plain(ShownValue(m, row.cells[i].value)), plain(ShownValue(m, row.cells[i].difference)),
                                       {QString(), RankResultKey(row.cells[i].result), 0}});
        }
        t.rows.push_back(cells);
    }
    return TableTsv(t) + QLatin1Char('\n') + TableTsv(AltitudeLeadersTable(r)) + QLatin1Char('\n') + TableTsv(SpeedLeadersTable(r));
}

QByteArray RankingJson(const Ranking &r)
{
    QJsonArray aircraft;
    for (const RankRow &row : r.rows)
        aircraft.append(RowJson(r, row));
    QJsonArray flaps;
    for (int f = 0; f < FlapSet::kSettings; ++f)
        if (r.flaps.Shows(f))
            flaps.append(QString::number(f));
    QJsonObject units;
    const std::pair<const char *, Quantity> kinds[] = {{"altitude", Quantity::Altitude}, {"speed", Quantity::Speed},
                                                       {"climb", Quantity::Climb}, {"time", Quantity::Time},
                                                       {"turnRate", Quantity::TurnRate}};
    for (const auto &[key, quantity] : kinds)
        units[QString::fromLatin1(key)] = UnitKey(quantity, ShownUnits());
    const auto &cols = r.columns;
    const QJsonObject root{
        {"reference", QJsonObject{{"name", r.reference},
                                  {"values", ByColumn(cols, [&](size_t i) { return Number(ShownValue(cols[i].measure, r.referenceValues[i])); })}}},
        {"altitude", Number(ToShown(Quantity::Altitude, r.altitude, ShownUnits()))},
        {"speed", Number(ToShown(Quantity::Speed, r.speed, ShownUnits()))},
        {"flaps", flaps},
        {"units", units},
        {"aircraft", aircraft},
        {"leaders", QJsonObject{{"byAltitude", LeadersJson(r, true)}, {"bySpeed", LeadersJson(r, false)}}}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
