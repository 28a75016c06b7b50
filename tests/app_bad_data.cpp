// Damaged data directories as people leave them after editing by hand, each run through
// the real window's catalogue scan: damaged files, binary junk, a fifty-megabyte speed
// file, and aircraft named for the export. Each must end in the error box the program
// defines, or in the behaviour it defines, and never in a crash or a hang. The large
// files are written here at run time.
#include "bad_data_fixture.h"

class AppBadDataTest : public BadDataFixture {
    Q_OBJECT

private slots:
    // Damage that the catalogue scan meets: the broken aircraft are left out, the others
    // are listed and can be compared, and one box lists what failed.
    void scanDamage_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QString>("error");  // "<dir>" stands for the data directory
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("alphaChildren");  // checked when not empty

        const QString noFile = u"No such file or directory"_s;
        const QString isDir = u"file to open is a directory"_s;
        const QStringList both = {u"Alpha"_s, u"Bravo"_s};
        const QStringList bravo = {u"Bravo"_s};

        QTest::newRow("turn file missing")
            << Damage([](const QString &r) { QFile::remove(r + u'/' + kTurn); })
            << CannotOpen(kTurn, noFile) << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("turn file of the second aircraft missing")
            << Damage([](const QString &r) { QFile::remove(r + u"/DataTurn/Bravo_turn.txt"_s); })
            << CannotOpen(u"DataTurn/Bravo_turn.txt"_s, noFile) << QStringList{u"Alpha"_s}
            << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("entry name without _speed")
            << Damage([](const QString &r) { Write(r, u"DataSpeed/Charlie.txt"_s, "0\t500\t10\t480\t9\t\r\n"); })
            << CannotOpen(u"DataSpeed/_speed.txt"_s, noFile) << both << u"crafts loaded: 2"_s << QStringList();
        QTest::newRow("only an old copy of the speed file")
            << Damage([](const QString &r) {
                   QFile::rename(r + u'/' + kSpeed, r + u"/DataSpeed/Alpha_speed_old.txt"_s);
               })
            << CannotOpen(kSpeed, noFile) << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("directory named like a speed file")
            << Damage([](const QString &r) { MakeDirectory(r, u"DataSpeed/Delta_speed.txt"_s); })
            << CannotOpen(u"DataSpeed/Delta_speed.txt"_s, isDir) << both << u"crafts loaded: 2"_s << QStringList();
        QTest::newRow("directory named like a turn file")
            << Damage([](const QString &r) { MakeDirectory(r, kTurn); })
            << CannotOpen(kTurn, isDir) << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("directories named like craft and armament files")
            << Damage([](const QString &r) {
                   MakeDirectory(r, u"DataCraft/Alpha.txt"_s);
                   MakeDirectory(r, u"DataWeapon/Alpha.txt"_s);
               })
            << QString() << both << u"crafts loaded: 2"_s
            << QStringList{u"вооружение:"_s, u"макс. скор. в пике: unknown км/ч"_s, u"взлетный вес: 3000 кг"_s,
                           u"время виража: 19.46 сек"_s, u"скорость виража: 300 км/ч"_s,
                           u"скороподъемность: 14.2 м/с"_s, u"скорость набора: 250 км/ч"_s};
        QTest::newRow("decimal comma in a summary value")
            << Damage([](const QString &r) {
                   Write(r, kTurn, kTurnRows + Replaced(kSummary, "19.456", "19,456"));
               })
            << u"'19,456' is not a valid floating point value.\nAlpha: Alpha_turn.txt, строка 8."_s << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("summary value out of range")
            << Damage([](const QString &r) { Write(r, kTurn, kTurnRows + Replaced(kSummary, "19.456", "1e5000")); })
            << u"'1e5000' is not a valid floating point value.\nAlpha: Alpha_turn.txt, строка 8."_s << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("summary row ends at its key")
            << Damage([](const QString &r) { Write(r, kTurn, kTurnRows + Replaced(kSummary, ": 19.456", ":")); })
            << u"'' is not a valid floating point value.\nAlpha: Alpha_turn.txt, строка 8."_s << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("huge summary values")
            << Damage([](const QString &r) {
                   Write(r, kTurn,
                         kTurnRows + Replaced(Replaced(kSummary, "19.456", "-1e400"), "3000", "1e308"));
               })
            << QString() << both << u"crafts loaded: 2"_s
            << QStringList{u"вооружение:"_s, u"макс. скор. в пике: 750 км/ч"_s,
                           u"взлетный вес: 1"_s + QString(308, u'0') + u" кг"_s,
                           u"время виража: -1"_s + QString(400, u'0') + u" сек"_s, u"скорость виража: 300 км/ч"_s,
                           u"скороподъемность: 14.2 м/с"_s, u"скорость набора: 250 км/ч"_s};
        QTest::newRow("empty craft and armament files")
            << Damage([](const QString &r) {
                   Write(r, u"DataCraft/Alpha.txt"_s, {});
                   Write(r, u"DataWeapon/Alpha.txt"_s, {});
               })
            << QString() << both << u"crafts loaded: 2"_s
            << QStringList{u"вооружение:"_s, u"макс. скор. в пике: нет данных"_s, u"взлетный вес: 3000 кг"_s,
                           u"время виража: 19.46 сек"_s, u"скорость виража: 300 км/ч"_s,
                           u"скороподъемность: 14.2 м/с"_s, u"скорость набора: 250 км/ч"_s};
        QTest::newRow("two broken aircraft")
            << Damage([](const QString &r) {
                   QFile::remove(r + u'/' + kTurn);
                   Write(r, u"DataSpeed/Charlie.txt"_s, "0\t500\t10\t480\t9\t\r\n");
               })
            << CannotOpen(kTurn, noFile).chopped(1) + u'\n' + CannotOpen(u"DataSpeed/_speed.txt"_s, noFile)
            << bravo << u"crafts loaded: 1"_s << QStringList();
        {
            // Only the first twenty failures are listed one by one.
            QString error;
            for (int i = 0; i < 20; ++i)
                error += CannotOpen(u"DataTurn/Echo%1_turn.txt"_s.arg(i, 2, 10, QLatin1Char('0')), noFile).chopped(1) + u'\n';
            error += u"... and 5 more."_s;
            QTest::newRow("twenty-five broken aircraft")
                << Damage([](const QString &r) {
                       for (int i = 0; i < 25; ++i)
                           Write(r, u"DataSpeed/Echo%1_speed.txt"_s.arg(i, 2, 10, QLatin1Char('0')), "0\t500\t10\t480\t9\t\r\n");
                   })
                << error << both << u"crafts loaded: 2"_s << QStringList();
        }
        QTest::newRow("file named like the speed directory")
            << Damage([](const QString &r) {
                   QDir(r + u"/DataSpeed"_s).removeRecursively();
                   Write(r, u"DataSpeed"_s, "Alpha_speed.txt\r\n");
               })
            << u"File not found.\nNo folder \"<dir>/DataSpeed\""_s << QStringList() << u"crafts loaded: 0"_s << QStringList();
        QTest::newRow("empty speed directory")
            << Damage([](const QString &r) {
                   QDir(r + u"/DataSpeed"_s).removeRecursively();
                   QDir().mkpath(r + u"/DataSpeed"_s);
               })
            << QString() << QStringList() << u"crafts loaded: 0"_s << QStringList();
        QTest::newRow("64 GiB sparse speed file")
            << Damage([](const QString &r) { QVERIFY(QFile::resize(r + u'/' + kSpeed, qint64(64) << 30)); })
            << CannotOpen(kSpeed, u"File too large"_s) << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("unreadable speed file")
            << Damage([](const QString &r) { QFile::setPermissions(r + u'/' + kSpeed, {}); })
            << CannotOpen(kSpeed, u"Permission denied"_s) << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("unreadable turn file")
            << Damage([](const QString &r) { QFile::setPermissions(r + u'/' + kTurn, {}); })
            << CannotOpen(kTurn, u"Permission denied"_s) << bravo << u"crafts loaded: 1"_s << QStringList();
    }
    void scanDamage()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, error);
        QFETCH(QStringList, listed);
        QFETCH(QString, status);
        QFETCH(QStringList, alphaChildren);
        if (geteuid() == 0 && QString::fromLatin1(QTest::currentDataTag()).startsWith(u"unreadable"_s))
            QSKIP("file permissions do not stop root from reading");

        QTemporaryDir dir;
        WriteTwoAircraft(dir.path());
        damage(dir.path());
        QDir::setCurrent(dir.path());
        error.replace(u"<dir>"_s, QDir::toNativeSeparators(QDir::currentPath()));
        auto w = scan(dir.path());

        QCOMPARE(messages_, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(RootCaptions(w->tree_Crafts_1), listed);
        QCOMPARE(RootCaptions(w->tree_Crafts_2), listed);
        QCOMPARE(w->panel0->text(), status);
        QCOMPARE(w->panel1->text(), QString());
        if (!alphaChildren.isEmpty()) {
            QTreeWidgetItem *alpha = FindRoot(w->tree_Crafts_1, u"Alpha"_s);
            QVERIFY(alpha);
            QStringList children;
            for (int i = 0; i < alpha->childCount(); ++i)
                children << alpha->child(i)->text(0);
            QCOMPARE(children, alphaChildren);
            // A craft or armament file that is no regular file counts as missing.
            QCOMPARE(alpha->child(0)->childCount(), children[1].contains(u"750"_s) ? 2 : 0);
        }

        // What was listed can be compared as usual.
        messages_.clear();
        for (const QString &name : listed) {
            select(w->tree_Crafts_1, FindRoot(w->tree_Crafts_1, name));
            select(w->tree_Crafts_2, FindRoot(w->tree_Crafts_2, name));
            QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].Count(), 5);
            QCOMPARE(w->pages_Charts->ch_C1->Series()[2].Count(), 5);
        }
        QCOMPARE(messages_, QStringList());
    }

    // Random bytes in every file of an aircraft: whatever they say, the scan and the
    // refresh end normally or with one of the program's own error texts.
    void binaryJunk_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("withNul");
        for (quint32 seed = 1; seed <= 12; ++seed)
            QTest::addRow("seed %u%s", seed, seed % 2 ? " with NUL" : "") << seed << bool(seed % 2);
    }
    void binaryJunk()
    {
        QFETCH(quint32, seed);
        QFETCH(bool, withNul);
        QRandomGenerator rng(seed);

        QTemporaryDir dir;
        WriteTwoAircraft(dir.path());
        for (const QString &file : {kSpeed, kTurn, u"DataCraft/Alpha.txt"_s, u"DataWeapon/Alpha.txt"_s})
            Write(dir.path(), file, RandomBytes(rng, 200 + int(rng.bounded(4000)), withNul));
        // A junk turn file whose table rows parse still reaches the summary lookups.
        Write(dir.path(), u"DataTurn/Bravo_turn.txt"_s, kTurnRows + RandomBytes(rng, 3000, withNul));
        auto w = scan(dir.path());
        for (int t = 0; t < 2; ++t) {
            QTreeWidget *tree = t == 0 ? w->tree_Crafts_1 : w->tree_Crafts_2;
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                select(tree, tree->topLevelItem(i));
        }
        for (const QString &text : std::as_const(messages_))
            QVERIFY2(IsKnownErrorText(text), qPrintable(text.toUtf8().toPercentEncoding(" '\"().:_/-")));
        QCOMPARE(RootCaptions(w->tree_Crafts_1), RootCaptions(w->tree_Crafts_2));
    }

    // A 50 MB speed file loads and draws like any other.
    void fiftyMegabyteSpeedFile()
    {
        QTemporaryDir dir;
        WriteTwoAircraft(dir.path());
        QByteArray speed;
        speed.reserve(52 * 1024 * 1024);
        int rows = 0;
        while (speed.size() < 50 * 1024 * 1024) {
            // Altitude in steps of a centimetre; speed rises and climb falls with it.
            const double alt = rows * 0.01;
            speed += QByteArray::number(alt, 'f', 2) + '\t' + QByteArray::number(500 + alt * 0.01, 'f', 3) + '\t'
                + QByteArray::number(20 - alt * 0.001, 'f', 4) + '\t' + QByteArray::number(480 + alt * 0.01, 'f', 3)
                + '\t' + QByteArray::number(18 - alt * 0.001, 'f', 4) + "\t\r\n";
            ++rows;
        }
        Write(dir.path(), kSpeed, speed);
        speed.clear();

        auto w = scan(dir.path());
        QCOMPARE(messages_, QStringList());
        QCOMPARE(w->tree_Crafts_1->topLevelItemCount(), 2);
        select(w->tree_Crafts_1, w->tree_Crafts_1->topLevelItem(0));
        QCOMPARE(messages_, QStringList());
        QCOMPARE(w->pages_Charts->chrt_TASbyAlt->Series()[0].Count(), rows);
        QCOMPARE(w->pages_Charts->chrt_MaxROCbyAlt->Series()[1].Count(), rows);
        QCOMPARE(w->pages_Charts->ch_C2->Series()[0].Count(), rows);
    }

    // Export reads only the files it draws from, and says what fails on one line.
    void namedAircraftForExport()
    {
        QTemporaryDir dir;
        WriteTwoAircraft(dir.path());
        // An armament file too large to read: the window leaves the aircraft out, an
        // export, which shows no armament, does not mind.
        QFile big(dir.filePath(u"DataWeapon/Alpha.txt"_s));
        QVERIFY(big.resize(kMaxDataFileBytes + 1));
        QCOMPARE(ErrorOf([&] { ReadNamedCrafts(dir.path(), u"Alpha"_s, QString()); }), QString());
        Write(dir.path(), kTurn, kTurnRows + Replaced(kSummary, "19.456", "fast"));
        QCOMPARE(ErrorOf([&] { ReadNamedCrafts(dir.path(), u"Alpha"_s, QString()); }),
                 u"'fast' is not a valid floating point value. (Alpha: Alpha_turn.txt, строка 8.)"_s);
    }
};

QTEST_MAIN(AppBadDataTest)
#include "app_bad_data.moc"
#include "moc_bad_data_fixture.cpp"
