// The data-file readers: lines, fields, numbers and the summary lookups.
#include <sys/stat.h>
#include "core/error.h"
#include "catalogue/aircraft.h"
#include "catalogue/readers.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "support.h"


Q_DECLARE_METATYPE(long double)

using namespace Qt::StringLiterals;

namespace {
// Six table rows, then the given summary rows.
QByteArray TurnFile(const QByteArray &summary)
{
    return "200\t300\t\n5\t6\t\n20\t19\t\n\t\t\n\t\t\n\t\t\n" + summary;
}

// The quotient rule written out with the C library's printing: 15 significant digits,
// cut to thousandths, read back.
long double PrintedCut(long double q)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", q);
    std::string text(buf[0] == '-' ? buf + 1 : buf);
    const int exponent = std::stoi(text.substr(text.find('e') + 1));
    std::string digits = text.substr(0, 1) + text.substr(2, 14);
    const int keep = exponent + 4;
    if (keep <= 0)
        return 0;
    digits.resize(std::min(digits.size(), size_t(keep)));
    const long double x = std::strtold((digits + "e" + std::to_string(keep - int(digits.size()) - 3)).c_str(), nullptr);
    return x == 0 ? 0 : buf[0] == '-' ? -x : x;
}
} // namespace

class CatalogueReaders : public QObject {
    Q_OBJECT

private slots:
    void splitTextLines_data();
    void splitTextLines();
    void windows1251Text();
    void readTextLinesFailure();
    void fileLongerThanItsSizeReadWhole();
    void nodeDataLoadsBothFiles();
    void cutField_data();
    void cutField();
    void splitSpeedRow_data();
    void splitSpeedRow();
    void readValue_data();
    void readValue();
    void readValueRejects_data();
    void readValueRejects();
    void threeDecimalsAsWritten_data();
    void threeDecimalsAsWritten();
    void quotientsAsPrinted();
    void plainNumbersAsTheLibraryReadsThem();
    void turnValue_data();
    void turnValue();
    void turnValueNotANumber_data();
    void turnValueNotANumber();
    void craftValue_data();
    void craftValue();
};

void CatalogueReaders::splitTextLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("lf, final break adds no line") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("lone cr") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed breaks") << QByteArray("a\r\r\nb\n\rc") << QStringList{"a", "", "b", "", "c"};
    QTest::newRow("empty rows kept") << QByteArray("a\n\n\nb") << QStringList{"a", "", "", "b"};
    QTest::newRow("only a break") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("nul ends the text") << QByteArray("a\nb\0c\nd", 7) << QStringList{"a", "b"};
    QTest::newRow("nul at start") << QByteArray("\0a\n", 3) << QStringList{};
    QTest::newRow("spaces and tabs kept") << QByteArray(" x\t \n") << QStringList{" x\t "};
    // UTF-8 when marked so or valid UTF-8 with a non-ASCII byte; Windows-1251 otherwise.
    QTest::newRow("utf-8") << QByteArray("\xD0\x91\xD0\xBE\xD1\x80\xD0\xB0\t1\n") << QStringList{u"Бора\t1"_s};
    QTest::newRow("utf-8 mark, ascii") << QByteArray("\xEF\xBB\xBF" "0=750\n") << QStringList{"0=750"};
    QTest::newRow("windows-1251") << QByteArray("\xC1\xEE\xF0\xE0\t1\n") << QStringList{u"Бора\t1"_s};
    QTest::newRow("utf-8 but one byte: windows-1251")
        << QByteArray("\xD0\x91\n\xC1\n") << QStringList{u"Р‘"_s, u"Б"_s};
}

void CatalogueReaders::splitTextLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(SplitTextLines(bytes), lines);
}

void CatalogueReaders::windows1251Text()
{
    // "Бора ёЁ", "Ям-1" in Windows-1251.
    const QStringList lines = SplitTextLines("\xC1\xEE\xF0\xE0 \xB8\xA8\r\n\xDF\xEC-1");
    QCOMPARE(lines, (QStringList{QString::fromUtf8("Бора ёЁ"), QString::fromUtf8("Ям-1")}));
}

