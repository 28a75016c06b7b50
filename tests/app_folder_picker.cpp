// Opening a data folder: the scan and the folder remembered, the folder picker's list
// and path line, and the folder `varnel --recent` starts on.
#include "folders_fixture.h"

class AppFolderPickerTest : public FoldersFixture {
    Q_OBJECT

private slots:
    void openingAFolderScansAndRemembersIt()
    {
        QTemporaryDir first, second;
        WriteFixtureCraft(first.path(), QStringLiteral("Alpha"));
        WriteFixtureCraft(second.path(), QStringLiteral("Zulu"));
        auto w = ScannedWindow(first.path());
        dialogAnswer_ = QString();  // cancelled: nothing changes, nothing is written
        w->OpenDataFolder();
        QCOMPARE(dialogs_, QStringList{first.path()});
        QCOMPARE(RootCaptions(w->tree_Crafts_1), QStringList{"Alpha"});
        QVERIFY(!QFile::exists(settingsFile()));

        for (const QString &folder : {second.path(), first.path(), second.path()}) {
            dialogAnswer_ = folder;
            w->OpenDataFolder();
        }
        QCOMPARE(RootCaptions(w->tree_Crafts_1), QStringList{"Zulu"});
        QCOMPARE(w->panel2->toolTip(), Qt::convertFromPlainText(second.path(), Qt::WhiteSpaceNoWrap));
        QVERIFY(w->panel2->fontMetrics().horizontalAdvance(w->panel2->text()) < w->panel2->width());
        QCOMPARE(RecentFolders(), (QList<FileName>{second.path(), first.path()}));

        // A folder without data: the box names what is missing, the folder is not
        // remembered, and the comparison stays as it was.
        choose(w->tree_Crafts_1, QStringLiteral("Zulu"));
        choose(w->tree_Crafts_2, QStringLiteral("Zulu"));
        FindRoot(w->tree_Crafts_2, QStringLiteral("Zulu"))->setExpanded(true);
        const QString panels = w->panel0->text() + w->panel2->toolTip();
        QTemporaryDir bare;
        dialogAnswer_ = bare.path();
        w->OpenDataFolder();
        const QString missing = QDir::toNativeSeparators(bare.filePath(QStringLiteral("DataSpeed")));
        QCOMPARE(messages_, QStringList{"File not found.\nNo folder \"" + missing + "\""});
        QCOMPARE(w->DataFolder(), second.path());
        QCOMPARE(w->panel0->text() + w->panel2->toolTip(), panels);
        QCOMPARE(selected(w->tree_Crafts_1) + selected(w->tree_Crafts_2), QStringLiteral("ZuluZulu"));
        QCOMPARE(ExpandedNodes(w->tree_Crafts_2), QStringList{"Zulu"});
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].Title(), QStringLiteral("100% Zulu"));
        QCOMPARE(RecentFolders(), (QList<FileName>{second.path(), first.path()}));
        QSettings(settingsFile(), QSettings::IniFormat).remove(QString());
    }

    // Ctrl+O lists a folder whose name is no UTF-8 and takes it by its bytes: the scan
    // reads it, and the recent folders keep its bytes across a restart.
    void opensAFolderNamedInWindows1251()
    {
        QTemporaryDir parent;
        const QByteArray root = QFile::encodeName(parent.path());
        const QByteArray named = root + "/\xC4\xE0\xED\xED\xFB\xE5";  // "Данные"
        WriteFixtureCraft(parent.filePath(QStringLiteral("first")), QStringLiteral("Alpha"));
        WriteFixtureCraft(parent.filePath(QStringLiteral("data")), QStringLiteral("Zulu"));
        QVERIFY(QDir(parent.path()).mkdir(QStringLiteral(".hidden")));
        QCOMPARE(::rename((root + "/data").constData(), named.constData()), 0);
        const auto back = qScopeGuard([&] {
            QDir::setCurrent(QStringLiteral("/"));
            ::rename(named.constData(), (root + "/data").constData());  // so the temporary folder goes
            QSettings(settingsFile(), QSettings::IniFormat).remove(QString());
        });
        auto w = ScannedWindow(parent.filePath(QStringLiteral("first")));
        SetFolderDialogHook(nullptr);  // the program's own picker
        QString title, startPath;
        QStringList listed;
        QTimer::singleShot(0, w.get(), [&] {
            auto *picker = w->findChild<FolderPicker *>();
            if (!picker)
                return;
            title = picker->windowTitle();
            startPath = picker->path->text();
            QTest::mouseClick(picker->up, Qt::LeftButton);
            for (int i = 0; i < picker->list->count(); ++i)
                listed << picker->list->item(i)->text();
            picker->list->setCurrentRow(int(listed.indexOf(QStringLiteral("Данные"))));
            QTest::keyClick(picker->list, Qt::Key_Return);  // goes into it
            QTest::mouseClick(picker->ok, Qt::LeftButton);
            if (picker->isVisible())
                picker->reject();  // never left open, whatever went wrong
        });
        w->OpenDataFolder();
        QCOMPARE(title, QStringLiteral("Папка данных"));
        QCOMPARE(startPath, parent.filePath(QStringLiteral("first")));
        QCOMPARE(listed, (QStringList{"first", "Данные"}));
        QCOMPARE(RootCaptions(w->tree_Crafts_1), QStringList{"Zulu"});
        QVERIFY(messages_.isEmpty());
        QCOMPARE(RecentFolders().value(0).bytes, named);

        // The settings written anew from the file alone, as the next run reads them.
        const QString saved = parent.filePath(QStringLiteral("saved.conf"));
        QVERIFY(QFile::copy(settingsFile(), saved));
        QSettings(settingsFile(), QSettings::IniFormat).remove(QString());
        QCOMPARE(RecentFolders(), QList<FileName>{});
        QVERIFY(QFile::remove(settingsFile()) && QFile::copy(saved, settingsFile()));
        QCOMPARE(RecentFolders().value(0).bytes, named);
        QCOMPARE(RecentStartFolder(RecentFolders(), SampleDataFolder()).bytes, named);
        // A folder remembered as text, as earlier runs wrote it, is found by its bytes.
        QSettings(settingsFile(), QSettings::IniFormat).setValue(QStringLiteral("recentFolders"), QStringList{DisplayName(named)});
        QCOMPARE(RecentFolders().value(0).bytes, named);
    }

    // The picker lists sub-folders by their bytes, leaves out hidden ones and what is no
    // folder (a file, a link that loops on itself), says why a folder can't be listed,
    // and reads no more than its limit of a huge folder.
    void pickerListsFoldersByTheirBytes()
    {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        const QByteArray named = "\xC4\xE0\xED\xED\xFB\xE5";  // "Данные"
        for (const QByteArray &name : {QByteArray("b"), QByteArray("A"), QByteArray(".hidden"), named})
            QCOMPARE(::mkdir((root + '/' + name).constData(), 0755), 0);
        const auto gone = qScopeGuard([&] { ::rmdir((root + '/' + named).constData()); });  // Qt can't name it
        WriteFile(dir.filePath(QStringLiteral("file.txt")), "x");
        QCOMPARE(::symlink("loop", (root + "/loop").constData()), 0);
        QCOMPARE(::symlink(".", (root + "/self").constData()), 0);  // leads back to the folder itself
        const FolderListing listing = ListSubFolders(FileName::FromBytes(root));
        QCOMPARE(listing.names, (QList<QByteArray>{"A", "b", "self", named}));
        QCOMPARE(listing.note, QString());
        const FolderListing cut = ListSubFolders(FileName::FromBytes(root), 3);
        QVERIFY(cut.names.size() <= 3);
        QVERIFY(!cut.note.isEmpty());
        QCOMPARE(ListSubFolders(FileName::FromBytes(root + "/gone")).note,
                 QStringLiteral("Папка не читается: No such file or directory"));

        // A link back up is the folder itself; a path that is no folder opens the nearest
        // folder above it.
        FolderPicker picker(nullptr, QStringLiteral("Папка данных"), FileName::FromBytes(root + "/self/self/file.txt/x"));
        QCOMPARE(picker.Folder().bytes, root);
        QCOMPARE(picker.path->text(), dir.path());
        QCOMPARE(picker.list->item(3)->text(), QStringLiteral("Данные"));
        QCOMPARE(picker.Chosen().bytes, root);
        picker.list->setCurrentRow(3);
        QCOMPARE(picker.Chosen().bytes, root);  // highlighted only: still the folder shown
        QTest::keyClick(picker.list, Qt::Key_Return);  // goes into it
        QCOMPARE(picker.Folder().bytes, root + '/' + named);
        QCOMPARE(picker.list->count(), 0);
        picker.Up();
        QCOMPARE(picker.Folder().bytes, root);
        // A path typed as shown is found by its bytes; Enter there keeps the dialog open.
        picker.show();
        picker.path->setText(dir.path() + QStringLiteral("/Данные"));
        QTest::keyClick(picker.path, Qt::Key_Return);
        QCOMPARE(picker.Folder().bytes, root + '/' + named);
        QVERIFY(picker.isVisible());
    }

    // OK takes the folder the path line names and says which: one that does not exist
    // is refused for a data folder, and made, once the user agrees, for pictures.
    void pickerTakesThePathLine_data()
    {
        QTest::addColumn<bool>("mayCreate");
        QTest::addColumn<bool>("agree");
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("taken");
        QTest::newRow("data folder") << false << true << "Папки «@/typo» нет." << false;
        QTest::newRow("pictures, refused") << true << false << "Папки «@/typo» нет: ОК её создаст." << false;
        QTest::newRow("pictures, agreed") << true << true << "Папки «@/typo» нет: ОК её создаст." << true;
    }
    void pickerTakesThePathLine()
    {
        QFETCH(bool, mayCreate);
        QFETCH(bool, agree);
        QFETCH(QString, said);
        QFETCH(bool, taken);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        FolderPicker picker(nullptr, QStringLiteral("Папка"), FileName(dir.path()),
                            mayCreate ? FolderUse::MayCreate : FolderUse::Existing);
        QStringList asked;
        picker.confirm = [&](const QString &question) {
            asked << question;
            return agree;
        };
        picker.show();
        QCOMPARE(picker.choice->text(), "ОК выберет папку «" + dir.path() + "».");
        picker.path->setText(QStringLiteral("typo"));  // typed relative to the folder listed
        QCOMPARE(picker.choice->text(), said.replace('@', dir.path()));
        QTest::mouseClick(picker.ok, Qt::LeftButton);
        QCOMPARE(asked.size(), mayCreate ? 1 : 0);
        QCOMPARE(picker.isVisible(), !taken);
        QCOMPARE(picker.result() == QDialog::Accepted, taken);
        QCOMPARE(picker.Chosen().bytes, QFile::encodeName(dir.filePath(QStringLiteral("typo"))));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("typo"))));  // made where the pictures go

        // "New folder" makes a folder in the one listed and goes into it.
        QCOMPARE(picker.newFolder->isVisibleTo(&picker), mayCreate);
        if (mayCreate) {
            picker.askName = [] { return QStringLiteral("Рисунки"); };
            picker.Open(FileName(dir.path()));
            QTest::mouseClick(picker.newFolder, Qt::LeftButton);
            QCOMPARE(picker.Folder().bytes, QFile::encodeName(dir.filePath(QStringLiteral("Рисунки"))));
        }
    }

    void recentStartFolder_data()
    {
        QTest::addColumn<QStringList>("recent");
        QTest::addColumn<int>("chosen");  // index into recent; -1: the sample data
        QTest::newRow("none") << QStringList{} << -1;
        QTest::newRow("latest") << QStringList{"@data", "@other"} << 0;
        QTest::newRow("latest gone") << QStringList{"@gone", "@other"} << 1;
        QTest::newRow("no DataSpeed") << QStringList{"@bare"} << -1;
    }
    void recentStartFolder()
    {
        QFETCH(QStringList, recent);
        QFETCH(int, chosen);
        QTemporaryDir dir;
        for (const char *name : {"data/DataSpeed", "other/DataSpeed", "bare/DataTurn"})
            QDir(dir.path()).mkpath(QString::fromLatin1(name));
        recent.replaceInStrings(QStringLiteral("@"), dir.path() + QLatin1Char('/'));
        const QString sample = SampleDataFolder();
        QVERIFY(QFileInfo(QDir(sample).filePath(QStringLiteral("DataSpeed"))).isDir());
        const QList<FileName> folders(recent.begin(), recent.end());
        QCOMPARE(RecentStartFolder(folders, sample).bytes, FileName(chosen < 0 ? sample : recent[chosen]).bytes);
    }
};

QTEST_MAIN(AppFolderPickerTest)
#include "app_folder_picker.moc"
#include "moc_folders_fixture.cpp"
