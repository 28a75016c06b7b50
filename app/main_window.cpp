#include "app/main_window.h"

#include "app/application.h"
#include "app/flap_button.h"
#include "app/images.h"
#include "app/layout.h"
#include "catalogue/scan.h"
#include "charts/refresh.h"
#include "presentation/chart.h"
#include "presentation/chart_defs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>

Tfrm_Main *frm_Main = nullptr;

namespace {

// A panel with a raised outer and a lowered inner bevel, one pixel each.
class TBevelPanel : public QFrame {
public:
    TBevelPanel(const QString &name, QWidget *parent) : QFrame(parent)
    {
        setObjectName(name);
        setContentsMargins(2, 2, 2, 2);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        auto bevel = [&p](QRect r, const QColor &topLeft, const QColor &bottomRight) {
            p.setPen(topLeft);
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(bottomRight);
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        };
        const QRect outer = rect().adjusted(0, 0, -1, -1);
        bevel(outer, light, dark);
        bevel(outer.adjusted(1, 1, -1, -1), dark, light);
    }
};

// The toolbar, with etched lines along its top and bottom edges.
class TEtchedToolBar : public QToolBar {
public:
    using QToolBar::QToolBar;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QToolBar::paintEvent(event);
        QPainter p(this);
        const QColor dark = palette().color(QPalette::Dark);
        const QColor light = palette().color(QPalette::Light);
        const int w = width(), h = height();
        for (int y : {0, h - 2}) {
            p.setPen(dark);
            p.drawLine(0, y, w - 1, y);
            p.setPen(light);
            p.drawLine(0, y + 1, w - 1, y + 1);
        }
    }
};

// Lets only aircraft root items that carry their tables become selected, by mouse and
// keyboard alike. A refused change leaves the selection as it was and signals nothing.
class TCraftSelectionModel : public QItemSelectionModel {
public:
    TCraftSelectionModel(QTreeWidget *tree, std::function<bool(const QModelIndex &)> allow)
        : QItemSelectionModel(tree->model(), tree), allow_(std::move(allow))
    {
    }
    using QItemSelectionModel::select;
    void select(const QItemSelection &selection, SelectionFlags command) override
    {
        QItemSelection allowed;
        for (const QItemSelectionRange &range : selection)
            for (const QModelIndex &index : range.indexes())
                if (allow_(index))
                    allowed.select(index, index);
        if (allowed.isEmpty())
            return;
        QItemSelectionModel::select(allowed, command);
    }

private:
    std::function<bool(const QModelIndex &)> allow_;
};

// The splitter between the trees and the charts: a line follows the mouse while it is
// dragged, the panes change on release, and a left pane left 30 pixels wide or less
// collapses to nothing (it can be dragged open again from the window's edge).
class TSplitter : public QSplitter {
public:
    static constexpr int CollapseWidth = 30;
    using QSplitter::QSplitter;
    int LegalPosition(int pos) { return closestLegalPosition(pos <= CollapseWidth ? 0 : pos, 1); }
    void ShowLine(int pos) { setRubberBand(LegalPosition(pos)); }
    void Drop(int pos)
    {
        setRubberBand(-1);
        moveSplitter(LegalPosition(pos), 1);
    }

protected:
    QSplitterHandle *createHandle() override;
};

class TSplitterHandle : public QSplitterHandle {
public:
    TSplitterHandle(TSplitter *parent) : QSplitterHandle(parent->orientation(), parent), splitter_(parent) {}

protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton) {
            offset_ = int(e->position().x());
            dragging_ = true;
        }
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (dragging_)
            splitter_->ShowLine(positionOf(e));
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (dragging_ && e->button() == Qt::LeftButton) {
            dragging_ = false;
            splitter_->Drop(positionOf(e));
        }
    }

private:
    int positionOf(QMouseEvent *e) const
    {
        return splitter_->mapFromGlobal(e->globalPosition().toPoint()).x() - offset_;
    }
    TSplitter *splitter_;
    int offset_ = 0;
    bool dragging_ = false;
};

