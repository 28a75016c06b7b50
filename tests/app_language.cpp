// The window and the exported pictures in English: no Russian text is left (the
// aircraft of these tests have Latin names), and switching keeps what the user chose.
#include "app_fixture.h"
#include "cli/command_line.h"
#include "cli/export_command.h"
#include "core/error.h"
#include "core/language.h"
#include "pages/comparison_pages.h"
#include "pictures/export.h"
#include "presentation/chart.h"
#include "window/craft_tree.h"
#include "window/flap_button.h"
#include "window/view_menu.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <qcustomplot.h>

namespace {
QStringList RussianIn(const QStringList &texts)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    QStringList found;
    for (const QString &t : texts)
        if (t.contains(cyrillic))
            found << t;
    return found;
}

void TreeTexts(const QTreeWidgetItem *item, QStringList &out)
{
    out << item->text(0);
    for (int i = 0; i < item->childCount(); ++i)
        TreeTexts(item->child(i), out);
}

// What a chart draws as text: title, axis titles, legend entries, marks.
void ChartTexts(TChart *chart, QStringList &out)
{
    for (QCPLayoutElement *e : chart->plotLayout()->elements(true))
        if (auto *text = qobject_cast<QCPTextElement *>(e))
            out << text->text();
    for (int i = 0; i < chart->itemCount(); ++i)
        if (auto *text = qobject_cast<QCPItemText *>(chart->item(i)))
            out << text->text();
    out << chart->yAxis->label() << chart->xAxis->label();
    for (int i = 0; i < chart->legend->itemCount(); ++i)
        if (auto *entry = qobject_cast<QCPPlottableLegendItem *>(chart->legend->item(i)))
            out << entry->plottable()->name();
}

// Every text the window shows: tabs, tool tips, labels (status panels, verdict), tables,
// trees, charts.
QStringList WindowTexts(Tfrm_Main &w)
{
    QStringList out{w.windowTitle()};
    for (int i = 0; i < w.pages_Charts->count(); ++i)
        out << w.pages_Charts->tabText(i);
    for (QWidget *child : w.findChildren<QWidget *>()) {
        out << child->toolTip();
        if (auto *label = qobject_cast<QLabel *>(child))
            out << label->text();
    }
    for (QTableWidget *table : w.findChildren<QTableWidget *>())
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c) {
                if (table->item(r, c))
                    out << table->item(r, c)->text();
                if (table->horizontalHeaderItem(c))
                    out << table->horizontalHeaderItem(c)->text();
            }
    for (QTreeWidget *tree : {static_cast<QTreeWidget *>(w.tree_Crafts_1), static_cast<QTreeWidget *>(w.tree_Crafts_2)})
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            TreeTexts(tree->topLevelItem(i), out);
    for (TChart *chart : w.Charts())
        ChartTexts(chart, out);
    return out;
}
}  // namespace

class AppLanguage : public QObject {
    Q_OBJECT
    QTemporaryDir data_;

private slots:
    void initTestCase()
    {
        WriteFixtureCraft(data_.path(), QStringLiteral("Alpha"));
        WriteFixtureCraft(data_.path(), QStringLiteral("Bravo"), 40);
    }
    void cleanup() { InstallLanguage(QStringLiteral("ru")); }

