#include "verdict/ranking_format.h"

#include "core/error.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A number as a cell shows it, and as the data hold it (for a spreadsheet).
void AppendNumber(QString &out, double value, int decimals, bool sign = false)
{
    AppendNumberText(out, value, {.decimals = decimals, .style = NumberStyle::Page, .sign = sign});
}
void AppendPlain(QString &out, double v) { AppendNumberText(out, v, {.style = NumberStyle::Data}); }
QString Plain(double v)
{
    QString out;
    AppendPlain(out, v);
    return out;
}

// A value rounded to `decimals` places, as a cell shows it.
double Rounded(double v, int decimals) { return WrittenValue(v, decimals); }

double Shown(Quantity q, double metric, const View &view) { return ToShown(q, metric, view.units); }
int ShownPlaces(Measure m, const View &view) { return ShownDecimals(QuantityOf(m), RuleOf(m).decimals, view.units); }
QString Along(Quantity q, double at, const View &view)
{
    QString out;
    AppendNumber(out, Shown(q, at, view), 0);
    return out + QLatin1Char(' ') + UnitName(q, view.units);
}

// A table as aligned text: its title, its header, then its rows (cell(row, column) the
// text of each); the first column to the left, the others to the right, two spaces
// apart, no space at a line's end.
template <class CellText>
void AppendAligned(QString &out, const QString &title, const QStringList &header, size_t rows, CellText cell)
{
    const size_t columns = size_t(header.size());
    std::vector<qsizetype> width(columns, 0);
    for (size_t c = 0; c < columns; ++c)
        width[c] = header[qsizetype(c)].size();
    for (size_t row = 0; row < rows; ++row)
        for (size_t c = 0; c < columns; ++c)
            width[c] = std::max(width[c], cell(row, c).size());
    qsizetype line = 1;
    for (qsizetype w : width)
        line += w + 2;
    out.reserve(out.size() + title.size() + 1 + qsizetype(rows + 1) * line);
    out += title + QLatin1Char('\n');
    const auto write = [&](const auto &text) {
        const qsizetype start = out.size();
        for (size_t c = 0; c < columns; ++c) {
            const QStringView s = text(c);
            const qsizetype pad = width[c] - s.size();
            if (c > 0)
                out.resize(out.size() + 2 + pad, QLatin1Char(' '));
            out += s;
            if (c == 0)
                out.resize(out.size() + pad, QLatin1Char(' '));
        }
        while (out.size() > start && out.back() == QLatin1Char(' '))
            out.chop(1);
        out += QLatin1Char('\n');
    };
    write([&](size_t c) { return QStringView(header[qsizetype(c)]); });
    for (size_t row = 0; row < rows; ++row)
        write([&](size_t c) { return cell(row, c); });
}
void AppendAligned(QString &out, const VerdictTable &t)
{
    AppendAligned(out, t.title, t.header, t.rows.size(), [&](size_t row, size_t c) { return QStringView(t.rows[row][c].text); });
}

// A table as tab-separated text: its key, its header, then its rows' plain forms.
void AppendTsv(QString &out, const VerdictTable &t)
{
    out += t.key + QLatin1Char('\n') + t.header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const auto &row : t.rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c)
                out += QLatin1Char('\t');
            out += row[c].plain;
        }
        out += QLatin1Char('\n');
    }
}

// Cells' texts one after another in one string, row by row: tens of thousands of
// cells, one buffer.
struct TextGrid {
    size_t columns;
    QString text;
    std::vector<qsizetype> ends;  // where each cell's text ends
    QStringView Cell(size_t row, size_t c) const
    {
        const size_t i = row * columns + c;
        const qsizetype from = i ? ends[i - 1] : 0;
        return QStringView(text).mid(from, ends[i] - from);
    }
};

VerdictCell LeaderCell(const Leader &l, Measure m, const View &view)
{
    if (l.name.isEmpty())
        return {QStringLiteral("—"), QString(), 0};
    QString text = l.name + QStringLiteral(" (");
    AppendNumber(text, Shown(QuantityOf(m), l.value, view), ShownPlaces(m, view));
    return {text + QLatin1Char(')'), l.name, 0};
}