QSplitterHandle *TSplitter::createHandle() { return new TSplitterHandle(this); }

QTreeWidgetItem *itemOf(const QTreeWidget *tree, const QModelIndex &index)
{
    if (!index.isValid())
        return nullptr;
    if (!index.parent().isValid())
        return tree->topLevelItem(index.row());
    QTreeWidgetItem *parent = itemOf(tree, index.parent());
    return parent ? parent->child(index.row()) : nullptr;
}

QWidget *makePage(QTabWidget *pages, const QString &name, const QString &caption)
{
    auto *page = new QWidget(pages);
    page->setObjectName(name);
    pages->addTab(page, caption);
    return page;
}

TChart *fullPageChart(QWidget *page, const QString &name)
{
    TChart *chart = BuildChart(name, page);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart);
    return chart;
}

}  // namespace

TImageList::TImageList(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("img_Main"));
    for (int i = 0; i < ToolbarPictureCount; ++i)
        Images.push_back(QPixmap::fromImage(ToolbarPicture(i)));
}

Tfrm_Main::Tfrm_Main(QWidget *parent) : QMainWindow(parent)
{
    frm_Main = this;
    SetErrorReporter(ShowErrorBox);
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(ApplicationTitle());
    setWindowIcon(QIcon(QPixmap::fromImage(WindowIconImage())));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    buildStatusBar();
    buildTrees();
    buildToolbar();
    buildPages();

    resize(831, 611);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    FormCreate();
}

Tfrm_Main::~Tfrm_Main()
{
    if (frm_Main == this)
        frm_Main = nullptr;
}

void Tfrm_Main::buildStatusBar()
{
    stat_Main = new QStatusBar(this);
    stat_Main->setObjectName(QStringLiteral("stat_Main"));
    stat_Main->setFixedHeight(19);
    QLabel **panels[3] = {&panel0, &panel1, &panel2};
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(stat_Main);
        label->setObjectName(QStringLiteral("panel%1").arg(i));
        label->setFixedWidth(200);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        stat_Main->addWidget(label);
        *panels[i] = label;
    }
    setStatusBar(stat_Main);
}

QTreeWidget *Tfrm_Main::makeTree(const QString &name, const QColor &textColor)
{
    auto *tree = new QTreeWidget(pnl_Crafts_1);
    tree->setObjectName(name);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setIndentation(19);
    tree->setRootIsDecorated(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    // Connecting lines between items, and the item under the mouse drawn in blue.
    QStyle *lines = QStyleFactory::create(QStringLiteral("Windows"));
    lines->setParent(tree);
    tree->setStyle(lines);
    tree->setMouseTracking(true);
    tree->viewport()->setAttribute(Qt::WA_Hover);
    tree->setStyleSheet(QStringLiteral("QTreeView::item:hover:!selected { color: #0000FF; }"));
    tree->viewport()->installEventFilter(this);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    tree->setFont(font);
    QPalette pal = tree->palette();
    pal.setColor(QPalette::Text, textColor);
    // The chosen aircraft stays visible while the tree has no focus.
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    tree->setPalette(pal);
    tree->setSelectionModel(new TCraftSelectionModel(tree, [this, tree](const QModelIndex &index) {
        return Change_Craft_1(tree, itemOf(tree, index));
    }));
    connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Guarded([this] { Change_Craft(); }); });
    return tree;
}

void Tfrm_Main::buildTrees()
{
    pnl_Crafts_1 = new TBevelPanel(QStringLiteral("pnl_Crafts_1"), this);
    pnl_Crafts_1->setMinimumWidth(31);
    tree_Crafts_1 = makeTree(QStringLiteral("tree_Crafts_1"), QColor(0, 0, 128));
    tree_Crafts_2 = makeTree(QStringLiteral("tree_Crafts_2"), QColor(255, 0, 0));
    auto *layout = new QVBoxLayout(pnl_Crafts_1);
    layout->setContentsMargins(0, 0, 0, 0);  // the panel's bevels give the 2 pixels
    layout->setSpacing(0);
    layout->addWidget(tree_Crafts_1);
    layout->addWidget(tree_Crafts_2, 1);
    pnl_Crafts_1->installEventFilter(this);
}

