#include "catalogue/text_file.h"

#include "core/error.h"

#include <QDir>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The text of a file's bytes: up to a NUL, decoded.
static QString TextOf(const QByteArray &bytes)
{
    CheckCodePage();
    const qsizetype nul = bytes.indexOf('\0');
    return DecodeText(nul < 0 ? QByteArrayView(bytes) : QByteArrayView(bytes).first(nul));
}

void ForEachLine(QStringView text, const std::function<bool(QStringView line)> &take)
{
    const qsizetype n = text.size();
    qsizetype begin = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        if (!take(text.sliced(begin, i - begin)))
            return;
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        begin = i + 1;
    }
    if (begin < n)
        take(text.sliced(begin));
}

static QStringList LinesOf(const QString &text)
{
    QStringList lines;
    // Room for every line at once: a break ends at most one.
    lines.reserve(text.count(u'\n') + text.count(u'\r') + 1);
    ForEachLine(text, [&](QStringView line) {
        lines.append(line.toString());
        return true;
    });
    return lines;
}

QStringList SplitTextLines(const QByteArray &bytes) { return LinesOf(TextOf(bytes)); }

static VarnelError CannotOpen(const FileName &path, const QString &reason)
{
    return VarnelError(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
}

namespace {
struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
};
}  // namespace

static std::atomic<qint64> filesOpened{0};
qint64 DataFilesOpened() { return filesOpened.load(); }

// The rest of an open regular file that had `size` bytes when it was opened.
static QByteArray ReadOpened(int fd, const FileName &path, qsizetype size)
{
    // The file may grow while it is read: the buffer grows with it, up to the limit.
    QByteArray bytes(size + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > kMaxDataFileBytes)
                throw CannotOpen(path, QStringLiteral("File too large"));
            bytes.resize(std::min<qsizetype>(got * 2, kMaxDataFileBytes + 1));
        }
        const size_t room = size_t(bytes.size() - got);
        const ssize_t n = ::read(fd, bytes.data() + got, room);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw CannotOpen(path, qt_error_string(errno));
        if (n == 0)
            break;
        got += n;
        // Read short at the size it had: its end, known without asking once more.
        if (got == size && size_t(n) < room)
            break;
    }
    bytes.truncate(got);
    return bytes;
}

// The bytes of a whole file, once its path was seen to name no pipe or device.
static QByteArray ReadFile(const FileName &path)
{
    const int fd = ::open(path.bytes.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw CannotOpen(path, qt_error_string(errno));
    ++filesOpened;
    const FdCloser closer{fd};
    struct stat st;
    if (::fstat(fd, &st) != 0)
        throw CannotOpen(path, qt_error_string(errno));
    if (S_ISDIR(st.st_mode))
        throw CannotOpen(path, QStringLiteral("file to open is a directory"));
    if (!S_ISREG(st.st_mode))
        throw CannotOpen(path, QStringLiteral("Not a regular file"));
    // Refused before a byte is read: a sparse file of many gigabytes costs nothing.
    if (st.st_size > kMaxDataFileBytes)
        throw CannotOpen(path, QStringLiteral("File too large"));
    return ReadOpened(fd, path, qsizetype(st.st_size));
}

// The bytes of a whole file.
static QByteArray ReadBytes(const FileName &path)
{
    // A pipe or a device named like a data file would block or never end.
    if (KindOf(path) == FileKind::Other)
        throw CannotOpen(path, QStringLiteral("Not a regular file"));
    return ReadFile(path);
}

std::optional<QString> ReadTextIfRegular(const FileName &path)
{
    if (!RegularFileExists(path))
        return std::nullopt;
    return TextOf(ReadFile(path));
}

std::optional<QStringList> ReadTextLinesIfRegular(const FileName &path)
{
    std::optional<QString> text = ReadTextIfRegular(path);
    if (!text)
        return std::nullopt;
    return LinesOf(*text);
}

QString ReadText(const FileName &path) { return TextOf(ReadBytes(path)); }

QStringList ReadTextLines(const FileName &path) { return LinesOf(ReadText(path)); }
