#pragma once
// A folder dialog that keeps the bytes of folder names: a folder named in Windows-1251
// bytes is listed (shown as DisplayName shows it) and chosen by the very bytes it has.
#include "catalogue/file_name.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The sub-folders of one folder, by the bytes of their names, sorted as shown; hidden
// ones (a name starting with '.') are left out. At most `limit` entries of the folder
// are read, so a huge folder lists at once. note says why the list is empty or cut.
struct FolderListing {
    QList<QByteArray> names;
    QString note;
};
constexpr int kMaxFolderEntries = 100000;
FolderListing ListSubFolders(const FileName &folder, int limit = kMaxFolderEntries);

// What a picker gives: a folder that exists (a data folder to read), or also one that
// is still to be made (a folder for pictures).
enum class FolderUse { Existing, MayCreate };

// The dialog: the path line, Up, the listed folder's sub-folders, a line saying which
// folder OK takes, OK and Cancel; for MayCreate also "New folder". A double click or
// Enter on a sub-folder goes into it, Enter in the path line goes to the folder typed.
// OK takes the folder the path line names (typed relative to the listed folder, "~"
// for home), never a sub-folder merely highlighted; a folder that does not exist is
// refused for Existing, and for MayCreate taken once the user agrees to its making.
// Folders are entered by their real path, so a link that leads back up leads to the
// folder itself, never to an ever longer path.
class FolderPicker : public QDialog {
    Q_OBJECT
public:
    FolderPicker(QWidget *parent, const QString &title, const FileName &start, FolderUse use = FolderUse::Existing);
    // Shows folder, or when it can't be entered, the nearest folder above it that can.
    void Open(const FileName &folder);
    void Up();
    FileName Folder() const { return folder_; }
    // The folder the path line names, by its bytes.
    FileName Chosen() const;

    QLineEdit *path;
    QListWidget *list;
    QLabel *note, *choice;
    QPushButton *up, *newFolder, *ok, *cancel;
    // The picker's questions (tests answer them): whether to make a missing folder, and
    // the name of a new folder (empty: none).
    std::function<bool(const QString &question)> confirm;
    std::function<QString()> askName;

private:
    void enter(int row);
    void showChoice();
    void take();
    void makeFolder();
    FolderUse use_;
    FileName folder_;
    QList<QByteArray> names_;  // the rows of list
};

// Runs the dialog; empty when the user cancels.
FileName PickFolder(QWidget *parent, const QString &title, const FileName &start,
                    FolderUse use = FolderUse::Existing);
