// The catalogue scan: the aircraft records, what it says as it goes, pumping and the handling
// of broken aircraft. Reading needs no window.
#include "catalogue_fixture.h"

class CatalogueScan : public QObject {
    Q_OBJECT

private slots:
    void recordsForTwoAircraft();
    void eachFileReadOnce();
    void summaryCaptions();
    void entryNames();
    void listedEntries();
    void cyrillicName();
    void emptyDataSpeed();
    void missingDataSpeed_data();
    void missingDataSpeed();
    void brokenAircraftLeftOut();
    void manyFailuresCapped();
    void pumpsSeeOnlyCompleteAircraft();
    void pumpsPaced();
};

void CatalogueScan::recordsForTwoAircraft()
{
    DataDir data;
    data.craft("Bravo");
    data.craft("Alpha");
    WriteFile(data.paths.craftFile("Alpha"), "0=750\n");
    WriteFile(data.paths.weaponFile("Alpha"), "gun:MG A;MG B;\n");
    ScanRun scan;
    scan.run(data.paths);

    QCOMPARE(scan.error, QString());
    QCOMPARE(scan.count, 2);
    QCOMPARE(scan.names(), (QStringList{"Alpha", "Bravo"}));
    VerifyComplete(scan.crafts);
    const ListedCraft &alpha = scan.crafts[0];
    QCOMPARE(alpha.summary, (QStringList{
                                Ru("макс. скор. в пике: 750 км/ч"),
                                Ru("взлетный вес: 2950.5 кг"),
                                Ru("время виража: 18.46 сек"),
                                Ru("скорость виража: 250 км/ч"),
                                Ru("скороподъемность: 15 м/с"),
                                Ru("скорость набора: 290 км/ч"),
                            }));
    QCOMPARE(Groups(alpha), QStringList{"w0:"});
    QCOMPARE(alpha.armament[0].items, (QStringList{"MG A;", "MG B;"}));
    QVERIFY(ReadFrom(alpha, kSpeed, kTurn));
    QCOMPARE(scan.said, (QStringList{"started", "reading Alpha_speed.txt", "reading Bravo_speed.txt", "finished 2"}));
}

void CatalogueScan::eachFileReadOnce()
{
    // Alpha has all four files, Bravo its speed and turn files: six files, each opened
    // once, the turn file's summary values and table from one reading.
    DataDir data;
    data.craft("Alpha");
    data.craft("Bravo");
    WriteFile(data.paths.craftFile("Alpha"), "0=750\n");
    WriteFile(data.paths.weaponFile("Alpha"), "gun:MG A;\n");
    const qint64 before = DataFilesOpened();
    ScanRun scan;
    scan.run(data.paths);
    QCOMPARE(scan.count, 2);
    QCOMPARE(DataFilesOpened() - before, 6);
}

void CatalogueScan::summaryCaptions()
{
    DataDir data;
    // No craft file: "unknown"; a craft file without "0" and a turn file missing keys:
    // no value and so no unit.
    data.craft("A", "200\t\n\t\n\t\n\t\n\t\n\t\nT_turn: 20\n");
    data.craft("B", "200\t\n\t\n\t\n\t\n\t\n\t\n");
    WriteFile(data.paths.craftFile("B"), "1=700\n");
    ScanRun scan;
    scan.run(data.paths);
    QCOMPARE(scan.error, QString());
    QCOMPARE(scan.crafts[0].summary,
             (QStringList{Ru("макс. скор. в пике: unknown км/ч"), Ru("взлетный вес: нет данных"),
                          Ru("время виража: 20 сек"), Ru("скорость виража: нет данных"),
                          Ru("скороподъемность: нет данных"), Ru("скорость набора: нет данных")}));
    QCOMPARE(scan.crafts[1].summary[0], Ru("макс. скор. в пике: нет данных"));
    QCOMPARE(scan.crafts[0].armament.size(), 0);
}

