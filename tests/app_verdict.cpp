// The verdict page and `varnel --verdict`: the program's json says what the page shows,
// winning cells tinted; with an aircraft missing the page says so.
#include "pages/comparison_pages.h"
#include "pages/verdict_page.h"
#include "presentation/chart.h"
#include "pictures/share.h"
#include "support.h"
#include "verdict/verdict_format.h"

#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QTableWidget>
#include <QTest>

class AppVerdict : public QObject {
    Q_OBJECT
private slots:
    void jsonIsThePage()
    {
        const DataPaths paths{QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")};
        const AircraftPtr a = ReadAircraft(paths, FileName("Tarn-5")), b = ReadAircraft(paths, FileName("Skarn-7"));
        VerdictPage page;
        page.resize(1000, 1400);
        page.SetComparison(a, b, FlapSet().With(0).With(1));
        page.show();

        // The program itself, with no display to reach: it must not need one.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VARNEL_BINARY), {"--verdict", "--first", "Tarn-5", "--second", "Skarn-7", "--flaps", "0,1",
                                                "--format", "json", paths.start});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QJsonObject json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();

        // Speed every 1,000 m: each cell the json's number as the page writes it, the
        // better one (by 1 km/h or more) tinted in its aircraft's colour.
        const auto *speed = page.findChild<QTableWidget *>(QStringLiteral("tbl_speed"));
        const QJsonArray rows = json["byAltitude"].toArray();
        QVERIFY(speed && rows.size() >= 10);
        QCOMPARE(speed->rowCount(), rows.size());
        int tinted = 0;
        for (int r = 0; r < rows.size(); ++r) {
            const QJsonObject row = rows[r].toObject();
            QCOMPARE(speed->item(r, 0)->text(), VerdictNumber(row["altitude"].toDouble(), 0));
            const QJsonArray v = row["speed-100"].toArray();
            const double first = v[0].toDouble(), second = v[1].toDouble();
            QCOMPARE(speed->item(r, 1)->text(), VerdictNumber(first, 0));
            QCOMPARE(speed->item(r, 2)->text(), VerdictNumber(second, 0));
            const int win = std::abs(second - first) < 1 ? 0 : second > first ? 2 : 1;
            QCOMPARE(speed->item(r, win == 2 ? 2 : 1)->background().color(), win ? VerdictPage::Tint(win) : QColor());
            tinted += win != 0;
        }
        QVERIFY(tinted > 0);
        // The best turn time with flaps 1 of the second aircraft, and where.
        const auto *best = page.findChild<QTableWidget *>(QStringLiteral("tbl_best"));
        for (const QJsonValue &f : json["second"].toObject()["best"].toArray()) {
            const QJsonObject o = f.toObject();
            if (o["measure"].toString() != QLatin1String("turn-time") || o["flaps"].toString() != QLatin1String("1"))
                continue;
            QCOMPARE(best->item(6, 0)->text(), QStringLiteral("Время виража, закрылки 1"));
            QCOMPARE(best->item(6, 3)->text(), VerdictNumber(o["value"].toDouble(), 1) + QStringLiteral(" сек"));
            QCOMPARE(best->item(6, 4)->text(), QStringLiteral("при %1 км/ч").arg(o["at"].toDouble()));
        }
        // The sentences lead the page, one per pair.
        const QString said = page.findChild<QLabel *>(QStringLiteral("lbl_Verdict"))->text();
        QCOMPARE(said.count(QLatin1Char('\n')) + 1, json["pairs"].toArray().size());

