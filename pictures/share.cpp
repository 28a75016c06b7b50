#include "pictures/share.h"
#include "pages/ranking_page.h"

#include "pictures/export.h"
#include "core/units.h"
#include "pages/comparison_pages.h"
#include "pictures/picture_files.h"
#include "pictures/report.h"
#include "pages/verdict_page.h"
#include "verdict/verdict_format.h"
#include "catalogue/scan.h"
#include "core/view.h"
#include "core/guard.h"
#include "presentation/chart.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTabWidget>

#include <memory>
#include <optional>

namespace {
struct EntryRow {
    ChartSharing::Entry entry;
    const char *caption;
    const char *keys;
};
const EntryRow kEntries[] = {
    {ChartSharing::CopyPicture, QT_TRANSLATE_NOOP("Varnel", "Копировать рисунок"), "Ctrl+C"},
    {ChartSharing::CopyData, QT_TRANSLATE_NOOP("Varnel", "Копировать данные"), "Ctrl+Shift+C"},
    {ChartSharing::SavePicture, QT_TRANSLATE_NOOP("Varnel", "Сохранить рисунок..."), "Ctrl+S"},
    {ChartSharing::SaveAllPages, QT_TRANSLATE_NOOP("Varnel", "Сохранить все страницы..."), "Ctrl+Shift+S"},
    {ChartSharing::Print, QT_TRANSLATE_NOOP("Varnel", "Печать..."), "Ctrl+P"},
    {ChartSharing::SaveReport, QT_TRANSLATE_NOOP("Varnel", "Сохранить отчет..."), ""},
};

const QStringList kFormats = {"png", "svg", "pdf"};

ShareDialogs &dialogs()
{
    static ShareDialogs d;
    return d;
}

// Qt's file dialog keeps its state in the settings of "QtProject", which it writes as
// it closes; Varnel writes no settings but its own, so those go nowhere while it closes.
// The user's QtProject.conf is still read when the dialog opens.
struct NoQtProjectSettings {
    const QString userPath = QFileInfo(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName()).path();
    NoQtProjectSettings() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null")); }
    ~NoQtProjectSettings() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userPath); }
};

