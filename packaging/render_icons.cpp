// Writes the window icon as the PNG files of the hicolor theme, from the same drawing
// the window uses: render_icons OUT_DIR writes OUT_DIR/<n>x<n>/apps/varnel.png.
#include "window/images.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_icons OUT_DIR\n");
        return 2;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(dir) || !WindowIconImage(size).save(dir + QStringLiteral("/varnel.png"))) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
