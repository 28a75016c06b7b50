#pragma once
// Writing data files: the one writer that the benchmarks and the tests share.
#include "core/error.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

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
