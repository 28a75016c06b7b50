// The window's texts in the language chosen: the toolbar's tool tips, and every text
// shown again when the language changes.
#include "window/main_window.h"

#include "core/language.h"
#include "pages/comparison_pages.h"
#include "pictures/share.h"
#include "window/check_dialog.h"
#include "window/craft_tree.h"
#include "window/data_folder.h"
#include "window/flap_button.h"
#include "window/view_menu.h"

#include <QCoreApplication>
#include <QLabel>

namespace {
// The toolbar's tool tips, one per button in toolbar order.
struct ToolTipRow {
    MarkButton *Tfrm_Main::*button;
    const char *tip;
};
const ToolTipRow kToolTips[] = {
    {&Tfrm_Main::btn_Turn1, QT_TRANSLATE_NOOP("Varnel", "Без закрылков")},
    {&Tfrm_Main::btn_Turn2, QT_TRANSLATE_NOOP("Varnel", "Закрылки 1")},
    {&Tfrm_Main::btn_Turn3, QT_TRANSLATE_NOOP("Varnel", "Закрылки 2")},
    {&Tfrm_Main::btn_Turn4, QT_TRANSLATE_NOOP("Varnel", "Закрылки 3")},
    {&Tfrm_Main::ToolButton6, QT_TRANSLATE_NOOP("Varnel", "Выход из программы (Ctrl+Q)")},
    {&Tfrm_Main::btn_OpenFolder, QT_TRANSLATE_NOOP("Varnel", "Открыть папку данных (Ctrl+O)")},
    {&Tfrm_Main::btn_Reload, QT_TRANSLATE_NOOP("Varnel", "Перечитать файлы данных (F5)")},
    {&Tfrm_Main::btn_Advantage, QT_TRANSLATE_NOOP("Varnel", "Закрасить, где какой самолет лучше (Ctrl+D)")},
};
}  // namespace

void Tfrm_Main::showToolTips()
{
    for (const ToolTipRow &row : kToolTips)
        (this->*row.button)->setToolTip(QCoreApplication::translate("Varnel", row.tip));
    for (MarkButton *b : {btn_Turn1, btn_Turn2, btn_Turn3, btn_Turn4})
        b->SetSettingTip(b->toolTip());  // the flap buttons' tips say what is shown now
    btn_View->setToolTip(tr("Язык, единицы, справка (F1)"));
    act_OpenFolder->setToolTip(btn_OpenFolder->toolTip());
    act_Reload->setToolTip(btn_Reload->toolTip());
    act_Advantage->setToolTip(btn_Advantage->toolTip());
}

void Tfrm_Main::SetLanguage(const QString &language)
{
    if (!InstallLanguage(language))
        return;
    view_.language = language;
    showToolTips();
    menu_View->Retranslate();
    findChild<ChartSharing *>()->Retranslate();
    checkView_->Retranslate();
    if (!watch_->Refusal().isEmpty())
        showNotWatched();
    else if (!panel1->text().isEmpty())
        showFilesChanged();
    tree_Crafts_1->Recaption();
    tree_Crafts_2->Recaption();
    pages_Charts->SetView(view_);
}