void Tfrm_Main::buildToolbar()
{
    tool_Main = new TEtchedToolBar(this);
    tool_Main->setObjectName(QStringLiteral("tool_Main"));
    tool_Main->setMovable(false);
    tool_Main->setFloatable(false);
    tool_Main->setIconSize(QSize(16, 16));
    tool_Main->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tool_Main->setContextMenuPolicy(Qt::PreventContextMenu);
    tool_Main->setStyleSheet(QStringLiteral("QToolBar#tool_Main { border: none; padding: 0px; spacing: 0px; }"));
    tool_Main->setContentsMargins(0, 3, 0, 4);
    tool_Main->setFixedHeight(29);
    addToolBar(Qt::TopToolBarArea, tool_Main);
    img_Main = new TImageList(this);

    auto makeButton = [this](const QString &name, int picture) {
        auto *b = new TMarkButton(tool_Main);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setFixedSize(23, 22);
        b->setIconSize(QSize(16, 16));
        b->setIcon(QIcon(img_Main->Images[picture]));
        tool_Main->addWidget(b);
        return b;
    };
    btn_Turn1 = makeButton(QStringLiteral("btn_Turn1"), 0);
    btn_Turn2 = makeButton(QStringLiteral("btn_Turn2"), 1);
    btn_Turn3 = makeButton(QStringLiteral("btn_Turn3"), 2);
    btn_Turn4 = makeButton(QStringLiteral("btn_Turn4"), 3);
    ToolButton5 = new QWidget(tool_Main);
    ToolButton5->setObjectName(QStringLiteral("ToolButton5"));
    ToolButton5->setFixedSize(8, 22);
    tool_Main->addWidget(ToolButton5);
    ToolButton6 = makeButton(QStringLiteral("ToolButton6"), 4);

    // At start only the no-flaps curves are drawn.
    btn_Turn2->SetMarked(true);
    btn_Turn3->SetMarked(true);
    btn_Turn4->SetMarked(true);
    for (TMarkButton *b : {btn_Turn1, btn_Turn2, btn_Turn3, btn_Turn4})
        connect(b, &QToolButton::clicked, this, [this, b] { Guarded([this, b] { SwitchTurnButton(b); }); });
    connect(ToolButton6, &QToolButton::clicked, this, [this] { Guarded([this] { ToolButton6Click(); }); });
}

