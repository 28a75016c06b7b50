#pragma once
// The main window: toolbar with the flap buttons and the exit button, the two
// aircraft trees, the chart pages and the status bar, and the handlers behind them.
// Its parts live in rooms of their own: the trees in craft_tree.h, the proportions of
// the trees' panel and the common page in layout.h, the frame widgets in frames.h.
#include "pages/comparison_pages.h"
#include "catalogue/scan.h"
#include "core/language.h"
#include "core/units.h"
#include "core/view.h"
#include "window/craft_tree.h"

#include <QMainWindow>
#include <QPixmap>
#include <QVector>

#include <optional>

class DataFolderWatch;
class QAction;
class QFrame;
class QLabel;
class QSplitter;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TChart;
class MarkButton;
class CheckView;
class RankingPage;
class ViewMenu;

// The message the window posts to itself to start the catalogue scan.
constexpr int WM_LOADFMD = 1025;

class Tfrm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfrm_Main(QWidget *parent = nullptr);

    // Controls, in the order of the window's design.
    QStatusBar *stat_Main;
    QLabel *panel0, *panel1, *panel2;
    QFrame *pnl_Crafts_1;
    CraftTree *tree_Crafts_1;
    CraftTree *tree_Crafts_2;
    QToolBar *tool_Main;
    MarkButton *btn_Turn1, *btn_Turn2, *btn_Turn3, *btn_Turn4;
    QWidget *ToolButton5;
    MarkButton *ToolButton6;
    QWidget *sep_Folder;               // the gap before the folder buttons
    MarkButton *btn_OpenFolder, *btn_Reload;
    QAction *act_OpenFolder, *act_Reload;  // Ctrl+O and F5
    MarkButton *btn_Advantage;  // marked while the charts shade who is better where
    QAction *act_Advantage;      // Ctrl+D
    MarkButton *btn_View;  // last: opens the view menu (language, units, help, about)
    ViewMenu *menu_View;
    QVector<QPixmap> img_Main;  // the toolbar's nine pictures
    QSplitter *Splitter;
    QFrame *pnl_Chart;
    ComparisonPages *pages_Charts;  // the pages and their charts
    RankingPage *tab_Ranking = nullptr;  // after the verdict: every aircraft against the first tree's

    // Brings the window within the available area of its screen, smaller and moved as
    // needed, whatever size and place it was given (the saved ones of a session too).
    void FitScreen();

    // Handlers.
    void ResizeMainForm();
    void FormCreate();
    void LoadFMD();
    bool Change_Craft_1(QTreeWidget *tree, const QTreeWidgetItem *item) const;
    void SetDataForChart();
    // The flap settings the toolbar shows (none, 1, 2, 3): a marked button hides its own.
    FlapSet FlapsShown() const;
    // The aircraft chosen in the two trees (null where a tree has none).
    std::array<AircraftPtr, 2> ChosenCrafts() const;
    void Change_Craft();
    void SwitchTurnButton(MarkButton *button);
    void ToolButton6Click();
    void ShowOneChart(TChart *chart);
    void SplitterMoved();
    // Ctrl+O: asks for a data folder, remembers it among the recent ones and scans it;
    // one whose DataSpeed can't be listed changes nothing, the box says why.
    void OpenDataFolder();
    // F5: empties both trees and scans the data folder again; the aircraft chosen in
    // each tree is chosen again when it is listed again.
    void ReloadData();
    // Ctrl+D: switches the advantage shading of every chart on or off.
    void SwitchAdvantage();
    // "ru" or "en": every text of the window in that language at once, the aircraft,
    // flaps, page and zoom kept. Another language changes nothing.
    void SetLanguage(const QString &language);
    // The data check of the last scan: its status panel, "Check data…" and its dialog.
    CheckView *DataCheckView() const { return checkView_; }
    // Shows every number in `units` at once, keeping the aircraft, flaps, page and zoom.
    void SetUnits(UnitSystem units);
    // The catalogue of the last scan, every aircraft as the trees show it (empty until
    // a scan has ended, and while one runs). Never null.
    CataloguePtr Catalogue() const { return catalogue_; }
    // Whether a scan runs (or the first one is still to come): the folder commands
    // wait for its end.
    bool Scanning() const { return scanning_; }

    // The folder that holds DataSpeed, DataTurn, DataCraft and DataWeapon, by the bytes
    // the file system names it with. Empty: the working directory as it is when the
    // scan begins.
    void SetDataFolder(const FileName &folder) { dataFolder_ = folder; }
    QString DataFolder() const { return dataFolder_; }

    // The units and language the window shows (the view menu sets them); the pages and
    // trees are shown in it.
    const View &ShownView() const { return view_; }

    // The nine charts: the common page's four, then the full pages' five.
    QVector<TChart *> Charts() const { return pages_Charts->Charts(); }

signals:
    // A scan has put a new catalogue in place (Catalogue()); ScanEnded follows.
    void CatalogueChanged();
    // A scan of the data folder has ended, the trees filled.
    void ScanEnded();
    // The user chose a language ("ru", "en") or units in the view menu (already kept
    // in the settings file for the next start).
    void LanguageChosen(const QString &language);
    void UnitsChosen(UnitSystem units);

protected:
    bool event(QEvent *event) override;

private:
    void buildStatusBar();
    void buildTrees();
    void buildToolbar();
    void buildPages();
    void buildViewMenu();
    void buildRanking();
    void setToolbarPictures();
    void setScanning(bool scanning);
    FileName scanFolder() const;
    void showDataFolder();
    void showFilesChanged();
    void showNotWatched();  // the kernel refused to watch the data folder
    void showFolderNote(const QString &text, const QString &tip);
    void showToolTips();
    QRect screenRoom() const;

    View view_{ShownUnits(), CurrentLanguage()};  // as the command line or the settings chose at start
    FileName dataFolder_;
    bool scanning_ = true;        // until the first scan has ended
    bool holdRefresh_ = false;    // while the trees choose again after a reload
    bool changedInScan_ = false;  // files changed while a scan was reading them
    DataFolderWatch *watch_ = nullptr;
    bool scanStarted_ = false;
    QSize fittedFrame_;  // the frame the window was last fitted to the screen with
    CheckView *checkView_ = nullptr;
    CataloguePtr catalogue_ = std::make_shared<const ::Catalogue>();
};
