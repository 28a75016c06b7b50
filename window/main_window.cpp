#include "window/main_window.h"
#include "pages/ranking_page.h"

#include "pages/application.h"
#include "core/error.h"
#include "window/check_dialog.h"
#include "window/craft_tree.h"
#include "window/data_folder.h"
#include "window/flap_button.h"
#include "window/folder_picker.h"
#include "window/frames.h"
#include "window/images.h"
#include "pages/layout.h"
#include "pages/page_keys.h"
#include "window/tree_state.h"
#include "window/view_menu.h"
#include "pictures/share.h"
#include "catalogue/scan.h"
#include "presentation/chart.h"
#include "presentation/chart_holder.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>


namespace {
// The scan as the window shows it: the status panels say what it does while the trees
// fill.
class WindowScan : public TreesFill {
public:
    explicit WindowScan(Tfrm_Main &window) : TreesFill(*window.tree_Crafts_1, *window.tree_Crafts_2), w_(window) {}
    void Started() override { w_.panel0->setText(QStringLiteral("Scanning data-files...")); }
    void Reading(const QString &entry) override { w_.panel1->setText(entry); }
    void Finished(int count) override
    {
        TreesFill::Finished(count);
        w_.panel0->setText(QStringLiteral("crafts loaded: ") + QString::number(count));
        w_.panel1->setText(QString());
    }

private:
    Tfrm_Main &w_;
};
// The window's toolbar: fixed, flat, its buttons in one row of 29 pixels.
EtchedToolBar *MainToolBar(QWidget *parent)
{
    auto *bar = new EtchedToolBar(parent);
    bar->setObjectName(QStringLiteral("tool_Main"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setStyleSheet(QStringLiteral("QToolBar#tool_Main { border: none; padding: 0px; spacing: 0px; }"));
    bar->setContentsMargins(0, 3, 0, 4);
    bar->setFixedHeight(29);
    return bar;
}

// A button of the toolbar showing `picture`, added at its end.
MarkButton *ToolButton(QToolBar *bar, const QString &name, const QPixmap &picture)
{
    auto *b = new MarkButton(bar);
    b->setObjectName(name);
    b->setAutoRaise(true);
    b->setFixedSize(23, 22);
    b->setIconSize(QSize(16, 16));
    b->setIcon(QIcon(picture));
    bar->addWidget(b);
    return b;
}

// A gap of 8 pixels between groups of buttons, added at the toolbar's end.
QWidget *ToolGap(QToolBar *bar, const QString &name)
{
    auto *gap = new QWidget(bar);
    gap->setObjectName(name);
    gap->setFixedSize(8, 22);
    bar->addWidget(gap);
    return gap;
}
}  // namespace

Tfrm_Main::Tfrm_Main(QWidget *parent) : QMainWindow(parent)
{
    SetErrorReporter(ShowErrorBox);
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(ApplicationTitle());
    setWindowIcon(QIcon(QPixmap::fromImage(WindowIconImage())));
    setFont(PagesFont());

    buildStatusBar();
    buildTrees();
    buildToolbar();
    buildPages();
    buildRanking();
    InstallPageKeys(this, pages_Charts, [this] { ToolButton6Click(); });
    auto *sharing = new ChartSharing(*this, *pages_Charts,
                     {.chosen = [this] { return ChosenCrafts(); },
                      .flaps = [this] { return FlapsShown(); },
                      .chooseFolder = [](QWidget *parent) {
                          return PickFolder(parent, QCoreApplication::translate("Varnel", "Сохранить все страницы"), QDir::homePath(),
                                            FolderUse::MayCreate);
                      },
                      // the folder read, named whole even when it is the one the program started in
                      .dataFolder = [this] { return DisplayName(AbsoluteFileName(scanFolder()).bytes); }});
    menu_View->AddEntries({sharing->Action(ChartSharing::Print), sharing->Action(ChartSharing::SaveReport)});
    watch_ = new DataFolderWatch(this);
    connect(watch_, &DataFolderWatch::Changed, this, [this] {
        if (scanning_)
            changedInScan_ = true;
        else
            showFilesChanged();
    });
    connect(watch_, &DataFolderWatch::NotWatched, this, [this] {
        if (!scanning_)
            showNotWatched();
    });
    setScanning(true);  // the folder commands wait for the first scan
    // For start-up measurements: with VARNEL_QUIT_WHEN_READY set, the program quits once
    // a scan has filled the trees and the window shows them. A window on screen was
    // painted when it was exposed: the trees lay out their rows and what changed since
    // is painted now, as the next turns of the event loop would do it. It quits there,
    // before the work that waits for that paint (the data check).
    if (qEnvironmentVariableIsSet("VARNEL_QUIT_WHEN_READY"))
        connect(this, &Tfrm_Main::ScanEnded, this, [this] {
            tree_Crafts_1->doItemsLayout();
            tree_Crafts_2->doItemsLayout();
            if (windowHandle() && windowHandle()->isExposed())
                QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
            else
                repaint();
            QCoreApplication::removePostedEvents(checkView_);  // its check waits for this paint
            QCoreApplication::quit();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);  // and from an error box, should one open
        });

    resize(831, 611);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    FitScreen();
    FormCreate();
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
        // The panels show file names: as written, never as markup.
        label->setTextFormat(Qt::PlainText);
        stat_Main->addWidget(label);
        *panels[i] = label;
    }
    setStatusBar(stat_Main);
    checkView_ = new CheckView(*this, *stat_Main);  // its panel after the designed ones
}

