#include "pictures/picture_files.h"

#include "core/error.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <future>
#include <iterator>
#include <mutex>
#include <system_error>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    static std::mutex one;  // the temporary files are written on threads of their own
    const std::lock_guard<std::mutex> lock(one);
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

// One picture on its way: a temporary file beside its name, and the hard link that
// keeps the file it replaces until all are in place.
struct Pending {
    QByteArray target, temp, kept;
    bool placed = false;
};

// The signal that interrupts a write, noted by the handler while WritePictures runs.
volatile sig_atomic_t writing = 0;
volatile sig_atomic_t interrupted = 0;

bool WriteAll(int fd, const QByteArray &bytes, int index)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        if (Injected("write", index))
            return false;
        if (interrupted) {
            errno = EINTR;
            return false;
        }
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

// Temporary names are short whatever the pictures' names, so they always fit, and
// name the process that made them: ".varnel-new-<pid>-<random>", ".varnel-old-...".
const char kTempPrefix[] = ".varnel-";
constexpr int kNameTries = 100;

QByteArray TempName(const QByteArray &dir, const char *tag)
{
    return Join(dir, kTempPrefix + QByteArray(tag) + '-' + QByteArray::number(qint64(::getpid())) + '-' +
                         QByteArray::number(QRandomGenerator::global()->generate(), 36));
}

// Runs make(path) on fresh temporary names in dir until one is free: false with errno
// when make fails otherwise, or every try found its name taken.
bool OnFreeName(const QByteArray &dir, const char *tag, QByteArray &path, const std::function<bool(const QByteArray &)> &make)
{
    for (int i = 0; i < kNameTries; ++i) {
        path = TempName(dir, tag);
        if (make(path))
            return true;
        if (errno != EEXIST)
            break;
    }
    path.clear();
    return false;
}

// Removes the temporary files of earlier runs that ended without cleaning up: only
// names of that pattern whose process is gone.
void ClearLeftovers(const QByteArray &dir)
{
    DIR *listing = ::opendir(dir.constData());
    if (!listing)
        return;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        const QList<QByteArray> parts = name.mid(int(sizeof kTempPrefix) - 1).split('-');
        bool numeric = false;
        const qint64 pid = parts.value(1).toLongLong(&numeric);
        if (name.startsWith(kTempPrefix) && parts.size() == 3 && (parts[0] == "new" || parts[0] == "old") &&
            numeric && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
    }
    ::closedir(listing);
}

// Writes the picture to a temporary file in dir, flushed to disk and closed; false
// with errno on failure (the temporary file then goes).
bool WriteTemporary(Pending &p, const QByteArray &dir, const QByteArray &bytes, int index)
{
    if (Injected("open", index))
        return false;
    int fd = -1;
    if (!OnFreeName(dir, "new", p.temp, [&](const QByteArray &path) {
            fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return fd >= 0;
        }))
        return false;
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
        p.temp.clear();
        errno = error;
    }
    return ok;
}

// step(i) for each i below n, each on a thread of its own, so that the waits on the
// disk overlap (a thread that can't be had: run here, in turn); each one's errno, 0
// where it went well.
std::vector<int> OnThreads(int n, const std::function<int(int)> &step)
{
    std::vector<std::future<int>> runs;
    for (int i = 0; i < n; ++i) {
        try {
            runs.push_back(std::async(std::launch::async, step, i));
        } catch (const std::system_error &) {
            runs.push_back(std::async(std::launch::deferred, step, i));
        }
    }
    std::vector<int> errors;
    for (std::future<int> &run : runs)
        errors.push_back(run.get());
    return errors;
}

// Each picture written to its temporary file at once, their flushes to disk
// overlapping: the index of the first that failed, errno then its reason, or -1 when
// all are on disk.
int WriteTemporaries(std::vector<Pending> &pending, const QByteArray &dir, const QList<Picture> &pictures)
{
    const std::vector<int> errors = OnThreads(int(pictures.size()), [&](int i) {
        if (interrupted)
            return EINTR;
        return WriteTemporary(pending[size_t(i)], dir, pictures[i].bytes, i) ? 0 : errno;
    });
    const auto failed = std::find_if(errors.begin(), errors.end(), [](int e) { return e != 0; });
    errno = failed == errors.end() ? 0 : *failed;
    return failed == errors.end() ? -1 : int(failed - errors.begin());
}

// The replaced files, kept until the set was in place, go; all at once: freeing a
// file's blocks waits on the file system's journal, which the flushes just filled.
void DropKept(const std::vector<Pending> &pending)
{
    OnThreads(int(pending.size()), [&](int i) {
        const QByteArray &kept = pending[size_t(i)].kept;
        return kept.isEmpty() || ::unlink(kept.constData()) == 0 ? 0 : errno;
    });
}