void CatalogueReaders::readTextLinesFailure()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing.txt");
    const QString message = ErrorOf([&] { ReadTextLines(path); });
    const QString head = "Cannot open file \"" + QDir::toNativeSeparators(path) + "\". ";
    QVERIFY2(message.startsWith(head), qPrintable(message));
    QVERIFY2(message.size() > head.size(), "the system's reason follows the path");

    // A pipe named like a data file is refused at once instead of blocking the reader.
    const QString fifo = dir.filePath("pipe_turn.txt");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(ErrorOf([&] { ReadTextLines(fifo); }),
             "Cannot open file \"" + QDir::toNativeSeparators(fifo) + "\". Not a regular file");
}

// A regular file the system gives no size for (as /proc does) is read to its end, not
// to the size it was said to have.
void CatalogueReaders::fileLongerThanItsSizeReadWhole()
{
    const FileName status = FileName::FromBytes("/proc/self/status");
    if (!RegularFileExists(status))
        QSKIP("no /proc");
    const QStringList lines = ReadTextLines(status);
    QVERIFY(lines.size() > 5);
    QVERIFY(lines.first().startsWith("Name:"));
}

void CatalogueReaders::nodeDataLoadsBothFiles()
{
    QTemporaryDir dir;
    const DataPaths paths{dir.path()};
    WriteFile(paths.speedFile("A"), "0\t500\t\n1000\t520\t\n");
    WriteFile(paths.turnFile("A"), TurnFile("T_turn: 20\n"));
    const AircraftPtr data = ReadAircraft(paths, "A");
    // The speed file's first row lacks its 100% speed; the turn file's seventh row holds T_turn.
    QCOMPARE(data->altitude.failure->message(), QString("'' is not a valid floating point value"));
    QCOMPARE(data->altitude.failure->row(), 0);
    QCOMPARE(data->summary[2].text, QString("20"));

    const QString message = ErrorOf([&] { ReadAircraft(paths, "B"); });
    QVERIFY2(message.contains(QDir::toNativeSeparators(paths.speedFile("B"))), qPrintable(message));
    WriteFile(paths.speedFile("C"), "0\t500\t\n");
    const QString noTurn = ErrorOf([&] { ReadAircraft(paths, "C"); });
    QVERIFY2(noTurn.contains(QDir::toNativeSeparators(paths.turnFile("C"))), qPrintable(noTurn));
}

void CatalogueReaders::cutField_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("rest");
    QTest::newRow("two fields") << "100\t200\t" << QStringList{"100", "200"} << "";
    QTest::newRow("empty fields") << "\t\t5\t" << QStringList{"", "", "5"} << "";
    // A row reads the same with or without its closing tab.
    QTest::newRow("no tab: the rest is the last field") << "300" << QStringList{"300", ""} << "";
    QTest::newRow("text after the last tab") << "1\t2" << QStringList{"1", "2", ""} << "";
    QTest::newRow("spaces after the last tab are no field") << "1\t  " << QStringList{"1", ""} << "";
}

void CatalogueReaders::cutField()
{
    QFETCH(QString, row);
    QFETCH(QStringList, fields);
    QFETCH(QString, rest);
    for (const QString &expected : fields)
        QCOMPARE(CutField(row), expected);
    QCOMPARE(row, rest);
}

void CatalogueReaders::splitSpeedRow_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("five fields") << "1000\t520\t14.2\t480\t11.7\t" << QStringList{"1000", "520", "14.2", "480", "11.7"};
    QTest::newRow("no final tab") << "1000\t520\t14.2\t480\t11.7" << QStringList{"1000", "520", "14.2", "480", "11.7"};
    QTest::newRow("trailing spaces") << "1000\t520\t14.2\t480\t11.7  " << QStringList{"1000", "520", "14.2", "480", "11.7  "};
    QTest::newRow("extra fields ignored") << "1\t2\t3\t4\t5\t6\t" << QStringList{"1", "2", "3", "4", "5"};
}

void CatalogueReaders::splitSpeedRow()
{
    QFETCH(QString, row);
    QFETCH(QStringList, fields);
    const SpeedRowFields f = SplitSpeedRow(row);
    QCOMPARE((QStringList{f.altitude, f.tasMax, f.rocMax, f.tas100, f.roc100}), fields);
}

