#include "window/help_dialog.h"

#include "pages/application.h"
#include "pages/page_keys.h"
#include "window/data_folder.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#ifndef VARNEL_LICENSE
#define VARNEL_LICENSE ""
#endif

namespace {
// One row of the help: the keys as Qt reads them ("" for the mouse), as shown, and what
// they do.
struct KeyRow {
    const char *keys;
    const char *shown;
    const char *what;
};
// The keys of the row that stands for one key per page (PageNumberKeys).
const char PageNumbers[] = "Ctrl+1";
const KeyRow kKeyRows[] = {
    {"Ctrl+Tab; Ctrl+PgDown", "Ctrl+Tab, Ctrl+PgDown", QT_TRANSLATE_NOOP("HelpDialog", "следующая страница")},
    {"Ctrl+Shift+Backtab; Ctrl+PgUp", "Ctrl+Shift+Tab, Ctrl+PgUp", QT_TRANSLATE_NOOP("HelpDialog", "предыдущая страница")},
    {PageNumbers, "", QT_TRANSLATE_NOOP("HelpDialog", "страница по ее номеру")},
    {"Ctrl+O", "Ctrl+O", QT_TRANSLATE_NOOP("HelpDialog", "открыть папку данных")},
    {"F5", "F5", QT_TRANSLATE_NOOP("HelpDialog", "перечитать файлы данных (аэропланы, закрылки, страница и масштаб остаются)")},
    {"Ctrl+D", "Ctrl+D", QT_TRANSLATE_NOOP("HelpDialog", "закрасить, где какой самолет лучше, или убрать закраску")},
    {"Ctrl+C", "Ctrl+C", QT_TRANSLATE_NOOP("HelpDialog", "копировать рисунок графика под мышью (или текущей страницы)")},
    {"Ctrl+Shift+C", "Ctrl+Shift+C", QT_TRANSLATE_NOOP("HelpDialog", "копировать данные графика как текст с табуляциями")},
    {"Ctrl+S", "Ctrl+S", QT_TRANSLATE_NOOP("HelpDialog", "сохранить рисунок графика (PNG, SVG, PDF)")},
    {"Ctrl+Shift+S", "Ctrl+Shift+S", QT_TRANSLATE_NOOP("HelpDialog", "сохранить все страницы в папку")},
    {"Ctrl+P", "Ctrl+P", QT_TRANSLATE_NOOP("HelpDialog", "напечатать отчет: первая страница, графики и вердикт")},
    {"Ctrl+Shift+K", "Ctrl+Shift+K", QT_TRANSLATE_NOOP("HelpDialog", "проверить данные: все ошибки и предупреждения всех файлов")},
    {"Esc; Home", "Esc, Home", QT_TRANSLATE_NOOP("HelpDialog", "вернуть масштаб графика под мышью")},
    {"F1", "F1", QT_TRANSLATE_NOOP("HelpDialog", "эта справка")},
    {"Ctrl+Q", "Ctrl+Q", QT_TRANSLATE_NOOP("HelpDialog", "выход из программы")},
    {"", QT_TRANSLATE_NOOP("HelpDialog", "Кнопки с полосками"), QT_TRANSLATE_NOOP("HelpDialog", "показать или скрыть закрылки (без, 1, 2, 3); нажатая кнопка скрывает свои")},
    {"", QT_TRANSLATE_NOOP("HelpDialog", "Двойной щелчок"), QT_TRANSLATE_NOOP("HelpDialog", "открыть график общей страницы крупно; еще раз — назад")},
    {"", QT_TRANSLATE_NOOP("HelpDialog", "Левая кнопка, тянуть вправо"), QT_TRANSLATE_NOOP("HelpDialog", "увеличить выделенный прямоугольник; влево — вернуть")},
    {"", QT_TRANSLATE_NOOP("HelpDialog", "Правая кнопка, тянуть"), QT_TRANSLATE_NOOP("HelpDialog", "сдвинуть график")},
    {"", QT_TRANSLATE_NOOP("HelpDialog", "Правый щелчок"), QT_TRANSLATE_NOOP("HelpDialog", "меню графика: копировать, сохранить")},
    {"", QT_TRANSLATE_NOOP("HelpDialog", "Колесо"), QT_TRANSLATE_NOOP("HelpDialog", "масштаб у курсора; с Shift — только ось скорости или скороподъемности, с Ctrl — только вертикальная ось")},
    {"", QT_TRANSLATE_NOOP("HelpDialog", "Мышь над графиком"), QT_TRANSLATE_NOOP("HelpDialog", "линия, точки на кривых и таблица их значений у курсора")},
};

const char *const kNotes[] = {
    QT_TRANSLATE_NOOP("HelpDialog", "Синие кривые — первый самолет (левое верхнее дерево), красные — второй. Общая страница "
      "показывает четыре графика сразу; на графиках виража у конца каждой кривой подписаны ее закрылки."),
    QT_TRANSLATE_NOOP("HelpDialog", "На диаграмме угловой скорости пунктир — линии постоянной перегрузки (1 g … 6 g), сплошные — "
      "постоянного радиуса виража."),
    QT_TRANSLATE_NOOP("HelpDialog", "В таблице у курсора на этой диаграмме две перегрузки. «Vω/g» — радиальная: скорость, умноженная "
      "на угловую скорость и деленная на g; ее и показывают линии диаграммы (на линии «3-g» — 3.00 g). "
      "«n виража» — перегрузка, которую требует правильный вираж, √(1 + (Vω/g)²); ее несут крылья, "
      "и она всегда немного больше (3.16 на линии «3-g»)."),
};

QString tr(const char *text) { return QCoreApplication::translate("HelpDialog", text); }

QList<QKeySequence> KeysOf(const KeyRow &row)
{
    return row.keys == PageNumbers ? PageNumberKeys() : QKeySequence::listFromString(QString::fromLatin1(row.keys));
}

QString ShownKeys(const KeyRow &row)
{
    if (!*row.keys)
        return tr(row.shown);
    const QList<QKeySequence> keys = KeysOf(row);
    return *row.shown ? QString::fromUtf8(row.shown) : keys.first().toString() + QStringLiteral(" … ") + keys.last().toString();
}
}  // namespace

