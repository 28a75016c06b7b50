// The window's view menu: its toolbar button, what a choice in it does, and the toolbar
// pictures that follow the palette.
#include "window/main_window.h"

#include "window/check_dialog.h"
#include "window/data_folder.h"
#include "window/flap_button.h"
#include "window/help_dialog.h"
#include "window/images.h"
#include "window/view_menu.h"

#include "core/guard.h"
#include "core/language.h"

#include <QDir>
#include <QToolBar>

void Tfrm_Main::buildViewMenu()
{
    btn_View = new MarkButton(tool_Main);
    btn_View->setObjectName(QStringLiteral("btn_View"));
    btn_View->setAutoRaise(true);
    btn_View->setFixedSize(23, 22);
    btn_View->setIconSize(QSize(16, 16));
    btn_View->setIcon(QIcon(img_Main[8]));
    menu_View = new ViewMenu(this);
    btn_View->setMenu(menu_View);
    btn_View->setPopupMode(QToolButton::InstantPopup);
    tool_Main->addWidget(btn_View);

    // "Check data…" (Ctrl+Shift+K) stands before the help, for the people who keep the tables.
    menu_View->insertAction(menu_View->act_Help, checkView_->action);
    addAction(menu_View->act_Help);  // F1 works wherever the focus is in the window
    connect(menu_View->act_Help, &QAction::triggered, this, [this] { Guarded([this] { HelpDialog(this).exec(); }); });
    connect(menu_View->act_About, &QAction::triggered, this, [this] {
        Guarded([this] { ShowAbout(this, QDir::toNativeSeparators(scanFolder())); });
    });
    // A choice made here is one the user made: it is kept for the next start.
    connect(menu_View, &ViewMenu::LanguageChosen, this, [this](const QString &language) {
        SaveLanguageChoice(language);
        SetLanguage(language);
        emit LanguageChosen(language);
    });
    connect(menu_View, &ViewMenu::UnitsChosen, this, [this](UnitSystem units) {
        SaveUnitsChoice(units);
        SetUnits(units);
        emit UnitsChosen(units);
    });
}

void Tfrm_Main::setToolbarPictures()
{
    if (img_Main.size() != ToolbarPictureCount)
        return;  // not built yet
    const bool dark = IsDarkPalette(palette());
    for (int i = 0; i < ToolbarPictureCount; ++i)
        img_Main[i] = QPixmap::fromImage(ToolbarPicture(i, dark));
    MarkButton *const drawn[] = {btn_Turn1, btn_Turn2, btn_Turn3, btn_Turn4};
    for (int i = 0; i < 4; ++i)
        drawn[i]->setIcon(QIcon(img_Main[i]));
    btn_View->setIcon(QIcon(img_Main[8]));
}
