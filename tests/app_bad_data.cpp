// Damaged data directories as people leave them after editing by hand, each run through
// the real window: the catalogue scan, and where the damage only shows when the charts
// are filled, the refresh of the damaged aircraft. Each must end in the error box the
// program defines, or in the behaviour it defines, and never in a crash or a hang. The
// large files are written here at run time.
#include "cli/export_command.h"
#include "pages/application.h"
#include "cli/command_line.h"
#include "window/main_window.h"
#include "cli/named_crafts.h"
#include "pages/verdict_page.h"
#include "app_fixture.h"
#include "presentation/chart.h"

#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QTest>
#include <QTableWidget>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Damage done to a data directory that holds the good aircraft Alpha and Bravo.
using Damage = std::function<void(const QString &root)>;
Q_DECLARE_METATYPE(Damage)

namespace {

// The text a tool tip shows for a help event at pos on widget: rich text as rendered.
QString ShownToolTip(QWidget *widget, QPoint pos)
{
    QHelpEvent help(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
    QCoreApplication::sendEvent(widget, &help);
    const QString tip = QToolTip::text();
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument doc;
    doc.setHtml(tip);
    return doc.toPlainText();
}

// Alpha's turn file as the fixture writes it: six table rows, then the summary rows.
const QByteArray kTurnRows = "200\t250\t300\t350\t400\t\r\n"
                             "10\t12\t14\t13\t11\t\r\n"
                             "22\t20\t19\t20\t22\t\r\n"
                             "21\t19\t18\t\t\t\r\n"
                             "20\t18\t\t\t\t\r\n"
                             "19\t\t\t\t\t\r\n";
const QByteArray kSummary = "M_takeoff: 3000\r\nT_turn: 19.456\r\nV_turn: 300\r\nVz_climb: 14.2\r\nV_climb: 250\r\n";

const QString kSpeed = u"DataSpeed/Alpha_speed.txt"_s;
const QString kTurn = u"DataTurn/Alpha_turn.txt"_s;

void WriteTwoAircraft(const QString &root)
{
    WriteFixtureCraft(root, u"Alpha"_s);
    WriteFixtureCraft(root, u"Bravo"_s, 40);
}

void Write(const QString &root, const QString &relative, const QByteArray &bytes)
{
    WriteFile(root + u'/' + relative, bytes);
}

// Replaces a file by a directory of the same name.
void MakeDirectory(const QString &root, const QString &relative)
{
    QFile::remove(root + u'/' + relative);
    QDir().mkpath(root + u'/' + relative);
}

QByteArray Replaced(QByteArray bytes, const QByteArray &before, const QByteArray &after)
{
    return bytes.replace(before, after);
}

// The error text for a file the program could not open, as the box shows it; <dir>
// stands for the data directory.
QString CannotOpen(const QString &relative, const QString &reason)
{
    return u"Cannot open file \"%1\". %2."_s.arg(QDir::toNativeSeparators(u"<dir>/"_s + relative), reason);
}


// Whether a box text is made of the program's own error texts: one line per failure,
// a full stop added after the last.
bool IsKnownErrorText(QString text)
{
    static const QRegularExpression line(u"\\A(?:'.*' is not a valid floating point value"
                                         u"|List index out of bounds \\(\\d+\\)"
                                         u"|Floating point division by zero"
                                         u"|Floating point overflow"
                                         u"|Alpha: Alpha_(?:speed|turn)\\.txt, row \\d+(?:, column \\d+)?"
                                         u"|Cannot open file \".*\"\\. .+"
                                         u"|\\.\\.\\. and \\d+ more)\\z"_s);
    for (QString l : text.split(u'\n')) {
        if (l.endsWith(u'.'))
            l.chop(1);
        if (!line.match(l).hasMatch())
            return false;
    }
    return true;
}

QByteArray RandomBytes(QRandomGenerator &rng, int size, bool withNul)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes) {
        b = char(rng.bounded(256));
        if (!withNul && b == 0)
            b = '\r';
    }
    return bytes;
}

}  // namespace

class AppBadDataTest : public QObject {
    Q_OBJECT

    QStringList messages_;

    // A window whose scan has run over the data directory root.
    static std::unique_ptr<Tfrm_Main> scan(const QString &root) { return ScannedWindow(root); }

    // Selects an aircraft as the user does and lets the charts catch up.
    static void select(QTreeWidget *tree, QTreeWidgetItem *item)
    {
        tree->setCurrentItem(item);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        messages_.clear();
        SetErrorBoxHook([this](const QString &text) { messages_ << text; });
    }
    void cleanup()
    {
        SetErrorBoxHook(nullptr);
        QDir::setCurrent(QDir::tempPath());
    }

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
            << u"'19,456' is not a valid floating point value.\nAlpha: Alpha_turn.txt, row 8."_s << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("summary value out of range")
            << Damage([](const QString &r) { Write(r, kTurn, kTurnRows + Replaced(kSummary, "19.456", "1e5000")); })
            << u"'1e5000' is not a valid floating point value.\nAlpha: Alpha_turn.txt, row 8."_s << bravo << u"crafts loaded: 1"_s << QStringList();
        QTest::newRow("summary row ends at its key")
            << Damage([](const QString &r) { Write(r, kTurn, kTurnRows + Replaced(kSummary, ": 19.456", ":")); })
            << u"'' is not a valid floating point value.\nAlpha: Alpha_turn.txt, row 8."_s << bravo << u"crafts loaded: 1"_s << QStringList();
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
            << QStringList{u"вооружение:"_s, u"макс. скор. в пике:  км/ч"_s, u"взлетный вес: 3000 кг"_s,
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
            return ErrorBoxText(message) + u"\nAlpha: Alpha_speed.txt, row %1, column %2."_s.arg(row).arg(column);
        };
        const auto turnRow = [](const QString &message, int row, int column = -1) {
            const QString where = column < 0 ? QString() : u", column %1"_s.arg(column);
            return ErrorBoxText(message) + u"\nAlpha: Alpha_turn.txt, row %1%2."_s.arg(row).arg(where);
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
        const bool tables = !w->pages_Charts->tab_Verdict->findChild<QTableWidget *>(u"tbl_speed"_s)->isHidden();
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
                 u"'fast' is not a valid floating point value. (Alpha: Alpha_turn.txt, row 8.)"_s);
    }
};

QTEST_MAIN(AppBadDataTest)
#include "app_bad_data.moc"