void Tfrm_Main::buildPages()
{
    Splitter = new TSplitter(Qt::Horizontal, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setHandleWidth(3);
    Splitter->setOpaqueResize(false);
    Splitter->setChildrenCollapsible(false);

    pnl_Chart = new TBevelPanel(QStringLiteral("pnl_Chart"), Splitter);
    pnl_Chart->setMinimumWidth(30);
    pages_Charts = new QTabWidget(pnl_Chart);
    pages_Charts->setObjectName(QStringLiteral("pages_Charts"));
    pages_Charts->setUsesScrollButtons(true);
    pages_Charts->setElideMode(Qt::ElideNone);
    pages_Charts->setDocumentMode(false);
    auto *layout = new QVBoxLayout(pnl_Chart);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_Charts);

    tab_Common = makePage(pages_Charts, QStringLiteral("tab_Common"), QStringLiteral("Общая таблица"));
    ch_C3 = BuildChart(QStringLiteral("ch_C3"), tab_Common);
    ch_C4 = BuildChart(QStringLiteral("ch_C4"), tab_Common);
    ch_C1 = BuildChart(QStringLiteral("ch_C1"), tab_Common);
    ch_C2 = BuildChart(QStringLiteral("ch_C2"), tab_Common);

    // The five pages that each show one chart filling the page, in tab order.
    struct FullPage {
        QWidget *Tfrm_Main::*page;
        const char *pageName;
        const char *caption;
        TChart *Tfrm_Main::*chart;
        const char *chartName;
    };
    static const FullPage fullPages[] = {
        {&Tfrm_Main::tab_SpeedByAlt, "tab_SpeedByAlt", "Макс. истинная скорость на заданной высоте",
         &Tfrm_Main::chrt_TASbyAlt, "chrt_TASbyAlt"},
        {&Tfrm_Main::tab_ROCByAlt, "tab_ROCByAlt", "Макс. скороподъемность на заданной высоте",
         &Tfrm_Main::chrt_MaxROCbyAlt, "chrt_MaxROCbyAlt"},
        {&Tfrm_Main::tab_ROCAtTAS, "tab_ROCAtTAS", "Скороподъемность при постоянной истинной скорости (Высота=0м)",
         &Tfrm_Main::chrt_ROCatConst, "chrt_ROCatConst"},
        {&Tfrm_Main::tab_TurnBySpeed, "tab_TurnBySpeed", "Скорость поворота (Высота=1000м)",
         &Tfrm_Main::chrt_TurnbySpeed, "chrt_TurnbySpeed"},
        {&Tfrm_Main::TabSheet5, "TabSheet5", "Мегаграфик", &Tfrm_Main::chrt_FunPlot, "chrt_FunPlot"},
    };
    for (const FullPage &p : fullPages) {
        QWidget *page = makePage(pages_Charts, QString::fromUtf8(p.pageName), QString::fromUtf8(p.caption));
        this->*p.page = page;
        this->*p.chart = fullPageChart(page, QString::fromUtf8(p.chartName));
    }

    for (TChart *chart : Charts())
        connect(chart, &TChart::DoubleClicked, this, [this, chart] { Guarded([this, chart] { ShowOneChart(chart); }); });

    pageArea_ = pages_Charts->findChild<QStackedWidget *>();
    pageArea_->installEventFilter(this);

    Splitter->addWidget(pnl_Crafts_1);
    Splitter->addWidget(pnl_Chart);
    Splitter->setCollapsible(0, true);
    Splitter->setCollapsible(1, false);
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({225, 831 - 225 - 3});
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { Guarded([this] { SplitterMoved(); }); });
    setCentralWidget(Splitter);
}

QVector<TChart *> Tfrm_Main::Charts() const
{
    return {ch_C1, ch_C2, ch_C3, ch_C4, chrt_TASbyAlt, chrt_MaxROCbyAlt, chrt_ROCatConst, chrt_TurnbySpeed, chrt_FunPlot};
}

void Tfrm_Main::FormCreate()
{
    SetDataForChart();
    pages_Charts->setCurrentWidget(tab_Common);
    QCoreApplication::postEvent(this, new QEvent(QEvent::Type(WM_LOADFMD)));
}

bool Tfrm_Main::event(QEvent *e)
{
    if (e->type() == QEvent::Type(WM_LOADFMD)) {
        if (!scanStarted_) {
            scanStarted_ = true;
            Guarded([this] { LoadFMD(); });
        }
        return true;
    }
    if (e->type() == QEvent::Show || e->type() == QEvent::Move || e->type() == QEvent::Resize) {
        // The minimum size holds for the outer frame, known once the window is mapped.
        const QSize frame = (frameGeometry().size() - geometry().size()).expandedTo(QSize(0, 0));
        if (minimumSize() != QSize(780, 600) - frame)
            setMinimumSize(QSize(780, 600) - frame);
    }
    return QMainWindow::event(e);
}

