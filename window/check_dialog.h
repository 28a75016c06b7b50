#pragma once
// "Check data…": the data check's problems in a table, sortable by file, line and
// severity; a double click opens the file in the desktop's text editor.
#include "catalogue/data_check.h"

#include <QDialog>
#include <QUrl>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMainWindow;
class QStatusBar;
class QTableWidget;

class CheckDialog : public QDialog {
    Q_OBJECT
public:
    explicit CheckDialog(QWidget *parent = nullptr);
    // Shows the problems of the check of folder (the data folder, absolute).
    void ShowCheck(const DataCheck &check, const FileName &folder);

    QLabel *summary;
    QTableWidget *table;
    // Opens a file's address; the desktop's handler unless a test replaces it.
    std::function<void(const QUrl &url)> openUrl;

    enum Column { FileColumn, LineColumn, ColumnColumn, SeverityColumn, AircraftColumn, MessageColumn };

private:
    void openRow(int row);
    void fitWidth();
    FileName folder_;
};

// The status bar's words for a check: how many errors and warnings; empty when none.
QString CheckStatusText(const DataCheckSummary &summary);

// The main window's part of the data check: a status panel after the designed ones,
// shown when the last scan found problems; "Check data…" (Ctrl+Shift+K), which opens
// the dialog; and the dialog, shown again after every scan while it is open. The check
// of a scan is made when its result is first needed: once the window has drawn what the
// scan gave, or at once when the dialog is open or asks for it.
class CheckView : public QObject {
    Q_OBJECT
public:
    CheckView(QMainWindow &window, QStatusBar &bar);

    // Keeps what a scan of paths reads for the check; when what it gives goes (the scan
    // ended, whatever it raised), the check is due.
    std::unique_ptr<QObject> Checking(const DataPaths &paths, ScanHooks &hooks);
    // The check of the last scan is due: of what `check` kept (none: nothing to check).
    void Due(std::unique_ptr<LaterCheck> check, const FileName &folder);
    // Opens the dialog on the last check.
    void Open();
    // Says again what it says in the language installed now, the check's messages
    // included.
    void Retranslate();

    // The check of the last scan, made now where it is still due.
    const DataCheck &Last();
    // How many checks were made.
    int CheckCount() const { return checkCount_; }
    QLabel *panel;
    QAction *action;
    CheckDialog *dialog = nullptr;  // until first opened

protected:
    bool event(QEvent *event) override;

private:
    void settle();

    QMainWindow &window_;
    std::unique_ptr<LaterCheck> due_, made_;  // the check due, and the one shown (for a switch of language)
    bool isDue_ = false;
    DataCheck check_;
    FileName folder_;
    int checkCount_ = 0;
};
