#include "window/session_state.h"

#include "window/craft_tree.h"
#include "window/tree_state.h"
#include "window/flap_button.h"
#include "window/main_window.h"

#include <QDir>
#include <QSet>
#include <QSettings>
#include <QTabWidget>

namespace {
// The same file as the recent folders: ~/.config/varnel/varnel.conf.
QSettings Settings() { return QSettings(QStringLiteral("varnel"), QStringLiteral("varnel")); }

const QString kFolder = QStringLiteral("session/folder"), kGeometry = QStringLiteral("session/geometry"),
              kFlapsHidden = QStringLiteral("session/flapsHidden"), kPage = QStringLiteral("session/page"),
              kCrafts = QStringLiteral("session/aircraft");

QString FolderOf(const Tfrm_Main &window) { return QDir(window.DataFolder()).absolutePath(); }

std::array<MarkButton *, 4> FlapButtons(const Tfrm_Main &window)
{
    return {window.btn_Turn1, window.btn_Turn2, window.btn_Turn3, window.btn_Turn4};
}
std::array<CraftTree *, 2> Trees(const Tfrm_Main &window) { return {window.tree_Crafts_1, window.tree_Crafts_2}; }

}  // namespace

void SaveSession(const Tfrm_Main &window)
{
    QSettings s = Settings();
    s.setValue(kFolder, FolderOf(window));
    s.setValue(kGeometry, window.saveGeometry());
    QString hidden;
    for (const MarkButton *button : FlapButtons(window))
        hidden += button->Marked() ? QLatin1Char('1') : QLatin1Char('0');
    s.setValue(kFlapsHidden, hidden);
    s.setValue(kPage, window.pages_Charts->currentIndex());
    QStringList crafts;
    for (const CraftTree *tree : Trees(window)) {
        const QTreeWidgetItem *item = tree->SelectedCraft();
        crafts << (item ? item->text(0) : QString());
    }
    s.setValue(kCrafts, crafts);
}

void RestoreSession(Tfrm_Main &window)
{
    const QSettings s = Settings();
    if (!s.contains(kGeometry))
        return;
    window.restoreGeometry(s.value(kGeometry).toByteArray());
    window.FitScreen();  // saved on a larger screen, or damaged
    const QString hidden = s.value(kFlapsHidden).toString();
    if (hidden.size() == 4 && hidden.count(QLatin1Char('0')) + hidden.count(QLatin1Char('1')) == 4) {
        for (int i = 0; i < 4; ++i)
            FlapButtons(window)[size_t(i)]->SetMarked(hidden[i] == QLatin1Char('1'));
        window.SetDataForChart();
    }
    QTabWidget *pages = window.pages_Charts;
    const int page = s.value(kPage, -1).toInt();
    if (page >= 0 && page < pages->count())
        pages->setCurrentIndex(page);
    if (s.value(kFolder).toString() != FolderOf(window))
        return;
    const QStringList crafts = s.value(kCrafts).toStringList();
    QObject::connect(
        &window, &Tfrm_Main::ScanEnded, &window,
        [&window, crafts] {
            for (int i = 0; i < 2 && i < crafts.size(); ++i)
                ChooseCraft(Trees(window)[size_t(i)], crafts[i]);
        },
        Qt::SingleShotConnection);
}
