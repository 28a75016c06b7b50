// The armament the catalogue reads: weapon rows, their groups and a huge armament shown
// in part. Reading needs no window.
#include "catalogue_fixture.h"

class CatalogueArmament : public QObject {
    Q_OBJECT

private slots:
    void weaponRow_data();
    void weaponRow();
    void armamentGroups();
    void hugeArmamentShownInPart();
};

void CatalogueArmament::weaponRow_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("gun becomes w + row") << "gun:MG A;MG B;" << 0 << "w0:" << QStringList{"MG A;", "MG B;"};
    QTest::newRow("gun on the fourth row") << "gun:MG A;MG B;" << 3 << "w3:" << QStringList{"MG A;", "MG B;"};
    QTest::newRow("Gun is kept") << "Gun:C;" << 2 << "Gun:" << QStringList{"C;"};
    QTest::newRow("guns is kept") << "guns:C;" << 2 << "guns:" << QStringList{"C;"};
    QTest::newRow("one item") << "bombs:2 x 50;" << 1 << "bombs:" << QStringList{"2 x 50;"};
    QTest::newRow("lone colon gives an empty item") << "bombs:" << 1 << "bombs:" << QStringList{""};
    QTest::newRow("no colon") << "A;B;" << 0 << ":" << QStringList{"A;", "B;"};
    QTest::newRow("empty row") << "" << 0 << ":" << QStringList{};
    QTest::newRow("colon in a later item") << "x:A;B:C;" << 0 << "x:" << QStringList{"A;", "C;"};
    QTest::newRow("last item without ;") << "x:A;B" << 0 << "x:" << QStringList{"A;", "B"};
    QTest::newRow("only text without ;") << "x:A" << 0 << "x:" << QStringList{"A"};
    QTest::newRow("trailing space") << "x: A; " << 0 << "x:" << QStringList{" A;", " "};
    QTest::newRow("two colons in one item") << "a:b:c;d;" << 0 << "a:" << QStringList{"b:c;", "d;"};
    QTest::newRow("colon after the last ;") << "a:b;c:" << 0 << "a:" << QStringList{"b;", ""};
    QTest::newRow("empty items") << "x:;;" << 0 << "x:" << QStringList{";", ";"};
}

void CatalogueArmament::weaponRow()
{
    QFETCH(QString, row);
    QFETCH(int, index);
    QFETCH(QString, group);
    QFETCH(QStringList, items);
    const WeaponRowCaptions captions = SplitWeaponRow(row, index);
    QCOMPARE(captions.group, group);
    QCOMPARE(captions.items, items);
}

void CatalogueArmament::armamentGroups()
{
    DataDir data;
    data.craft("A");
    data.craft("B");
    // The row index counts the empty first row.
    WriteFile(data.paths.weaponFile("A"), "\r\ngun:MG A;MG B;\r\nbombs:2 x 50;\r\n");
    const ListedCraft a = ReadCraft(data.paths, "A");
    QCOMPARE(Groups(a), (QStringList{":", "w1:", "bombs:"}));
    QCOMPARE(a.armament[0].items, QStringList{});
    QCOMPARE(a.armament[1].items, (QStringList{"MG A;", "MG B;"}));
    QCOMPARE(a.armament[2].items, QStringList{"2 x 50;"});
    QCOMPARE(ReadCraft(data.paths, "B").armament.size(), 0);
    QCOMPARE(ArmamentCaption(), Ru("вооружение:"));
}

void CatalogueArmament::hugeArmamentShownInPart()
{
    DataDir data;
    data.craft("A");
    // Many rows: the first ones are shown, a last group tells how many are not.
    WriteFile(data.paths.weaponFile("A"), QByteArray("g:a;b;\n").repeated(5000));
    const ListedCraft a = ReadCraft(data.paths, "A");
    qsizetype nodes = 0;
    for (const WeaponRowCaptions &g : a.armament)
        nodes += 1 + g.items.size();
    QVERIFY(nodes <= kMaxArmamentNodes + 2);  // with the notes
    const qsizetype shown = a.armament.size() - 1;
    QCOMPARE(a.armament.back().group, Ru("… не показано: %1").arg(5000 - shown));
    QCOMPARE(a.armament[0].items, (QStringList{"a;", "b;"}));
    // One row of many items: its first items, then how many are not shown.
    WriteFile(data.paths.weaponFile("A"), "g:" + QByteArray("x;").repeated(100000) + "\nh:y;\n");
    const ListedCraft b = ReadCraft(data.paths, "A");
    QCOMPARE(b.armament.size(), 2);
    QCOMPARE(b.armament[0].items.size(), kMaxArmamentNodes);
    QCOMPARE(b.armament[0].items.back(), Ru("… не показано: %1").arg(100000 - (kMaxArmamentNodes - 1)));
    QCOMPARE(b.armament[1].group, Ru("… не показано: 1"));
    // Where no armament is shown, its file is not read: one too large to read is no
    // failure.
    QFile big(data.paths.weaponFile("A"));
    QVERIFY(big.resize(kMaxDataFileBytes + 1));
    QVERIFY(!ErrorOf([&] { ReadCraft(data.paths, "A"); }).isEmpty());
    QCOMPARE(ReadCraft(data.paths, "A", Armament::Skip).armament.size(), 0);
}

QTEST_GUILESS_MAIN(CatalogueArmament)
#include "catalogue_armament.moc"
