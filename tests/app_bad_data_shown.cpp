// Damage that only shows once an aircraft is on the charts, run through the real
// window: the refresh of a damaged aircraft, its armament rows, markup in its texts and
// names written in Windows-1251. Each must end in the error box the program defines, or
// in the behaviour it defines, and never in a crash or a hang.
#include "bad_data_fixture.h"

class AppBadDataShownTest : public BadDataFixture {
    Q_OBJECT

private slots:
    // Damage that only shows when Alpha's charts are filled. Each filler runs on its own:
    // a failing one keeps the points read before the bad value, Alpha's other charts and
    // Bravo (compared first, in the second tree) are drawn in full, and the common page
    // shows what the full-size pages show.
    void refreshDamage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        // Points of Alpha's first series on the speed, climb, turn-time and turn-rate charts.
        QTest::addColumn<QVector<int>>("counts");

        // A bad value's box says where it stands in its second line.
        const auto speedRow = [](const QString &message, int row, int column) {
            return ErrorBoxText(message) + u"\nAlpha: Alpha_speed.txt, строка %1, столбец %2."_s.arg(row).arg(column);
        };
        const auto turnRow = [](const QString &message, int row, int column = -1) {
            const QString where = column < 0 ? QString() : u", столбец %1"_s.arg(column);
            return ErrorBoxText(message) + u"\nAlpha: Alpha_turn.txt, строка %1%2."_s.arg(row).arg(where);
        };
        const QString notANumber = u"'%1' is not a valid floating point value"_s;
        const QString division = u"Floating point division by zero"_s;
        const QByteArray row1000 = "1000\t540\t18\t515\t16\t\r\n";
        const QVector<int> untouched = {5, 5, 5, 5};

