// Where pictures go: an export interrupted or stopped by the file size limit leaves the
// folder as it was, errors are reported rather than retried for ever, the save dialog
// writes no settings, and "save all pages" writes into the folder the user typed.
#include "pages/application.h"
#include "pictures/export.h"
#include "pictures/picture_files.h"
#include "pictures/share.h"
#include "window/folder_picker.h"
#include "window/main_window.h"
#include "app_fixture.h"
#include "presentation/chart.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// How a child process running `body` ended (waitpid's status) and what it wrote on stderr.
struct ChildEnd {
    int status = -1;
    QByteArray err;
};
ChildEnd InChild(const std::function<int()> &body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDERR_FILENO);
        ::_exit(body());
    }
    ::close(fds[1]);
    ChildEnd end;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        end.err.append(buffer, n);
    ::close(fds[0]);
    ::waitpid(pid, &end.status, 0);
    return end;
}

// Seven pictures under the export's names, the last one large.
QList<Picture> SevenPictures()
{
    QList<Picture> pictures;
    for (const QString &slug : PageSlugs())
        pictures.append({slug + ".png", QByteArray(slug == PageSlugs().last() ? 100000 : 100, 'n')});
    return pictures;
}

}  // namespace

class AppFiles : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        SetErrorBoxHook([](const QString &) {});  // the window's scan of no data folder
        SetShareDialogs({});
    }
    void cleanup() { SetErrorBoxHook(nullptr); }

    void interruptedExportKeepsTheFolder_data();
    void interruptedExportKeepsTheFolder();
    void unwritableTargetsAreReported_data();
    void unwritableTargetsAreReported();
    void saveDialogWritesNoSettings();
    void saveAllPagesIntoATypedFolder();
};

void AppFiles::interruptedExportKeepsTheFolder_data()
{
    QTest::addColumn<int>("sig");
    QTest::addColumn<bool>("writing");  // else while drawing, before any file is written
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    for (const int sig : {SIGINT, SIGTERM, SIGHUP})
        QTest::addRow("%s writing", sigabbrev_np(sig)) << sig << true << 1 << "Interrupted by SIG" + QByteArray(sigabbrev_np(sig));
    QTest::newRow("TERM drawing") << int(SIGTERM) << false << 128 + SIGTERM << QByteArray("Interrupted by SIGTERM");
    QTest::newRow("file size limit") << int(SIGXFSZ) << true << 1 << QByteArray("verdict.png\". File too large");
}

// An export interrupted, or stopped by the file size limit, ends with one line on
// stderr and a status that says so, and leaves the folder exactly as it was.
void AppFiles::interruptedExportKeepsTheFolder()
{
    QFETCH(int, sig);
    QFETCH(bool, writing);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    WriteFile(dir + "/overview.png", "old overview");
    WriteFile(dir + "/verdict.png", "old verdict");
    const QMap<QString, QByteArray> before = Snapshot(dir);
    const ChildEnd end = InChild([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        const ExportSignals interrupts;
        if (sig == SIGXFSZ) {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 50000;
            setrlimit(RLIMIT_FSIZE, &limit);
        } else if (!writing) {
            ::raise(sig);
        }
        // Three pictures have taken their names, one replacing an earlier one.
        SetPictureFault([&](const char *at, int i) { return QByteArray(at) == "place" && i == 3 ? ::raise(sig) : 0; });
        const QString error = ErrorOf([&] { WritePictures(FileName(dir), SevenPictures()); });
        std::fprintf(stderr, "varnel: %s\n", qPrintable(error));
        return error.isEmpty() ? 0 : 1;
    });
    QVERIFY2(WIFEXITED(end.status), qPrintable(QString::number(end.status)));
    QCOMPARE(WEXITSTATUS(end.status), exitCode);
    QVERIFY2(end.err.startsWith("varnel: ") && end.err.endsWith(message + '\n') && end.err.count('\n') == 1, end.err);
    QCOMPARE(Snapshot(dir), before);
}

void AppFiles::unwritableTargetsAreReported_data()
{
    QTest::addColumn<bool>("deep");  // else a folder that can't be searched
    QTest::addColumn<QString>("reason");
    QTest::newRow("path over PATH_MAX") << true << "File name too long";
    QTest::newRow("unsearchable folder") << false << "Permission denied";
}

// A system error while choosing a temporary name is reported, never tried for ever.
void AppFiles::unwritableTargetsAreReported()
{
    QFETCH(bool, deep);
    QFETCH(QString, reason);
    QTemporaryDir tmp;
    QString dir = tmp.path();
    if (deep) {  // the folder fits a path, the picture's path does not
        while (dir.size() < 4085 - 201)
            dir += '/' + QString(200, 'd');
        dir += '/' + QString(4085 - int(dir.size()) - 1, 'e');
        QVERIFY(QDir().mkpath(dir));
    } else {  // entered only by its owner... and root: the check runs as nobody then
        dir += "/locked";
        QVERIFY(QDir().mkdir(dir));
        QVERIFY(::chmod(QFile::encodeName(tmp.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir).constData(), 0644) == 0);
    }
    const ChildEnd end = InChild([&] {
        if (!deep && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 2;
        std::fputs(qPrintable(ErrorOf([&] { WritePictures(FileName(dir), SevenPictures()); })), stderr);
        return 0;
    });
    QVERIFY(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0);
    QCOMPARE(QString::fromUtf8(end.err), "Cannot write file \"" + dir + "/overview.png\". " + reason);
    ::chmod(QFile::encodeName(dir).constData(), 0755);
}

// Qt's save dialog remembers its state in QtProject.conf; Varnel writes only its own
// settings.
void AppFiles::saveDialogWritesNoSettings()
{
    QTemporaryDir settings, out;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    Tfrm_Main w;
    QString title;
    QTimer::singleShot(0, &w, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->selectFile(out.path() + "/chart");
            QMetaObject::invokeMethod(dialog, &QDialog::accept);
        }
    });
    w.findChild<ChartSharing *>()->Run(ChartSharing::SavePicture, w.pages_Charts->chrt_TASbyAlt);
    QCOMPARE(title, QStringLiteral("Сохранить рисунок"));
    QVERIFY(QFile(out.path() + "/chart.png").size() > 0);
    QCOMPARE(QDir(settings.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QSettings(QStringLiteral("varnel"), QStringLiteral("varnel")).setValue(QStringLiteral("probe"), 1);
    QVERIFY(QFile::exists(settings.path() + "/varnel/varnel.conf"));  // its own settings still go there
}

// "Save all pages" into a folder typed in the picker that does not exist yet: the
// picker asks, and the pictures go there, not into the folder it listed.
void AppFiles::saveAllPagesIntoATypedFolder()
{
    QTemporaryDir out;
    Tfrm_Main w;
    const QString typed = out.path() + "/new/pictures";
    QString asked;
    QTimer::singleShot(0, &w, [&] {
        auto *picker = qobject_cast<FolderPicker *>(QApplication::activeModalWidget());
        if (!picker)
            return;
        picker->confirm = [&](const QString &question) {
            asked = question;
            return true;
        };
        picker->path->setText(typed);
        QTest::mouseClick(picker->ok, Qt::LeftButton);
        if (picker->isVisible())
            picker->reject();  // never left open, whatever went wrong
    });
    w.findChild<ChartSharing *>()->Run(ChartSharing::SaveAllPages, w.pages_Charts->tab_Common);
    QCOMPARE(asked, "Папки «" + typed + "» нет. Создать её?");
    QCOMPARE(QDir(typed).entryList(QDir::Files).size(), 7);
}

QTEST_MAIN(AppFiles)
#include "app_files.moc"