void CatalogueScan::entryNames()
{
    DataDir data;
    data.craft("Alpha");
    // Named up to the first "_speed": the tables come from Alpha_speed.txt.
    WriteFile(data.paths.speedDir() + "/Alpha_speed_old.txt", "garbage");
    WriteFile(data.paths.speedDir() + "/Bravo_x_speed_speed.txt", "");
    data.craft("Bravo_x");
    ScanRun scan;
    scan.run(data.paths);
    QCOMPARE(scan.error, QString());
    QCOMPARE(scan.names(), (QStringList{"Alpha", "Alpha", "Bravo_x", "Bravo_x"}));
    QVERIFY(ReadFrom(scan.crafts[1], kSpeed, kTurn));
    QCOMPARE(CraftNameOf("Alpha_Speed.txt").bytes, QByteArray());
    QCOMPARE(CraftNameOf("_speed.txt").bytes, QByteArray());
}

void CatalogueScan::listedEntries()
{
    DataDir data;
    const QString dir = data.paths.speedDir();
    for (const char *name : {"c_speed.txt", "B_speed.TXT", "a_speed.txt", ".hidden_speed.txt", "notes.dat", "A_speed.txt",
                             "v10_speed.txt", "V2_speed.txt", "v19_speed.txt"})
        WriteFile(dir + "/" + name, "");
    QDir(dir).mkdir("d_speed.txt");
    // Natural order: case ignored, numbers by value.
    QCOMPARE(ListSpeedEntries(data.paths), (QByteArrayList{".hidden_speed.txt", "A_speed.txt", "a_speed.txt", "B_speed.TXT",
                                                           "c_speed.txt", "d_speed.txt", "V2_speed.txt", "v10_speed.txt",
                                                           "v19_speed.txt"}));
}

void CatalogueScan::cyrillicName()
{
    DataDir data;
    const QString name = Ru("Бора");
    data.craft(name);
    WriteFile(data.paths.weaponFile(name), "\xEF\xF3\xF8\xEA\xE8:\xD8\xC2\xC0\xCA;\n");  // пушки:ШВАК;
    ScanRun scan;
    scan.run(data.paths);
    QCOMPARE(scan.error, QString());
    QCOMPARE(scan.names(), QStringList{name});
    QCOMPARE(Groups(scan.crafts[0]), QStringList{Ru("пушки:")});
    QCOMPARE(scan.crafts[0].armament[0].items, QStringList{Ru("ШВАК;")});
}

void CatalogueScan::emptyDataSpeed()
{
    DataDir data;
    ScanRun scan;
    scan.run(data.paths);
    QCOMPARE(scan.error, QString());
    QCOMPARE(scan.said, (QStringList{"started", "finished 0"}));
    QCOMPARE(scan.catalogue.Entries().size(), 0);
}

void CatalogueScan::missingDataSpeed_data()
{
    QTest::addColumn<bool>("asFile");
    QTest::newRow("missing") << false;
    QTest::newRow("a file, not a directory") << true;
}

void CatalogueScan::missingDataSpeed()
{
    QFETCH(bool, asFile);
    QTemporaryDir dir;
    const DataPaths paths{dir.path()};
    if (asFile)
        WriteFile(paths.speedDir(), "");
    WriteFile(paths.turnFile("A"), kTurn);
    ScanRun scan;
    scan.run(paths);
    QCOMPARE(scan.error, "File not found.\nNo folder \"" + QDir::toNativeSeparators(paths.speedDir()) + "\"");
    QCOMPARE(scan.said, (QStringList{"started", "finished 0"}));
    QCOMPARE(scan.crafts.size(), 0);
}

