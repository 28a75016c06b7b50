#pragma once
// Helpers of the export tests: the data folder they export from, a limit on file sizes,
// the memory in use, and reading texts and colours out of the written pictures. Each
// test that derives from ExportFixture ends with #include "moc_export_fixture.cpp".
#include "pages/application.h"
#include "pages/caption.h"
#include "cli/export_command.h"
#include "pictures/png_writer.h"
#include "window/flap_button.h"
#include "window/main_window.h"
#include "pictures/share.h"
#include "pages/verdict_page.h"
#include "app_fixture.h"
#include "core/guard.h"
#include "presentation/chart.h"

#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>
#include <QXmlStreamReader>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
// Files larger than `bytes` cannot be written (EFBIG), as on a full disk, while alive.
struct FileSizeLimit {
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

// A size of this process's memory from /proc/self/status ("VmRSS:", now; "VmHWM:", its
// peak) in kB, or -1 where the system gives none.
inline long MemoryKb(const QByteArray &field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Starts the peak ("VmHWM:") anew from the memory held now.
inline bool ResetMemoryPeak()
{
    const int fd = ::open("/proc/self/clear_refs", O_WRONLY);
    const bool done = fd >= 0 && ::write(fd, "5", 1) == 1;
    if (fd >= 0)
        ::close(fd);
    return done;
}

// A PDF text string as Qt writes it: UTF-16 with its byte-order mark, ( ) \ escaped.
inline QByteArray PdfString(const QString &text)
{
    QByteArray out("(\xfe\xff");
    for (const QChar c : text)
        for (const char b : {char(c.unicode() >> 8), char(c.unicode() & 0xff)})
            out += QByteArray(b == '(' || b == ')' || b == '\\' ? "\\" : "") + b;
    return out + ')';
}

// The rows of an image's top `rows` that hold a pixel close to `colour`.
inline bool HasColour(const QImage &image, int rows, QColor colour)
{
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) + std::abs(p.blue() - colour.blue()) < 60)
                return true;
        }
    return false;
}
}  // namespace

// Alpha and Bravo to compare, and Broken, which reads fine and fails in the refresh: a
// speed that is no number. The error boxes a test shows are collected, not shown.
class ExportFixture : public QObject {
    Q_OBJECT

protected:
    QTemporaryDir data_;
    QStringList messages_;

    ExportOptions options(const QString &out) const
    {
        ExportOptions o;
        o.outDir = out;
        o.first = QStringLiteral("Alpha");
        o.second = QStringLiteral("Bravo");
        return o;
    }

    // One row for each picture format, in a column "format".
    static void formatRows()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("png") << "png";
        QTest::newRow("svg") << "svg";
        QTest::newRow("pdf") << "pdf";
    }

private slots:
    void initTestCase()
    {
        WriteFixtureCraft(data_.path(), QStringLiteral("Alpha"));
        WriteFixtureCraft(data_.path(), QStringLiteral("Bravo"), 40);
        WriteFixtureCraft(data_.path(), QStringLiteral("Broken"));
        WriteFile(data_.path() + "/DataSpeed/Broken_speed.txt", "0\t500\t15\t480\t13\t\r\n1000\tfast\t15\t480\t13\t\r\n");
    }
    void init()
    {
        messages_.clear();
        SetErrorBoxHook([this](const QString &text) { messages_ << text; });
    }
    void cleanup()
    {
        SetErrorBoxHook(nullptr);
        SetShareDialogs({});
    }
};
