// Help at hand and legible pages: the help names every key the window has, the view
// menu's choice is kept for the next start, the about box says where things are, and
// texts and pictures stay legible in a light and a dark palette.
#include "pages/page_tabs.h"
#include "pages/verdict_page.h"
#include "window/check_dialog.h"
#include "window/data_folder.h"
#include "window/flap_button.h"
#include "window/help_dialog.h"
#include "window/main_window.h"
#include "window/view_menu.h"
#include "app_fixture.h"
#include "core/language.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QShortcut>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>
#include <QTest>

namespace {
// The contrast ratio of two colours as the accessibility guidelines count it (1 to 21).
double Contrast(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette()
{
    QPalette p;
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        p.setColor(role, QColor(53, 53, 53));
    p.setColor(QPalette::Base, QColor(35, 35, 35));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(role, QColor(230, 230, 230));
    return p;
}
}  // namespace

class AppHelpTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir_, data_;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        WriteFixtureCraft(data_.path(), QStringLiteral("Tarn-5"));
        WriteFixtureCraft(data_.path(), QStringLiteral("Skarn-7"), 30);
    }
    void cleanup()
    {
        InstallLanguage(QStringLiteral("ru"));
        SetShownUnits(UnitSystem::Metric);
    }

    void helpNamesEveryKey()
    {
        auto w = ScannedWindow(data_.path());
        QSet<QString> window, help;
        for (const QAction *a : w->findChildren<QAction *>())
            for (const QKeySequence &k : a->shortcuts())
                window << k.toString();
        for (const QShortcut *s : w->findChildren<QShortcut *>())
            for (const QKeySequence &k : s->keys())
                window << k.toString();
        for (const QKeySequence &k : HelpKeys())
            help << k.toString();
        QCOMPARE(help, window);
        QVERIFY(HelpDialog::HelpText().contains(QStringLiteral("n виража")));
        // One key per page, as many as the window has pages.
        QVERIFY(HelpDialog::HelpText().contains(QStringLiteral("Ctrl+1 … Ctrl+%1").arg(w->pages_Charts->count())));
    }

    void choiceKeptAndAboutSaysWhere()
    {
        auto w = ScannedWindow(data_.path());
        QVERIFY(!QFile::exists(SettingsFilePath()));  // starting writes nothing
        QSignalSpy language(w.get(), &Tfrm_Main::LanguageChosen), units(w.get(), &Tfrm_Main::UnitsChosen);
        for (QAction *a : w->menu_View->actions())
            if (a->data() == QStringLiteral("en") || a->data() == int(UnitSystem::Knots))
                a->trigger();
        QCOMPARE(language.size(), 1);
        QCOMPARE(language.at(0).at(0).toString(), QStringLiteral("en"));
        QCOMPARE(units.size(), 1);
        const ViewChoice saved = SavedViewChoice();
        QCOMPARE(saved.language, QStringLiteral("en"));
        QCOMPARE(saved.units, std::optional(UnitSystem::Knots));
        // The window speaks the chosen language at once, down to the menu it was chosen in.
        QCOMPARE(w->menu_View->act_Help->text(), QStringLiteral("Keys and mouse"));
        QCOMPARE(w->DataCheckView()->action->text(), QStringLiteral("Check data…"));

        const QString about = AboutText(QStringLiteral("/data/here"));
        for (const QString &part : {QStringLiteral(VARNEL_VERSION), QString::fromLatin1(qVersion()),
                                    QStringLiteral("Data folder: /data/here"), "Settings file: " + SettingsFilePath()})
            QVERIFY2(about.contains(part), qPrintable(part));
        QVERIFY2(!about.contains(QRegularExpression(QStringLiteral("[\\x{0400}-\\x{04FF}]"))), qPrintable(about));
    }

    void everyTabAndHintInView()
    {
        auto w = ScannedWindow(data_.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QTabBar *bar = w->pages_Charts->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            QVERIFY2(bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
            QCOMPARE(bar->tabToolTip(i), bar->tabText(i));
        }
        emit w->findChild<DataFolderWatch *>()->Changed();
        QCOMPARE(w->panel1->text(), QStringLiteral("Файлы изменены, F5 — перечитать"));
        QVERIFY(w->panel1->contentsRect().width() >= w->panel1->fontMetrics().horizontalAdvance(w->panel1->text()));
    }

    // Tabs that do not fit share the room: short titles keep their width, long ones are
    // cut to the same width, and together they fill the room exactly.
    void tabsShareTheRoomFairly_data()
    {
        QTest::addColumn<QVector<int>>("natural");
        QTest::addColumn<int>("room");
        QTest::addColumn<QVector<int>>("widths");
        QTest::newRow("fits") << QVector<int>{50, 300, 80} << 500 << QVector<int>{50, 300, 80};
        QTest::newRow("one long") << QVector<int>{50, 300, 80} << 300 << QVector<int>{50, 170, 80};
        QTest::newRow("all long") << QVector<int>{200, 300, 250} << 301 << QVector<int>{101, 100, 100};
        QTest::newRow("never below least") << QVector<int>{200, 300} << 20 << QVector<int>{30, 30};
    }
    void tabsShareTheRoomFairly()
    {
        QFETCH(QVector<int>, natural);
        QFETCH(int, room);
        QFETCH(QVector<int>, widths);
        QCOMPARE(FairTabWidths(natural, room, 30), widths);
    }
    // The bar keeps each title's width; a title that changes (a language switch) is
    // measured again.
    void retitledTabMeasuredAgain()
    {
        QWidget pages;
        pages.resize(2000, 50);
        auto *bar = new PageTabBar(&pages);
        bar->addTab(QStringLiteral("A"));
        bar->addTab(QStringLiteral("B"));
        const int narrow = bar->tabRect(0).width();
        bar->setTabText(0, QStringLiteral("A much longer title"));
        QVERIFY(bar->tabRect(0).width() > narrow + 50);
        QCOMPARE(bar->tabRect(1).left(), bar->tabRect(0).right() + 1);
    }

    void legibleInLightAndDark_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QTest::newRow("dark") << DarkPalette();
    }
    void legibleInLightAndDark()
    {
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        auto w = ScannedWindow(data_.path());
        w->tree_Crafts_1->setCurrentItem(FindRoot(w->tree_Crafts_1, QStringLiteral("Tarn-5")));
        w->tree_Crafts_2->setCurrentItem(FindRoot(w->tree_Crafts_2, QStringLiteral("Skarn-7")));

        // The flap buttons' bars and the menu's lines stand out from the toolbar.
        const QColor toolbar = w->tool_Main->palette().color(QPalette::Button);
        for (MarkButton *b : {w->btn_Turn1, w->btn_View}) {
            const QImage img = b->icon().pixmap(16, 16).toImage();
            QVERIFY2(Contrast(img.pixelColor(3, 8), toolbar) >= 3, qPrintable(b->objectName()));
        }
        // Every winning cell's text reads on its tint.
        w->pages_Charts->tab_Verdict->Shown();
        int tinted = 0;
        for (const QTableWidget *table : w->pages_Charts->tab_Verdict->findChildren<QTableWidget *>())
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    if (const QTableWidgetItem *item = table->item(r, c); item && item->background().style() != Qt::NoBrush) {
                        const QColor ink = item->foreground().style() == Qt::NoBrush ? table->palette().color(QPalette::Text)
                                                                                      : item->foreground().color();
                        QVERIFY2(Contrast(ink, item->background().color()) >= 4.5, qPrintable(item->text()));
                        ++tinted;
                    }
        QVERIFY(tinted > 0);
        QApplication::setPalette(before);
    }
};

QTEST_MAIN(AppHelpTest)
#include "app_help.moc"
