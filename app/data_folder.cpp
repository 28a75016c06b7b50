#include "app/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSet>
#include <QSettings>

namespace {
FolderDialogHook &dialogHook()
{
    static FolderDialogHook h;
    return h;
}

const char kRecentKey[] = "recentFolders";
constexpr int kRecentCount = 10;

// The user's settings live in ~/.config/varnel/varnel.conf, whatever the window's title.
const QString kSettingsName = QStringLiteral("varnel");

const char *const kDataDirs[] = {"DataSpeed", "DataTurn", "DataCraft", "DataWeapon"};
}  // namespace

void SetFolderDialogHook(FolderDialogHook hook) { dialogHook() = std::move(hook); }

QString AskDataFolder(QWidget *parent, const QString &start)
{
    if (dialogHook())
        return dialogHook()(parent, start);
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Папка данных"), start);
}

QStringList RecentFolders()
{
    QSettings s(kSettingsName, kSettingsName);
    return s.value(QLatin1String(kRecentKey)).toStringList();
}

void RememberFolder(const QString &folder)
{
    QStringList recent = RecentFolders();
    recent.removeAll(folder);
    recent.prepend(folder);
    QSettings s(kSettingsName, kSettingsName);
    s.setValue(QLatin1String(kRecentKey), recent.mid(0, kRecentCount));
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

QString RecentStartFolder(const QStringList &recent, const QString &sampleData)
{
    for (const QString &folder : recent)
        if (QFileInfo(QDir(folder).filePath(QStringLiteral("DataSpeed"))).isDir())
            return folder;
    return sampleData;
}

DataFolderWatch::DataFolderWatch(QObject *parent) : QObject(parent)
{
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DataFolderWatch::Changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        addFiles();  // new files are watched from now on
        emit Changed();
    });
}

void DataFolderWatch::Watch(const QString &dataFolder)
{
    for (const QStringList &paths : {watcher_.files(), watcher_.directories()})
        if (!paths.isEmpty())
            watcher_.removePaths(paths);
    folders_.clear();
    for (const char *name : kDataDirs) {
        const QString folder = QDir(dataFolder).filePath(QLatin1String(name));
        if (QFileInfo(folder).isDir())
            folders_ << folder;
    }
    if (!folders_.isEmpty())
        watcher_.addPaths(folders_);
    addFiles();
}

void DataFolderWatch::addFiles()
{
    QStringList files;
    const QStringList list = watcher_.files();
    const QSet<QString> watched(list.begin(), list.end());
    // Each file costs the system a watch, and their number is limited: past a few
    // thousand files the folders alone tell of new, removed and renamed files.
    constexpr qsizetype kMaxWatchedFiles = 2000;
    for (const QString &folder : folders_)
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
            if (!watched.contains(file.filePath()) && watched.size() + files.size() < kMaxWatchedFiles)
                files << file.filePath();
    if (!files.isEmpty())
        watcher_.addPaths(files);
}