VerdictTable LeadersTable(const Ranking &r, bool byAltitude, const View &view)
{
    const auto &columns = byAltitude ? r.altitudeLeaders : r.speedLeaders;
    const Quantity along = byAltitude ? Quantity::Altitude : Quantity::Speed;
    VerdictTable t{byAltitude ? QStringLiteral("leaders-altitude") : QStringLiteral("leaders-speed"),
                   byAltitude ? QCoreApplication::translate("Varnel", "Лидеры каталога по высоте") : QCoreApplication::translate("Varnel", "Лидеры каталога по скорости"),
                   {(byAltitude ? QCoreApplication::translate("Varnel", "Высота, %1") : QCoreApplication::translate("Varnel", "Скорость, %1")).arg(UnitName(along, view.units))}, {}};
    for (const RankColumn &c : columns)
        t.header << RankColumnTitle(c, view);
    const auto &rows = byAltitude ? r.byAltitude : r.bySpeed;
    t.rows.reserve(rows.size());
    for (const LeaderRow &row : rows) {
        const double at = Shown(along, row.at, view);
        std::vector<VerdictCell> cells{{QString(), Plain(Rounded(at, 0)), 0}};
        cells.reserve(columns.size() + 1);
        AppendNumber(cells[0].text, at, 0);
        for (size_t i = 0; i < columns.size(); ++i)
            cells.push_back(LeaderCell(row.leaders[i], columns[i].measure, view));
        t.rows.push_back(std::move(cells));
    }
    return t;
}

// JSON written straight into one buffer, laid out as QJsonDocument lays it out indented:
// four spaces a level, each member on a line of its own, an object's keys in the order
// of their code units (its callers give them in that order).
class JsonWriter {
public:
    QByteArray out;

    void Open(char bracket)
    {
        out += bracket;
        out += '\n';
        filled_.push_back(false);
    }
    void Close(char bracket)
    {
        if (filled_.back())
            out += '\n';
        filled_.pop_back();
        out.append(qsizetype(filled_.size()) * 4, ' ');
        out += bracket;
    }
    JsonWriter &Key(QByteArrayView key)
    {
        Item();
        out += '"';
        out.append(key);
        out += "\": ";
        return *this;
    }
    // A text of plain letters, as it is.
    void Word(QByteArrayView word)
    {
        out += '"';
        out.append(word);
        out += '"';
    }
    JsonWriter &Item()
    {
        if (filled_.back())
            out += ",\n";
        filled_.back() = true;
        out.append(qsizetype(filled_.size()) * 4, ' ');
        return *this;
    }
    // A value rounded to thousandths, as the data hold it; null when not finite.
    void Number(double v)
    {
        if (!std::isfinite(v)) {
            out += "null";
            return;
        }
        v = Rounded(v, 3);
        // Whole numbers well inside a double's exact range are written whole; others as
        // the shortest text that reads back the same. Beyond, as Qt's own writer does.
        char buf[64];
        std::to_chars_result end{};
        if (std::abs(v) < 0x1p52 && v == std::floor(v))
            end = std::to_chars(buf, buf + sizeof buf, qint64(v));
        else if (std::abs(v) < 1e12)
            end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
        else
            return AsQtWrites(QJsonValue(v));
        out.append(buf, end.ptr - buf);
    }
    void String(const QString &s)
    {
        // Only a name with a control, a quote, a backslash or half a character pair
        // needs escapes: Qt's writer writes those.
        const bool plain = std::none_of(s.begin(), s.end(), [](QChar c) {
            return c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\') || c.isSurrogate();
        });
        if (plain)
            out += '"' + s.toUtf8() + '"';
        else
            AsQtWrites(QJsonValue(s));
    }

private:
    void AsQtWrites(const QJsonValue &v)
    {
        const QByteArray array = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
        out += array.mid(1, array.size() - 2);
    }
    std::vector<bool> filled_;  // for each open bracket: whether it holds a member yet
};

// The columns as a map of the verdict's JSON gives them: a key per measure, in the order
// of the keys, the settings of a measure compared per flap setting in a map of their own.
struct KeyedColumns {
    QByteArray key;
    std::vector<size_t> columns;
    bool perFlap;
};
const char *const kFlapKeys[FlapSet::kSettings] = {"0", "1", "2", "3"};
const char *const kResultKeys[] = {"better", "worse", "even", "noData", "error"};