QString QtSavePicture(QWidget *parent, const QString &suggested)
{
    auto dialog = std::make_unique<QFileDialog>(parent, QCoreApplication::translate("Varnel", "Сохранить рисунок"), suggested,
                                                QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    QString path = dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
    if (!path.isEmpty() && !kFormats.contains(QFileInfo(path).suffix().toLower()))
        path += QLatin1Char('.') + dialog->selectedNameFilter().left(3).toLower();
    const NoQtProjectSettings nowhere;
    dialog.reset();
    return path;
}

bool QtConfirmReplace(QWidget *parent, const QString &folder, const QStringList &replaced)
{
    const QString text = QCoreApplication::translate("Varnel", "В папке «%1» уже есть:\n%2\n\nЗаменить эти файлы?")
                             .arg(QDir::toNativeSeparators(folder), replaced.join(u'\n'));
    return QMessageBox::question(parent, QCoreApplication::translate("Varnel", "Сохранить все страницы"), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

// A file name holds at most 255 bytes: a longer one is cut, its extension kept.
QString suggestedFile(QString name, const QString &extension)
{
    while (name.toUtf8().size() > 255 - extension.toUtf8().size())
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
    return name + extension;
}

QString OneLine(QString text)
{
    for (QChar &c : text)
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    return text;
}
}  // namespace

QString ChartDataText(const TChartSeriesList &series, const AxisTitle &x, const AxisTitle &y,
                      const TChartSeriesList *titles)
{
    if (titles && titles->Count() != series.Count())
        titles = nullptr;
    QStringList rows{QCoreApplication::translate("Varnel", "Кривая\t%1\t%2")
                         .arg(x.text.isEmpty() ? QStringLiteral("X") : OneLine(AxisTitleText(x)),
                              y.text.isEmpty() ? QStringLiteral("Y") : OneLine(AxisTitleText(y)))};
    for (int i = 0; i < series.Count(); ++i) {
        const TChartSeries &s = series[i];
        if (!s.Active())
            continue;
        const TChartSeries &named = titles ? (*titles)[i] : s;
        const QString title = named.Title().isEmpty() ? s.Name() : OneLine(named.Title());
        // Every digit the value has, in the units the axes show.
        const auto number = [](const AxisTitle &axis, double metric) { return ShownNumber(axis.kind, metric, axis.units, {kEveryDigit}); };
        for (int j = 0; j < s.Count(); ++j)
            rows << title + u'\t' + number(x, s.XValues[j]) + u'\t' + number(y, s.YValues[j]);
    }
    return rows.join(u'\n') + u'\n';
}

void SetShareDialogs(ShareDialogs d) { dialogs() = std::move(d); }

ChartSharing::ChartSharing(QWidget &host, ComparisonPages &pages, ComparisonSource source)
    : QObject(&host), host_(host), pages_(pages), source_(std::move(source)), lastFolder_(QDir::homePath())
{
    for (TChart *chart : pages_.Charts()) {
        // The chart's own menu replaces the window's toolbar menu.
        chart->setContextMenuPolicy(Qt::PreventContextMenu);
        connect(&chart->Navigator(), &ChartNavigator::StillRightClick, this, [this, chart](QPoint pos) {
            Guarded([&] { openMenu(chart, chart->mapToGlobal(pos)); });
        });
    }
    for (const EntryRow &row : kEntries) {
        auto *action = new QAction(QCoreApplication::translate("Varnel", row.caption), &host_);
        action->setShortcut(QKeySequence(QString::fromLatin1(row.keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        host_.addAction(action);
        actions_[size_t(row.entry)] = action;
        connect(action, &QAction::triggered, this, [this, entry = row.entry] {
            Guarded([&] { Run(entry, KeyTarget()); });
        });
    }
}

void ChartSharing::Retranslate()
{
    for (const EntryRow &row : kEntries)
        actions_[size_t(row.entry)]->setText(QCoreApplication::translate("Varnel", row.caption));
}

void ChartSharing::openMenu(TChart *chart, QPoint globalPos)
{
    if (menu_)
        menu_->close();
    auto *menu = new QMenu(&host_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const EntryRow &row : kEntries) {
        QAction *action = menu->addAction(QCoreApplication::translate("Varnel", row.caption));
        action->setShortcut(QKeySequence(QString::fromLatin1(row.keys)));
        connect(action, &QAction::triggered, this, [this, entry = row.entry, target = QPointer<TChart>(chart)] {
            Guarded([&] {
                if (target)
                    Run(entry, target);
            });
        });
    }
    menu->addSeparator();
    QAction *band = menu->addAction(QCoreApplication::translate("Varnel", "Подпись над рисунком"));
    band->setCheckable(true);
    band->setChecked(caption_);
    connect(band, &QAction::toggled, this, [this](bool on) { caption_ = on; });
    menu_ = menu;
    menu->popup(globalPos);
}

QWidget *ChartSharing::KeyTarget() const
{
    QWidget *page = pages_.currentWidget();
    const QList<TChart *> charts = page->findChildren<TChart *>();
    for (TChart *chart : charts)
        if (chart->underMouse())
            return chart;
    if (page == pages_.tab_Common)
        return pages_.tab_Common;
    return charts.isEmpty() ? page : charts.first();  // the verdict page has no chart
}

namespace {
// The page a picture of `target` shows, with its row: a chart of the common page shows
// what the chart it mirrors shows, on that one's page.
std::pair<const PageDef *, QWidget *> PageOf(const ComparisonPages &pages, QWidget *target)
{
    const auto *chart = qobject_cast<TChart *>(target);
    if (chart && chart->Partner())
        chart = chart->Partner();
    const QWidget *page = chart ? chart->parentWidget() : target;
    for (const auto &made : pages.Pages())
        if (made.second == page)
            return made;
    return pages.Pages().first();
}
}  // namespace

QString ChartSharing::slugOf(QWidget *target) const { return PageOf(pages_, target).first->slug; }

PictureCaption ChartSharing::CaptionOf(QWidget *target) const
{
    PictureCaption caption;
    const auto chosen = source_.chosen();
    caption.first = chosen[0] ? chosen[0]->name : QString();
    caption.second = chosen[1] ? chosen[1]->name : QString();
    caption.flaps = source_.flaps();
    caption.page = pages_.tabText(pages_.indexOf(PageOf(pages_, target).second));
    caption.band = caption_;
    return caption;
}

QString ChartSharing::suggestedName(QWidget *target) const
{
    const PictureCaption caption = CaptionOf(target);
    QStringList parts{slugOf(target)};
    for (const QString &name : {caption.first, caption.second})
        if (!name.isEmpty())
            parts << name;
    return suggestedFile(parts.join(u'_'), QStringLiteral(".png"));
}

void ChartSharing::Run(Entry entry, QWidget *target)
{
    switch (entry) {
    case CopyPicture: {
        const PictureCaption caption = CaptionOf(target);
        QApplication::clipboard()->setImage(GrabPicture(target, target->devicePixelRatioF(), &caption));
        break;
    }
    case CopyData: {
        // The verdict page gives its tables as `--verdict --format tsv` writes them.
        if (auto *verdict = qobject_cast<VerdictPage *>(target)) {
            QApplication::clipboard()->setText(VerdictTsv(verdict->Shown(), pages_.ShownView()));
            break;
        }
        // The ranking page gives its tables as `--rank --format tsv` writes them.
        if (auto *ranking = qobject_cast<RankingPage *>(target)) {
            QApplication::clipboard()->setText(ranking->Tsv());
            break;
        }
        QString text;
        for (TChart *chart : pages_.Charts()) {
            if (chart != target && !target->isAncestorOf(chart))
                continue;
            // A common-page chart's curves are named as its full-size chart names them.
            const TChart *named = chart->Partner();
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) +
                    ChartDataText(chart->Series(), chart->BottomAxis(), chart->LeftAxis(),
                                  named ? &named->Series() : nullptr);
        }
        QApplication::clipboard()->setText(text);
        break;
    }
    case SavePicture:
        savePicture(target);
        break;
    case SaveAllPages:
        saveAllPages();
        break;
    case Print:
        printReport();
        break;
    case SaveReport:
        saveReport();
        break;
    }
}

void ChartSharing::savePicture(QWidget *target)
{
    const QString suggested = QDir(lastFolder_).filePath(suggestedName(target));
    QString path = dialogs().savePicture ? dialogs().savePicture(&host_, suggested) : QtSavePicture(&host_, suggested);
    if (path.isEmpty())
        return;
    QString format = QFileInfo(path).suffix().toLower();
    if (!kFormats.contains(format)) {
        format = kFormats.first();
        path += QLatin1Char('.') + format;
    }
    const QFileInfo file(path);
    const PictureCaption caption = CaptionOf(target);
    const QByteArray bytes = RenderPicture(target, format, target->devicePixelRatioF(), &caption);
    WritePictures(LocateFileName(file.path()), {{file.fileName(), bytes}});
    lastFolder_ = file.path();
}

void ChartSharing::saveAllPages()
{
    const QString folder = dialogs().chooseFolder ? dialogs().chooseFolder(&host_) : source_.chooseFolder(&host_);
    if (folder.isEmpty())
        return;
    const auto craft = source_.chosen();
    PictureOptions defaults;
    defaults.caption = caption_;
    defaults.advantage = pages_.AdvantageShown();
    defaults.view = pages_.ShownView();
    // Asked once, before anything is drawn, naming every file that would be replaced.
    QStringList names;
    for (const QString &slug : PageSlugs())
        names << slug + QLatin1Char('.') + defaults.format;
    const FileName dir = LocateFileName(folder);
    const QStringList replaced = ExistingFiles(dir, names);
    if (!replaced.isEmpty() && !(dialogs().confirmReplace ? dialogs().confirmReplace(&host_, folder, replaced)
                                                          : QtConfirmReplace(&host_, folder, replaced)))
        return;
    WritePictures(dir, DrawComparison(craft[0], craft[1], source_.flaps(), defaults));
    lastFolder_ = folder;
}

ReportInput ChartSharing::reportInput() const
{
    ReportInput input;
    input.first = chosen_[0];
    input.second = chosen_[1];
    input.flaps = source_.flaps();
    input.advantage = pages_.AdvantageShown();
    input.dataFolder = source_.dataFolder ? source_.dataFolder() : QString();
    input.view = pages_.ShownView();
    return input;
}

void ChartSharing::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    chosen_ = source_.chosen();
    const ReportInput input = reportInput();
    printer.setDocName(ReportTitle(input));
    printer.setCreator(QStringLiteral("Varnel " VARNEL_VERSION));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFromTo(1, 0);
    // "Print to file" suggests the report's name in the folder last saved to, not the
    // title (with its ":") in the working directory, the data folder as run.sh starts
    // it; the printer the dialog opens on stays the default one.
    const QPrinter::OutputFormat format = printer.outputFormat();
    printer.setOutputFileName(suggestedReport(QStringLiteral(".pdf")));
    printer.setOutputFormat(format);
    const bool go = dialogs().print ? dialogs().print(&host_, printer) : [&] {
        QPrintDialog dialog(&printer, &host_);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!go)
        return;
    const bool range = printer.printRange() == QPrinter::PageRange;
    PaintReport(printer, input, range ? printer.fromPage() : 0, range ? printer.toPage() : 0);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        lastFolder_ = QFileInfo(printer.outputFileName()).path();
}

QString ChartSharing::suggestedReport(const QString &extension) const
{
    QStringList parts{QStringLiteral("report")};
    for (const AircraftPtr &craft : chosen_)
        if (craft)
            parts << craft->name;
    return QDir(lastFolder_).filePath(suggestedFile(parts.join(u'_'), extension));
}

void ChartSharing::saveReport()
{
    chosen_ = source_.chosen();
    const ReportInput input = reportInput();
    const QString suggested = suggestedReport(QStringLiteral(".pdf"));
    QString path;
    if (dialogs().saveReport) {
        path = dialogs().saveReport(&host_, suggested);
    } else {
        auto dialog = std::make_unique<QFileDialog>(&host_, QCoreApplication::translate("Varnel", "Сохранить отчет"), suggested,
                                                    QStringLiteral("PDF (*.pdf);;HTML (*.html)"));
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        path = dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (!path.isEmpty() && suffix != QLatin1String("pdf") && suffix != QLatin1String("html") && suffix != QLatin1String("htm"))
            path += QLatin1Char('.') + dialog->selectedNameFilter().left(4).trimmed().toLower();
        const NoQtProjectSettings nowhere;
        dialog.reset();
    }
    if (path.isEmpty())
        return;
    const QFileInfo file(path);
    const QString suffix = file.suffix().toLower();
    const bool html = suffix == QLatin1String("html") || suffix == QLatin1String("htm");
    WritePictures(LocateFileName(file.path()), {{file.fileName(), html ? ReportHtml(input) : ReportPdf(input)}});
    lastFolder_ = file.path();
}
