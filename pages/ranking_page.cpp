#include "pages/ranking_page.h"

#include "core/error.h"
#include "pages/application.h"
#include "pages/verdict_page.h"
#include "verdict/ranking_format.h"

#include <QAbstractTableModel>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numeric>

// A table of the ranking or of its leaders as the page shows it: its cells' texts and
// tints, made only when the view asks for them, an aircraft that can't be read with its
// error across the row. Sorting orders the rows by a column (numbers as numbers, cells
// without one last), the first row (the reference) kept on top where pinned; only an
// index is sorted, never the cells.
class RankingModel : public QAbstractTableModel {
public:
    using Cells = std::function<VerdictCell(size_t row, size_t column)>;
    RankingModel(bool pinFirst, QObject *parent) : QAbstractTableModel(parent), pinFirst_(pinFirst) {}

    void Set(QStringList header, size_t rows, Cells cells, std::vector<bool> errorRows)
    {
        beginResetModel();
        header_ = std::move(header);
        cells_ = std::move(cells);
        errors_ = std::move(errorRows);
        errors_.resize(rows);
        order_.resize(rows);
        std::iota(order_.begin(), order_.end(), size_t(0));
        endResetModel();
    }
    void Set(const VerdictTable &table)
    {
        auto held = std::make_shared<const VerdictTable>(table);
        Set(table.header, table.rows.size(), [held](size_t row, size_t column) { return held->rows[row][column]; }, {});
    }
    bool IsError(int row) const { return errors_[order_[size_t(row)]]; }
    bool IsPinned(int row) const { return pinFirst_ && row == 0; }
    QString NameAt(int row) const { return cells_(order_[size_t(row)], 0).plain; }

    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(order_.size()); }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(header_.size()); }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= header_.size())
            return {};
        // The unit under the measure's name: the columns stay narrow.
        const QString &title = header_[section];
        const qsizetype comma = title.lastIndexOf(QStringLiteral(", "));
        return comma > 0 ? title.left(comma) + QLatin1Char('\n') + title.mid(comma + 2) : title;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        const size_t row = order_[size_t(index.row())];
        const bool error = errors_[row] && index.column() >= 2;
        switch (role) {
        case Qt::DisplayRole:
            return error ? (index.column() == 2 ? cells_(row, 2).plain : QString()) : cells_(row, size_t(index.column())).text;
        case Qt::ToolTipRole:
            return errors_[row] ? cells_(row, 2).plain : QVariant();
        case Qt::TextAlignmentRole:
            return int(index.column() == 0 || error ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        case Qt::BackgroundRole:
        case Qt::ForegroundRole: {
            const int tint = error ? 0 : cells_(row, size_t(index.column())).tint;
            if (!tint)
                return {};
            return role == Qt::BackgroundRole ? VerdictPage::Tint(tint) : VerdictPage::InkOn(VerdictPage::Tint(tint));
        }
        default:
            return {};
        }
    }
    void sort(int column, Qt::SortOrder order) override
    {
        if (column < 0 || column >= columnCount({}))
            return;
        emit layoutAboutToBeChanged();
        std::vector<std::pair<bool, double>> keys(order_.size());
        std::vector<QString> names(column == 0 ? order_.size() : 0);
        for (size_t row = 0; row < order_.size(); ++row) {
            const QString plain = cells_(row, size_t(column)).plain;
            bool ok = false;
            const double value = plain.toDouble(&ok);
            keys[row] = {!errors_[row] && ok, value};
            if (column == 0)
                names[row] = plain;
        }
        const auto before = [&](size_t a, size_t b) {
            if (column == 0)
                return (QString::localeAwareCompare(names[a], names[b]) < 0) == (order == Qt::AscendingOrder);
            if (keys[a].first != keys[b].first)
                return keys[a].first;
            return keys[a].first && (order == Qt::AscendingOrder ? keys[a].second < keys[b].second : keys[a].second > keys[b].second);
        };
        std::stable_sort(order_.begin() + (pinFirst_ && !order_.empty() ? 1 : 0), order_.end(), before);
        emit layoutChanged();
    }

private:
    bool pinFirst_;
    QStringList header_;
    Cells cells_;
    std::vector<bool> errors_;
    std::vector<size_t> order_;
};

