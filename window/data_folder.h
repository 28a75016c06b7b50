#pragma once
// The data folder beyond the window: the folder dialog, the list of folders opened
// recently and the language and units chosen (what the program remembers between runs), the folder
// `varnel --recent` starts on, and the watch that notices files changed on disk.
#include "catalogue/file_name.h"
#include "core/units.h"

#include <QHash>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

// Asks for a data folder with the folder picker, starting at `start`; empty when the
// user cancels. Tests replace the dialog by a hook that answers at once; an empty hook
// restores it.
using FolderDialogHook = std::function<FileName(QWidget *parent, const FileName &start)>;
void SetFolderDialogHook(FolderDialogHook hook);
FileName AskDataFolder(QWidget *parent, const FileName &start);

// The folders opened with Ctrl+O, most recent first, from the user's settings, by their
// bytes: a name that is no UTF-8 is kept as "bytes:" and its percent-encoding; a plain
// path is taken as LocateFileName takes it.
QList<FileName> RecentFolders();
// Puts folder first in that list and writes it; a folder without DataSpeed is not
// remembered.
void RememberFolder(const FileName &folder);

// The settings file (~/.config/varnel/varnel.conf).
QString SettingsFilePath();

// The language ("ru", "en") and units last chosen in the window's menu, kept for the
// next start; the command line's --lang and --units override them for one run. Empty
// or unset where none was chosen. A choice is written when the user makes it.
struct ViewChoice {
    QString language;
    std::optional<UnitSystem> units;
};
ViewChoice SavedViewChoice();
void SaveLanguageChoice(const QString &language);
void SaveUnitsChoice(UnitSystem units);

// The sample data that comes with the program: the installed copy, else (run from the
// build tree) the source tree's.
QString SampleDataFolder();

// Where `varnel --recent` starts: the most recent folder that still holds DataSpeed,
// else the sample data.
FileName RecentStartFolder(const QList<FileName> &recent, const FileName &sampleData);

class QSocketNotifier;

// For tests: called before the watch's "init" (a kernel watch of its own) and each
// "watch" of a folder; a result other than 0 makes that step fail with that errno, as
// it does when the kernel's inotify instances or watches are used up. Null: no faults.
using WatchFault = std::function<int(const char *step)>;
void SetWatchFault(WatchFault fault);

// Watches the four data folders of one data folder, by the bytes of their paths: one
// watch per folder, whatever the number of files in it. On a change in a folder it
// compares every file's modification time, size and identity with what it saw before,
// so only a real change is told. The kernel's watch starts a moment after Watch: it is
// no part of showing the window, and ending it makes the kernel wait; what changed
// before it started is told when it starts. When the kernel refuses the watch (its
// inotify instances or watches used up), NotWatched tells so once per Watch; F5
// still rereads.
class DataFolderWatch : public QObject {
    Q_OBJECT
public:
    explicit DataFolderWatch(QObject *parent = nullptr);
    ~DataFolderWatch() override;
    // Watches this data folder instead of the one before.
    void Watch(const FileName &dataFolder);
    // Why the kernel refused to watch the folder of the last Watch (the system's
    // message); empty while it watches or is about to.
    const QString &Refusal() const { return refusal_; }

signals:
    // A file in one of the four folders was added, removed or written.
    void Changed();
    // Changes to the folder will not be told: the kernel refused the watch.
    void NotWatched();

private:
    // What tells a file's content changed.
    struct FileStamp {
        qint64 seconds, nanoseconds, size;
        quint64 inode;
        bool operator==(const FileStamp &) const = default;
    };
    // Each file of the four folders (its folder's place, then its name's bytes) with its
    // stamp, in the order of those names.
    using Snapshot = std::vector<std::pair<QByteArray, FileStamp>>;
    Snapshot snapshot() const;
    void start();
    void stop();
    void readEvents();
    void compare();

    int fd_ = -1;
    QSocketNotifier *notifier_ = nullptr;
    QList<FileName> folders_;
    int watchCount_ = 0;  // which Watch a delayed start belongs to
    QString refusal_;
    Snapshot seen_;
    QTimer *settle_;  // a file written in many pieces is looked at once
};