bool Tfrm_Main::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::Resize && (watched == pageArea_ || watched == pnl_Crafts_1)) {
        Guarded([this] { ResizeMainForm(); });
    } else if (e->type() == QEvent::ToolTip) {
        // A tree item too wide to be seen whole shows its text as a tool tip.
        for (QTreeWidget *tree : {tree_Crafts_1, tree_Crafts_2}) {
            if (watched != tree->viewport())
                continue;
            const auto *help = static_cast<QHelpEvent *>(e);
            const QModelIndex index = tree->indexAt(help->pos());
            const QString text = index.data().toString();
            const QRect r = tree->visualRect(index);
            if (index.isValid() && r.left() + tree->fontMetrics().horizontalAdvance(text) + 6 > tree->viewport()->width())
                QToolTip::showText(help->globalPos(), text, tree->viewport(), r);
            else
                QToolTip::hideText();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void Tfrm_Main::ResizeMainForm()
{
    tree_Crafts_1->setFixedHeight(FirstTreeHeight(pnl_Crafts_1->height()));
    pnl_Crafts_1->layout()->activate();  // the second tree takes the rest at once
    // Every page fills the page area, shown or not, so the grid is right when the
    // common page is next opened.
    const QRect area = pageArea_->contentsRect();
    if (tab_Common->geometry() != area)
        tab_Common->setGeometry(area);
    const auto cells = CommonGrid(tab_Common->width(), tab_Common->height());
    ch_C1->setGeometry(cells[0]);
    ch_C2->setGeometry(cells[1]);
    ch_C3->setGeometry(cells[2]);
    ch_C4->setGeometry(cells[3]);
}

void Tfrm_Main::SplitterMoved()
{
    // The splitter stands directly right of the panel, which QSplitter has already
    // sized; lay out the trees and the grid for the new width.
    ResizeMainForm();
}

void Tfrm_Main::LoadFMD()
{
    ScanHooks hooks;
    QLabel *panels[3] = {panel0, panel1, panel2};
    hooks.setPanel = [panels](int panel, const QString &text) { panels[panel]->setText(text); };
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    ScanCatalogue(DataPaths{QDir::currentPath()}, tree_Crafts_1, tree_Crafts_2, hooks);
}

bool Tfrm_Main::Change_Craft_1(QTreeWidget *, const QTreeWidgetItem *item) const
{
    return item && !item->parent() && NodeDataOf(item) != nullptr;
}

QTreeWidgetItem *Tfrm_Main::SelectedCraft(const QTreeWidget *tree)
{
    const QModelIndexList selected = tree->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return nullptr;
    return itemOf(tree, selected.first());
}

void Tfrm_Main::SetDataForChart()
{
    const FlapMarks marked = {btn_Turn1->Marked(), btn_Turn2->Marked(), btn_Turn3->Marked(), btn_Turn4->Marked()};
    ComparisonCharts charts{chrt_TASbyAlt->Series(), chrt_MaxROCbyAlt->Series(), chrt_ROCatConst->Series(),
                            chrt_TurnbySpeed->Series(), chrt_FunPlot->Series(), ch_C1->Series(),
                            ch_C2->Series(), ch_C3->Series(), ch_C4->Series(),
                            QApplication::palette().color(QPalette::Button)};
    SelectedAircraft craft[2];
    const SelectedAircraft *chosen[2] = {nullptr, nullptr};
    const QTreeWidget *trees[2] = {tree_Crafts_1, tree_Crafts_2};
    for (int i = 0; i < 2; ++i) {
        const QTreeWidgetItem *item = SelectedCraft(trees[i]);
        if (const TNodeData *data = item ? NodeDataOf(item) : nullptr) {
            craft[i] = {item->text(0), data};
            chosen[i] = &craft[i];
        }
    }
    RefreshComparison(charts, chosen[0], chosen[1], marked);
}

void Tfrm_Main::Change_Craft() { SetDataForChart(); }

void Tfrm_Main::SwitchTurnButton(TMarkButton *button)
{
    button->SetMarked(!button->Marked());
    SetDataForChart();
}

void Tfrm_Main::ToolButton6Click()
{
    // Posted: the loop takes the quit when it gets to it, so a scan in progress ends first.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void Tfrm_Main::ShowOneChart(TChart *chart)
{
    QWidget *const pages[] = {tab_Common, tab_SpeedByAlt, tab_ROCByAlt, tab_ROCAtTAS, tab_TurnBySpeed};
    const int tag = chart->Tag();
    pages_Charts->setCurrentWidget(tag >= 1 && tag <= 4 ? pages[tag] : tab_Common);
}