void Tfrm_Main::buildTrees()
{
    pnl_Crafts_1 = new BevelPanel(QStringLiteral("pnl_Crafts_1"), this);
    pnl_Crafts_1->setMinimumWidth(31);
    tree_Crafts_1 = new CraftTree(QStringLiteral("tree_Crafts_1"), QColor(0, 0, 128), pnl_Crafts_1);
    tree_Crafts_2 = new CraftTree(QStringLiteral("tree_Crafts_2"), QColor(255, 0, 0), pnl_Crafts_1);
    auto *layout = new TreeSplitLayout(pnl_Crafts_1);  // the panel's bevels give the 2 pixels
    layout->addWidget(tree_Crafts_1);
    layout->addWidget(tree_Crafts_2);
    for (CraftTree *tree : {tree_Crafts_1, tree_Crafts_2}) {
        tree->SetSelectionFilter([this, tree](const QTreeWidgetItem *item) { return Change_Craft_1(tree, item); });
        connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { Guarded([this] { Change_Craft(); }); });
    }
}

void Tfrm_Main::buildToolbar()
{
    tool_Main = MainToolBar(this);
    addToolBar(Qt::TopToolBarArea, tool_Main);
    for (int i = 0; i < ToolbarPictureCount; ++i)
        img_Main.push_back(QPixmap::fromImage(ToolbarPicture(i, IsDarkPalette(palette()))));

    btn_Turn1 = ToolButton(tool_Main, QStringLiteral("btn_Turn1"), img_Main[0]);
    btn_Turn2 = ToolButton(tool_Main, QStringLiteral("btn_Turn2"), img_Main[1]);
    btn_Turn3 = ToolButton(tool_Main, QStringLiteral("btn_Turn3"), img_Main[2]);
    btn_Turn4 = ToolButton(tool_Main, QStringLiteral("btn_Turn4"), img_Main[3]);
    ToolButton5 = ToolGap(tool_Main, QStringLiteral("ToolButton5"));
    ToolButton6 = ToolButton(tool_Main, QStringLiteral("ToolButton6"), img_Main[4]);
    sep_Folder = ToolGap(tool_Main, QStringLiteral("sep_Folder"));
    auto makeCommand = [this](const QString &name, int picture, const QKeySequence &key, void (Tfrm_Main::*handler)(),
                              QAction *&action) {
        MarkButton *b = ToolButton(tool_Main, name, img_Main[picture]);
        action = new QAction(b->icon(), QString(), this);
        action->setShortcut(key);
        addAction(action);  // the key works wherever the focus is in the window
        b->setDefaultAction(action);
        connect(action, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        return b;
    };
    btn_OpenFolder = makeCommand(QStringLiteral("btn_OpenFolder"), 5, QKeySequence(Qt::CTRL | Qt::Key_O),
                                 &Tfrm_Main::OpenDataFolder, act_OpenFolder);
    btn_Reload = makeCommand(QStringLiteral("btn_Reload"), 6, QKeySequence(Qt::Key_F5), &Tfrm_Main::ReloadData,
                             act_Reload);
    btn_Advantage = makeCommand(QStringLiteral("btn_Advantage"), 7, QKeySequence(Qt::CTRL | Qt::Key_D),
                                &Tfrm_Main::SwitchAdvantage, act_Advantage);

    // At start only the no-flaps curves are drawn.
    btn_Turn2->SetMarked(true);
    btn_Turn3->SetMarked(true);
    btn_Turn4->SetMarked(true);
    for (MarkButton *b : {btn_Turn1, btn_Turn2, btn_Turn3, btn_Turn4})
        connect(b, &QToolButton::clicked, this, [this, b] { Guarded([this, b] { SwitchTurnButton(b); }); });
    connect(ToolButton6, &QToolButton::clicked, this, [this] { Guarded([this] { ToolButton6Click(); }); });
    buildViewMenu();
    showToolTips();
}

void Tfrm_Main::buildPages()
{
    auto *splitter = new CollapsingSplitter(Qt::Horizontal, this);
    Splitter = splitter;
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setHandleWidth(3);
    Splitter->setOpaqueResize(false);
    Splitter->setChildrenCollapsible(false);

    pnl_Chart = new BevelPanel(QStringLiteral("pnl_Chart"), Splitter);
    pnl_Chart->setMinimumWidth(30);
    pages_Charts = new ComparisonPages(view_, pnl_Chart);
    auto *layout = new QVBoxLayout(pnl_Chart);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_Charts);
    new ChartHolder(*this);

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

void Tfrm_Main::FormCreate()
{
    SetDataForChart();
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
    if (e->type() == QEvent::PaletteChange)
        setToolbarPictures();
    if (e->type() == QEvent::Show || e->type() == QEvent::Move || e->type() == QEvent::Resize) {
        // The minimum size holds for the outer frame, known once the window is mapped,
        // on a screen that has room for it.
        const QSize frame = (frameGeometry().size() - geometry().size()).expandedTo(QSize(0, 0));
        const QSize least = (QSize(780, 600) - frame).boundedTo(screenRoom().size());
        if (minimumSize() != least)
            setMinimumSize(least);
        // Fitted again when shown and once the frame is known (it comes after mapping).
        if (e->type() == QEvent::Show || frame != fittedFrame_) {
            fittedFrame_ = frame;
            FitScreen();
        }
    }
    return QMainWindow::event(e);
}

void Tfrm_Main::ResizeMainForm()
{
    // The two layouts give the trees their split and the common page its grid; both run
    // on every size change of their panel or page, shown or not.
    pnl_Crafts_1->layout()->setGeometry(pnl_Crafts_1->contentsRect());
    pages_Charts->LayOutCommonPage();
}

void Tfrm_Main::SplitterMoved()
{
    // The splitter stands directly right of the panel, which QSplitter has already
    // sized; lay out the trees and the grid for the new width.
    ResizeMainForm();
}

FileName Tfrm_Main::scanFolder() const { return dataFolder_.isEmpty() ? CurrentDirectory() : dataFolder_; }

void Tfrm_Main::setScanning(bool scanning)
{
    scanning_ = scanning;
    act_OpenFolder->setEnabled(!scanning);
    act_Reload->setEnabled(!scanning);
    if (!scanning)
        emit ScanEnded();
    if (!scanning && changedInScan_)
        showFilesChanged();
    if (!scanning && !watch_->Refusal().isEmpty())
        showNotWatched();
}

void Tfrm_Main::showDataFolder()
{
    const QString path = QDir::toNativeSeparators(scanFolder());
    const int room = panel2->contentsRect().width() - panel2->fontMetrics().horizontalAdvance(QLatin1Char('x'));
    panel2->setText(panel2->fontMetrics().elidedText(path, Qt::ElideMiddle, room));
    panel2->setToolTip(Qt::convertFromPlainText(path, Qt::WhiteSpaceNoWrap));
}

void Tfrm_Main::showFolderNote(const QString &text, const QString &tip)
{
    panel1->setText(text);
    // Widened to its whole text; the panel after it moves right.
    panel1->setFixedWidth(std::max(panel1->width(), panel1->sizeHint().width()));
    panel1->setToolTip(tip);
}

void Tfrm_Main::showFilesChanged()
{
    showFolderNote(QCoreApplication::translate("Varnel", "Файлы изменены, F5 — перечитать"),
                   QCoreApplication::translate("Varnel", "Файлы данных изменились на диске; F5 перечитает их."));
}

void Tfrm_Main::showNotWatched()
{
    showFolderNote(QCoreApplication::translate("Varnel", "Папка не отслеживается, F5 — перечитать"),
                   QCoreApplication::translate("Varnel", "Система не дает следить за файлами папки данных (%1): "
                                                         "изменения на диске видны только после F5.")
                       .arg(watch_->Refusal()));
}

void Tfrm_Main::LoadFMD()
{
    // The scan lets pending events run, but no folder command starts a scan inside it.
    struct ScanEnd {
        Tfrm_Main *w;
        ~ScanEnd() { w->setScanning(false); }
    } end{this};
    setScanning(true);
    changedInScan_ = false;
    panel1->setToolTip(QString());
    showDataFolder();
    const FileName folder = scanFolder();
    watch_->Watch(folder);
    WindowScan progress(*this);
    ScanHooks hooks;
    hooks.progress = &progress;
    const auto checking = checkView_->Checking(DataPaths{folder}, hooks);  // shown when the scan ends
    catalogue_ = std::make_shared<const ::Catalogue>();  // as the trees, emptied
    const auto inPlace = qScopeGuard([this] { emit CatalogueChanged(); });
    catalogue_ = std::make_shared<const ::Catalogue>(ReadCatalogue(DataPaths{folder}, hooks));
    // One box lists the aircraft that can't be read.
    if (const QString failures = catalogue_->FailureText(); !failures.isEmpty())
        throw VarnelError(failures);
}

void Tfrm_Main::OpenDataFolder()
{
    if (scanning_)
        return;
    const FileName folder = AskDataFolder(this, scanFolder());
    if (folder.isEmpty() || scanning_)
        return;
    // A folder whose DataSpeed can't be listed leaves the comparison as it is: the box
    // says why.
    bool readable = false;
    Guarded([&] {
        ListSpeedEntries(DataPaths{AbsoluteFileName(folder)});
        readable = true;
    });
    if (!readable)
        return;
    SetDataFolder(AbsoluteFileName(folder));
    RememberFolder(dataFolder_);
    ReloadData();
}

void Tfrm_Main::SwitchAdvantage()
{
    pages_Charts->SetAdvantageShown(!pages_Charts->AdvantageShown());
    btn_Advantage->SetMarked(pages_Charts->AdvantageShown());
}

void Tfrm_Main::ReloadData()
{
    if (scanning_)
        return;
    CraftTree *trees[2] = {tree_Crafts_1, tree_Crafts_2};
    QString chosen[2];
    holdRefresh_ = true;
    QStringList expanded[2];
    for (int i = 0; i < 2; ++i) {
        if (const QTreeWidgetItem *item = trees[i]->SelectedCraft())
            chosen[i] = item->text(0);
        expanded[i] = ExpandedNodes(trees[i]);
        trees[i]->clear();
    }
    holdRefresh_ = false;
    Guarded([this] { LoadFMD(); });  // failures are shown as at start, and the choice is made again
    // An aircraft the user picked while the scan ran stays; else the one chosen before,
    // when it is listed again.
    holdRefresh_ = true;
    for (int i = 0; i < 2; ++i) {
        ExpandNodes(trees[i], expanded[i]);
        if (!trees[i]->SelectedCraft())
            ChooseCraft(trees[i], chosen[i]);
    }
    holdRefresh_ = false;
    SetDataForChart();
}

bool Tfrm_Main::Change_Craft_1(QTreeWidget *, const QTreeWidgetItem *item) const
{
    return item && !item->parent() && NodeDataOf(item) != nullptr;
}

void Tfrm_Main::SetDataForChart()
{
    const std::array<AircraftPtr, 2> chosen = ChosenCrafts();
    pages_Charts->SetComparison(chosen[0], chosen[1], FlapsShown());
}

std::array<AircraftPtr, 2> Tfrm_Main::ChosenCrafts() const
{
    return {AircraftOf(tree_Crafts_1->SelectedCraft()), AircraftOf(tree_Crafts_2->SelectedCraft())};
}

FlapSet Tfrm_Main::FlapsShown() const
{
    return FlapSet::FromMarks({btn_Turn1->Marked(), btn_Turn2->Marked(), btn_Turn3->Marked(), btn_Turn4->Marked()});
}

void Tfrm_Main::Change_Craft()
{
    if (!holdRefresh_)
        SetDataForChart();
}

void Tfrm_Main::SwitchTurnButton(MarkButton *button)
{
    button->SetMarked(!button->Marked());
    SetDataForChart();
}

void Tfrm_Main::ToolButton6Click()
{
    // Posted: the loop takes the quit when it gets to it, so a scan in progress ends first.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void Tfrm_Main::ShowOneChart(TChart *chart) { pages_Charts->ShowOneChart(chart); }
