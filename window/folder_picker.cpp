#include "window/folder_picker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include <dirent.h>

static QByteArray Child(const QByteArray &folder, const QByteArray &name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

FolderListing ListSubFolders(const FileName &folder, int limit)
{
    FolderListing out;
    DIR *dir = ::opendir(folder.bytes.constData());
    if (!dir) {
        out.note = QStringLiteral("Папка не читается: %1").arg(qt_error_string(errno));
        return out;
    }
    std::vector<std::pair<QString, QByteArray>> found;  // shown name, bytes
    int read = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (++read > limit) {
            out.note = QStringLiteral("В папке больше %1 записей: показаны папки только из первых %1.").arg(limit);
            break;
        }
        const QByteArray name(entry->d_name);
        if (name.startsWith('.'))  // hidden, and "." and ".."
            continue;
        // A link is followed; one that loops, or leads nowhere, is no folder.
        const bool isFolder = entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN
                                  ? KindOf(FileName::FromBytes(Child(folder.bytes, name))) == FileKind::Directory
                                  : entry->d_type == DT_DIR;
        if (isFolder)
            found.emplace_back(DisplayName(name), name);
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) {
        const int c = QString::compare(a.first, b.first, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.second < b.second;
    });
    for (auto &f : found)
        out.names.append(std::move(f.second));
    return out;
}

// The folder that holds path ("/" for "/").
static QByteArray Parent(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash > 0 ? path.left(slash) : QByteArray("/");
}

// The real path of a folder (links and "..") resolved, empty when path is no folder.
static QByteArray RealFolder(const QByteArray &path)
{
    char *real = ::realpath(path.constData(), nullptr);
    const QByteArray out = real && KindOf(FileName::FromBytes(real)) == FileKind::Directory ? QByteArray(real) : QByteArray();
    std::free(real);
    return out;
}

FolderPicker::FolderPicker(QWidget *parent, const QString &title, const FileName &start) : QDialog(parent)
{
    setWindowTitle(title);
    path = new QLineEdit(this);
    up = new QPushButton(QStringLiteral("Вверх"), this);
    list = new QListWidget(this);
    list->setUniformItemSizes(true);
    note = new QLabel(this);
    note->setWordWrap(true);
    ok = new QPushButton(QStringLiteral("ОК"), this);
    cancel = new QPushButton(QStringLiteral("Отмена"), this);
    // Enter goes into a folder (the list) or to a typed path (the path line), never
    // closes the dialog.
    for (QPushButton *b : {up, ok, cancel})
        b->setAutoDefault(false);
    auto *top = new QHBoxLayout;
    top->addWidget(path);
    top->addWidget(up);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list);
    layout->addWidget(note);
    layout->addLayout(bottom);
    resize(480, 360);
    connect(up, &QPushButton::clicked, this, &FolderPicker::Up);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { enter(list->row(item)); });
    connect(path, &QLineEdit::returnPressed, this, [this] { Open(LocateFileName(path->text())); });
    Open(start.isEmpty() ? CurrentDirectory() : start);
}

void FolderPicker::Open(const FileName &folder)
{
    // A folder that can't be entered: the nearest one above it that can; "/" always can.
    QByteArray target = AbsoluteFileName(folder).bytes;
    QByteArray real = RealFolder(target);
    while (real.isEmpty()) {
        target = Parent(target);
        real = target == "/" ? target : RealFolder(target);
    }
    folder_ = FileName::FromBytes(real);
    FolderListing listing = ListSubFolders(folder_);
    names_ = std::move(listing.names);
    list->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const QByteArray &name : names_)
        list->addItem(new QListWidgetItem(icon, DisplayName(name)));
    note->setText(listing.note);
    note->setVisible(!listing.note.isEmpty());
    path->setText(DisplayName(folder_.bytes));
    up->setEnabled(folder_.bytes != "/");
}

void FolderPicker::Up()
{
    Open(FileName::FromBytes(Parent(folder_.bytes)));
}

void FolderPicker::enter(int row)
{
    if (row >= 0 && row < names_.size())
        Open(FileName::FromBytes(Child(folder_.bytes, names_[row])));
}

FileName FolderPicker::Chosen() const
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    const int row = selected.isEmpty() ? -1 : list->row(selected.first());
    return row >= 0 && row < names_.size() ? FileName::FromBytes(Child(folder_.bytes, names_[row])) : folder_;
}

FileName PickFolder(QWidget *parent, const QString &title, const FileName &start)
{
    FolderPicker picker(parent, title, start);
    return picker.exec() == QDialog::Accepted ? picker.Chosen() : FileName();
}
