#pragma once
// Writing data files: the one writer that the benchmarks and the tests share.
#include "core/error.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// Writes the bytes to path, creating its folders; raises when it can't.
inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw VarnelError("cannot write " + path);
}

// A value as the data files write it.
inline QByteArray Number(double v) { return QByteArray::number(v, 'f', 2); }

#ifdef VARNEL_BINARY
// Runs the program with args; a failure (or no end within the time) ends the bench.
inline void RunVarnel(const QStringList &args, int timeoutMs = 300000)
{
    QProcess p;
    p.start(QStringLiteral(VARNEL_BINARY), args);
    if (!p.waitForFinished(timeoutMs) || p.exitCode() != 0) {
        std::fprintf(stderr, "varnel %s failed: %s\n", qPrintable(args.join(' ')), p.readAllStandardError().constData());
        std::exit(1);
    }
}
#endif