namespace {
QTableView *TableView(const QString &name, RankingModel *model, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Column widths from the first rows: measuring thousands costs more than the ranking.
    view->horizontalHeader()->setResizeContentsPrecision(40);
    return view;
}

QDoubleSpinBox *Field(const QString &name, QWidget *parent)
{
    auto *field = new QDoubleSpinBox(parent);
    field->setObjectName(name);
    field->setDecimals(0);
    field->setKeyboardTracking(false);  // a number typed counts when it is complete
    return field;
}
}  // namespace

RankingPage::RankingPage(const View &view, QWidget *parent) : QWidget(parent), view_(view)
{
    setObjectName(QStringLiteral("tab_Ranking"));
    const RankDefaults d = RankDefaultsFor(view_.units);
    query_.altitude = d.altitude;
    query_.speed = d.speed;
    Reshow();
}

// The page's widgets, made when it is first shown or asked for them: start-up does not
// pay for a page nobody has opened.
void RankingPage::build()
{
    if (heading_)
        return;
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("lbl_Ranking"));
    heading_->setTextFormat(Qt::PlainText);
    heading_->setWordWrap(true);
    altitudeLabel_ = new QLabel(this);
    speedLabel_ = new QLabel(this);
    altitude_ = Field(QStringLiteral("fld_Altitude"), this);
    speed_ = Field(QStringLiteral("fld_Speed"), this);
    take_ = new QPushButton(this);
    take_->setObjectName(QStringLiteral("btn_FromTracker"));
    model_ = new RankingModel(true, this);
    table_ = TableView(QStringLiteral("tbl_Ranking"), model_, this);
    table_->setSortingEnabled(true);
    table_->horizontalHeader()->setSortIndicator(-1, Qt::DescendingOrder);

    auto *fields = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{heading_, altitudeLabel_, altitude_, speedLabel_, speed_, take_})
        fields->addWidget(w, w == heading_ ? 1 : 0);
    auto *leaders = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto *column = new QVBoxLayout;
        leaderModels_[i] = new RankingModel(false, this);
        leadersTitle_[i] = new QLabel(this);
        leaderViews_[i] = TableView(i == 0 ? QStringLiteral("tbl_LeadersByAltitude") : QStringLiteral("tbl_LeadersBySpeed"), leaderModels_[i], this);
        column->addWidget(leadersTitle_[i]);
        column->addWidget(leaderViews_[i]);
        leaders->addLayout(column);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(table_, 3);
    layout->addLayout(leaders, 2);

    connect(altitude_, &QDoubleSpinBox::valueChanged, this, [this] { placeChanged(); });
    connect(speed_, &QDoubleSpinBox::valueChanged, this, [this] { placeChanged(); });
    connect(take_, &QPushButton::clicked, this, [this] { Guarded([this] { takeFromTracker(); }); });
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && !model_->IsPinned(index.row()) && !model_->IsError(index.row()))
            emit CraftChosen(model_->NameAt(index.row()));
    });
    // An error reads across its row, wherever sorting puts it.
    const auto span = [this] {
        table_->clearSpans();
        for (int r = 0; r < model_->rowCount({}); ++r)
            if (model_->IsError(r))
                table_->setSpan(r, 2, 1, std::max(1, model_->columnCount({}) - 2));
    };
    connect(model_, &QAbstractItemModel::modelReset, this, span);
    connect(model_, &QAbstractItemModel::layoutChanged, this, span);
    Reshow();
}

void RankingPage::SetCatalogue(CataloguePtr catalogue)
{
    catalogue_ = std::move(catalogue);
    entriesStale_ = true;
    changed();
}

void RankingPage::SetReference(const QString &name, FlapSet flaps)
{
    if (name == query_.reference && flaps == query_.flaps)
        return;
    entriesStale_ = entriesStale_ || flaps != query_.flaps;
    query_.reference = name;
    query_.flaps = flaps;
    changed();
}

void RankingPage::SetPlace(double altitude, double speed)
{
    query_.altitude = altitude;
    query_.speed = speed;
    showFields();
    changed();
}

void RankingPage::Reshow()
{
    const RankDefaults d = RankDefaultsFor(view_.units);
    query_.altitudeStep = d.altitudeStep;
    query_.speedStep = d.speedStep;
    leadersStale_ = true;
    changed();
    if (!heading_)
        return;
    altitudeLabel_->setText(tr("Высота:"));
    speedLabel_->setText(tr("Скорость:"));
    take_->setText(tr("Взять с графика"));
    take_->setToolTip(tr("Высота или скорость, на которой последний раз стоял курсор над графиком"));
    leadersTitle_[0]->setText(tr("Лидеры каталога по высоте"));
    leadersTitle_[1]->setText(tr("Лидеры каталога по скорости"));
    showFields();
}