        QTest::newRow("speed: spaces for tabs") << kSpeed << QByteArray("0 520 20 500 18\r\n1000 540 18 515 16\r\n")
                                                << speedRow(notANumber.arg(QString()), 1, 4) << QVector<int>{0, 5, 5, 5};
        QTest::newRow("turn: spaces for tabs")
            << kTurn << QByteArray(kTurnRows).replace('\t', ' ') + kSummary
            << turnRow(notANumber.arg(u"200 250 300 350 400 "_s), 1, 1) << QVector<int>{5, 0, 0, 0};
        QTest::newRow("speed: decimal comma") << kSpeed << QByteArray("0\t520,5\t20\t500\t18\t\r\n" + row1000)
                                              << speedRow(notANumber.arg(u"520,5"_s), 1, 2) << QVector<int>{1, 5, 5, 5};
        QTest::newRow("turn: decimal comma")
            << kTurn << Replaced(kTurnRows, "10\t12\t", "10\t12,5\t") + kSummary << turnRow(notANumber.arg(u"12,5"_s), 2, 2)
            << QVector<int>{5, 1, 5, 5};
        QTest::newRow("turn: three rows") << kTurn << kTurnRows.left(kTurnRows.indexOf("21\t19"))
                                          << turnRow(u"List index out of bounds (3)"_s, 4) << QVector<int>{5, 5, 0, 5};
        QTest::newRow("turn: one row") << kTurn << QByteArray("200\t250\t\r\n") << turnRow(u"List index out of bounds (1)"_s, 2)
                                       << QVector<int>{5, 0, 0, 0};
        QTest::newRow("turn: empty file") << kTurn << QByteArray() << turnRow(u"List index out of bounds (0)"_s, 1)
                                          << QVector<int>{5, 0, 0, 0};
        QTest::newRow("speed: empty file") << kSpeed << QByteArray() << QString() << QVector<int>{0, 5, 5, 5};
        QTest::newRow("speed: blank last row") << kSpeed << QByteArray("0\t520\t20\t500\t18\t\r\n\r\n")
                                               << speedRow(notANumber.arg(QString()), 2, 4) << QVector<int>{1, 5, 5, 5};
        QTest::newRow("speed: NUL inside a row")
            << kSpeed << QByteArray("0\t520\t20\t500\t18\t\r\n1000\t54") + '\0' + "0\t18\t515\t16\t\r\n"
            << speedRow(notANumber.arg(QString()), 2, 4) << QVector<int>{1, 5, 5, 5};
        QTest::newRow("speed: NUL first") << kSpeed << QByteArray(1, '\0') + "0\t520\t20\t500\t18\t\r\n" << QString()
                                          << QVector<int>{0, 5, 5, 5};
        QTest::newRow("speed: lone CR line ends")
            << kSpeed << QByteArray("0\t520\t20\t500\t18\t\r1000\t540\t18\t515\t16\t\r") << QString()
            << QVector<int>{2, 5, 5, 5};
        QTest::newRow("speed: 1e308") << kSpeed << QByteArray("0\t1e308\t20\t500\t18\t\r\n") << QString()
                                      << QVector<int>{1, 5, 5, 5};
        QTest::newRow("speed: 1e5000") << kSpeed << QByteArray("0\t1e5000\t20\t500\t18\t\r\n")
                                       << speedRow(notANumber.arg(u"1e5000"_s), 1, 2) << QVector<int>{1, 5, 5, 5};
        QTest::newRow("speed: -1e400") << kSpeed << QByteArray("0\t-1e400\t20\t500\t18\t\r\n")
                                       << speedRow(u"Floating point overflow"_s, 1, 2) << QVector<int>{1, 5, 5, 5};
        QTest::newRow("speed: 1e309 overflows a chart")
            << kSpeed << QByteArray("0\t1e309\t20\t500\t18\t\r\n") << speedRow(u"Floating point overflow"_s, 1, 2)
            << QVector<int>{1, 5, 5, 5};
        QTest::newRow("speed: a value of 4,000,000 characters is quoted short")
            << kSpeed << "0\t" + QByteArray(4000000, 'x') + "\t20\t500\t18\t\r\n"
            << speedRow(notANumber.arg(QString(200, u'x') + QChar(0x2026)), 1, 2) << QVector<int>{1, 5, 5, 5};
        QTest::newRow("speed: markup is a value like any other")
            << kSpeed << QByteArray("0\t<b>x</b>\t20\t500\t18\t\r\n") << speedRow(notANumber.arg(u"<b>x</b>"_s), 1, 2)
            << QVector<int>{1, 5, 5, 5};
        QTest::newRow("speed: a million fields")
            << kSpeed << "0\t520\t20\t500\t18\t" + QByteArray("7\t").repeated(1000000) + "\r\n" + row1000 << QString()
            << QVector<int>{2, 5, 5, 5};
        QTest::newRow("turn: a million speed columns")
            << kTurn << Replaced(kTurnRows, "400\t\r\n", "400\t" + QByteArray("450\t").repeated(1000000) + "\r\n") + kSummary
            << QString() << untouched;
        QTest::newRow("turn: a million climb points")
            << kTurn
            << Replaced(Replaced(kTurnRows, "400\t\r\n", "400\t" + QByteArray("450\t").repeated(1000000) + "\r\n"),
                        "11\t\r\n", "11\t" + QByteArray("9.5\t").repeated(1000000) + "\r\n") + kSummary
            << QString() << QVector<int>{5, 1000005, 5, 5};
        QTest::newRow("turn: row 0 without its last tab")
            << kTurn << Replaced(kTurnRows, "400\t\r\n", "400\r\n") + kSummary << QString() << untouched;
        QTest::newRow("turn: turn time 0") << kTurn << Replaced(kTurnRows, "22\t20\t19\t", "22\t20\t0\t") + kSummary
                                           << turnRow(division, 3, 3) << QVector<int>{5, 5, 5, 2};
        QTest::newRow("turn: turn time -0") << kTurn << Replaced(kTurnRows, "22\t20\t19\t", "22\t20\t-0\t") + kSummary
                                            << turnRow(division, 3, 3) << QVector<int>{5, 5, 5, 2};
        QTest::newRow("turn: turn time 0.000e5")
            << kTurn << Replaced(kTurnRows, "22\t20\t19\t", "22\t20\t 0.000e5 \t") + kSummary << turnRow(division, 3, 3)
            << QVector<int>{5, 5, 5, 2};
        QTest::newRow("turn: turn time 2e-306, its rate overflows")
            << kTurn << Replaced(kTurnRows, "22\t20\t19\t", "22\t20\t2e-306\t") + kSummary
            << turnRow(u"Floating point overflow"_s, 3, 3) << QVector<int>{5, 5, 5, 2};
        QTest::newRow("turn: negative turn time")
            << kTurn << Replaced(kTurnRows, "22\t20\t19\t", "22\t20\t-19\t") + kSummary << QString() << untouched;
        QTest::newRow("turn: turn time not a number")
            << kTurn << Replaced(kTurnRows, "22\t20\t19\t", "22\t20\tnineteen\t") + kSummary
            << turnRow(notANumber.arg(u"nineteen"_s), 3, 3) << QVector<int>{5, 5, 2, 2};
    }
    void refreshDamage()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QFETCH(QVector<int>, counts);

        QTemporaryDir dir;
        WriteTwoAircraft(dir.path());
        Write(dir.path(), file, content);
        auto w = scan(dir.path());
        QCOMPARE(messages_, QStringList());
        QCOMPARE(RootCaptions(w->tree_Crafts_1), (QStringList{u"Alpha"_s, u"Bravo"_s}));

        select(w->tree_Crafts_2, w->tree_Crafts_2->topLevelItem(1));
        QCOMPARE(messages_, QStringList());
        QCOMPARE(w->pages_Charts->ch_C1->Series()[2].Count(), 5);
        select(w->tree_Crafts_1, w->tree_Crafts_1->topLevelItem(1));  // a verdict shown: Bravo against Bravo
        QCOMPARE(messages_, QStringList());
        select(w->tree_Crafts_1, w->tree_Crafts_1->topLevelItem(0));
        QCOMPARE(messages_, error.isEmpty() ? QStringList() : QStringList{error});
        // The verdict page shows no verdict from data that failed, only the failure.
        w->pages_Charts->tab_Verdict->Shown();
        const QString said = w->pages_Charts->tab_Verdict->findChild<QLabel *>(u"lbl_Verdict"_s)->text();
        // The page makes its tables when it first has a verdict with tables to show.
        const auto *speedTable = w->pages_Charts->tab_Verdict->findChild<QTableWidget *>(u"tbl_speed"_s);
        const bool tables = speedTable && !speedTable->isHidden();
        QCOMPARE(tables, error.isEmpty());
        QVERIFY(error.isEmpty() || said.endsWith(error));

        TChartSeries &speed = w->pages_Charts->chrt_TASbyAlt->Series()[0];
        QCOMPARE(speed.Title(), u"100% Alpha"_s);
        QVERIFY(speed.Active());
        const QVector<int> got = {speed.Count(), w->pages_Charts->chrt_ROCatConst->Series()[0].Count(),
                                  w->pages_Charts->chrt_TurnbySpeed->Series()[0].Count(), w->pages_Charts->chrt_FunPlot->Series()[0].Count()};
        QCOMPARE(got, counts);

        TChartSeries &bravoSpeed = w->pages_Charts->chrt_TASbyAlt->Series()[2];
        QVERIFY(bravoSpeed.Active());
        QCOMPARE(bravoSpeed.Count(), 5);
        QCOMPARE(w->pages_Charts->chrt_FunPlot->Series()[4].Count(), 5);
        QCOMPARE(w->pages_Charts->ch_C1->Series()[0].Count(), speed.Count());
        QCOMPARE(w->pages_Charts->ch_C3->Series()[0].Count(), counts[1]);

        // Whatever the charts now hold, they draw, Bravo's red curves among them.
        for (TChart *chart : w->Charts()) {
            chart->resize(400, 300);
            chart->SyncNow();
            chart->grab();
        }
        QVERIFY(PixelsOf(w->pages_Charts->ch_C1->grab().toImage(), qRgb(255, 0, 0)) > 0);

        // The window goes on: the other aircraft alone compares without an error.
        messages_.clear();
        select(w->tree_Crafts_1, w->tree_Crafts_1->topLevelItem(1));
        QCOMPARE(messages_, QStringList());
        QCOMPARE(w->pages_Charts->ch_C1->Series()[0].Count(), 5);
    }

    // Armament rows that break the row format: every row still ends as a group.
    void armamentRows_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("items");

        QTest::newRow("last item without ;") << QByteArray("gun:MG A;MG B") << u"w1:"_s
                                             << QStringList{u"MG A;"_s, u"MG B"_s};
        QTest::newRow("no : and no ;") << QByteArray("bombs") << u":"_s << QStringList{u"bombs"_s};
        QTest::newRow("no ;") << QByteArray("rockets:4 x RS-82") << u"rockets:"_s << QStringList{u"4 x RS-82"_s};
        QTest::newRow("no :") << QByteArray("A;B;") << u":"_s << QStringList{u"A;"_s, u"B;"_s};
        QTest::newRow("nothing after :") << QByteArray("rockets:") << u"rockets:"_s << QStringList{QString()};
        QTest::newRow("only colons") << QByteArray(":::") << u":"_s << QStringList{u"::"_s};
        QTest::newRow("only semicolons") << QByteArray(";;;") << u":"_s << QStringList{u";"_s, u";"_s, u";"_s};
        QTest::newRow("colon inside an item") << QByteArray("x:A;B:C") << u"x:"_s << QStringList{u"A;"_s, u"C"_s};
        QTest::newRow("empty row") << QByteArray() << u":"_s << QStringList();
        // As many as the tree shows; past them a note stands for the rest.
        QTest::newRow("many items") << "g:" + QByteArray("a;").repeated(1500) << u"g:"_s
                                    << QStringList(1500, u"a;"_s);
    }
    void armamentRows()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, group);
        QFETCH(QStringList, items);

        QTemporaryDir dir;
        WriteTwoAircraft(dir.path());
        // The row under test stands between two good rows.
        Write(dir.path(), u"DataWeapon/Alpha.txt"_s, "cannon:20 mm;\r\n" + row + "\r\nbombs:2 x 50;\r\n");
        auto w = scan(dir.path());
        QCOMPARE(messages_, QStringList());
        for (QTreeWidget *tree : {w->tree_Crafts_1, w->tree_Crafts_2}) {
            QTreeWidgetItem *armament = FindRoot(tree, u"Alpha"_s)->child(0);
            QCOMPARE(armament->childCount(), 3);
            QCOMPARE(armament->child(0)->text(0), u"cannon:"_s);
            QCOMPARE(armament->child(2)->text(0), u"bombs:"_s);
            QTreeWidgetItem *g = armament->child(1);
            QCOMPARE(g->text(0), group);
            QStringList got;
            for (int i = 0; i < g->childCount(); ++i)
                got << g->child(i)->text(0);
            QCOMPARE(got, items);
        }
    }

    // Text from files and file names is shown as written, never as markup: an <img>
    // would make Qt open the file it names (a named pipe there hangs the window).
    void markupShownLiterally()
    {
        QTemporaryDir dir;
        const QString name = u"<img src=\"zz\">"_s;
        WriteFixtureCraft(dir.path(), name);
        const QString dive = u"<img src=\"zz\">"_s + QString(300, u'w');
        Write(dir.path(), u"DataCraft/"_s + name + u".txt"_s, "0=" + dive.toUtf8() + "\r\n");
        auto w = scan(dir.path());
        QCOMPARE(RootCaptions(w->tree_Crafts_1), QStringList{name});
        for (QLabel *panel : {w->panel0, w->panel1, w->panel2})
            QCOMPARE(panel->textFormat(), Qt::PlainText);

        // The error box, the real one, closed as soon as it shows.
        SetErrorBoxHook(nullptr);
        Qt::TextFormat boxFormat = Qt::AutoText;
        QString boxText;
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxFormat = box->textFormat();
                boxText = box->text();
                box->accept();
            }
        });
        ShowErrorBox(u"'<b>x</b>' is not a valid floating point value"_s);
        QCOMPARE(boxFormat, Qt::PlainText);
        QCOMPARE(boxText, u"'<b>x</b>' is not a valid floating point value."_s);

        // The tree's tool tip of the summary node too wide to be seen.
        w->resize(800, 600);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTreeWidgetItem *root = w->tree_Crafts_1->topLevelItem(0);
        root->setExpanded(true);
        const QTreeWidgetItem *summary = root->child(1);
        const QRect r = w->tree_Crafts_1->visualItemRect(summary);
        QCOMPARE(ShownToolTip(w->tree_Crafts_1->viewport(), r.center()), summary->text(0));

        // A chart's read-out, whose first line is the series title with the name.
        select(w->tree_Crafts_1, root);
        TChart *chart = w->pages_Charts->chrt_TASbyAlt;
        w->pages_Charts->setCurrentWidget(w->pages_Charts->tab_SpeedByAlt);
        chart->SyncNow();
        const TChartSeries &s = chart->Series()[0];
        const QPoint at(int(chart->xAxis->coordToPixel(s.XValues[2])), int(chart->yAxis->coordToPixel(s.YValues[2])));
        QVERIFY(ShownToolTip(chart, at).startsWith(u"100% "_s + name + u'\n'));
    }

    // File names are bytes: names in Windows-1251 show as such and their files open,
    // in a start directory named in Windows-1251 too; an aircraft whose files still
    // can't be opened is named in the box.
    void windows1251Names_data()
    {
        QTest::addColumn<bool>("asDataFolder");
        QTest::newRow("started in it") << false;
        QTest::newRow("given as the data folder") << true;
    }
    void windows1251Names()
    {
        QFETCH(bool, asDataFolder);
        QTemporaryDir dir;
        const QByteArray plain = QFile::encodeName(dir.path() + u"/plain"_s);
        const QByteArray root = QFile::encodeName(dir.path()) + "/\xD1\xE0\xEC\xEE\xEB\xB8\xF2\xFB";  // Самолёты
        WriteFixtureCraft(QString::fromUtf8(plain), u"Alpha"_s);
        WriteFixtureCraft(QString::fromUtf8(plain), u"Yak"_s);
        WriteFixtureCraft(QString::fromUtf8(plain), u"Bora"_s);
        QFile::remove(QString::fromUtf8(plain) + u"/DataTurn/Bora_turn.txt"_s);
        for (const char *kind : {"/DataSpeed/Yak_speed.txt", "/DataTurn/Yak_turn.txt"}) {
            const QByteArray from = plain + kind;
            QCOMPARE(::rename(from.constData(), QByteArray(from).replace("Yak", "\xDF\xEA-3").constData()), 0);  // Як-3
        }
        const QByteArray bora = plain + "/DataSpeed/Bora_speed.txt";
        QCOMPARE(::rename(bora.constData(), QByteArray(bora).replace("Bora", "\xC1\xEE\xF0\xE0").constData()), 0);  // Бора
        QCOMPARE(::rename(plain.constData(), root.constData()), 0);
        // Qt lists no name that is not UTF-8, so it could not remove these.
        const auto removeRoot = qScopeGuard([&] { std::filesystem::remove_all(root.constData()); });

        const QString shown = QFile::decodeName(QFile::encodeName(dir.path())) + u"/Самолёты"_s;
        QCOMPARE(DisplayName(root), shown);
        // The command line takes the folder as it shows.
        const CommandLine command = ParseCommandLine({u"varnel"_s, shown});
        QCOMPARE(command.action, CommandLine::OpenWindow);
        QCOMPARE(LocateFileName(command.dataDir).bytes, root);

        QDir::setCurrent(dir.path());
        if (!asDataFolder)
            QCOMPARE(::chdir(root.constData()), 0);
        Tfrm_Main w;
        if (asDataFolder)
            w.SetDataFolder(LocateFileName(command.dataDir));
        QCoreApplication::sendPostedEvents(&w, WM_LOADFMD);

        QCOMPARE(RootCaptions(w.tree_Crafts_1), (QStringList{u"Alpha"_s, u"Як-3"_s}));
        QCOMPARE(w.panel0->text(), u"crafts loaded: 2"_s);
        QCOMPARE(messages_, QStringList{CannotOpen(u"DataTurn/Бора_turn.txt"_s, u"No such file or directory"_s)
                                            .replace(u"<dir>"_s, shown)});
        messages_.clear();
        select(w.tree_Crafts_2, FindRoot(w.tree_Crafts_2, u"Як-3"_s));
        QCOMPARE(messages_, QStringList());
        QCOMPARE(w.pages_Charts->chrt_TASbyAlt->Series()[2].Count(), 5);

        // Export finds and reads the same aircraft by the names the trees show.
        ExportOptions o;
        o.outDir = dir.path() + u"/out"_s;
        o.first = u"Як-3"_s;
        const ExportOutcome exported = RunExport(o, shown);
        QVERIFY2(exported.error.isEmpty(), qPrintable(exported.error));
        QCOMPARE(exported.written.size(), 7);
    }
};

QTEST_MAIN(AppBadDataShownTest)
#include "app_bad_data_shown.moc"
#include "moc_bad_data_fixture.cpp"