std::vector<KeyedColumns> ByKey(const std::vector<RankColumn> &columns)
{
    std::vector<KeyedColumns> out;
    for (size_t i = 0; i < columns.size(); ++i) {
        const QByteArray key(RuleOf(columns[i].measure).key);
        auto group = std::find_if(out.begin(), out.end(), [&](const KeyedColumns &g) { return g.key == key; });
        if (group == out.end())
            group = out.insert(out.end(), {key, {}, columns[i].flap >= 0});
        group->columns.push_back(i);
    }
    std::sort(out.begin(), out.end(), [](const KeyedColumns &a, const KeyedColumns &b) { return a.key < b.key; });
    return out;
}

// A map of the columns' values (value(w, i) writes column i's); `place`, when given, is
// one more member among them, a number.
template <class Value>
void WriteByColumn(JsonWriter &w, const std::vector<RankColumn> &columns, const std::vector<KeyedColumns> &keyed,
                   Value value, const std::pair<QByteArray, double> *place = nullptr)
{
    w.Open('{');
    bool placed = !place;
    for (const KeyedColumns &g : keyed) {
        if (!placed && place->first < g.key) {
            w.Key(place->first).Number(place->second);
            placed = true;
        }
        if (!g.perFlap) {
            value(w.Key(g.key), g.columns[0]);
            continue;
        }
        w.Key(g.key).Open('{');
        for (size_t i : g.columns)
            value(w.Key(kFlapKeys[columns[i].flap]), i);
        w.Close('}');
    }
    if (!placed)
        w.Key(place->first).Number(place->second);
    w.Close('}');
}

void WriteRow(JsonWriter &w, const Ranking &r, const std::vector<KeyedColumns> &keyed, const RankRow &row, const View &view)
{
    w.Item().Open('{');
    if (!row.error.isEmpty()) {
        w.Key("error").String(OneLineErrorText(row.error));
        w.Key("name").String(row.name);
        w.Close('}');
        return;
    }
    const auto shown = [&](size_t i, double v) { return Shown(QuantityOf(r.columns[i].measure), v, view); };
    w.Key("differences");
    WriteByColumn(w, r.columns, keyed, [&](JsonWriter &out, size_t i) { out.Number(shown(i, row.cells[i].difference)); });
    w.Key("name").String(row.name);
    w.Key("results");
    WriteByColumn(w, r.columns, keyed, [&](JsonWriter &out, size_t i) { out.Word(kResultKeys[int(row.cells[i].result)]); });
    w.Key("values");
    WriteByColumn(w, r.columns, keyed, [&](JsonWriter &out, size_t i) { out.Number(shown(i, row.cells[i].value)); });
    w.Key("wins").out += QByteArray::number(row.wins);
    w.Close('}');
}

void WriteLeaders(JsonWriter &w, const Ranking &r, bool byAltitude, const View &view)
{
    const auto &columns = byAltitude ? r.altitudeLeaders : r.speedLeaders;
    const std::vector<KeyedColumns> keyed = ByKey(columns);
    const Quantity along = byAltitude ? Quantity::Altitude : Quantity::Speed;
    w.Open('[');
    for (const LeaderRow &row : byAltitude ? r.byAltitude : r.bySpeed) {
        const std::pair<QByteArray, double> place{byAltitude ? "altitude" : "speed", Shown(along, row.at, view)};
        w.Item();
        WriteByColumn(
            w, columns, keyed,
            [&](JsonWriter &out, size_t i) {
                const Leader &l = row.leaders[i];
                if (l.name.isEmpty()) {
                    out.out += "null";
                    return;
                }
                out.Open('{');
                out.Key("name").String(l.name);
                out.Key("value").Number(Shown(QuantityOf(columns[i].measure), l.value, view));
                out.Close('}');
            },
            &place);
    }
    w.Close(']');
}

}  // namespace

QString RankResultKey(RankResult result) { return QString::fromLatin1(kResultKeys[int(result)]); }

