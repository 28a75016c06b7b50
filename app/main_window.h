#pragma once
// The main window: toolbar with the flap buttons and the exit button, the two
// aircraft trees, the chart pages and the status bar, and the handlers behind them.
#include <QMainWindow>
#include <QPixmap>
#include <QVector>

class QFrame;
class QLabel;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TChart;
class TMarkButton;

// The message the window posts to itself to start the catalogue scan.
constexpr int WM_LOADFMD = 1025;

// The image list of the toolbar: five 16 x 16 pictures.
class TImageList : public QObject {
    Q_OBJECT
public:
    explicit TImageList(QObject *parent);
    QVector<QPixmap> Images;
};

class Tfrm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfrm_Main(QWidget *parent = nullptr);
    ~Tfrm_Main() override;

    // Controls, in the order of the window's design.
    QStatusBar *stat_Main;
    QLabel *panel0, *panel1, *panel2;
    QFrame *pnl_Crafts_1;
    QTreeWidget *tree_Crafts_1;
    QTreeWidget *tree_Crafts_2;
    QToolBar *tool_Main;
    TMarkButton *btn_Turn1, *btn_Turn2, *btn_Turn3, *btn_Turn4;
    QWidget *ToolButton5;
    TMarkButton *ToolButton6;
    TImageList *img_Main;
    QSplitter *Splitter;
    QFrame *pnl_Chart;
    QTabWidget *pages_Charts;
    QWidget *tab_Common;
    TChart *ch_C3, *ch_C4, *ch_C1, *ch_C2;
    QWidget *tab_SpeedByAlt;
    TChart *chrt_TASbyAlt;
    QWidget *tab_ROCByAlt;
    TChart *chrt_MaxROCbyAlt;
    QWidget *tab_ROCAtTAS;
    TChart *chrt_ROCatConst;
    QWidget *tab_TurnBySpeed;
    TChart *chrt_TurnbySpeed;
    QWidget *TabSheet5;
    TChart *chrt_FunPlot;

    // Handlers.
    void ResizeMainForm();
    void FormCreate();
    void LoadFMD();
    bool Change_Craft_1(QTreeWidget *tree, const QTreeWidgetItem *item) const;
    void SetDataForChart();
    void Change_Craft();
    void SwitchTurnButton(TMarkButton *button);
    void ToolButton6Click();
    void ShowOneChart(TChart *chart);
    void SplitterMoved();

    // The selected aircraft root of a tree, or nullptr.
    static QTreeWidgetItem *SelectedCraft(const QTreeWidget *tree);
    QVector<TChart *> Charts() const;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolbar();
    void buildTrees();
    void buildPages();
    void buildStatusBar();
    QTreeWidget *makeTree(const QString &name, const QColor &textColor);

    QStackedWidget *pageArea_ = nullptr;
    bool scanStarted_ = false;
};

// The one main window of the run, set before its controls are built.
extern Tfrm_Main *frm_Main;
