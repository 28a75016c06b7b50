// The verdict page and `varnel --verdict`: the program's json says what the page shows,
// winning cells tinted; with an aircraft missing the page says so.
#include "app_fixture.h"
#include "pages/comparison_pages.h"
#include "pages/ranking_page.h"
#include "window/main_window.h"
#include "window/tree_state.h"
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
#include <QTableView>
#include <QHeaderView>
#include <QPushButton>
#include <QDoubleSpinBox>
#include <QRegularExpression>
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
        ComparisonPages pages(View{});
        pages.resize(900, 700);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        const int replots = pages.chrt_TASbyAlt->ReplotCount();
        for (int i = 0; i < 3; ++i) {
            pages.SetComparison(i % 2 ? a : b, i % 2 ? b : a, FlapSet::All());
            QCoreApplication::processEvents();
        }
        pages.Retranslate();  // nor a switch of language or units
        pages.SetView({UnitSystem::Knots});
        pages.SetView({});
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
        SetShownUnits(UnitSystem::Imperial);  // the verdict still reads the units kept
        pages.SetView({UnitSystem::Imperial});
        SetShownUnits(UnitSystem::Metric);
        QVERIFY(said->text() != metric);
        QCOMPARE(pages.tab_Verdict->ComputeCount(), 1);
    }

    void copyDataIsTheTsv()
    {
        const DataPaths paths{QStringLiteral(VARNEL_SOURCE_DIR "/sample-data")};
        const AircraftPtr a = ReadAircraft(paths, FileName("Tarn-5")), b = ReadAircraft(paths, FileName("Skarn-7"));
        QWidget host;
        auto *pages = new ComparisonPages(View{}, &host);
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

    // The ranking page in the window: Ctrl+8 after the verdict, the first tree's aircraft
    // against every other, tinted as the verdict tints, worked out only while shown;
    // the tracker's altitude taken; a double click compares that row's aircraft; copy
    // gives the tsv; English and imperial say no Russian but names.
    void rankingPage()
    {
        auto w = ScannedWindow(QStringLiteral(VARNEL_SOURCE_DIR "/sample-data"));
        w->resize(1200, 800);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        RankingPage *page = w->tab_Ranking;
        QCOMPARE(w->pages_Charts->indexOf(page), w->pages_Charts->indexOf(w->pages_Charts->tab_Verdict) + 1);
        QVERIFY(ChooseCraft(w->tree_Crafts_1, QStringLiteral("Skarn-7")));
        QVERIFY(ChooseCraft(w->tree_Crafts_1, QStringLiteral("Tarn-5")));
        QCOMPARE(page->ComputeCount(), 0);
        QTest::keyClick(w.get(), Qt::Key_8, Qt::ControlModifier);
        QCOMPARE(w->pages_Charts->currentWidget(), page);
        QCOMPARE(page->ComputeCount(), 1);
        auto *table = page->findChild<QTableView *>(QStringLiteral("tbl_Ranking"));
        const QAbstractItemModel *model = table->model();
        QCOMPARE(model->rowCount(), 14);  // the reference, then the 13 others
        const Ranking &r = page->Shown();
        for (int row = 1; row < model->rowCount(); ++row)
            for (size_t c = 0; c < r.columns.size(); ++c) {
                const RankResult result = r.rows[size_t(row - 1)].cells[c].result;
                const QVariant back = model->index(row, int(c) + 2).data(Qt::BackgroundRole);
                const int tint = result == RankResult::Better ? 2 : result == RankResult::Worse ? 1 : 0;
                QCOMPARE(back.isValid() ? back.value<QColor>() : QColor(), tint ? VerdictPage::Tint(tint) : QColor());
            }
        // Sorted by the speed at 100 %, fastest first, the reference kept on top.
        table->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Tarn-5"));
        QVERIFY(model->index(1, 2).data().toString().startsWith(QStringLiteral("604")));

        // The altitude last under the mouse on a chart of altitudes.
        TChart *speed = w->pages_Charts->chrt_TASbyAlt;
        w->pages_Charts->setCurrentWidget(w->pages_Charts->tab_SpeedByAlt);
        QCoreApplication::processEvents();  // its curves and axes brought up to date
        const QPoint at = speed->PlotArea().center();
        const double altitude = speed->yAxis->pixelToCoord(at.y());
        QTest::mouseMove(speed, at);
        w->pages_Charts->setCurrentWidget(page);
        page->findChild<QPushButton *>(QStringLiteral("btn_FromTracker"))->click();
        QCOMPARE(page->findChild<QDoubleSpinBox *>(QStringLiteral("fld_Altitude"))->value(), std::round(altitude));
        QCOMPARE(page->Shown().altitude, altitude);

        auto *sharing = w->findChild<ChartSharing *>();
        sharing->Run(ChartSharing::CopyData, sharing->KeyTarget());
        QCOMPARE(QApplication::clipboard()->text(), page->Tsv());
        QVERIFY(page->Tsv().startsWith(QStringLiteral("ranking\nname\twins\t")));
        if (!qEnvironmentVariableIsEmpty("VARNEL_RANKING_SHOT"))
            w->grab().save(qEnvironmentVariable("VARNEL_RANKING_SHOT"));

        w->SetLanguage(QStringLiteral("en"));
        w->SetUnits(UnitSystem::Imperial);
        QString seen = w->pages_Charts->tabText(w->pages_Charts->indexOf(page));
        for (const QLabel *label : page->findChildren<QLabel *>())
            seen += label->text();
        for (const QAbstractItemView *view : page->findChildren<QTableView *>())
            for (int row = 0; row < view->model()->rowCount(); ++row)
                for (int c = 0; c < view->model()->columnCount(); ++c)
                    seen += view->model()->headerData(c, Qt::Horizontal).toString() + view->model()->index(row, c).data().toString();
        for (const QDoubleSpinBox *field : page->findChildren<QDoubleSpinBox *>())
            seen += field->text();
        w->SetUnits(UnitSystem::Metric);
        w->SetLanguage(QStringLiteral("ru"));
        seen.remove(QStringLiteral("Вереск-3"));
        QVERIFY2(!seen.contains(QRegularExpression(QStringLiteral("\\p{Cyrillic}|km/h|m/s|\\d m\\b"))), qPrintable(seen));
        QVERIFY(seen.contains(QStringLiteral("ft")));

        // Hidden, the page is not worked out; a double click chooses the second aircraft.
        w->pages_Charts->setCurrentWidget(w->pages_Charts->tab_Common);
        const int computed = page->ComputeCount();
        QVERIFY(ChooseCraft(w->tree_Crafts_1, QStringLiteral("Skarn-7")));
        QVERIFY(ChooseCraft(w->tree_Crafts_1, QStringLiteral("Tarn-5")));
        QCOMPARE(page->ComputeCount(), computed);
        w->pages_Charts->setCurrentWidget(page);
        const QModelIndex second = model->index(1, 0);
        const QString name = second.data().toString();
        emit table->doubleClicked(second);
        QCOMPARE(w->ChosenCrafts()[1]->name, name);
        QCOMPARE(w->pages_Charts->currentWidget(), w->pages_Charts->tab_Verdict);
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
