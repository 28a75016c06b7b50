// The window as it was left: what `--recent` saves and brings back, the trees' expanded
// nodes over a reload, and the flap buttons' tool tips following their state.
#include "window/flap_button.h"
#include "window/main_window.h"
#include "window/session_state.h"
#include "window/tree_state.h"
#include "app_fixture.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

class AppSession : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir_, data_;

    // A window on folder whose first scan has run, after the saved state was restored.
    std::unique_ptr<Tfrm_Main> restored(const QString &folder)
    {
        auto w = std::make_unique<Tfrm_Main>();
        w->SetDataFolder(folder);
        RestoreSession(*w);
        QCoreApplication::sendPostedEvents(w.get(), WM_LOADFMD);
        return w;
    }
    static QString selected(const CraftTree *tree)
    {
        const QTreeWidgetItem *item = tree->SelectedCraft();
        return item ? item->text(0) : QString();
    }
    static QList<bool> flaps(const Tfrm_Main &w)
    {
        return {w.btn_Turn1->Marked(), w.btn_Turn2->Marked(), w.btn_Turn3->Marked(), w.btn_Turn4->Marked()};
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        for (const char *name : {"Alpha", "Bravo", "Charlie"})
            WriteFixtureCraft(data_.path(), QString::fromLatin1(name));
    }
    void cleanup() { QSettings(QStringLiteral("varnel"), QStringLiteral("varnel")).clear(); }

    void comesBackAsItWasLeft()
    {
        // Nothing saved: the window starts as ever.
        const QRect fresh = restored(data_.path())->geometry();
        {
            auto w = restored(data_.path());
            w->setGeometry(QRect(fresh.topLeft() + QPoint(40, 30), QSize(1000, 720)));
            w->tree_Crafts_1->setCurrentItem(FindRoot(w->tree_Crafts_1, "Charlie"));
            w->tree_Crafts_2->setCurrentItem(FindRoot(w->tree_Crafts_2, "Alpha"));
            w->btn_Turn1->click();
            w->btn_Turn3->click();
            w->pages_Charts->setCurrentIndex(6);  // the last page, the verdict
            SaveSession(*w);
        }
        auto w = restored(data_.path());
        QCOMPARE(w->geometry(), QRect(fresh.topLeft() + QPoint(40, 30), QSize(1000, 720)));
        QCOMPARE(selected(w->tree_Crafts_1), QStringLiteral("Charlie"));
        QCOMPARE(selected(w->tree_Crafts_2), QStringLiteral("Alpha"));
        QCOMPARE(flaps(*w), (QList<bool>{true, true, false, true}));
        QCOMPARE(w->pages_Charts->currentIndex(), 6);

        // Another folder: the window's state, but not aircraft of the folder left.
        QTemporaryDir other;
        WriteFixtureCraft(other.path(), QStringLiteral("Charlie"));
        auto elsewhere = restored(other.path());
        QCOMPARE(elsewhere->geometry().size(), QSize(1000, 720));
        QCOMPARE(selected(elsewhere->tree_Crafts_1), QString());

        // Settings spoiled by hand are passed over.
        QSettings s(QStringLiteral("varnel"), QStringLiteral("varnel"));
        s.setValue("session/geometry", QByteArray("junk"));
        s.setValue("session/flapsHidden", "01x1");
        s.setValue("session/page", 99);
        s.setValue("session/aircraft", QStringList{"Nobody"});
        s.sync();
        auto spoiled = restored(data_.path());
        QCOMPARE(flaps(*spoiled), (QList<bool>{false, true, true, true}));
        QCOMPARE(spoiled->pages_Charts->currentIndex(), 0);
        QCOMPARE(selected(spoiled->tree_Crafts_1), QString());
    }

    // Whatever the settings say, the restored window fits the available area of its
    // screen: saved on a larger screen, or damaged.
    void restoredWindowFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("saved");
        QTest::newRow("larger than the screen") << QSize(1300, 1100);
        QTest::newRow("damaged") << QSize(100000, 100000);
    }
    void restoredWindowFitsTheScreen()
    {
        QFETCH(QSize, saved);
        {
            auto w = restored(data_.path());
            w->setGeometry(QRect(QPoint(10, 10), saved));
            SaveSession(*w);
        }
        auto w = restored(data_.path());
        const QRect area = w->screen()->availableGeometry();
        QVERIFY(area.size().width() < saved.width() && area.size().height() < saved.height());
        QVERIFY(area.contains(w->frameGeometry()));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(area.contains(w->frameGeometry()));
    }

    void reloadKeepsExpandedNodes()
    {
        QTemporaryDir dir;
        for (const char *name : {"Alpha", "Bravo"})
            WriteFixtureCraft(dir.path(), QString::fromLatin1(name));
        auto w = ScannedWindow(dir.path());
        QTreeWidgetItem *alpha = FindRoot(w->tree_Crafts_1, "Alpha");
        alpha->setExpanded(true);
        QTreeWidgetItem *armament = alpha->child(0);
        armament->setExpanded(true);
        FindRoot(w->tree_Crafts_2, "Bravo")->setExpanded(true);
        const QStringList before = ExpandedNodes(w->tree_Crafts_1);
        QCOMPARE(before.size(), 2);
        QFile::remove(dir.path() + "/DataSpeed/Bravo_speed.txt");  // gone: nothing to expand
        w->ReloadData();
        QCOMPARE(ExpandedNodes(w->tree_Crafts_1), before);
        QVERIFY(FindRoot(w->tree_Crafts_1, "Alpha")->child(0)->isExpanded());
        QCOMPARE(ExpandedNodes(w->tree_Crafts_2), QStringList());
    }

    void flapTipsSayWhatIsShown()
    {
        Tfrm_Main w;
        QCOMPARE(w.btn_Turn2->toolTip(), QStringLiteral("Закрылки 1 — скрыты (нажмите, чтобы показать)"));
        w.btn_Turn2->click();
        QCOMPARE(w.btn_Turn2->toolTip(), QStringLiteral("Закрылки 1 — показаны (нажмите, чтобы скрыть)"));
        QCOMPARE(w.ToolButton6->toolTip(), QStringLiteral("Выход из программы (Ctrl+Q)"));
    }
};

// Under the offscreen platform, one screen of 1280 x 1024 (its default is 800 x 600), for a
// window to be moved and sized on.
int main(int argc, char **argv)
{
    QTemporaryDir dir;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile config(dir.filePath(QStringLiteral("screen.json")));
        if (!config.open(QIODevice::WriteOnly)
            || !config.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 1280, "height": 1024,)"
                             R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})"))
            return 1;
        config.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    AppSession test;
    return QTest::qExec(&test, argc, argv);
}
#include "app_session.moc"
