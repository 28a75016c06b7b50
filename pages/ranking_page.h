#pragma once
// The ranking page ("Рейтинг"): every other aircraft of the catalogue against the one
// chosen in the first tree, at an altitude and a speed given in two fields (or taken
// from the tracker: the altitude or speed last under the mouse on a chart). One sortable
// row per aircraft, each cell tinted as the verdict tints a winning cell (red: that
// aircraft is better, blue: the reference is), "нет данных" where a curve does not reach,
// an aircraft that can't be read with its error across the row; the catalogue's leaders
// beneath. A double click on a row asks for that aircraft as the second one. Worked out
// only while it is shown, or when its values are asked for.
#include "catalogue/catalogue.h"
#include "core/view.h"
#include "verdict/ranking.h"

#include <QWidget>

#include <functional>
#include <optional>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableView;
class RankingModel;

// Where the tracker was last on a chart, metric; none where it has not been.
struct TrackedPlace {
    std::optional<double> altitude, speed;
};

class RankingPage : public QWidget {
    Q_OBJECT
public:
    // A page shown in `view`; the place ranked starts at the round defaults of its units.
    explicit RankingPage(const View &view = View{}, QWidget *parent = nullptr);

    // The catalogue ranked (null: none scanned yet).
    void SetCatalogue(CataloguePtr catalogue);
    // The reference aircraft (empty: none chosen) and the flap settings ranked.
    void SetReference(const QString &name, FlapSet flaps = FlapSet::NoFlaps());
    // The altitude and speed ranked, metric; the fields show them in the units shown.
    void SetPlace(double altitude, double speed);
    // The units and language the page shows at its next Reshow.
    void SetView(const View &view) { view_ = view; }
    // Where "take them from the tracker" looks.
    void SetTrackerSource(std::function<TrackedPlace()> source) { tracker_ = std::move(source); }
    // The fields and tables written again in the language and units shown now.
    void Reshow();

    // The ranking worked out first where it is still to do; empty without a reference.
    const Ranking &Shown();
    // The ranking and the leaders as `--rank --format tsv` writes them.
    QString Tsv();
    // Why there is no ranking (no reference, or its data fail); empty when there is one.
    QString Missing() const { return missing_; }
    int ComputeCount() const { return computeCount_; }

signals:
    // A row was double-clicked: compare the reference with this aircraft.
    void CraftChosen(const QString &name);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    void changed();
    void takeFromTracker();
    void placeChanged();
    void showFields();
    void fill();

    CataloguePtr catalogue_;
    std::vector<RankEntry> entries_;  // of catalogue_ at flaps_, read once
    bool entriesStale_ = true;
    RankQuery query_;
    Ranking ranking_;
    Ranking leaders_;  // the leaders of entries_ at the steps of the units shown
    bool leadersStale_ = true;
    bool stale_ = true;
    QString missing_;
    int computeCount_ = 0;
    std::function<TrackedPlace()> tracker_;
    View view_;

    QLabel *heading_ = nullptr;  // null until the page's widgets are made (build)
    QLabel *altitudeLabel_ = nullptr, *speedLabel_ = nullptr;
    QDoubleSpinBox *altitude_ = nullptr, *speed_ = nullptr;
    QPushButton *take_ = nullptr;
    QTableView *table_ = nullptr;
    RankingModel *model_ = nullptr;
    QLabel *leadersTitle_[2] = {};
    QTableView *leaderViews_[2] = {};
    RankingModel *leaderModels_[2] = {};
};
