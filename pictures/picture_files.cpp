#include "pictures/picture_files.h"

#include "core/error.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {
PictureFault &fault()
{
    static PictureFault f;
    return f;
}

// True when the test hook makes `step` fail; errno then holds its reason.
bool Injected(const char *step, int index)
{
    if (!fault())
        return false;
    const int error = fault()(step, index);
    if (error != 0)
        errno = error;
    return error != 0;
}

QByteArray Join(const QByteArray &dir, const QByteArray &name)
{
    return dir.isEmpty() ? name : dir.endsWith('/') ? dir + name : dir + '/' + name;
}

VarnelError Failure(const char *what, const QByteArray &path, int error)
{
    return VarnelError(QStringLiteral("Cannot %1 \"%2\". %3")
                           .arg(QLatin1String(what), DisplayName(path), QString::fromLocal8Bit(std::strerror(error))));
}

// One picture on its way: a temporary file beside its name, and where the file it
// replaces waits until all are in place.
struct Pending {
    QByteArray target, temp, aside;
    bool asideDone = false, placed = false;
};

bool WriteAll(int fd, const QByteArray &bytes, int index)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        if (Injected("write", index))
            return false;
        const ssize_t n = ::write(fd, p, size_t(std::min<qsizetype>(left, qsizetype(1) << 20)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            errno = n == 0 ? EIO : errno;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// A name in dir that nothing holds yet, beginning with a dot and `name`.
QByteArray UnusedName(const QByteArray &dir, const QByteArray &name, const char *tag)
{
    for (;;) {
        const QByteArray candidate =
            Join(dir, '.' + name + '.' + tag + '-' + QByteArray::number(QRandomGenerator::global()->generate(), 36));
        struct stat st;
        if (::lstat(candidate.constData(), &st) != 0 && errno == ENOENT)
            return candidate;
    }
}

// Writes the picture to a temporary file in dir, flushed to disk and closed; false
// with errno on failure (the temporary file then goes).
bool WriteTemporary(Pending &p, const QByteArray &dir, const QByteArray &name, const QByteArray &bytes, int index)
{
    int fd = -1;
    while (fd < 0) {
        p.temp = UnusedName(dir, name, "new");
        if (Injected("open", index))
            return false;
        fd = ::open(p.temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    // A replaced file's permissions carry over to its successor.
    struct stat st;
    if (::stat(p.target.constData(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    bool ok = WriteAll(fd, bytes, index) && !Injected("sync", index) && ::fsync(fd) == 0;
    int error = errno;
    const bool closeFault = Injected("close", index);
    const int closeError = errno;
    if ((::close(fd) != 0 || closeFault) && ok) {
        ok = false;
        error = closeFault ? closeError : errno;
    }
    if (!ok) {
        ::unlink(p.temp.constData());
        errno = error;
    }
    return ok;
}
}  // namespace

QByteArray XmlSafe(const QByteArray &svg)
{
    // UTF-8 uses no byte below 0x80 inside a longer character, so bytes can be tested alone.
    QByteArray out;
    out.reserve(svg.size());
    for (const char c : svg) {
        if (uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            out += "\xEF\xBF\xBD";
        else
            out += c;
    }
    return out;
}

void SetPictureFault(PictureFault f) { fault() = std::move(f); }

QStringList ExistingFiles(const FileName &dir, const QStringList &names)
{
    QStringList out;
    for (const QString &name : names)
        if (KindOf(FileName::FromBytes(Join(dir.bytes, name.toUtf8()))) != FileKind::None)
            out << name;
    return out;
}

QStringList WritePictures(const FileName &dir, const QList<Picture> &pictures)
{
    // The folders that are missing, innermost first: made now, removed on failure.
    QList<QByteArray> made;
    QByteArray d = dir.bytes;
    while (d.size() > 1 && d.endsWith('/'))
        d.chop(1);
    while (!d.isEmpty() && KindOf(FileName::FromBytes(d)) == FileKind::None) {
        made.prepend(d);
        d = d.left(std::max<qsizetype>(d.lastIndexOf('/'), 0));
    }
    std::vector<Pending> pending(size_t(pictures.size()));
    const auto undo = [&] {
        for (auto p = pending.rbegin(); p != pending.rend(); ++p) {
            if (p->placed)
                ::unlink(p->target.constData());
            if (p->asideDone)
                ::rename(p->aside.constData(), p->target.constData());
            if (!p->temp.isEmpty() && !p->placed)
                ::unlink(p->temp.constData());
        }
        for (auto d = made.rbegin(); d != made.rend(); ++d)
            ::rmdir(d->constData());
    };
    for (const QByteArray &d : std::as_const(made))
        if (::mkdir(d.constData(), 0777) != 0 && errno != EEXIST) {
            const int error = errno;
            undo();
            throw Failure("create folder", dir.bytes, error);
        }
    if (KindOf(dir) != FileKind::Directory) {
        undo();
        throw Failure("create folder", dir.bytes, ENOTDIR);
    }

    QStringList paths;
    for (int i = 0; i < pictures.size(); ++i) {
        Pending &p = pending[size_t(i)];
        p.target = Join(dir.bytes, pictures[i].fileName.toUtf8());
        paths << DisplayName(p.target);
        if (!WriteTemporary(p, dir.bytes, pictures[i].fileName.toUtf8(), pictures[i].bytes, i)) {
            const int error = errno;
            p.temp.clear();  // gone already
            undo();
            throw Failure("write file", p.target, error);
        }
    }
    // Every picture is on disk: now they take their names, the old files kept aside.
    for (int i = 0; i < pictures.size(); ++i) {
        Pending &p = pending[size_t(i)];
        struct stat st;
        if (::lstat(p.target.constData(), &st) == 0) {
            p.aside = UnusedName(dir.bytes, pictures[i].fileName.toUtf8(), "old");
            const bool directory = S_ISDIR(st.st_mode);
            if (directory || Injected("aside", i) || ::rename(p.target.constData(), p.aside.constData()) != 0) {
                const int error = directory ? EISDIR : errno;
                undo();
                throw Failure("write file", p.target, error);
            }
            p.asideDone = true;
        }
        if (Injected("place", i) || ::rename(p.temp.constData(), p.target.constData()) != 0) {
            const int error = errno;
            undo();
            throw Failure("write file", p.target, error);
        }
        p.placed = true;
    }
    for (const Pending &p : pending)
        if (p.asideDone)
            ::unlink(p.aside.constData());
    return paths;
}