void CatalogueReaders::readValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<long double>("value");
    QTest::newRow("cut, not rounded") << "1.23456" << 1.234L;
    QTest::newRow("1.2349 is not 1.235") << "1.2349" << 1.234L;
    QTest::newRow("toward zero when negative") << "-1.23456" << -1.234L;
    QTest::newRow("small negative") << "-0.0019" << -0.001L;
    QTest::newRow("below a thousandth") << "0.0009" << 0.0L;
    QTest::newRow("exponent") << "2.5E2" << 250.0L;
    QTest::newRow("negative exponent") << "15e-3" << 0.015L;
    QTest::newRow("spaces around") << "  7.5  " << 7.5L;
    QTest::newRow("plus sign") << "+3" << 3.0L;
    QTest::newRow("no fraction digits") << "5." << 5.0L;
    QTest::newRow("no integer digits") << ".5" << 0.5L;
}

void CatalogueReaders::readValue()
{
    QFETCH(QString, text);
    QFETCH(long double, value);
    const long double got = ReadValue(text);
    QVERIFY2(got == value, qPrintable(QString::number(double(got), 'g', 17)));
}

void CatalogueReaders::readValueRejects_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : {"12,5", "", "   ", "inf", "-inf", "nan", "NaN", "infinity", "0x10", "1e", "e5", "--1", "+-1",
                             "1 2", "1.2.3", ".", "-", "1\t", "1e5000", "1e-5000", "5d"})
        QTest::newRow(text[0] ? text : "empty") << QString::fromLatin1(text);
    QTest::newRow("unicode minus") << QString::fromUtf8("\u22121");
    QTest::newRow("arabic digit") << QString::fromUtf8("\u0661");
}

void CatalogueReaders::readValueRejects()
{
    QFETCH(QString, text);
    QCOMPARE(ErrorOf([&] { ReadValue(text); }), "'" + text + "' is not a valid floating point value");
}

void CatalogueReaders::threeDecimalsAsWritten_data()
{
    // A value whose binary form lies just below its decimal one keeps its last
    // thousandth; a turn time t gives the rate 360 / t.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("turnTime");
    QTest::addColumn<long double>("value");
    QTest::newRow("0.001") << "0.001" << false << 0.001L;
    QTest::newRow("0.126") << "0.126" << false << 0.126L;
    QTest::newRow("1.008") << "1.008" << false << 1.008L;
    QTest::newRow("1.005") << "1.005" << false << 1.005L;
    QTest::newRow("negative keeps its thousandth") << "-4.001" << false << -4.001L;
    QTest::newRow("cut after the exponent") << "1.234567E2" << false << 123.456L;
    QTest::newRow("exponent brings digits in") << "0.00126e2" << false << 0.126L;
    QTest::newRow("negative below a thousandth") << "-0.0009" << false << 0.0L;
    QTest::newRow("whole") << "12" << false << 12.0L;
    QTest::newRow("digits beyond extended precision") << "0.99999999999999999999999" << false << 0.999L;
    QTest::newRow("rate 360 / 0.36") << "0.36" << true << 1000.0L;
    QTest::newRow("rate 360 / 17.3") << "17.3" << true << 20.809L;
    QTest::newRow("rate 360 / 20") << "20" << true << 18.0L;
    QTest::newRow("rate 360 / 0.7") << "0.7" << true << 514.285L;
    QTest::newRow("rate 360 / -0.36") << "-0.36" << true << -1000.0L;
}

void CatalogueReaders::threeDecimalsAsWritten()
{
    QFETCH(QString, text);
    QFETCH(bool, turnTime);
    QFETCH(long double, value);
    long double seconds = 0;
    const long double got = turnTime && ParseNumber(text, seconds) ? CutQuotient(360.0L, seconds) : ReadValue(text);
    QVERIFY2(got == value, qPrintable(QString::number(double(got), 'g', 17)));
    QVERIFY(!std::signbit(got) || value < 0);
    // What the charts draw is the nearest double.
    QCOMPARE(double(got), double(QString::number(double(value), 'f', 3).toDouble()));
}