QString RankColumnKey(const RankColumn &c)
{
    const QString key = QString::fromLatin1(RuleOf(c.measure).key);
    return c.flap < 0 ? key : key + QLatin1Char(':') + QString::number(c.flap);
}

QString RankColumnTitle(const RankColumn &c, const View &view)
{
    return MeasureLabel(c.measure, c.flap) + QStringLiteral(", ") + MeasureUnit(c.measure, view.units);
}

QString RankingHeading(const Ranking &r, const View &view)
{
    return r.reference + QStringLiteral(": ") + Along(Quantity::Altitude, r.altitude, view) + QStringLiteral(", ") +
           Along(Quantity::Speed, r.speed, view);
}

RankingCells::RankingCells(const Ranking &r, const View &view)
    : r_(&r), view_(view), none_(QCoreApplication::translate("Varnel", "нет данных")), error_(QCoreApplication::translate("Varnel", "ошибка"))
{
    columns_.reserve(r.columns.size());
    for (const RankColumn &c : r.columns)
        columns_.emplace_back(QuantityOf(c.measure), ShownPlaces(c.measure, view));
}

double RankingCells::shown(size_t column, double metric) const { return Shown(columns_[column].first, metric, view_); }

QStringList RankingCells::Header() const
{
    QStringList header{QCoreApplication::translate("Varnel", "Самолет"), QCoreApplication::translate("Varnel", "Побед")};
    for (const RankColumn &c : r_->columns)
        header << RankColumnTitle(c, view_);
    return header;
}

void RankingCells::AppendText(QString &out, size_t row, size_t column) const
{
    const RankRow *other = row == 0 ? nullptr : &r_->rows[row - 1];
    if (column == 0) {
        out += other ? other->name : r_->reference;
        return;
    }
    if (column == 1) {
        out += other && other->error.isEmpty() ? QString::number(other->wins) : QStringLiteral("—");
        return;
    }
    const size_t i = column - 2;
    const RankCell cell = other ? other->cells[i] : RankCell{r_->referenceValues[i], kNaN, RankResult::NoData};
    if (cell.result == RankResult::Error) {
        out += error_;
    } else if (!std::isfinite(cell.value)) {
        out += none_;
    } else {
        AppendNumber(out, shown(i, cell.value), columns_[i].second);
        if (std::isfinite(cell.difference)) {
            out += QStringLiteral(" (");
            AppendNumber(out, shown(i, cell.difference), columns_[i].second, true);
            out += QLatin1Char(')');
        }
    }
}

VerdictCell RankingCells::Cell(size_t row, size_t column) const
{
    VerdictCell out;
    AppendText(out.text, row, column);
    const RankRow *other = row == 0 ? nullptr : &r_->rows[row - 1];
    if (column < 2) {
        if (column == 0 || (other && other->error.isEmpty()))
            out.plain = out.text;
        return out;
    }
    const size_t i = column - 2;
    const RankCell cell = other ? other->cells[i] : RankCell{r_->referenceValues[i], kNaN, RankResult::NoData};
    if (cell.result == RankResult::Error) {
        out.plain = OneLineErrorText(other->error);
        return out;
    }
    AppendPlain(out.plain, shown(i, cell.value));
    out.tint = cell.result == RankResult::Better ? 2 : cell.result == RankResult::Worse ? 1 : 0;
    return out;
}

VerdictTable AltitudeLeadersTable(const Ranking &r, const View &view) { return LeadersTable(r, true, view); }
VerdictTable SpeedLeadersTable(const Ranking &r, const View &view) { return LeadersTable(r, false, view); }

QString RankingText(const Ranking &r, const View &view)
{
    const RankingCells cells(r, view);
    const QStringList header = cells.Header();
    TextGrid grid{size_t(header.size()), QString(), {}};
    grid.ends.reserve(cells.Rows() * grid.columns);
    grid.text.reserve(qsizetype(cells.Rows() * grid.columns * 12));
    for (size_t row = 0; row < cells.Rows(); ++row)
        for (size_t c = 0; c < grid.columns; ++c) {
            cells.AppendText(grid.text, row, c);
            grid.ends.push_back(grid.text.size());
        }
    QString text;
    AppendAligned(text, RankingHeading(r, view), header, cells.Rows(), [&](size_t row, size_t c) { return grid.Cell(row, c); });
    for (const RankRow &row : r.rows)
        if (!row.error.isEmpty())
            text += row.name + QStringLiteral(": ") + OneLineErrorText(row.error) + QLatin1Char('\n');
    for (const VerdictTable &t : {AltitudeLeadersTable(r, view), SpeedLeadersTable(r, view)}) {
        text += QLatin1Char('\n');
        AppendAligned(text, t);
    }
    return text;
}

