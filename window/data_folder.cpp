#include "window/data_folder.h"

#include "window/folder_picker.h"
#include "catalogue/file_name.h"
#include "core/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <algorithm>
#include <cstring>

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
FolderDialogHook &dialogHook()
{
    static FolderDialogHook h;
    return h;
}

const char kRecentKey[] = "recentFolders";
const char kLanguageKey[] = "view/language";
const char kUnitsKey[] = "view/units";
const QString kBytesMark = QStringLiteral("bytes:");  // an absolute path never starts so
constexpr int kRecentCount = 10;

// The user's settings live in ~/.config/varnel/varnel.conf, whatever the window's title.
const QString kSettingsName = QStringLiteral("varnel");

const char *const kDataDirs[] = {"DataSpeed", "DataTurn", "DataCraft", "DataWeapon"};

WatchFault &watchFault()
{
    static WatchFault f;
    return f;
}

// True when the test hook makes `step` fail; errno then holds its reason.
bool WatchInjected(const char *step)
{
    const int error = watchFault() ? watchFault()(step) : 0;
    if (error != 0)
        errno = error;
    return error != 0;
}
}  // namespace

void SetWatchFault(WatchFault fault) { watchFault() = std::move(fault); }

void SetFolderDialogHook(FolderDialogHook hook) { dialogHook() = std::move(hook); }

FileName AskDataFolder(QWidget *parent, const FileName &start)
{
    if (dialogHook())
        return dialogHook()(parent, start);
    return PickFolder(parent, QCoreApplication::translate("Varnel", "Папка данных"), start);
}

// A folder as the settings keep it: its text when its bytes are UTF-8, else its bytes
// percent-encoded after a mark.
static QString RecentEntry(const FileName &folder)
{
    const QString text = QString::fromUtf8(folder.bytes);
    if (text.toUtf8() == folder.bytes && !text.startsWith(kBytesMark))
        return text;
    return kBytesMark + QString::fromLatin1(folder.bytes.toPercentEncoding("/"));
}

static FileName FromRecentEntry(const QString &entry)
{
    if (entry.startsWith(kBytesMark))
        return FileName::FromBytes(QByteArray::fromPercentEncoding(entry.mid(kBytesMark.size()).toLatin1()));
    return LocateFileName(entry);
}

QList<FileName> RecentFolders()
{
    QList<FileName> recent;
    for (const QString &entry : QSettings(kSettingsName, kSettingsName).value(QLatin1String(kRecentKey)).toStringList())
        recent.append(FromRecentEntry(entry));
    return recent;
}

// Whether folder holds a DataSpeed folder.
static bool HoldsData(const FileName &folder)
{
    return KindOf(FileName::FromBytes(folder.bytes + "/DataSpeed")) == FileKind::Directory;
}

void RememberFolder(const FileName &folder)
{
    if (!HoldsData(folder))
        return;
    QList<FileName> recent = RecentFolders();
    recent.removeAll(folder);
    recent.prepend(folder);
    QStringList entries;
    for (const FileName &f : recent.mid(0, kRecentCount))
        entries.append(RecentEntry(f));
    QSettings s(kSettingsName, kSettingsName);
    s.setValue(QLatin1String(kRecentKey), entries);
}

QString SettingsFilePath() { return QSettings(kSettingsName, kSettingsName).fileName(); }

ViewChoice SavedViewChoice()
{
    const QSettings s(kSettingsName, kSettingsName);
    const QString language = s.value(QLatin1String(kLanguageKey)).toString();
    return {Languages().contains(language) ? language : QString(),
            UnitSystemNamed(s.value(QLatin1String(kUnitsKey)).toString())};
}

void SaveLanguageChoice(const QString &language)
{
    QSettings(kSettingsName, kSettingsName).setValue(QLatin1String(kLanguageKey), language);
}

void SaveUnitsChoice(UnitSystem units)
{
    QSettings(kSettingsName, kSettingsName).setValue(QLatin1String(kUnitsKey), UnitSystemKey(units));
}

