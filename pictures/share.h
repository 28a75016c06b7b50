#pragma once
// Sharing from the window: a still right click on a chart opens its context menu (copy
// the picture or the data, save the picture, save all pages, print or save the report),
// and the same keys
// act on the chart under the mouse, else on the current page's chart (the whole
// overview on the common page). Pictures carry a caption band naming the aircraft and
// flap settings unless the menu's "Подпись над рисунком" is unchecked.
#include "catalogue/aircraft.h"
#include "pages/caption.h"
#include "pictures/report.h"
#include "presentation/plot_geometry.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;
class TChart;
class ComparisonPages;
class TChartSeriesList;

// The points of every drawn curve as tab-separated text for a spreadsheet: a header
// row (the curve column, then the x and y columns named by the axis titles, with their
// units), then one row per point: curve title, x, y, in the axes' units. `titles`, when
// given, names the curves instead (the full-size chart whose points a common-page chart
// shows, with its aircraft names).
QString ChartDataText(const TChartSeriesList &series, const AxisTitle &x, const AxisTitle &y,
                      const TChartSeriesList *titles = nullptr);

// The file dialogs, replaceable so tests never block on a modal dialog. savePicture
// gets the suggested path and gives the chosen one with its extension; chooseFolder
// gives a folder. Empty: cancelled. confirmReplace is asked once before "save all
// pages" replaces files of that folder, with their names; false: nothing is written.
// A hook left empty uses Qt's dialog.
struct ShareDialogs {
    std::function<QString(QWidget *parent, const QString &suggested)> savePicture;
    std::function<QString(QWidget *parent)> chooseFolder;
    std::function<bool(QWidget *parent, const QString &folder, const QStringList &replaced)> confirmReplace;
    // "Print…": the print dialog on that printer (its device, file and page range set
    // there); false: cancelled. "Save report…": the suggested path, the chosen one
    // (.pdf or .html).
    std::function<bool(QWidget *parent, QPrinter &printer)> print;
    std::function<QString(QWidget *parent, const QString &suggested)> saveReport;
};
void SetShareDialogs(ShareDialogs dialogs);

// What sharing asks of the program around the pages: the aircraft chosen now (empty
// where a side has none or its data did not load), the flap settings shown and, for
// "save all pages", a folder chosen by the user (empty: cancelled; used when
// ShareDialogs gives no chooseFolder).
struct ComparisonSource {
    std::function<std::array<AircraftPtr, 2>()> chosen;
    std::function<FlapSet()> flaps;
    std::function<QString(QWidget *parent)> chooseFolder;
    std::function<QString()> dataFolder;  // the folder the report names; may be empty
};

class ChartSharing : public QObject {
    Q_OBJECT
public:
    enum Entry { CopyPicture, CopyData, SavePicture, SaveAllPages, Print, SaveReport };

    // The keys and menus act on the charts of pages; host holds the keys' actions
    // and parents the menus and dialogs.
    ChartSharing(QWidget &host, ComparisonPages &pages, ComparisonSource source);

    // What the keys act on now: the chart under the mouse, else the current page's
    // chart, or the common page itself.
    QWidget *KeyTarget() const;
    // Does what the entry says to a chart or to the common page.
    void Run(Entry entry, QWidget *target);
    // The context menu while it is open (tests look at it).
    QMenu *OpenMenu() const { return menu_; }
    // Whether pictures get the caption band (their files name the aircraft either way).
    bool CaptionBand() const { return caption_; }
    void SetCaptionBand(bool on) { caption_ = on; }
    // What a picture of `target` says of itself: the trees' aircraft, the flap settings
    // shown and the page.
    PictureCaption CaptionOf(QWidget *target) const;
    // The host's action of an entry, with its key, for other menus to hold too.
    QAction *Action(Entry entry) const { return actions_[size_t(entry)]; }
    // Names the actions again in the language installed now.
    void Retranslate();

private:
    void openMenu(TChart *chart, QPoint globalPos);
    QString slugOf(QWidget *target) const;
    QString suggestedName(QWidget *target) const;
    void savePicture(QWidget *target);
    void saveAllPages();
    void printReport();
    void saveReport();
    ReportInput reportInput() const;  // of the aircraft in chosen_
    // Where a report is suggested: "report_<first>_<second>" in the folder last saved to.
    QString suggestedReport(const QString &extension) const;

    QWidget &host_;
    ComparisonPages &pages_;
    ComparisonSource source_;
    QPointer<QMenu> menu_;
    std::array<QAction *, 6> actions_{};
    QString lastFolder_;
    bool caption_ = true;
    std::array<AircraftPtr, 2> chosen_;  // the report's aircraft, held while it is drawn
};
