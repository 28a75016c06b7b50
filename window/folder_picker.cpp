#include "window/folder_picker.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

static QByteArray Child(const QByteArray &folder, const QByteArray &name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

FolderListing ListSubFolders(const FileName &folder, int limit)
{
    FolderListing out;
    DIR *dir = ::opendir(folder.bytes.constData());
    if (!dir) {
        out.note = QCoreApplication::translate("Varnel", "Папка не читается: %1").arg(qt_error_string(errno));
        return out;
    }
    std::vector<std::pair<QString, QByteArray>> found;  // shown name, bytes
    int read = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (++read > limit) {
            out.note = QCoreApplication::translate("Varnel", "В папке больше %1 записей: показаны папки только из первых %1.").arg(limit);
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

FolderPicker::FolderPicker(QWidget *parent, const QString &title, const FileName &start, FolderUse use)
    : QDialog(parent), use_(use)
{
    setWindowTitle(title);
    path = new QLineEdit(this);
    up = new QPushButton(QCoreApplication::translate("Varnel", "Вверх"), this);
    newFolder = new QPushButton(QCoreApplication::translate("Varnel", "Новая папка"), this);
    newFolder->setVisible(use == FolderUse::MayCreate);
    list = new QListWidget(this);
    list->setUniformItemSizes(true);
    note = new QLabel(this);
    note->setWordWrap(true);
    choice = new QLabel(this);
    choice->setWordWrap(true);
    choice->setTextFormat(Qt::PlainText);
    ok = new QPushButton(QCoreApplication::translate("Varnel", "ОК"), this);
    cancel = new QPushButton(QCoreApplication::translate("Varnel", "Отмена"), this);
    // Enter goes into a folder (the list) or to a typed path (the path line), never
    // closes the dialog.
    for (QPushButton *b : {up, newFolder, ok, cancel})
        b->setAutoDefault(false);
    auto *top = new QHBoxLayout;
    top->addWidget(path);
    top->addWidget(up);
    top->addWidget(newFolder);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(choice, 1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list);
    layout->addWidget(note);
    layout->addLayout(bottom);
    resize(480, 360);
    confirm = [this](const QString &question) {
        return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    };
    askName = [this] {
        bool given = false;
        const QString name = QInputDialog::getText(this, QCoreApplication::translate("Varnel", "Новая папка"), QCoreApplication::translate("Varnel", "Имя новой папки:"),
                                                   QLineEdit::Normal, QCoreApplication::translate("Varnel", "Новая папка"), &given);
        return given ? name : QString();
    };
    connect(up, &QPushButton::clicked, this, &FolderPicker::Up);
    connect(newFolder, &QPushButton::clicked, this, &FolderPicker::makeFolder);
    connect(ok, &QPushButton::clicked, this, &FolderPicker::take);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { enter(list->row(item)); });
    connect(path, &QLineEdit::textChanged, this, &FolderPicker::showChoice);
    connect(path, &QLineEdit::returnPressed, this, [this] {
        const FileName typed = Chosen();
        if (!typed.isEmpty() && KindOf(typed) == FileKind::Directory)
            Open(typed);
    });
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
    showChoice();  // also when the text stays the same
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
    QString text = path->text();
    if (text == DisplayName(folder_.bytes))
        return folder_;  // by its bytes, whatever they show as
    if (text.isEmpty())
        return {};
    if (text == u'~' || text.startsWith(QLatin1String("~/")))
        text = QDir::homePath() + text.mid(1);
    if (!text.startsWith(u'/'))
        text = DisplayName(Child(folder_.bytes, {})) + text;
    return LocateFileName(text);
}

void FolderPicker::showChoice()
{
    const FileName chosen = Chosen();
    const QString shown = DisplayName(chosen.bytes);
    const FileKind kind = chosen.isEmpty() ? FileKind::Other : KindOf(chosen);
    ok->setEnabled(!chosen.isEmpty());
    if (chosen.isEmpty())
        choice->setText(QCoreApplication::translate("Varnel", "Введите путь к папке."));
    else if (kind == FileKind::Directory)
        choice->setText(QCoreApplication::translate("Varnel", "ОК выберет папку «%1».").arg(shown));
    else if (kind != FileKind::None)
        choice->setText(QCoreApplication::translate("Varnel", "«%1» — не папка.").arg(shown));
    else if (use_ == FolderUse::MayCreate)
        choice->setText(QCoreApplication::translate("Varnel", "Папки «%1» нет: ОК её создаст.").arg(shown));
    else
        choice->setText(QCoreApplication::translate("Varnel", "Папки «%1» нет.").arg(shown));
}

void FolderPicker::take()
{
    const FileName chosen = Chosen();
    const FileKind kind = chosen.isEmpty() ? FileKind::Other : KindOf(chosen);
    if (kind == FileKind::Directory ||
        (kind == FileKind::None && use_ == FolderUse::MayCreate &&
         confirm(QCoreApplication::translate("Varnel", "Папки «%1» нет. Создать её?").arg(DisplayName(chosen.bytes))))) {
        accept();
        return;
    }
    showChoice();  // says why not; the dialog stays
    path->setFocus();
}

void FolderPicker::makeFolder()
{
    const QString name = askName();
    if (name.isEmpty())
        return;
    const QByteArray child = Child(folder_.bytes, name.toUtf8());
    if (!name.contains(u'/') && ::mkdir(child.constData(), 0777) == 0) {
        Open(FileName::FromBytes(child));
        return;
    }
    note->setText(QCoreApplication::translate("Varnel", "Папка «%1» не создана: %2")
                      .arg(name, name.contains(u'/') ? QCoreApplication::translate("Varnel", "в имени папки не может быть «/»")
                                                     : qt_error_string(errno)));
    note->setVisible(true);
}

FileName PickFolder(QWidget *parent, const QString &title, const FileName &start, FolderUse use)
{
    FolderPicker picker(parent, title, start, use);
    return picker.exec() == QDialog::Accepted ? picker.Chosen() : FileName();
}