    void windowSwitchesLanguageKeepingTheComparison()
    {
        auto w = ScannedWindow(data_.path());
        FindRoot(w->tree_Crafts_1, "Alpha")->setSelected(true);
        FindRoot(w->tree_Crafts_2, "Bravo")->setSelected(true);
        w->btn_Turn3->click();  // flaps 2 shown too
        w->pages_Charts->setCurrentIndex(4);
        TChart *chart = w->Charts().constFirst();
        chart->SyncNow();
        chart->Navigator().Wheel(chart->PlotArea().center(), 240, {});
        QTRY_VERIFY(!chart->Navigator().IsAnimating());
        QVERIFY(chart->IsZoomed());
        const QCPRange zoomed = chart->xAxis->range();
        QCOMPARE(RussianIn({w->pages_Charts->tabText(0)}).size(), 1);  // Russian by default

        w->SetLanguage(QStringLiteral("en"));
        QCoreApplication::processEvents();
        QCOMPARE(RussianIn(WindowTexts(*w)).join(" | "), QString());
        emit w->menu_View->aboutToShow();  // the menu marks the language in force
        for (const QAction *a : w->menu_View->actions())
            if (a->data().toString() == QStringLiteral("en") || a->data().toString() == QStringLiteral("ru"))
                QCOMPARE(a->isChecked(), a->data().toString() == QStringLiteral("en"));
        QCOMPARE(w->pages_Charts->tabText(0), QStringLiteral("Overview"));
        // The turn pages say what they show: full-turn times in seconds, and turn rates.
        const auto drawnTitle = [](TChart *c) {
            c->SyncNow();
            return qobject_cast<QCPTextElement *>(c->plotLayout()->element(0, 0))->text();
        };
        QCOMPARE(w->pages_Charts->tabText(4), QStringLiteral("Turn time (Altitude=1000 m)"));
        QCOMPARE(drawnTitle(w->pages_Charts->chrt_TurnbySpeed), QStringLiteral("Turn time at 1000 m"));
        QCOMPARE(w->pages_Charts->tabText(5), QStringLiteral("Turn-rate diagram"));
        QCOMPARE(drawnTitle(w->pages_Charts->chrt_FunPlot), QStringLiteral("Turn-rate diagram"));
        QCOMPARE(w->ChosenCrafts()[0]->name, QStringLiteral("Alpha"));
        QCOMPARE(w->ChosenCrafts()[1]->name, QStringLiteral("Bravo"));
        QVERIFY(w->FlapsShown().Shows(2));
        QCOMPARE(w->pages_Charts->currentIndex(), 4);
        QCOMPARE(chart->xAxis->range(), zoomed);
        // Switched while the charts are in view, the titles are fitted to their new texts
        // as in a window that starts in that language.
        w->pages_Charts->setCurrentIndex(0);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->SetLanguage(QStringLiteral("ru"));
        auto russian = ScannedWindow(data_.path());
        russian->resize(w->size());
        russian->show();
        QVERIFY(QTest::qWaitForWindowExposed(russian.get()));
        const auto titleOf = [](TChart *c) {
            c->SyncNow();
            const auto *title = qobject_cast<QCPTextElement *>(c->plotLayout()->element(0, 0));
            return title->text() + u' ' + QString::number(title->font().pixelSize());
        };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(titleOf(w->Charts()[i]), titleOf(russian->Charts()[i]));
        w->SetLanguage(QStringLiteral("en"));
        w->pages_Charts->setCurrentIndex(4);

        // And back: the Russian texts as they were, the titles' keys never changed.
        w->SetLanguage(QStringLiteral("ru"));
        QCOMPARE(w->pages_Charts->tabText(0), QStringLiteral("Общая таблица"));
        QCOMPARE(chart->ChartTitle(), QStringLiteral("Макс. истинная скорость на заданной высоте"));
    }

    // The line of an error box that says where a bad value stands follows the language.
    void locationFollowsTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("where");
        QTest::newRow("ru") << "ru" << "'x' is not a valid floating point value.\nA: A_turn.txt, строка 4, столбец 2";
        QTest::newRow("en") << "en" << "'x' is not a valid floating point value.\nA: A_turn.txt, row 4, column 2";
    }
    void locationFollowsTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, where);
        QVERIFY(InstallLanguage(language));
        QCOMPARE(LocatedError(InvalidFloatError("x").InCell(3, 1), "A", "A_turn.txt", 3).message(), where);
    }

    void exportedPicturesInEnglish()
    {
        QTemporaryDir out;
        ExportOptions o;
        o.outDir = out.path();
        o.first = QStringLiteral("Alpha");
        o.second = QStringLiteral("Bravo");
        o.flaps = FlapSet::NoFlaps().With(1).With(3);
        o.format = QStringLiteral("svg");
        o.advantage = true;
        const CommandLine english = ParseCommandLine({"varnel", "--lang", "en"});
        QCOMPARE(english.language.value_or(QString()), QStringLiteral("en"));
        QVERIFY(InstallLanguage(english.language.value_or(QString())));
        const ExportOutcome result = RunExport(o, data_.path());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.written.size(), 7);
        for (const QString &path : result.written) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString svg = QString::fromUtf8(f.readAll());
            QVERIFY2(RussianIn({svg}).isEmpty(), qPrintable(path));
        }
        QVERIFY(!ParseCommandLine({"varnel"}).language);  // none named: the saved choice, else Russian
        QCOMPARE(ParseCommandLine({"varnel", "--lang", "de"}).exitCode, 2);
    }
};

QTEST_MAIN(AppLanguage)
#include "app_language.moc"
