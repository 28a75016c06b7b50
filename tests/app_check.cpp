// The data check: one known problem of each kind listed at its line and column, nothing
// on the sample data, the first error of a damaged aircraft the one its export reports,
// and the window's panel and dialog.
#include "app_fixture.h"
#include "cli/check_command.h"
#include "cli/export_command.h"
#include "pages/application.h"
#include "window/check_dialog.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include <unistd.h>

namespace {
const QString kSample = QStringLiteral(VARNEL_SOURCE_DIR "/sample-data");

// The problems as lines of the text report, without the summary.
QStringList Lines(const DataCheck &check)
{
    QStringList lines = CheckReportText(check).split(u'\n', Qt::SkipEmptyParts);
    lines.removeLast();
    return lines;
}

// Replaces the first occurrence of from in a file.
void Edit(const QString &path, const QByteArray &from, const QByteArray &to)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    const qsizetype at = bytes.indexOf(from);
    QVERIFY2(at >= 0, from.constData());
    WriteFile(path, bytes.replace(at, from.size(), to));
}

// A folder with one problem of each kind, an aircraft apiece.
void WriteKnownProblems(const QString &root)
{
    for (const char *name : {"Bad", "Order", "Wide", "Keys", "Clean", "NoTurn", "Summary", "Empty", "Twin"})
        WriteFixtureCraft(root, QString::fromLatin1(name));
    // Two bad values of the speed file: the first the box shows, the second one after it.
    Edit(root + "/DataSpeed/Bad_speed.txt", "1000\t510", "1000\tx1");
    Edit(root + "/DataSpeed/Bad_speed.txt", "13.25\t\r\n4000", "y2\t\r\n4000");
    // A turn time of zero: no turn rate.
    Edit(root + "/DataTurn/Bad_turn.txt", "21\t19\t18", "21\t0\t18");
    Edit(root + "/DataSpeed/Order_speed.txt", "3000\t", "1000\t");
    Edit(root + "/DataTurn/Order_turn.txt", "200\t250\t300", "200\t250\t250");
    Edit(root + "/DataTurn/Wide_turn.txt", "10\t12\t14\t13\t11\t", "10\t12\t14\t13\t11\t9\t8\t");
    Edit(root + "/DataTurn/Keys_turn.txt", "V_turn:", "v_turn:");
    QFile::remove(root + "/DataTurn/NoTurn_turn.txt");
    Edit(root + "/DataTurn/Summary_turn.txt", "V_climb: 250", "V_climb: 25O");
    WriteFile(root + "/DataSpeed/Empty_speed.txt", "");
    QFile::rename(root + "/DataSpeed/Twin_speed.txt", root + "/DataSpeed/twin_speed.txt");
    for (const char *folder : {"/DataTurn/Twin_turn.txt", "/DataCraft/Twin.txt", "/DataWeapon/Twin.txt"})
        QFile::rename(root + folder, root + QString::fromLatin1(folder).replace("Twin", "twin"));
    WriteFixtureCraft(root, QStringLiteral("TWIN"));
    WriteFile(root + "/DataWeapon/Ghost.txt", "gun:MG;\r\n");
}

const char *const kKnownProblems[] = {
    "DataSpeed/Bad_speed.txt:2:2: error: 'x1' is not a valid floating point value",
    "DataSpeed/Bad_speed.txt:4:5: error: 'y2' is not a valid floating point value",
    "DataTurn/Bad_turn.txt:4:2: error: Floating point division by zero",
    "DataSpeed/Empty_speed.txt: warning: таблица пуста: графиков по высоте у этого самолета не будет",
    "DataTurn/Keys_turn.txt:9:1: warning: ключ «v_turn» деревья не знают, они знают «V_turn»: строку пропустят",
    "DataTurn/NoTurn_turn.txt: error: Cannot open file \"%1/DataTurn/NoTurn_turn.txt\". No such file or directory",
    "DataSpeed/Order_speed.txt:4:1: warning: высота 1000 идет не по порядку после 2000: кривые по высоте повернут назад",
    "DataTurn/Order_turn.txt:1:3: warning: скорость 250 повторяет предыдущее: кривые по скорости повернут назад",
    "DataTurn/Summary_turn.txt:11: error: '25O' is not a valid floating point value",
    "DataSpeed/twin_speed.txt: warning: имя отличается от «TWIN» только регистром букв или кодировкой: "
    "в деревьях будут оба, и по имени их не различить",
    "DataTurn/Wide_turn.txt:2:6: warning: в строке значения дальше строки скоростей (2 лишних): графики их не покажут",
    "DataWeapon/Ghost.txt: warning: нет файла скоростей DataSpeed/Ghost_speed.txt: самолета нет в деревьях, файл не читается",
};