void RankingPage::showFields()
{
    if (!heading_)
        return;
    const std::pair<QDoubleSpinBox *, Quantity> fields[] = {{altitude_, Quantity::Altitude}, {speed_, Quantity::Speed}};
    for (const auto &[field, quantity] : fields) {
        const QSignalBlocker quiet(field);
        const bool high = quantity == Quantity::Altitude;
        field->setRange(ToShown(quantity, high ? -10000 : 0, view_.units), ToShown(quantity, high ? 100000 : 10000, view_.units));
        field->setSingleStep(ToShown(quantity, high ? query_.altitudeStep : query_.speedStep, view_.units));
        field->setSuffix(QLatin1Char(' ') + UnitName(quantity, view_.units));
        field->setValue(std::round(ToShown(quantity, high ? query_.altitude : query_.speed, view_.units)));
    }
}

void RankingPage::placeChanged()
{
    query_.altitude = FromShown(Quantity::Altitude, altitude_->value(), view_.units);
    query_.speed = FromShown(Quantity::Speed, speed_->value(), view_.units);
    changed();
}

void RankingPage::takeFromTracker()
{
    const TrackedPlace place = tracker_ ? tracker_() : TrackedPlace{};
    SetPlace(place.altitude.value_or(query_.altitude), place.speed.value_or(query_.speed));
}

void RankingPage::changed()
{
    stale_ = true;
    if (isVisible())
        fill();
}

void RankingPage::showEvent(QShowEvent *event)
{
    build();
    QWidget::showEvent(event);
    if (stale_)
        fill();
}

const Ranking &RankingPage::Shown()
{
    if (!stale_)
        return ranking_;
    stale_ = false;
    ranking_ = {};
    missing_.clear();
    if (!catalogue_ || query_.reference.isEmpty()) {
        missing_ = tr("Выберите самолет в верхнем списке: с ним будут сравнены все остальные.");
        return ranking_;
    }
    if (entriesStale_) {
        entries_ = RankEntries(*catalogue_, query_.flaps);
        entriesStale_ = false;
        leadersStale_ = true;
    }
    try {
        ranking_ = RankAgainst(entries_, query_, false);
        if (leadersStale_) {
            leaders_ = {};
            AddLeaders(leaders_, entries_, query_);
            leadersStale_ = false;
        }
        ranking_.altitudeLeaders = leaders_.altitudeLeaders;
        ranking_.speedLeaders = leaders_.speedLeaders;
        ranking_.byAltitude = leaders_.byAltitude;
        ranking_.bySpeed = leaders_.bySpeed;
        ++computeCount_;
    } catch (const VarnelError &error) {
        missing_ = ErrorBoxText(error.message());
    }
    return ranking_;
}

QString RankingPage::Tsv()
{
    Shown();
    return missing_.isEmpty() ? RankingTsv(ranking_, view_) : missing_ + QLatin1Char('\n');
}

void RankingPage::fill()
{
    build();
    Shown();
    heading_->setText(missing_.isEmpty() ? RankingHeading(ranking_, view_) : missing_);
    if (!missing_.isEmpty()) {
        for (RankingModel *m : {model_, leaderModels_[0], leaderModels_[1]})
            m->Set({}, 0, {}, {});
        return;
    }
    std::vector<bool> errors{false};
    errors.reserve(ranking_.rows.size() + 1);
    for (const RankRow &row : ranking_.rows)
        errors.push_back(!row.error.isEmpty());
    // The cells read a ranking of their own, whatever the page works out next.
    auto held = std::make_shared<const Ranking>(ranking_);
    auto cells = std::make_shared<const RankingCells>(*held, view_);
    model_->Set(cells->Header(), cells->Rows(), [held, cells](size_t row, size_t column) { return cells->Cell(row, column); }, errors);
    const QHeaderView *header = table_->horizontalHeader();
    model_->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    leaderModels_[0]->Set(AltitudeLeadersTable(ranking_, view_));
    leaderModels_[1]->Set(SpeedLeadersTable(ranking_, view_));
    for (QTableView *view : {table_, leaderViews_[0], leaderViews_[1]})
        view->resizeColumnsToContents();
}