// A copy of the file at target under a temporary name, for a file system without hard
// links; false with errno.
bool CopyFile(const QByteArray &target, const QByteArray &copy)
{
    const int in = ::open(target.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const int out = ::open(copy.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    char buffer[65536];
    ssize_t n = 0;
    while (ok && (n = ::read(in, buffer, sizeof buffer)) != 0)
        ok = n > 0 ? WriteAll(out, QByteArray::fromRawData(buffer, n), -1) : errno == EINTR;
    ok = ok && ::fsync(out) == 0;
    const int error = errno;
    ::close(in);
    if (out >= 0 && (::close(out) != 0 || !ok))
        ::unlink(copy.constData());
    errno = error;
    return ok;
}

// Keeps the file at target under a temporary name until the set is in place.
bool KeepOld(Pending &p, const QByteArray &dir, int index)
{
    if (Injected("aside", index))
        return false;
    return OnFreeName(dir, "old", p.kept, [&](const QByteArray &path) {
        if (::link(p.target.constData(), path.constData()) == 0)
            return true;
        return (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK) && CopyFile(p.target, path);
    });
}

// The signal's name for the messages, from a fixed list (a signal handler can't ask).
const char *SignalName(int sig)
{
    switch (sig) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    default: return "a signal";
    }
}

extern "C" void OnInterrupt(int sig)
{
    if (writing) {
        interrupted = sig;
        return;
    }
    const char *parts[] = {"varnel: Interrupted by ", SignalName(sig), "\n"};
    for (const char *part : parts)
        if (::write(STDERR_FILENO, part, ::strlen(part)) < 0)
            break;
    ::_exit(128 + sig);
}

const int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction before[std::size(kInterrupts) + 1];

// WritePictures' time: an interruption then is noted, and acted on between steps.
struct Writing {
    Writing() { writing = 1; }
    ~Writing()
    {
        writing = 0;
        // Come after the last step: the set is whole, and the program ends as it would have.
        if (const int sig = interrupted) {
            interrupted = 0;
            ::raise(sig);
        }
    }
};
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
    // The noncharacters U+FFFE and U+FFFF, which XML forbids too (Qt writes a lone
    // surrogate as "?" already).
    return out.replace("\xEF\xBF\xBE", "\xEF\xBF\xBD").replace("\xEF\xBF\xBF", "\xEF\xBF\xBD");
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

ExportSignals::ExportSignals()
{
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kInterrupts); ++i)
        ::sigaction(kInterrupts[i], &action, &before[i]);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &before[std::size(kInterrupts)]);
}

ExportSignals::~ExportSignals()
{
    for (size_t i = 0; i < std::size(kInterrupts); ++i)
        ::sigaction(kInterrupts[i], &before[i], nullptr);
    ::sigaction(SIGXFSZ, &before[std::size(kInterrupts)], nullptr);
}

namespace {
// The folders on the way to dir that are missing, outermost first.
QList<QByteArray> MissingFolders(const FileName &dir)
{
    QList<QByteArray> missing;
    QByteArray d = dir.bytes;
    while (d.size() > 1 && d.endsWith('/'))
        d.chop(1);
    while (!d.isEmpty() && KindOf(FileName::FromBytes(d)) == FileKind::None) {
        missing.prepend(d);
        d = d.left(std::max<qsizetype>(d.lastIndexOf('/'), 0));
    }
    return missing;
}

// A set of pictures on its way into a folder, and what a failed step undoes: the
// folders made for it, the new files and the replaced ones kept aside.
struct SetWrite {
    FileName dir;
    QList<QByteArray> made;
    std::vector<Pending> pending;

    // Puts the folder back as it was and raises the error (the interruption's, if one came).
    [[noreturn]] void Fail(const char *what, const QByteArray &path, int error)
    {
        for (auto p = pending.rbegin(); p != pending.rend(); ++p) {
            if (p->placed && !p->kept.isEmpty())
                ::rename(p->kept.constData(), p->target.constData());  // the old file back, whole
            else if (p->placed)
                ::unlink(p->target.constData());
            else if (!p->kept.isEmpty())
                ::unlink(p->kept.constData());
            if (!p->temp.isEmpty() && !p->placed)
                ::unlink(p->temp.constData());
        }
        for (auto d = made.rbegin(); d != made.rend(); ++d)
            ::rmdir(d->constData());
        if (const int sig = interrupted) {
            interrupted = 0;
            throw VarnelError(QStringLiteral("Interrupted by %1").arg(QLatin1String(SignalName(sig))));
        }
        throw Failure(what, path, error);
    }

    // The folder, made where missing, cleared of what runs ended by force left there.
    void MakeFolders()
    {
        for (const QByteArray &d : std::as_const(made))
            if (::mkdir(d.constData(), 0777) != 0 && errno != EEXIST)
                Fail("create folder", dir.bytes, errno);
        if (KindOf(dir) != FileKind::Directory)
            Fail("create folder", dir.bytes, ENOTDIR);
        ClearLeftovers(dir.bytes);
    }

    // Every picture on disk: now each takes its name, renamed over the file it
    // replaces, which a hard link keeps until all are in place.
    void Place()
    {
        for (int i = 0; i < int(pending.size()); ++i) {
            Pending &p = pending[size_t(i)];
            struct stat st;
            if (::lstat(p.target.constData(), &st) == 0) {
                if (S_ISDIR(st.st_mode))
                    Fail("write file", p.target, EISDIR);
                if (!KeepOld(p, dir.bytes, i))
                    Fail("write file", p.target, errno);
            }
            if (interrupted || Injected("place", i) || ::rename(p.temp.constData(), p.target.constData()) != 0)
                Fail("write file", p.target, interrupted ? EINTR : errno);
            p.placed = true;
        }
        if (interrupted)
            Fail("write file", dir.bytes, EINTR);
    }
};
}  // namespace

QStringList WritePictures(const FileName &dir, const QList<Picture> &pictures)
{
    SetWrite set{dir, MissingFolders(dir), std::vector<Pending>(size_t(pictures.size()))};
    const Writing phase;
    set.MakeFolders();
    QStringList paths;
    for (int i = 0; i < pictures.size(); ++i) {
        set.pending[size_t(i)].target = Join(dir.bytes, pictures[i].fileName.bytes);
        paths << DisplayName(set.pending[size_t(i)].target);
    }
    if (const int failed = WriteTemporaries(set.pending, dir.bytes, pictures); failed >= 0 || interrupted)
        set.Fail("write file", set.pending[size_t(std::max(failed, 0))].target, interrupted ? EINTR : errno);
    set.Place();
    DropKept(set.pending);
    return paths;
}