// Mistakes of the kinds a keeper of the tables makes, an aircraft apiece, and each one's
// problems as the check names them (every one at once, a bad value beside them).
void WriteNamedMistakes(const QString &root)
{
    for (const char *name : {"Sep", "Swap", "Short", "Spaced", "Rows", "Hidden", "Summary", "Lost"})
        WriteFixtureCraft(root, QString::fromLatin1(name));
    QFile::remove(root + "/DataTurn/Lost_turn.txt");
    Edit(root + "/DataSpeed/Lost_speed.txt", "1000\t", "3000\t");
    Edit(root + "/DataTurn/Sep_turn.txt", "T_turn: 19.456", "T_turn:19.9");
    Edit(root + "/DataTurn/Sep_turn.txt", "V_turn: ", "V_turn=");
    Edit(root + "/DataTurn/Swap_turn.txt", "T_turn:", "T_trun:");
    Edit(root + "/DataSpeed/Short_speed.txt", "\t13.25\t\r\n2000", "\r\n2000");
    Edit(root + "/DataSpeed/Spaced_speed.txt", "2000\t520\t15.5\t500\t13.25\t", "2000 520 15.5 500 13.25");
    Edit(root + "/DataTurn/Rows_turn.txt", "19\t\t\t\t\t\r\n", "");
    Edit(root + "/DataSpeed/Hidden_speed.txt", "15.5", "15,5");
    Edit(root + "/DataSpeed/Hidden_speed.txt", "4000\t", "1000\t");
    Edit(root + "/DataTurn/Summary_turn.txt", "V_climb: 250", "V_climb: 25O");
    Edit(root + "/DataTurn/Summary_turn.txt", "200\t250", "200\t200");
    QVERIFY(QDir(root).rename("DataCraft", "DataCarft"));
    QVERIFY(QDir(root).mkdir("DataCraft"));
}

const char *const kNamedMistakes[] = {
    "DataSpeed/Hidden_speed.txt:1:3: error: '15,5' is not a valid floating point value",
    "DataSpeed/Hidden_speed.txt:5:1: warning: высота 1000 идет не по порядку после 3000: кривые по высоте повернут назад",
    "DataTurn/Lost_turn.txt: error: Cannot open file \"%1/DataTurn/Lost_turn.txt\". No such file or directory",
    "DataSpeed/Lost_speed.txt:3:1: warning: высота 2000 идет не по порядку после 3000: кривые по высоте повернут назад",
    "DataTurn/Rows_turn.txt:6:1: error: 'M_takeoff: 3000' is not a valid floating point value — строк в таблице: 5 из 6",
    "DataTurn/Sep_turn.txt:8:7: warning: между ключом T_turn и числом стоит «:», а не «: »: прочитано 19.9",
    "DataTurn/Sep_turn.txt:9:7: warning: между ключом V_turn и числом стоит «=», а не «: »: прочитано 300",
    "DataSpeed/Short_speed.txt:2:5: error: '' is not a valid floating point value — значений в строке: 4; нужно 5, разделенных табуляцией",
    "DataSpeed/Spaced_speed.txt:3:4: error: '' is not a valid floating point value — значения разделены пробелами, а нужно табуляцией",
    "DataTurn/Summary_turn.txt:11: error: '25O' is not a valid floating point value",
    "DataTurn/Summary_turn.txt:1:2: warning: скорость 200 повторяет предыдущее: кривые по скорости повернут назад",
    "DataTurn/Swap_turn.txt:8:1: warning: ключ «T_trun» деревья не знают, они знают «T_turn»: строку пропустят",
    "DataCarft/: warning: папку никто не читает: ее имя должно быть «DataCraft»",
};

// The program's text report and exit status for a folder.
std::pair<QString, int> RunProgram(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral(VARNEL_BINARY), QStringList{"--check"} + arguments);
    p.waitForFinished(60000);
    return {QString::fromUtf8(p.readAllStandardOutput()), p.exitCode()};
}
}  // namespace