        const QImage shot = page.grab().toImage();
        if (!qEnvironmentVariableIsEmpty("VARNEL_VERDICT_SHOT"))
            shot.save(qEnvironmentVariable("VARNEL_VERDICT_SHOT"));
        QVERIFY(PixelsOf(shot, VerdictPage::Tint(2).rgb()) > 0);
    }

    // "Copy data" on the verdict page copies its tables as `--verdict --format tsv`
    // prints them.
    // A refresh works only for what is seen: the hidden verdict page is not worked out
    // and the hidden pages' charts are not replotted; shown, each is brought up to date
    // once.
    void onlyWhatIsSeen()
    {
        const DataPaths paths{QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")};
        const AircraftPtr a = ReadAircraft(paths, FileName("Tarn-5")), b = ReadAircraft(paths, FileName("Skarn-7"));
        ComparisonPages pages;
        pages.resize(900, 700);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        const int replots = pages.chrt_TASbyAlt->ReplotCount();
        for (int i = 0; i < 3; ++i) {
            pages.SetComparison(i % 2 ? a : b, i % 2 ? b : a, FlapSet::All());
            QCoreApplication::processEvents();
        }
        pages.Retranslate();  // nor a switch of language or units
        pages.ShowUnits();
        QCOMPARE(pages.tab_Verdict->ComputeCount(), 0);
        QCOMPARE(pages.chrt_TASbyAlt->ReplotCount(), replots);
        QVERIFY(pages.ch_C1->Curve(0)->dataCount() > 0);

        pages.setCurrentWidget(pages.tab_Verdict);
        QCoreApplication::processEvents();
        QCOMPARE(pages.tab_Verdict->ComputeCount(), 1);
        pages.setCurrentWidget(pages.tab_SpeedByAlt);
        QTRY_VERIFY(pages.chrt_TASbyAlt->ReplotCount() > replots);
        QCOMPARE(pages.chrt_TASbyAlt->Curve(0)->dataCount(), pages.ch_C1->Curve(0)->dataCount());
        // Worked out once, the hidden page is written again in other units, not redone.
        const QLabel *said = pages.tab_Verdict->findChild<QLabel *>(QStringLiteral("lbl_Verdict"));
        const QString metric = said->text();
        SetShownUnits(UnitSystem::Imperial);
        pages.ShowUnits();
        SetShownUnits(UnitSystem::Metric);
        QVERIFY(said->text() != metric);
        QCOMPARE(pages.tab_Verdict->ComputeCount(), 1);
    }

    void copyDataIsTheTsv()
    {
        const DataPaths paths{QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")};
        const AircraftPtr a = ReadAircraft(paths, FileName("Tarn-5")), b = ReadAircraft(paths, FileName("Skarn-7"));
        QWidget host;
        auto *pages = new ComparisonPages(&host);
        pages->SetComparison(a, b, FlapSet::NoFlaps().With(2));
        ChartSharing sharing(host, *pages, {});
        pages->setCurrentWidget(pages->tab_Verdict);
        QCOMPARE(sharing.KeyTarget(), pages->tab_Verdict);
        sharing.Run(ChartSharing::CopyData, sharing.KeyTarget());

        QProcess p;
        p.start(QStringLiteral(VARNEL_BINARY), {"--verdict", "--first", "Tarn-5", "--second", "Skarn-7", "--flaps", "0,2",
                                                "--format", "tsv", paths.start});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QString tsv = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(tsv.count(QLatin1Char('\t')) > 100);
        QCOMPARE(QApplication::clipboard()->text(), tsv);
    }

    // An aircraft the data do not hold: status 1 and one line on stderr, nothing on stdout.
    void unknownAircraftIsOneErrorLine()
    {
        QProcess p;
        p.start(QStringLiteral(VARNEL_BINARY), {"--verdict", "--first", "Nobody", "--second", "Skarn-7",
                                                QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardOutput().isEmpty());
        const QByteArray error = p.readAllStandardError();
        QVERIFY2(error.contains("Nobody") && error.count('\n') == 1, error.constData());
    }

    void saysWhatIsMissing()
    {
        const DataPaths paths{QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")};
        const AircraftPtr b = ReadAircraft(paths, FileName("Skarn-7"));
        VerdictPage page;
        page.show();
        page.SetComparison(nullptr, b, FlapSet::NoFlaps());
        QVERIFY(page.findChild<QLabel *>(QStringLiteral("lbl_Verdict"))->text().contains(QStringLiteral("Skarn-7")));
        for (const QTableWidget *table : page.findChildren<QTableWidget *>())
            QVERIFY(table->isHidden());
        const AircraftPtr a = ReadAircraft(paths, FileName("Tarn-5"));
        page.SetComparison(a, b, FlapSet().With(3));
        QCOMPARE(page.findChild<QTableWidget *>(QStringLiteral("tbl_best"))->rowCount(), 7);  // five, then flaps 3 twice
        QVERIFY(!page.findChild<QTableWidget *>(QStringLiteral("tbl_best"))->isHidden());
        page.SetComparison(nullptr, nullptr, FlapSet::NoFlaps());
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("lbl_Verdict"))->text(), MissingText(Verdict{}));
    }
};

QTEST_MAIN(AppVerdict)
#include "app_verdict.moc"
