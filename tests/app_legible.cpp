// Everything read whole and legible: on a dark desktop palette the trees' text, the
// charts' curves and labels and the verdict's strips stand out from what they are drawn
// on, measured on the window's pictures; a flap label at a curve's right end is not
// cut; the check dialog shows its messages whole.
#include "app_fixture.h"
#include "pages/verdict_page.h"
#include "pages/verdict_strips.h"
#include "presentation/chart.h"
#include "presentation/contrast.h"
#include "window/check_dialog.h"
#include "window/craft_tree.h"
#include "window/flap_button.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

namespace {
QPalette DarkPalette()
{
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, QColor(0xE8, 0xE8, 0xE8));
    p.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    return p;
}

// The sample pair with every flap setting shown, on the turn-time page.
std::unique_ptr<Tfrm_Main> ComparingWindow()
{
    auto w = ScannedWindow(QStringLiteral(VARNEL_SOURCE_DIR "/sample-data"));
    w->resize(1000, 700);
    w->show();
    w->tree_Crafts_1->setCurrentItem(FindRoot(w->tree_Crafts_1, "Tarn-5"));
    w->tree_Crafts_2->setCurrentItem(FindRoot(w->tree_Crafts_2, "Skarn-7"));
    for (MarkButton *b : {w->btn_Turn2, w->btn_Turn3, w->btn_Turn4})
        w->SwitchTurnButton(b);
    return w;
}

// The chart as drawn now, with the texts of its marks.
QImage Drawn(TChart *chart)
{
    chart->SyncNow();
    chart->replot(QCustomPlot::rpImmediateRefresh);
    return chart->grab().toImage();
}

QList<QCPItemText *> Labels(TChart *chart, const QString &start)
{
    QList<QCPItemText *> out;
    for (int i = 0; i < chart->itemCount(); ++i)
        if (auto *text = qobject_cast<QCPItemText *>(chart->item(i)); text && text->visible() && text->text().startsWith(start))
            out << text;
    return out;
}
}  // namespace

class AppLegible : public QObject {
    Q_OBJECT
private slots:
    void darkPaletteIsLegible()
    {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        auto w = ComparingWindow();
        for (const CraftTree *tree : {w->tree_Crafts_1, w->tree_Crafts_2})
            QVERIFY(ContrastRatio(tree->palette().color(QPalette::Text), tree->palette().color(QPalette::Base)) >= 4.5);

        // Every curve 3:1 and every label's text 4.5:1 against the chart's ground.
        ComparisonPages &pages = *w->pages_Charts;
        for (TChart *chart : {pages.chrt_TurnbySpeed, pages.chrt_FunPlot}) {
            pages.setCurrentWidget(chart == pages.chrt_FunPlot ? pages.TabSheet5 : pages.tab_TurnBySpeed);
            const QImage image = Drawn(chart);
            const QColor ground = image.pixelColor(image.width() - 8, 8);
            for (int i = 0; i < chart->Series().Count(); ++i)
                if (chart->Series()[i].Active())
                    QVERIFY2(ContrastRatio(chart->Series()[i].SeriesColor(), ground) >= 3, qPrintable(chart->Series()[i].Title()));
            for (QCPItemText *label : Labels(chart, QString())) {
                const QColor behind = label->brush().style() == Qt::NoBrush ? ground : label->brush().color();
                QVERIFY2(ContrastRatio(label->color(), behind) >= 4.5, qPrintable(label->text()));
            }
        }

        // The strips' labels: the most contrasting pixel of a label's line against the page.
        pages.setCurrentWidget(pages.tab_Verdict);
        auto *strips = pages.tab_Verdict->findChild<VerdictStrips *>();
        QVERIFY(strips);
        const QImage image = strips->grab().toImage();
        const QColor page = image.pixelColor(image.width() - 2, 2);
        double most = 1;
        for (int y = 0; y < strips->fontMetrics().height(); ++y)
            for (int x = 0; x < image.width() / 2; ++x)
                most = std::max(most, ContrastRatio(image.pixelColor(x, y), page));
        QVERIFY2(most >= 4.5, qPrintable(QString::number(most)));
        w.reset();
        QApplication::setPalette(light);
    }

    // A curve that ends at the right of the chart names its flap setting to the left of
    // its end, inside the chart.
    void flapLabelsWhole()
    {
        auto w = ComparingWindow();
        ComparisonPages &pages = *w->pages_Charts;
        for (TChart *chart : {pages.chrt_TurnbySpeed, pages.chrt_FunPlot}) {
            pages.setCurrentWidget(chart == pages.chrt_FunPlot ? pages.TabSheet5 : pages.tab_TurnBySpeed);
            Drawn(chart);
            const QList<QCPItemText *> labels = Labels(chart, QStringLiteral("закр."));
            QVERIFY(labels.size() >= 4);
            for (QCPItemText *label : labels)
                QVERIFY2(label->topRight->pixelPosition().x() <= chart->width() && label->topLeft->pixelPosition().x() >= 0,
                         qPrintable(chart->objectName() + label->text()));
        }
    }

    // The message column is as wide as its longest message, at the dialog's first size.
    void checkDialogShowsMessagesWhole()
    {
        CheckDialog dialog;
        DataCheck check;
        const QString message = QStringLiteral("скорость 250 повторяет предыдущее: кривые по скорости повернут назад, "
                                               "и это длинное сообщение");
        check.problems.append({"DataTurn/Skarn-7_turn.txt", 1, 9, DataProblem::Severity::Warning, "Skarn-7", message, message});
        dialog.ShowCheck(check, FileName("/tmp"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const int needed = dialog.table->fontMetrics().horizontalAdvance(message);
        QVERIFY2(dialog.table->columnWidth(CheckDialog::MessageColumn) >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(dialog.table->columnWidth(CheckDialog::MessageColumn)).arg(needed)));
    }
};

QTEST_MAIN(AppLegible)
#include "app_legible.moc"