class AppCheck : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetErrorBoxHook([](const QString &) {}); }

    void eachKnownProblemOnce()
    {
        QTemporaryDir dir;
        WriteKnownProblems(dir.path());
        const DataCheck check = CheckDataFolder(DataPaths{dir.path()});
        QStringList expected;
        for (const char *line : kKnownProblems)
            expected << QString::fromUtf8(line).replace(QStringLiteral("%1"), dir.path());
        QCOMPARE(Lines(check), expected);
        QCOMPARE(check.summary.errors, 5);
        QCOMPARE(check.summary.aircraft, 10);
        QCOMPARE(check.summary.clean, 2);  // Clean and TWIN
        const auto [text, status] = RunProgram({"--format", "json", dir.path()});
        QCOMPARE(status, 1);
        QCOMPARE(QJsonDocument::fromJson(text.toUtf8())["problems"].toArray().size(), expected.size());
    }

    // Mistakes named as what they are, each problem of a file beside its errors.
    void namedMistakes()
    {
        QTemporaryDir dir;
        WriteNamedMistakes(dir.path());
        QStringList expected;
        for (const char *line : kNamedMistakes)
            expected << QString::fromUtf8(line).replace(QStringLiteral("%1"), dir.path());
        QCOMPARE(Lines(CheckDataFolder(DataPaths{dir.path()})), expected);
    }

    // In English every message of the check is English: no Russian word is left.
    void englishMessages()
    {
        QTemporaryDir dir;
        WriteKnownProblems(dir.path());
        WriteNamedMistakes(dir.path());
        WriteFixtureCraft(dir.path(), QStringLiteral("Blank"));
        WriteFile(dir.path() + "/DataTurn/Blank_turn.txt", "\t\r\n\t\r\n\t\r\n\t\r\n\t\r\n\t\r\n");
        WriteFile(dir.path() + "/DataTurn/Stray.txt", "");
        const auto [text, status] = RunProgram({"--lang", "en", dir.path()});
        QCOMPARE(status, 1);
        for (const QString &line : text.split(u'\n'))
            QVERIFY2(!line.contains(QRegularExpression(QStringLiteral("\\p{Cyrillic}"))), qPrintable(line));
        QVERIFY(text.contains(QStringLiteral("speed 250 repeats the one before")));
        QCOMPARE(text.count(QStringLiteral(": warning: ")), 16);  // every kind of warning
    }

    // A folder that is there but can't be listed is an error, never a clean check.
    void unreadableFolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("asFile");  // a file in its place; else a folder no one may read
        QTest::newRow("DataSpeed a file") << "DataSpeed" << true;
        QTest::newRow("DataWeapon a file") << "DataWeapon" << true;
        if (::geteuid() != 0) {  // the owner of everything reads any folder
            QTest::newRow("DataSpeed unreadable") << "DataSpeed" << false;
            QTest::newRow("DataTurn unreadable") << "DataTurn" << false;
        }
    }
    void unreadableFolders()
    {
        QFETCH(QString, folder);
        QFETCH(bool, asFile);
        QTemporaryDir dir;
        WriteFixtureCraft(dir.path(), QStringLiteral("A"));
        const QString path = dir.path() + u'/' + folder;
        if (asFile) {
            QVERIFY(QDir(path).removeRecursively());
            WriteFile(path, "");
        } else {
            QVERIFY(QFile::setPermissions(path, {}));
        }
        const auto [text, status] = RunProgram({dir.path()});
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(status, 1);
        // Named once, with no word about files it keeps from being read.
        QVERIFY2(text.startsWith(folder + QStringLiteral("/: error: ")) || text.contains(u'\n' + folder + QStringLiteral("/: error: ")), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral(": warning: ")), qPrintable(text));
    }

    void sampleDataClean()
    {
        QCOMPARE(RunProgram({kSample}), std::make_pair(QStringLiteral("0 errors, 0 warnings in 0 files; 14 of 14 aircraft clean\n"), 0));
        QCOMPARE(RunProgram({kSample + "/DataSpeed"}).second, 2);
    }

    // Damage of a few kinds, at places that vary: the first error listed for each aircraft
    // is the one `--export` of it reports.
    void firstErrorIsTheExportsError()
    {
        QTemporaryDir dir, out;
        const QString root = dir.path();
        const QByteArray damage[][2] = {
            {"500\t", "5OO\t"}, {"15.5", "1e99999"}, {"\t12\t", "\tq\t"}, {"\r\n22\t", "\r\n0\t"},
            {"V_turn: 300", "V_turn: -"}, {"22\t20\t19", "22\t20\t19x"}, {"13.25\t\r\n3000", "\r\n3000"},
            {"200\t250", "200\t2,5"}, {"\t20\t19\t20", "\t1e-4000\t19\t20"},
            {"\r\n22\t20\t19\t20\t22\t\r\n", "\r\n"},  // with the rows after it cut: rows missing
        };
        QStringList names;
        for (int i = 0; i < 50; ++i) {
            const QString name = QStringLiteral("Hurt-%1").arg(i);
            WriteFixtureCraft(root, name, i);
            const auto &[from, to] = damage[i % 10];
            const bool speed = i % 10 < 2 || i % 10 == 6;
            QFile file(root + (speed ? "/DataSpeed/" + name + "_speed.txt" : "/DataTurn/" + name + "_turn.txt"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QByteArray bytes = file.readAll();
            file.close();
            // The damage at its first, second or last place.
            const qsizetype at = i / 10 % 3 == 2 ? bytes.lastIndexOf(from) : bytes.indexOf(from, i / 10 % 3 ? bytes.indexOf(from) + 1 : 0);
            bytes.replace(at < 0 ? bytes.indexOf(from) : at, from.size(), to);
            if (i % 10 == 5)  // a bad value of flaps 1 before it: not shown with no flaps
                bytes.replace("\r\n21\t", "\r\n2!\t");
            if (i % 10 == 9)
                bytes.truncate(bytes.indexOf(to) + to.size());
            WriteFile(file.fileName(), bytes);
            names << name;
        }
        const DataCheck check = CheckDataFolder(DataPaths{root});
        for (const QString &name : names) {
            const auto first = std::find_if(check.problems.begin(), check.problems.end(), [&](const DataProblem &p) {
                return p.aircraft == name && p.severity == DataProblem::Severity::Error;
            });
            QVERIFY2(first != check.problems.end(), qPrintable(name));
            ExportOptions options;
            options.outDir = FileName(out.path() + "/" + name);
            options.first = name;
            options.size = QSize(200, 150);
            const ExportOutcome exported = RunExport(options, FileName(root));
            QVERIFY2(exported.exitCode == 1, qPrintable(name + ": " + first->boxText));
            QCOMPARE(QStringLiteral("varnel: ") + OneLineMessage(first->boxText), exported.error);
        }
    }

    // The status panel after the designed ones, the dialog with the same problems, a
    // double click that opens the file, and F5 that brings the dialog up to date.
    void windowShowsTheCheck()
    {
        QTemporaryDir dir;
        WriteKnownProblems(dir.path());
        auto w = ScannedWindow(dir.path());
        const QList<QLabel *> panels = w->stat_Main->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(panels.size(), 4);
        CheckView *view = w->DataCheckView();
        // Not made while the scan ran: once the window has run what the scan left.
        QCOMPARE(view->CheckCount(), 0);
        QTRY_VERIFY(!view->panel->isHidden());
        QCOMPARE(view->CheckCount(), 1);
        QCOMPARE(view->panel->text(), CheckStatusText(view->Last().summary));
        QCOMPARE(w->panel0->width(), 200);
        // At the window's designed width the panel's text stands whole beside the three.
        w->resize(831, 611);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTRY_VERIFY2(view->panel->width() >= view->panel->sizeHint().width(), "the panel's text is cut");
        view->action->trigger();
        QTableWidget *table = view->dialog->table;
        QCOMPARE(table->rowCount(), int(std::size(kKnownProblems)));
        table->sortByColumn(CheckDialog::LineColumn, Qt::DescendingOrder);
        QCOMPARE(table->item(0, CheckDialog::LineColumn)->text(), QStringLiteral("11"));
        QUrl opened;
        view->dialog->openUrl = [&](const QUrl &url) { opened = url; };
        emit table->cellDoubleClicked(0, CheckDialog::MessageColumn);
        QCOMPARE(opened, QUrl::fromLocalFile(dir.path() + "/DataTurn/Summary_turn.txt"));

        Edit(dir.path() + "/DataTurn/Summary_turn.txt", "25O", "250");
        w->ReloadData();
        QCOMPARE(table->rowCount(), int(std::size(kKnownProblems)) - 1);
        view->dialog->close();
        QDir::setCurrent(kSample);
        w->SetDataFolder(FileName(kSample));
        w->ReloadData();
        // Asked for before it was due to show: made then, the panel with it.
        QVERIFY(view->Last().problems.isEmpty());
        QVERIFY(view->panel->isHidden());
    }

    // A switch of language says the open dialog's words again at once, the check's own
    // messages with them.
    void dialogFollowsLanguage()
    {
        QTemporaryDir dir;
        WriteKnownProblems(dir.path());
        auto w = ScannedWindow(dir.path());
        CheckView *view = w->DataCheckView();
        view->Open();
        w->SetLanguage(QStringLiteral("en"));
        const CheckDialog *dialog = view->dialog;
        const QRegularExpression russian(QStringLiteral("\\p{Cyrillic}"));
        QStringList words{dialog->windowTitle(), dialog->summary->text()};
        for (int c = 0; c < dialog->table->columnCount(); ++c)
            words << dialog->table->horizontalHeaderItem(c)->text();
        for (int r = 0; r < dialog->table->rowCount(); ++r)
            words << dialog->table->item(r, CheckDialog::SeverityColumn)->text() << dialog->table->item(r, CheckDialog::MessageColumn)->text();
        w->SetLanguage(QStringLiteral("ru"));
        QCOMPARE(words.first(), QStringLiteral("Data check"));
        for (const QString &text : words)
            QVERIFY2(!text.contains(russian), qPrintable(text));
        QCOMPARE(view->CheckCount(), 1);
    }
};

QTEST_MAIN(AppCheck)
#include "app_check.moc"
