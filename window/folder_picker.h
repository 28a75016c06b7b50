#pragma once
// A folder dialog that keeps the bytes of folder names: a folder named in Windows-1251
// bytes is listed (shown as DisplayName shows it) and chosen by the very bytes it has.
#include "catalogue/file_name.h"

#include <QDialog>
#include <QList>

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

// The dialog: the current folder's path line, its sub-folders, Up, OK and Cancel. A
// double click or Enter on a sub-folder goes into it; OK gives the selected sub-folder,
// else the current folder. Folders are entered by their real path, so a link that
// leads back up leads to the folder itself, never to an ever longer path.
class FolderPicker : public QDialog {
    Q_OBJECT
public:
    FolderPicker(QWidget *parent, const QString &title, const FileName &start);
    // Shows folder, or when it can't be entered, the nearest folder above it that can.
    void Open(const FileName &folder);
    void Up();
    FileName Folder() const { return folder_; }
    FileName Chosen() const;

    QLineEdit *path;
    QListWidget *list;
    QLabel *note;
    QPushButton *up, *ok, *cancel;

private:
    void enter(int row);
    FileName folder_;
    QList<QByteArray> names_;  // the rows of list
};

// Runs the dialog; empty when the user cancels.
FileName PickFolder(QWidget *parent, const QString &title, const FileName &start);