void CatalogueScan::brokenAircraftLeftOut()
{
    DataDir data;
    data.craft("A");
    WriteFile(data.paths.speedFile("B"), kSpeed);  // no turn file
    data.craft("C", kTurn + "T_turn x 18,5\n");  // a later row with the key is never read
    data.craft("D", QByteArray(kTurn).replace("V_turn: 250", "V_turn: fast"));
    data.craft("E");
    WriteFile(data.paths.speedDir() + "/F.txt", kSpeed);  // no "_speed": empty name
    ScanRun scan;
    scan.run(data.paths);

    QCOMPARE(scan.names(), (QStringList{"A", "C", "E"}));
    VerifyComplete(scan.crafts);
    QCOMPARE(scan.count, 3);
    const QStringList lines = scan.error.split('\n');
    QCOMPARE(lines.size(), 4);
    QVERIFY2(lines[0].startsWith("Cannot open file \"" + QDir::toNativeSeparators(data.paths.turnFile("B")) + "\". "),
             qPrintable(lines[0]));
    QCOMPARE(lines[1], "'fast' is not a valid floating point value.");
    QCOMPARE(lines[2], "D: D_turn.txt, строка 9");
    QVERIFY2(lines[3].startsWith("Cannot open file \"" + QDir::toNativeSeparators(data.paths.speedFile("")) + "\". "),
             qPrintable(lines[3]));
    // The catalogue holds every aircraft in the trees' order, the listed ones by their
    // values and each of the others with its failure, located.
    QStringList names, failed;
    for (const CatalogueEntry &entry : scan.catalogue.Entries()) {
        names << entry.name;
        if (!entry.aircraft)
            failed << entry.failure;
    }
    QCOMPARE(names, (QStringList{"A", "B", "C", "D", "E", ""}));
    QCOMPARE(failed, (QStringList{lines[0], lines[1] + '\n' + lines[2], lines[3]}));
    QCOMPARE(scan.catalogue.Find("D")->failure, "'fast' is not a valid floating point value.\nD: D_turn.txt, строка 9");
    QCOMPARE(scan.catalogue.ReadCount(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(scan.catalogue.Aircraft()[i], scan.crafts[i].value);
}

void CatalogueScan::manyFailuresCapped()
{
    DataDir data;
    for (int i = 0; i < 23; ++i)
        WriteFile(data.paths.speedFile(QString("X%1").arg(i, 2, 10, QChar('0'))), kSpeed);
    data.craft("Y");
    ScanRun scan;
    scan.run(data.paths);
    QCOMPARE(scan.count, 1);
    const QStringList lines = scan.error.split('\n');
    QCOMPARE(lines.size(), 21);
    QVERIFY(lines[19].contains("X19_turn.txt"));
    QVERIFY2(lines[20].contains("3") && !lines[20].startsWith("Cannot"), qPrintable(lines[20]));
}

void CatalogueScan::pumpsSeeOnlyCompleteAircraft()
{
    DataDir data;
    for (const char *name : {"A", "B", "D"})
        data.craft(name);
    WriteFile(data.paths.speedFile("C"), kSpeed);  // fails: no turn file
    ScanRun scan;
    QStringList panel1AtPump;
    QList<int> listedAtPump;
    scan.onPump = [&] {
        panel1AtPump << scan.lastReading();
        listedAtPump << int(scan.crafts.size());
        VerifyComplete(scan.crafts);
        QCOMPARE(scan.count, -1);  // not finished
    };
    scan.run(data.paths);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(panel1AtPump, (QStringList{"A_speed.txt", "A_speed.txt", "A_speed.txt", "B_speed.txt", "B_speed.txt",
                                        "B_speed.txt", "C_speed.txt", "D_speed.txt", "D_speed.txt", "D_speed.txt"}));
    // Once after the entry name is shown, twice after the aircraft is listed.
    QCOMPARE(listedAtPump, (QList<int>{0, 1, 1, 1, 2, 2, 2, 2, 3, 3}));
    QCOMPARE(scan.names(), (QStringList{"A", "B", "D"}));
    QCOMPARE(scan.count, 3);
    QVERIFY(scan.error.contains("C_turn.txt"));
}

void CatalogueScan::pumpsPaced()
{
    DataDir data;
    for (const char *name : {"A", "B", "C"})
        data.craft(name);
    ScanRun scan;
    scan.pumpInterval = std::chrono::hours(1);
    QStringList panel1AtPump;
    scan.onPump = [&] { panel1AtPump << scan.lastReading(); };
    scan.run(data.paths);
    // Pending events run at the first point and then not again within the interval.
    QCOMPARE(panel1AtPump, QStringList{"A_speed.txt"});
    QCOMPARE(scan.names(), (QStringList{"A", "B", "C"}));
}

QTEST_GUILESS_MAIN(CatalogueScan)
#include "catalogue_scan.moc"