QList<QKeySequence> HelpKeys()
{
    QList<QKeySequence> keys;
    for (const KeyRow &row : kKeyRows)
        if (*row.keys)
            keys += KeysOf(row);
    return keys;
}

QString HelpDialog::HelpText()
{
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">");
    for (const KeyRow &row : kKeyRows) {
        const QString shown = ShownKeys(row);
        html += QStringLiteral("<tr><td style=\"white-space:nowrap\"><b>%1</b></td><td>%2</td></tr>")
                    .arg(shown.toHtmlEscaped(), tr(row.what).toHtmlEscaped());
    }
    html += QStringLiteral("</table>");
    for (const char *note : kNotes)
        html += QStringLiteral("<p>%1</p>").arg(tr(note).toHtmlEscaped());
    return html;
}

HelpDialog::HelpDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlg_Help"));
    setWindowTitle(QCoreApplication::translate("HelpDialog", "Клавиши и мышь"));
    auto *text = new QTextBrowser(this);
    text->setHtml(HelpText());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(560, 520);
}

QString AboutText(const QString &dataFolder)
{
    // Spelt out, so the translation tools find each text under the dialog's name.
    const QString licence = QStringLiteral(VARNEL_LICENSE);
    return QStringLiteral("Varnel %1\n\n").arg(QStringLiteral(VARNEL_VERSION)) +
           QStringLiteral("Qt: %1\n").arg(QString::fromLatin1(qVersion())) +
           QCoreApplication::translate("HelpDialog", "Папка данных: %1").arg(dataFolder) + QLatin1Char('\n') +
           QCoreApplication::translate("HelpDialog", "Файл настроек: %1").arg(SettingsFilePath()) + QLatin1Char('\n') +
           QCoreApplication::translate("HelpDialog", "Лицензия: %1")
               .arg(licence.isEmpty() ? QCoreApplication::translate("HelpDialog", "не указана") : licence);
}

void ShowAbout(QWidget *parent, const QString &dataFolder)
{
    QMessageBox box(QMessageBox::Information, QCoreApplication::translate("HelpDialog", "О программе Varnel"),
                    AboutText(dataFolder), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // folder names as written
    box.exec();
}
