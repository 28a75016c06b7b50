// Pictures of the main window for looking at it and for the README: runs the scan on
// the data in the current directory, picks two aircraft, and saves the window with
// each of its seven pages shown.
//   usage: window_shots OUTDIR [FIRST SECOND [FLAPS]]
//   FLAPS: four 0/1 digits, the Marked flags of the four flap buttons (default 0111).
// On the common page the mouse rests over the first chart, so its tracker shows.
// VARNEL_LANG (ru, en) and VARNEL_UNITS (metric, imperial, knots) choose what it speaks;
// VARNEL_PALETTE=dark draws it in the Fusion style with a dark palette, as a dark
// desktop theme would.
//   build: cmake --build build --target window_shots
#include "core/language.h"
#include "core/units.h"
#include "pages/application.h"
#include "window/craft_tree.h"
#include "window/flap_button.h"
#include "window/main_window.h"
#include "presentation/chart.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPalette>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdio>

namespace {
// A dark desktop palette, as dark themes set it.
QPalette DarkPalette()
{
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
        p.setColor(role, QColor(0xE8, 0xE8, 0xE8));
    p.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    p.setColor(QPalette::AlternateBase, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

void pick(QTreeWidget *tree, const QString &name)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0) == name)
            tree->setCurrentItem(tree->topLevelItem(i));
}
}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_shots OUTDIR [FIRST SECOND [FLAPS]]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    SetErrorBoxHook([](const QString &text) { std::fprintf(stderr, "error box: %s\n", qPrintable(text)); });
    if (qEnvironmentVariableIsSet("VARNEL_LANG"))
        InstallLanguage(qEnvironmentVariable("VARNEL_LANG"));
    if (const auto units = UnitSystemNamed(qEnvironmentVariable("VARNEL_UNITS")))
        SetShownUnits(*units);
    if (qEnvironmentVariable("VARNEL_PALETTE") == QLatin1String("dark")) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(DarkPalette());
    }
    Tfrm_Main w;
    w.show();
    QCoreApplication::sendPostedEvents(&w, WM_LOADFMD);
    if (argc >= 4) {
        pick(w.tree_Crafts_1, QString::fromLocal8Bit(argv[2]));
        pick(w.tree_Crafts_2, QString::fromLocal8Bit(argv[3]));
    }
    if (argc >= 5) {
        const QByteArray flaps(argv[4]);
        MarkButton *buttons[4] = {w.btn_Turn1, w.btn_Turn2, w.btn_Turn3, w.btn_Turn4};
        for (int i = 0; i < 4 && i < flaps.size(); ++i)
            if (buttons[i]->Marked() != (flaps[i] == '1'))
                w.SwitchTurnButton(buttons[i]);
    }
    w.tree_Crafts_1->expandItem(w.tree_Crafts_1->currentItem());
    for (int page = 0; page < w.pages_Charts->count(); ++page) {
        w.pages_Charts->setCurrentIndex(page);
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        for (TChart *chart : w.Charts())
            chart->SyncNow();
        if (page == 0) {
            const QRect plot = w.pages_Charts->ch_C1->PlotArea();
            const QPointF at(plot.left() + plot.width() * 0.45, plot.top() + plot.height() * 0.4);
            QMouseEvent move(QEvent::MouseMove, at, w.pages_Charts->ch_C1->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(w.pages_Charts->ch_C1, &move);
            QCoreApplication::processEvents();
        }
        const QString file = QStringLiteral("%1/page%2.png").arg(out).arg(page + 1);
        w.grab().save(file);
        std::printf("%s\n", qPrintable(file));
    }
    return 0;
}
