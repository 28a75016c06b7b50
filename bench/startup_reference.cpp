// The yardstick for start-up: a program that shows one QCustomPlot chart (two curves of
// 40 points, axis titles and a legend) in a QMainWindow, paints it once and quits.
// Built from Qt and QCustomPlot alone; bench_startup runs it in turn with varnel.
#include <qcustomplot.h>

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *plot = new QCustomPlot(&window);
    window.setCentralWidget(plot);
    for (int g = 0; g < 2; ++g) {
        QVector<double> alt, speed;
        for (int i = 0; i < 40; ++i) {
            alt << i * 250.0;
            speed << 520 + g * 25 + i * 3.0 - i * i * 0.05;
        }
        QCPGraph *graph = plot->addGraph(plot->yAxis, plot->xAxis);
        graph->setData(alt, speed);
        graph->setPen(QPen(g == 0 ? Qt::darkBlue : Qt::red, 2));
        graph->setName(g == 0 ? QStringLiteral("first") : QStringLiteral("second"));
    }
    plot->xAxis->setLabel(QStringLiteral("Скорость, км/ч"));
    plot->yAxis->setLabel(QStringLiteral("Высота, м"));
    plot->legend->setVisible(true);
    plot->rescaleAxes();
    window.resize(831, 611);
    window.show();
    // Shown: paint it once, then end.
    QTimer::singleShot(0, &window, [&] {
        window.repaint();
        QCoreApplication::quit();
    });
    return app.exec();
}
