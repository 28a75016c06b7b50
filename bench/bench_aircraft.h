#pragma once
// Synthetic aircraft for the benchmarks: the scan, the ranking.
#include "bench/bench_files.h"

#include "catalogue/file_name.h"

// One aircraft's four files, sized like real ones.
inline void WriteBenchAircraft(const DataPaths &paths, const QString &name, int seed)
{
    QByteArray speed;
    for (int row = 0; row < 100; ++row) {
        const double alt = row * 100.0;
        for (double v : {alt, 520.0 + seed % 50 + row * 0.8, 15.0 - row * 0.1, 490.0 + row * 0.7, 12.0 - row * 0.09})
            speed += Number(v) + '\t';
        speed += "\r\n";
    }
    QByteArray turn;
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 40; ++col)
            turn += (row == 0 ? Number(150 + col * 10) : Number(30.0 - col * 0.3 + row)) + '\t';
        turn += "\r\n";
    }
    turn += "M_takeoff: " + Number(2800 + seed % 400) + "\r\nT_turn: " + Number(18.456 + seed % 7) +
            "\r\nV_turn: 250\r\nVz_climb: 15.5\r\nV_climb: 290\r\n";
    WriteFile(paths.speedFile(name), speed);
    WriteFile(paths.turnFile(name), turn);
    WriteFile(paths.craftFile(name), "name=" + name.toLatin1() + "\r\n0=" + Number(700 + seed % 100) + "\r\n");
    WriteFile(paths.weaponFile(name), "gun:MG 7.62 mm;MG 7.62 mm;\r\ngun:cannon 20 mm;\r\nbombs:2 x 50 kg;4 x 25 kg;\r\n"
                                      "rockets:6 x RS-82;\r\nextra:drop tank;\r\n");
}
