// Data folders: reloading keeps the user's choices, no scan starts inside a scan, and
// files changed on disk are reported.
#include "folders_fixture.h"

#include <QSignalSpy>

#include <cerrno>
#include <cstring>

class AppFoldersTest : public FoldersFixture {
    Q_OBJECT

private slots:
    void reloadKeepsTheChoicesAndEmptiesAGoneSide()
    {
        QTemporaryDir dir;
        for (const char *name : {"Alpha", "Bravo", "Charlie"})
            WriteFixtureCraft(dir.path(), QString::fromLatin1(name));
        auto w = ScannedWindow(dir.path());
        choose(w->tree_Crafts_1, QStringLiteral("Alpha"));
        choose(w->tree_Crafts_2, QStringLiteral("Bravo"));
        QTest::mouseClick(w->btn_Turn2, Qt::LeftButton);
        w->pages_Charts->setCurrentIndex(3);
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].XValues[0], 480.0);
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[2].Count(), 5);

        // Alpha's speeds change on disk, Bravo is gone.
        WriteFixtureCraft(dir.path(), QStringLiteral("Alpha"), 7);
        QFile::remove(dir.filePath(QStringLiteral("DataSpeed/Bravo_speed.txt")));
        w->ReloadData();

        QCOMPARE(RootCaptions(w->tree_Crafts_1), (QStringList{"Alpha", "Charlie"}));
        QCOMPARE(selected(w->tree_Crafts_1), QStringLiteral("Alpha"));
        QCOMPARE(selected(w->tree_Crafts_2), QString());
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].XValues[0], 487.0);
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[2].Count(), 0);
        QCOMPARE(w->pages_Charts->chrt_TurnbySpeed->Series()[1].Count(), 3);  // flaps 1 still shown
        const bool marks[] = {w->btn_Turn1->Marked(), w->btn_Turn2->Marked(), w->btn_Turn3->Marked(),
                              w->btn_Turn4->Marked()};
        QCOMPARE(QList<bool>(std::begin(marks), std::end(marks)), (QList<bool>{false, false, true, true}));
        QCOMPARE(w->pages_Charts->currentIndex(), 3);
        QVERIFY(messages_.isEmpty());

        // A folder with no DataSpeed fails as at start, and leaves both sides empty.
        QDir(dir.filePath(QStringLiteral("DataSpeed"))).removeRecursively();
        w->ReloadData();
        QCOMPARE(messages_, QStringList{"File not found.\nNo folder \"" + QDir::toNativeSeparators(dir.filePath("DataSpeed")) + "\""});
        QCOMPARE(w->panel0->text(), QStringLiteral("crafts loaded: 0"));
        QCOMPARE(w->tree_Crafts_1->topLevelItemCount(), 0);
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].Count(), 0);
        QVERIFY(w->act_Reload->isEnabled());
    }

    void treesShowTheCatalogue()
    {
        QTemporaryDir dir;
        for (const char *name : {"Alpha", "Bravo", "Charlie"})
            WriteFixtureCraft(dir.path(), QString::fromLatin1(name));
        QFile::remove(dir.filePath(QStringLiteral("DataTurn/Bravo_turn.txt")));
        auto w = ScannedWindow(dir.path());
        const CataloguePtr first = w->Catalogue();
        QCOMPARE(first->Entries().size(), 3);
        QCOMPARE(messages_, QStringList{ErrorBoxText(first->Find(QStringLiteral("Bravo"))->failure)});
        verifyTreesShowTheCatalogue(*w);

        // F5: a new catalogue is in place before the scan is said to have ended.
        QStringList said;
        connect(w.get(), &Tfrm_Main::CatalogueChanged, w.get(), [&] { said << QString::number(w->Catalogue()->ReadCount()); });
        connect(w.get(), &Tfrm_Main::ScanEnded, w.get(), [&] { said << QStringLiteral("ended"); });
        WriteFixtureCraft(dir.path(), QStringLiteral("Bravo"));
        w->ReloadData();
        QCOMPARE(said, (QStringList{"3", "ended"}));
        QVERIFY(w->Catalogue() != first);
        verifyTreesShowTheCatalogue(*w);
    }

    void onScreenTheTreesTakeBatchesWhole()
    {
        // A reload of a window on screen: what was listed after the trees last took a
        // batch goes in when the scan ends, each aircraft once, in both trees alike.
        QTemporaryDir dir;
        const QStringList names{"Alpha", "Bravo", "Charlie", "Delta", "Echo"};
        for (const QString &name : names)
            WriteFixtureCraft(dir.path(), name);
        auto w = ScannedWindow(dir.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        // The first aircraft takes a while to go in, so the scan lets events run after it.
        connect(w->tree_Crafts_2->model(), &QAbstractItemModel::rowsInserted, w.get(), [] { QThread::msleep(20); });
        w->ReloadData();
        verifyTreesShowTheCatalogue(*w);
        QCOMPARE(RootCaptions(w->tree_Crafts_2), names);
        const std::function<QStringList(const QTreeWidgetItem *)> texts = [&](const QTreeWidgetItem *item) {
            QStringList out{item->text(0)};
            for (int i = 0; i < item->childCount(); ++i)
                out << texts(item->child(i));
            return out;
        };
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(texts(w->tree_Crafts_2->topLevelItem(i)), texts(w->tree_Crafts_1->topLevelItem(i)));
        QCOMPARE(texts(w->tree_Crafts_1->topLevelItem(4)).size(), 13);  // the root, its armament and summary values
    }

    void aPickDuringAReloadStays()
    {
        QTemporaryDir dir;
        for (const char *name : {"Alpha", "Bravo", "Charlie"})
            WriteFixtureCraft(dir.path(), QString::fromLatin1(name));
        auto w = ScannedWindow(dir.path());
        choose(w->tree_Crafts_1, QStringLiteral("Alpha"));
        // The user picks Bravo in the first tree as soon as the reload has listed it.
        bool picked = false;
        QTimer timer;
        connect(&timer, &QTimer::timeout, w.get(), [&] {
            if (!picked && w->Scanning() && FindRoot(w->tree_Crafts_1, QStringLiteral("Bravo"))) {
                choose(w->tree_Crafts_1, QStringLiteral("Bravo"));
                picked = true;
            }
        });
        timer.start(0);
        // Aircraft that take a while to list, so the scan lets events run between them.
        connect(w->tree_Crafts_2->model(), &QAbstractItemModel::rowsInserted, w.get(), [] { QThread::msleep(20); });
        w->ReloadData();
        timer.stop();
        QVERIFY(picked);
        QCOMPARE(selected(w->tree_Crafts_1), QStringLiteral("Bravo"));
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].Title(), QStringLiteral("100% Bravo"));
        QVERIFY(messages_.isEmpty());
    }

    void noScanStartsInsideAScan()
    {
        QTemporaryDir dir;
        WriteFixtureCraft(dir.path(), QStringLiteral("Alpha"));
        WriteFixtureCraft(dir.path(), QStringLiteral("Bravo"));
        QDir::setCurrent(dir.path());
        dialogAnswer_ = dir.path();
        Tfrm_Main w;
        QVERIFY(!w.act_Reload->isEnabled());  // the first scan is still to come
        // A user pressing F5 and Ctrl+O whenever the scan lets events run.
        int tries = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, &w, [&] {
            if (!w.Scanning())
                return;
            ++tries;
            QVERIFY(!w.act_Reload->isEnabled() && !w.act_OpenFolder->isEnabled());
            w.act_Reload->trigger();
            w.act_OpenFolder->trigger();
            w.ReloadData();
            w.OpenDataFolder();
        });
        timer.start(0);
        // Aircraft that take a while to list, so the scan lets events run between them.
        connect(w.tree_Crafts_2->model(), &QAbstractItemModel::rowsInserted, &w, [] { QThread::msleep(20); });
        QCoreApplication::sendPostedEvents(&w, WM_LOADFMD);
        QVERIFY(tries > 0);
        QCOMPARE(RootCaptions(w.tree_Crafts_1), (QStringList{"Alpha", "Bravo"}));
        QVERIFY(w.act_Reload->isEnabled() && w.act_OpenFolder->isEnabled());

        // And the same inside a reload.
        tries = 0;
        w.ReloadData();
        timer.stop();
        QVERIFY(tries > 0);
        QCOMPARE(RootCaptions(w.tree_Crafts_2), (QStringList{"Alpha", "Bravo"}));
        QVERIFY(dialogs_.isEmpty());
        QVERIFY(messages_.isEmpty());
        QVERIFY(!QFile::exists(settingsFile()));  // no folder opened: nothing written
    }

    void filesChangedOnDiskAreReported()
    {
        QTemporaryDir dir;
        WriteFixtureCraft(dir.path(), QStringLiteral("Alpha"));
        auto w = ScannedWindow(dir.path());
        QCOMPARE(w->panel1->text(), QString());
        // A file's mode changed, a file opened for writing and closed unchanged: the
        // watch looks, and tells nothing.
        auto *settle = w->findChild<DataFolderWatch *>()->findChild<QTimer *>();
        int looked = 0;
        connect(settle, &QTimer::timeout, w.get(), [&] { ++looked; });
        const QByteArray speed = QFile::encodeName(dir.filePath(QStringLiteral("DataSpeed/Alpha_speed.txt")));
        QCOMPARE(::chmod(speed.constData(), 0600), 0);
        QTRY_VERIFY(looked > 0);
        const int seen = looked;
        QCOMPARE(::close(::open(speed.constData(), O_WRONLY)), 0);
        QTRY_VERIFY(looked > seen);
        QCOMPARE(w->panel1->text(), QString());
        WriteFixtureCraft(dir.path(), QStringLiteral("Alpha"), 3);  // rewritten in place
        QTRY_COMPARE(w->panel1->text(), QStringLiteral("Файлы изменены, F5 — перечитать"));
        QCOMPARE(w->tree_Crafts_1->topLevelItemCount(), 1);  // nothing reloads by itself
        w->ReloadData();
        QCOMPARE(w->panel1->text(), QString());
        // A file added after the reload is noticed too.
        WriteFixtureCraft(dir.path(), QStringLiteral("Bravo"));
        QTRY_COMPARE(w->panel1->text(), QStringLiteral("Файлы изменены, F5 — перечитать"));
        QCOMPARE(w->tree_Crafts_1->topLevelItemCount(), 1);
    }

    // With the kernel's inotify instances or watches used up, the status bar says so
    // once, with the system's reason; F5 still rereads, and the note stays true after it.
    void saysWhenTheFolderIsNotWatched_data()
    {
        QTest::addColumn<QByteArray>("step");
        QTest::addColumn<int>("error");
        QTest::newRow("instances used up") << QByteArray("init") << EMFILE;
        QTest::newRow("watches used up") << QByteArray("watch") << ENOSPC;
    }
    void saysWhenTheFolderIsNotWatched()
    {
        QFETCH(QByteArray, step);
        QFETCH(int, error);
        SetWatchFault([&](const char *s) { return step == s ? error : 0; });
        const auto noFault = qScopeGuard([] { SetWatchFault({}); });
        QTemporaryDir dir;
        WriteFixtureCraft(dir.path(), QStringLiteral("Alpha"));
        auto w = ScannedWindow(dir.path());
        QSignalSpy told(w->findChild<DataFolderWatch *>(), &DataFolderWatch::NotWatched);
        const QString note = QStringLiteral("Папка не отслеживается, F5 — перечитать");
        QTRY_COMPARE(w->panel1->text(), note);
        QCOMPARE(told.size(), 1);
        QVERIFY2(w->panel1->toolTip().contains(QString::fromLocal8Bit(std::strerror(error))), qPrintable(w->panel1->toolTip()));
        WriteFixtureCraft(dir.path(), QStringLiteral("Bravo"));
        w->ReloadData();
        QCOMPARE(RootCaptions(w->tree_Crafts_1), (QStringList{"Alpha", "Bravo"}));
        QTRY_COMPARE(w->panel1->text(), note);
        QCOMPARE(told.size(), 2);
    }

    // One watch per folder: an edit is seen however many files the folders hold.
    void changesSeenPastManyFiles()
    {
        QTemporaryDir dir;
        WriteFixtureCraft(dir.path(), QStringLiteral("Alpha"));
        for (int i = 0; i < 2100; ++i)
            WriteFile(dir.filePath(QStringLiteral("DataSpeed/note%1.bak").arg(i)), "x");
        auto w = ScannedWindow(dir.path());
        QCOMPARE(w->panel1->text(), QString());
        WriteFile(dir.filePath(QStringLiteral("DataWeapon/Alpha.txt")), "gun:MG C;\r\n");  // rewritten in place
        QTRY_COMPARE(w->panel1->text(), QStringLiteral("Файлы изменены, F5 — перечитать"));
    }

    // A data folder whose name is no UTF-8 is watched by the bytes of its name.
    void watchesAFolderNamedInWindows1251()
    {
        QTemporaryDir parent;
        const QByteArray ascii = QFile::encodeName(parent.filePath(QStringLiteral("data")));
        const QByteArray named = QFile::encodeName(parent.path()) + "/\xC4\xE0\xED\xED\xFB\xE5";  // "Данные"
        WriteFixtureCraft(QString::fromUtf8(ascii), QStringLiteral("Alpha"));
        QCOMPARE(::rename(ascii.constData(), named.constData()), 0);
        const auto back = qScopeGuard([&] {
            QDir::setCurrent(QStringLiteral("/"));
            ::rename(named.constData(), ascii.constData());  // so the temporary folder goes
        });
        QCOMPARE(::chdir(named.constData()), 0);
        auto w = std::make_unique<Tfrm_Main>();
        QCoreApplication::sendPostedEvents(w.get(), WM_LOADFMD);
        QCOMPARE(RootCaptions(w->tree_Crafts_1), QStringList{"Alpha"});
        QCOMPARE(w->panel1->text(), QString());
        FILE *turn = std::fopen((named + "/DataTurn/Alpha_turn.txt").constData(), "ab");
        QVERIFY(turn);
        std::fputs("Note: 1\r\n", turn);
        std::fclose(turn);
        QTRY_COMPARE(w->panel1->text(), QStringLiteral("Файлы изменены, F5 — перечитать"));
    }

private:
    // Both trees list the catalogue's aircraft, its own values, in its order.
    static void verifyTreesShowTheCatalogue(const Tfrm_Main &w)
    {
        for (const CraftTree *tree : {w.tree_Crafts_1, w.tree_Crafts_2}) {
            QList<AircraftPtr> shown;
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                shown << AircraftOf(tree->topLevelItem(i));
            QVERIFY(shown == w.Catalogue()->Aircraft());
        }
    }
};

QTEST_MAIN(AppFoldersTest)
#include "app_folders.moc"
#include "moc_folders_fixture.cpp"
