#pragma once
// Small aircraft data sets written into a temporary directory for the window tests.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include "window/main_window.h"
#include "support.h"

#include <QCoreApplication>
#include <memory>

// Every entry of a folder (hidden ones too) with its bytes.
inline QMap<QString, QByteArray> Snapshot(const QString &dir)
{
    QMap<QString, QByteArray> out;
    for (const QString &name : QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFile f(dir + "/" + name);
        out[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<folder>");
    }
    return out;
}

// One aircraft with every file kind. Speeds 200..400 km/h, turn times for every flap
// setting, a summary section and a craft and armament file.
inline void WriteFixtureCraft(const QString &root, const QString &name, int speedOffset = 0)
{
    const QByteArray n = name.toUtf8();
    QByteArray speed;
    for (int alt = 0; alt <= 4000; alt += 1000)
        speed += QByteArray::number(alt) + '\t' + QByteArray::number(500 + speedOffset + alt / 100) + "\t15.5\t" +
                 QByteArray::number(480 + speedOffset + alt / 100) + "\t13.25\t\r\n";
    WriteFile(root + "/DataSpeed/" + n + "_speed.txt", speed);
    QByteArray turn = "200\t250\t300\t350\t400\t\r\n"
                      "10\t12\t14\t13\t11\t\r\n"
                      "22\t20\t19\t20\t22\t\r\n"
                      "21\t19\t18\t\t\t\r\n"
                      "20\t18\t\t\t\t\r\n"
                      "19\t\t\t\t\t\r\n"
                      "M_takeoff: 3000\r\nT_turn: 19.456\r\nV_turn: 300\r\nVz_climb: 14.2\r\nV_climb: 250\r\n";
    WriteFile(root + "/DataTurn/" + n + "_turn.txt", turn);
    WriteFile(root + "/DataCraft/" + n + ".txt", "0=750\r\n");
    WriteFile(root + "/DataWeapon/" + n + ".txt", "gun:MG A;MG B;\r\nbombs:2 x 50;\r\n");
}

// A window whose scan has run over the data directory root (which becomes the current
// directory, as the program takes it).
inline std::unique_ptr<Tfrm_Main> ScannedWindow(const QString &root)
{
    QDir::setCurrent(root);
    auto w = std::make_unique<Tfrm_Main>();
    QCoreApplication::sendPostedEvents(w.get(), WM_LOADFMD);
    return w;
}
