#include "window/view_menu.h"

#include "core/language.h"

#include <QActionGroup>

namespace {
// Each language named in itself, whatever the language shown.
struct LanguageRow {
    const char *key;
    const char16_t *name;
};
const LanguageRow kLanguages[] = {{"ru", u"Русский"}, {"en", u"English"}};

struct UnitsRow {
    UnitSystem units;
    const char *name;
};
const UnitsRow kUnits[] = {
    {UnitSystem::Metric, QT_TRANSLATE_NOOP("ViewMenu", "Метрические: м, км/ч, м/с")},
    {UnitSystem::Imperial, QT_TRANSLATE_NOOP("ViewMenu", "Британские: ft, mph, ft/min")},
    {UnitSystem::Knots, QT_TRANSLATE_NOOP("ViewMenu", "Узлы: ft, kt, ft/min")},
};
}  // namespace

ViewMenu::ViewMenu(QWidget *parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("menu_View"));
    languages_ = new QActionGroup(this);
    for (const LanguageRow &row : kLanguages) {
        QAction *a = addAction(QString::fromUtf16(row.name));
        a->setCheckable(true);
        a->setData(QString::fromLatin1(row.key));
        languages_->addAction(a);
    }
    addSeparator();
    units_ = new QActionGroup(this);
    for (const UnitsRow &row : kUnits) {
        QAction *a = addAction(QString());
        a->setCheckable(true);
        a->setData(int(row.units));
        units_->addAction(a);
    }
    afterUnits_ = addSeparator();
    act_Help = addAction(QString());
    act_Help->setShortcut(QKeySequence(Qt::Key_F1));
    act_About = addAction(QString());
    Retranslate();
    ShowChoice(CurrentLanguage(), ShownUnits());

    // Only a choice the user makes is told (and kept): checking by ShowChoice is not.
    connect(languages_, &QActionGroup::triggered, this, [this](QAction *a) { emit LanguageChosen(a->data().toString()); });
    connect(units_, &QActionGroup::triggered, this, [this](QAction *a) { emit UnitsChosen(UnitSystem(a->data().toInt())); });
    // The marks show what is in force, however it was chosen.
    connect(this, &QMenu::aboutToShow, this, [this] { ShowChoice(CurrentLanguage(), ShownUnits()); });
}

void ViewMenu::ShowChoice(const QString &language, UnitSystem units)
{
    for (QAction *a : languages_->actions())
        a->setChecked(a->data().toString() == language);
    for (QAction *a : units_->actions())
        a->setChecked(UnitSystem(a->data().toInt()) == units);
}

void ViewMenu::AddEntries(const QList<QAction *> &entries)
{
    const QList<QAction *> all = actions();
    QAction *before = all.value(all.indexOf(afterUnits_) + 1);
    insertActions(before, entries);
    insertSeparator(before);
}

void ViewMenu::Retranslate()
{
    const QList<QAction *> units = units_->actions();
    for (qsizetype k = 0; k < units.size(); ++k)
        units[k]->setText(tr(kUnits[k].name));
    act_Help->setText(tr("Клавиши и мышь"));
    act_About->setText(tr("О программе Varnel"));
}
