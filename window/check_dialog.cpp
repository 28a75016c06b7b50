#include "window/check_dialog.h"

#include "core/guard.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QDesktopServices>
#include <QMainWindow>
#include <QStatusBar>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// A cell that sorts by number where it holds one (lines and columns).
QTableWidgetItem *Cell(const QVariant &value, const QString &tip = QString())
{
    auto *item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (!tip.isEmpty())
        item->setToolTip(tip);
    return item;
}
}  // namespace

CheckDialog::CheckDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlg_Check"));
    resize(760, 420);
    summary = new QLabel(this);
    summary->setTextFormat(Qt::PlainText);
    table = new QTableWidget(0, 6, this);
    table->setObjectName(QStringLiteral("tbl_Problems"));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    connect(table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openRow(row); });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table);
    layout->addWidget(buttons);
    openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
}

void CheckDialog::ShowCheck(const DataCheck &check, const FileName &folder)
{
    // Its own words in the language installed now: it is shown again after a switch.
    setWindowTitle(tr("Проверка данных"));
    table->setHorizontalHeaderLabels({tr("Файл"), tr("Строка"), tr("Столбец"), tr("Вид"), tr("Самолет"), tr("Сообщение")});
    folder_ = folder;
    const DataCheckSummary &s = check.summary;
    summary->setText(tr("Ошибок: %1, предупреждений: %2, в файлах: %3; без замечаний %4 самолетов из %5. "
                        "Двойной щелчок открывает файл.")
                         .arg(s.errors).arg(s.warnings).arg(s.files).arg(s.clean).arg(s.aircraft));
    table->setSortingEnabled(false);
    table->setRowCount(int(check.problems.size()));
    for (int r = 0; r < check.problems.size(); ++r) {
        const DataProblem &p = check.problems.at(r);
        const bool error = p.severity == DataProblem::Severity::Error;
        table->setItem(r, FileColumn, Cell(p.file));
        table->setItem(r, LineColumn, p.line > 0 ? Cell(p.line) : Cell(QString()));
        table->setItem(r, ColumnColumn, p.column > 0 ? Cell(p.column) : Cell(QString()));
        table->setItem(r, SeverityColumn, Cell(error ? tr("ошибка") : tr("предупреждение")));
        table->setItem(r, AircraftColumn, Cell(p.aircraft));
        table->setItem(r, MessageColumn, Cell(p.message, error ? p.boxText : p.message));
    }
    table->resizeColumnsToContents();
    table->setSortingEnabled(true);
    fitWidth();
}

void CheckDialog::fitWidth()
{
    // Wide enough for every column, the messages whole, as far as the screen allows.
    int wanted = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    table->horizontalHeader()->setStretchLastSection(false);
    table->resizeColumnToContents(MessageColumn);
    wanted += table->horizontalHeader()->length();
    table->horizontalHeader()->setStretchLastSection(true);
    const QMargins margins = layout()->contentsMargins();
    wanted += margins.left() + margins.right();
    const int most = screen() ? screen()->availableGeometry().width() * 9 / 10 : wanted;
    if (wanted > width())
        resize(std::min(wanted, most), height());
}

void CheckDialog::openRow(int row)
{
    const QTableWidgetItem *file = table->item(row, FileColumn);
    if (!file)
        return;
    const FileName path = LocateFileName(QString(folder_) + QLatin1Char('/') + file->text());
    openUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(path.bytes)));
}

QString CheckStatusText(const DataCheckSummary &s)
{
    if (s.errors == 0 && s.warnings == 0)
        return QString();
    return CheckDialog::tr("Данные: ошибок %1, предупреждений %2").arg(s.errors).arg(s.warnings);
}

namespace {
// Keeps what the scan reads, and makes the check due once the scan has ended, raised
// or not.
class ScanCheck : public QObject {
public:
    ScanCheck(CheckView &view, const DataPaths &paths)
        : view_(view), paths_(paths), check_(std::make_unique<LaterCheck>(paths)) {}
    // A folder without DataSpeed has nothing to check: its box says so.
    ~ScanCheck() override
    {
        const bool listed = KindOf(paths_.speedDir()) == FileKind::Directory;
        view_.Due(listed ? std::move(check_) : nullptr, paths_.start);
    }
    LaterCheck &check() { return *check_; }

private:
    CheckView &view_;
    DataPaths paths_;
    std::unique_ptr<LaterCheck> check_;
};

// Posted below the priority of the window's paint, so the check waits for it.
const QEvent::Type kCheckDue = QEvent::Type(QEvent::registerEventType());
}  // namespace

CheckView::CheckView(QMainWindow &window, QStatusBar &bar) : QObject(&window), window_(window)
{
    panel = new QLabel(&bar);
    panel->setObjectName(QStringLiteral("panel_Check"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    panel->hide();
    bar.addWidget(panel);
    action = new QAction(&window);
    action->setObjectName(QStringLiteral("act_CheckData"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    window.addAction(action);  // the key works wherever the focus is in the window
    connect(action, &QAction::triggered, this, [this] { Guarded([this] { Open(); }); });
    Retranslate();
}

void CheckView::Retranslate()
{
    action->setText(CheckDialog::tr("Проверить данные…"));
    // The key is in the tip, so the panel's text fits beside the three designed panels.
    panel->setToolTip(action->text() + QStringLiteral(" (Ctrl+Shift+K)"));
    // The check's messages are words too: made again from what the scan read.
    if (made_ && !isDue_)
        check_ = made_->Finish();
    panel->setText(CheckStatusText(check_.summary));
    if (dialog)
        dialog->ShowCheck(check_, folder_);
}

std::unique_ptr<QObject> CheckView::Checking(const DataPaths &paths, ScanHooks &hooks)
{
    auto check = std::make_unique<ScanCheck>(*this, paths);
    check->check().Hook(hooks);
    return check;
}

void CheckView::Due(std::unique_ptr<LaterCheck> check, const FileName &folder)
{
    due_ = std::move(check);
    isDue_ = true;
    folder_ = folder;
    if (dialog && dialog->isVisible())
        settle();
    else
        QCoreApplication::postEvent(this, new QEvent(kCheckDue), Qt::LowEventPriority - 1);
}

bool CheckView::event(QEvent *event)
{
    if (event->type() != kCheckDue)
        return QObject::event(event);
    Guarded([this] { settle(); });
    return true;
}

// The due check made and shown: the panel, and the dialog where it was opened.
void CheckView::settle()
{
    if (!isDue_)
        return;
    isDue_ = false;
    ++checkCount_;
    made_ = std::move(due_);
    check_ = made_ ? made_->Finish() : DataCheck{};
    const QString text = CheckStatusText(check_.summary);
    panel->setText(text);
    panel->setVisible(!text.isEmpty());
    if (dialog)
        dialog->ShowCheck(check_, folder_);
}

const DataCheck &CheckView::Last()
{
    settle();
    return check_;
}

void CheckView::Open()
{
    settle();
    if (!dialog)
        dialog = new CheckDialog(&window_);
    dialog->ShowCheck(check_, folder_);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