// Every turn time of three decimals up to 200 s, quotients across the magnitudes, and
// one whose 16th digit is an exact tie.
void CatalogueReaders::quotientsAsPrinted()
{
    QList<std::pair<long double, long double>> cases{{1.000030517578125L, 1}, {-1.000030517578125L, 1}};
    for (int n = 1; n <= 200000; ++n)
        cases.append({360.0L, n / 1000.0L});
    QRandomGenerator random(28);
    for (int i = 0; i < 20000; ++i)
        cases.append({std::ldexp((long double)random.generateDouble(), random.bounded(-20, 40)), 1 + random.generateDouble()});
    for (const auto &[dividend, divisor] : cases) {
        const long double got = CutQuotient(dividend, divisor), want = PrintedCut(dividend / divisor);
        if (got != want || std::signbit(got) != std::signbit(want))
            QFAIL(qPrintable(QStringLiteral("%1 / %2: %3, printed %4").arg(double(dividend), 0, 'g', 17).arg(double(divisor), 0, 'g', 17).arg(double(got), 0, 'g', 17).arg(double(want), 0, 'g', 17)));
    }
}

// Plain decimals of up to 18 digits, read by the quick path, give the extended value
// the C++ library reads from the same text, to the last bit and sign.
void CatalogueReaders::plainNumbersAsTheLibraryReadsThem()
{
    QStringList texts{"0", "-0", "+7", "5.", ".5", "-.125", "0.1", "43.6", "999999999999999999", "0.000000000000000001"};
    QRandomGenerator random(34);
    for (int i = 0; i < 20000; ++i) {
        QString digits = QString::number(random.generate64() % 1000000000000000000ULL).left(random.bounded(1, 19));
        digits.insert(random.bounded(int(digits.size()) + 1), u'.');
        texts << (random.bounded(2) ? "-" : "") + digits;
    }
    for (const QString &text : std::as_const(texts)) {
        long double got = 0, want = 0;
        const std::string ascii = text.startsWith(u'+') ? text.mid(1).toStdString() : text.toStdString();
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), want);
        if (!ParseNumber(text, got) || got != want || std::signbit(got) != std::signbit(want))
            QFAIL(qPrintable(text));
    }
}

void CatalogueReaders::turnValue_data()
{
    QTest::addColumn<QByteArray>("summary");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("rounded") << QByteArray("T_turn: 18.456\n") << "T_turn" << "18.46";
    QTest::newRow("whole number") << QByteArray("T_turn: 20\n") << "T_turn" << "20";
    QTest::newRow("tie to even down") << QByteArray("T_turn: 0.125\n") << "T_turn" << "0.12";
    QTest::newRow("tie to even up") << QByteArray("T_turn: 0.375\n") << "T_turn" << "0.38";
    QTest::newRow("tie in decimal, below it in binary") << QByteArray("T_turn: 2.675\n") << "T_turn" << "2.68";
    QTest::newRow("tie in decimal, above it in binary") << QByteArray("T_turn: 1.065\n") << "T_turn" << "1.06";
    QTest::newRow("negative tie") << QByteArray("T_turn: -0.125\n") << "T_turn" << "-0.12";
    QTest::newRow("rounds to whole") << QByteArray("T_turn: 19.999\n") << "T_turn" << "20";
    QTest::newRow("tiny is zero") << QByteArray("T_turn: -0.001\n") << "T_turn" << "0";
    QTest::newRow("plain, no exponent") << QByteArray("T_turn: 1e20\n") << "T_turn" << "100000000000000000000";
    QTest::newRow("15 digits") << QByteArray("T_turn: 1234567890123.456\n") << "T_turn" << "1234567890123.46";
    QTest::newRow("colon and space") << QByteArray("V_turn: 250\n") << "V_turn" << "250";
    QTest::newRow("space and equals") << QByteArray("V_turn =250\n") << "V_turn" << "250";
    QTest::newRow("value text starts with a space") << QByteArray("V_turn = 250\n") << "V_turn" << "250";
    QTest::newRow("equals, nothing around it") << QByteArray("V_turn=250\n") << "V_turn" << "250";
    QTest::newRow("colon, no space") << QByteArray("T_turn:19.9\n") << "T_turn" << "19.9";
    QTest::newRow("spaces around the colon") << QByteArray("T_turn  :  19.9\n") << "T_turn" << "19.9";
    QTest::newRow("separator after other text") << QByteArray("max T_turn: 19.9\n") << "T_turn" << "19.9";
    QTest::newRow("fixed cut after other text") << QByteArray("aV_turn 12345\n") << "V_turn" << "12345";
    QTest::newRow("first matching row wins") << QByteArray("X\nV_climb: 300\nV_climb: 310\n") << "V_climb" << "300";
    QTest::newRow("key is case-sensitive") << QByteArray("t_turn: 20\n") << "T_turn" << "";
    QTest::newRow("substring of another key") << QByteArray("Vz_climb: 15\nV_climb: 290\n") << "V_climb" << "290";
    QTest::newRow("key missing") << QByteArray("M_takeoff: 3000\n") << "T_turn" << "";
    QTest::newRow("only six rows") << QByteArray() << "T_turn" << "";
    QTest::newRow("seventh row found") << QByteArray("M_takeoff: 2950.5\n") << "M_takeoff" << "2950.5";
}

