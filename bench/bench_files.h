#pragma once
// Writing the synthetic data files the benchmarks time.
#include "core/error.h"

#include <QByteArray>
#include <QFile>
#include <QString>

inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw VarnelError("cannot write " + path);
}

// A value as the data files write it.
inline QByteArray Number(double v) { return QByteArray::number(v, 'f', 2); }
