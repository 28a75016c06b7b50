#pragma once
// The window tests of data folders: the user's settings kept out of the way, the error
// box and the folder dialog answered by the test, and aircraft picked in a tree. Each
// test that derives from it ends with #include "moc_folders_fixture.cpp".
#include "pages/application.h"
#include "window/data_folder.h"
#include "window/flap_button.h"
#include "window/folder_picker.h"
#include "window/main_window.h"
#include "window/tree_state.h"
#include "app_fixture.h"
#include "presentation/chart.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QScopeGuard>
#include <QTimer>

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class FoldersFixture : public QObject {
    Q_OBJECT

protected:
    QStringList messages_;
    QStringList dialogs_;           // the start folders the folder dialog was opened on
    QString dialogAnswer_;
    QTemporaryDir settingsDir_;

    static void choose(CraftTree *tree, const QString &name) { tree->setCurrentItem(FindRoot(tree, name)); }
    static QString selected(const CraftTree *tree)
    {
        const QTreeWidgetItem *item = tree->SelectedCraft();
        return item ? item->text(0) : QString();
    }
    QString settingsFile() const { return settingsDir_.filePath(QStringLiteral("varnel/varnel.conf")); }

private slots:
    void initTestCase()
    {
        // Never the user's own settings.
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }
    void init()
    {
        messages_.clear();
        dialogs_.clear();
        SetErrorBoxHook([this](const QString &text) { messages_ << text; });
        SetFolderDialogHook([this](QWidget *, const FileName &start) {
            dialogs_ << start;
            return FileName(dialogAnswer_);
        });
    }
    void cleanup()
    {
        SetErrorBoxHook(nullptr);
        SetFolderDialogHook(nullptr);
    }
};