QString RankingTsv(const Ranking &r, const View &view)
{
    QString text = QStringLiteral("ranking\nname\twins");
    for (const RankColumn &c : r.columns) {
        const QString key = RankColumnKey(c);
        text += QLatin1Char('\t') + key + QLatin1Char('\t') + key + QStringLiteral(" difference\t") + key + QStringLiteral(" result");
    }
    text += QLatin1Char('\n') + r.reference + QStringLiteral("\treference");
    std::vector<Quantity> quantities;
    for (size_t i = 0; i < r.columns.size(); ++i) {
        quantities.push_back(QuantityOf(r.columns[i].measure));
        text += QLatin1Char('\t');
        AppendPlain(text, Shown(quantities[i], r.referenceValues[i], view));
        text += QStringLiteral("\t\t");
    }
    text.reserve(text.size() + qsizetype(r.rows.size() * (r.columns.size() * 20 + 20)));
    for (const RankRow &row : r.rows) {
        text += QLatin1Char('\n') + row.name + QLatin1Char('\t');
        if (row.error.isEmpty())
            text += QString::number(row.wins);
        for (size_t i = 0; i < r.columns.size(); ++i) {
            text += QLatin1Char('\t');
            AppendPlain(text, Shown(quantities[i], row.cells[i].value, view));
            text += QLatin1Char('\t');
            AppendPlain(text, Shown(quantities[i], row.cells[i].difference, view));
            text += QLatin1Char('\t');
            text += QLatin1StringView(kResultKeys[int(row.cells[i].result)]);
        }
    }
    text += QStringLiteral("\n\n");
    AppendTsv(text, AltitudeLeadersTable(r, view));
    text += QLatin1Char('\n');
    AppendTsv(text, SpeedLeadersTable(r, view));
    return text;
}

QByteArray RankingJson(const Ranking &r, const View &view)
{
    JsonWriter w;
    w.out.reserve(qsizetype(r.rows.size() * r.columns.size()) * 250 + 4096);
    const std::vector<KeyedColumns> keyed = ByKey(r.columns);
    w.Open('{');
    w.Key("aircraft").Open('[');
    for (const RankRow &row : r.rows)
        WriteRow(w, r, keyed, row, view);
    w.Close(']');
    w.Key("altitude").Number(Shown(Quantity::Altitude, r.altitude, view));
    w.Key("flaps").Open('[');
    for (int f = 0; f < FlapSet::kSettings; ++f)
        if (r.flaps.Shows(f))
            w.Item().Word(kFlapKeys[f]);
    w.Close(']');
    w.Key("leaders").Open('{');
    w.Key("byAltitude");
    WriteLeaders(w, r, true, view);
    w.Key("bySpeed");
    WriteLeaders(w, r, false, view);
    w.Close('}');
    w.Key("reference").Open('{');
    w.Key("name").String(r.reference);
    w.Key("values");
    WriteByColumn(w, r.columns, keyed, [&](JsonWriter &out, size_t i) {
        out.Number(Shown(QuantityOf(r.columns[i].measure), r.referenceValues[i], view));
    });
    w.Close('}');
    w.Key("speed").Number(Shown(Quantity::Speed, r.speed, view));
    // The units of every number above.
    w.Key("units").Open('{');
    const std::pair<const char *, Quantity> kinds[] = {{"altitude", Quantity::Altitude}, {"climb", Quantity::Climb},
                                                       {"speed", Quantity::Speed}, {"time", Quantity::Time},
                                                       {"turnRate", Quantity::TurnRate}};
    for (const auto &[key, quantity] : kinds)
        w.Key(key).String(UnitKey(quantity, view.units));
    w.Close('}');
    w.Close('}');
    w.out += '\n';
    return w.out;
}