void CatalogueReaders::turnValue()
{
    QFETCH(QByteArray, summary);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const DataPaths paths{dir.path()};
    WriteFile(paths.turnFile("A"), TurnFile(summary));
    QCOMPARE(GetTurnValue(paths, "A", key), value);
    QCOMPARE(GetTurnValue(paths, "B", key), "unknown");
}

void CatalogueReaders::turnValueNotANumber_data()
{
    QTest::addColumn<QByteArray>("turnFile");
    QTest::addColumn<QString>("valueText");
    QTest::newRow("word") << TurnFile("T_turn: abc\n") << "abc";
    QTest::newRow("ends within two characters") << TurnFile("T_turn:\n") << "";
    QTest::newRow("comma") << TurnFile("T_turn: 18,5\n") << "18,5";
    // A key among the table rows is never found, so only the summary row counts.
    QTest::newRow("table rows skipped") << QByteArray("T_turn: 5\n\n\n\n\n\nT_turn: x\n") << "x";
    QTest::newRow("last table row skipped") << QByteArray("\n\n\n\n\nT_turn: 5\nT_turn: x\n") << "x";
}

void CatalogueReaders::turnValueNotANumber()
{
    QFETCH(QByteArray, turnFile);
    QFETCH(QString, valueText);
    QTemporaryDir dir;
    const DataPaths paths{dir.path()};
    WriteFile(paths.turnFile("A"), turnFile);
    QCOMPARE(ErrorOf([&] { GetTurnValue(paths, "A", "T_turn"); }),
             "'" + valueText + "' is not a valid floating point value.\nA: A_turn.txt, строка 7");
}

void CatalogueReaders::craftValue_data()
{
    QTest::addColumn<QByteArray>("craftFile");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("found") << QByteArray("name=X\n0=750\n") << "0" << "750";
    QTest::newRow("name is not trimmed") << QByteArray("0 =750\n") << "0" << "";
    QTest::newRow("empty value") << QByteArray("0=\n") << "0" << "";
    QTest::newRow("first row wins") << QByteArray("0=700\n0=750\n") << "0" << "700";
    QTest::newRow("value verbatim") << QByteArray("0= n/a \n") << "0" << " n/a ";
    QTest::newRow("only the first = splits") << QByteArray("0=a=b\n") << "0" << "a=b";
    QTest::newRow("case ignored") << QByteArray("VMax=600\n") << "vmAX" << "600";
    QTest::newRow("cyrillic case ignored") << QByteArray("\xD1\xCA\xCE\xD0=1\n") << QString::fromUtf8("скор") << "1";
    QTest::newRow("no row for the key") << QByteArray("1=750\n750\n") << "0" << "";
}

void CatalogueReaders::craftValue()
{
    QFETCH(QByteArray, craftFile);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const DataPaths paths{dir.path()};
    WriteFile(paths.craftFile("A"), craftFile);
    QCOMPARE(GetCraftValue(paths, "A", key), value);
    QCOMPARE(GetCraftValue(paths, "B", key), "unknown");
}

QTEST_GUILESS_MAIN(CatalogueReaders)
#include "catalogue_readers.moc"