QString SampleDataFolder()
{
    // Installed: the same way from the program to the data wherever the package put
    // both (a .deb installs under /usr, cmake --install under its prefix).
    const QString besideProgram =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VARNEL_SAMPLE_DATA_FROM_BINDIR));
    for (const QString &folder : {QStringLiteral(VARNEL_SAMPLE_DATA), besideProgram})
        if (QFileInfo(folder).isDir())
            return QDir::cleanPath(folder);
    return QStringLiteral(VARNEL_SOURCE_SAMPLE_DATA);
}

FileName RecentStartFolder(const QList<FileName> &recent, const FileName &sampleData)
{
    for (const FileName &folder : recent)
        if (HoldsData(folder))
            return folder;
    return sampleData;
}

DataFolderWatch::DataFolderWatch(QObject *parent) : QObject(parent), settle_(new QTimer(this))
{
    settle_->setSingleShot(true);
    settle_->setInterval(50);
    connect(settle_, &QTimer::timeout, this, &DataFolderWatch::compare);
}

DataFolderWatch::~DataFolderWatch()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void DataFolderWatch::Watch(const FileName &dataFolder)
{
    stop();  // a new descriptor drops every watch of the folder before
    settle_->stop();
    refusal_.clear();
    folders_.clear();
    for (const char *name : kDataDirs) {
        const FileName folder = FileName::FromBytes(dataFolder.bytes + '/' + name);
        if (KindOf(folder) == FileKind::Directory)
            folders_.append(folder);
    }
    seen_ = snapshot();
    QTimer::singleShot(500, this, [this, watch = ++watchCount_] {
        if (watch == watchCount_)
            start();
    });
}

void DataFolderWatch::stop()
{
    delete notifier_;
    notifier_ = nullptr;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void DataFolderWatch::start()
{
    // Without a watch on every folder the hint can't be trusted: that is said once, and
    // F5 still rereads.
    const auto refused = [this] {
        refusal_ = QString::fromLocal8Bit(std::strerror(errno));
        stop();
        emit NotWatched();
    };
    fd_ = WatchInjected("init") ? -1 : ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return refused();
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &DataFolderWatch::readEvents);
    constexpr uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY | IN_CLOSE_WRITE |
                                 IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
    for (const FileName &folder : std::as_const(folders_))
        if (WatchInjected("watch") || ::inotify_add_watch(fd_, folder.bytes.constData(), kEvents) < 0)
            return refused();
    settle_->start();  // looks once: a change made before the watch began
}

DataFolderWatch::Snapshot DataFolderWatch::snapshot() const
{
    Snapshot files;
    for (qsizetype i = 0; i < folders_.size(); ++i) {
        DIR *listing = ::opendir(folders_[i].bytes.constData());
        if (!listing)
            continue;
        // Each file looked up in its folder, not by its whole path again.
        const int folder = ::dirfd(listing);
        while (const dirent *entry = ::readdir(listing)) {
            struct stat st;
            if (::strcmp(entry->d_name, ".") == 0 || ::strcmp(entry->d_name, "..") == 0 ||
                ::fstatat(folder, entry->d_name, &st, 0) != 0)
                continue;
            QByteArray key(1, char(i));
            key.append(entry->d_name);
            files.emplace_back(std::move(key), FileStamp{qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec),
                                                         qint64(st.st_size), quint64(st.st_ino)});
        }
        ::closedir(listing);
    }
    std::sort(files.begin(), files.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return files;
}

void DataFolderWatch::readEvents()
{
    // The events only say that something happened in a folder: drain them, then look.
    char buffer[16384];
    while (::read(fd_, buffer, sizeof buffer) > 0) {
    }
    if (!settle_->isActive())
        settle_->start();
}

void DataFolderWatch::compare()
{
    Snapshot now = snapshot();
    if (now == seen_)
        return;
    seen_ = std::move(now);
    emit Changed();
}
