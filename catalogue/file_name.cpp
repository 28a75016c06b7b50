#include "catalogue/file_name.h"

#include "catalogue/text_code.h"

#include <QStringEncoder>
#include <QStringList>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

static FileName Joined(const FileName &dir, const char *middle, const FileName &name, const char *end)
{
    return FileName::FromBytes(dir.bytes + middle + name.bytes + end);
}
FileName DataPaths::speedDir() const { return FileName::FromBytes(start.bytes + "/DataSpeed"); }
FileName DataPaths::speedFile(const FileName &name) const { return Joined(start, "/DataSpeed/", name, "_speed.txt"); }
FileName DataPaths::turnFile(const FileName &name) const { return Joined(start, "/DataTurn/", name, "_turn.txt"); }
FileName DataPaths::craftFile(const FileName &name) const { return Joined(start, "/DataCraft/", name, ".txt"); }
FileName DataPaths::weaponFile(const FileName &name) const { return Joined(start, "/DataWeapon/", name, ".txt"); }

QString DisplayName(const QByteArray &bytes)
{
    QStringList parts;
    for (const QByteArray &part : bytes.split('/'))
        parts.append(DecodeText(part));
    return parts.join(u'/');
}

FileName::operator QString() const { return DisplayName(bytes); }

FileKind KindOf(const FileName &path)
{
    struct stat st;
    if (::stat(path.bytes.constData(), &st) != 0)
        return FileKind::None;
    return S_ISREG(st.st_mode) ? FileKind::Regular : S_ISDIR(st.st_mode) ? FileKind::Directory : FileKind::Other;
}

FileName LocateFileName(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (KindOf(FileName::FromBytes(utf8)) != FileKind::None)
        return FileName::FromBytes(utf8);
    QByteArray out;
    const QStringList parts = text.split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += '/';
        const QByteArray u = parts.at(i).toUtf8();
        QStringEncoder cp1251("windows-1251", QStringEncoder::Flag::Stateless);
        const QByteArray w = cp1251.encode(parts.at(i));
        const auto exists = [&](const QByteArray &part) { return KindOf(FileName::FromBytes(out + part)) != FileKind::None; };
        out += !cp1251.hasError() && w != u && !exists(u) && exists(w) ? w : u;
    }
    return FileName::FromBytes(out);
}

FileName CurrentDirectory()
{
    QByteArray buf(4096, Qt::Uninitialized);
    while (!::getcwd(buf.data(), size_t(buf.size()))) {
        if (errno != ERANGE)
            return FileName::FromBytes(".");
        buf.resize(buf.size() * 2);
    }
    return FileName::FromBytes(QByteArray(buf.constData()));
}

FileName AbsoluteFileName(const FileName &path)
{
    if (path.bytes.startsWith('/'))
        return path;
    return FileName::FromBytes(CurrentDirectory().bytes + '/' + path.bytes);
}

bool RegularFileExists(const FileName &path)
{
    return KindOf(path) == FileKind::Regular;
}
