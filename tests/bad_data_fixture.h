#pragma once
// Damaged data directories for the window tests: two good aircraft, the damage done to
// them, and what the error box must say. Each test that derives from BadDataFixture
// ends with #include "moc_bad_data_fixture.cpp".
#include "cli/export_command.h"
#include "pages/application.h"
#include "cli/command_line.h"
#include "window/main_window.h"
#include "cli/named_crafts.h"
#include "pages/verdict_page.h"
#include "app_fixture.h"
#include "presentation/chart.h"

#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QTest>
#include <QTableWidget>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Damage done to a data directory that holds the good aircraft Alpha and Bravo.
using Damage = std::function<void(const QString &root)>;
Q_DECLARE_METATYPE(Damage)

namespace {

// The text a tool tip shows for a help event at pos on widget: rich text as rendered.
inline QString ShownToolTip(QWidget *widget, QPoint pos)
{
    QHelpEvent help(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
    QCoreApplication::sendEvent(widget, &help);
    const QString tip = QToolTip::text();
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument doc;
    doc.setHtml(tip);
    return doc.toPlainText();
}

// Alpha's turn file as the fixture writes it: six table rows, then the summary rows.
const QByteArray kTurnRows = "200\t250\t300\t350\t400\t\r\n"
                             "10\t12\t14\t13\t11\t\r\n"
                             "22\t20\t19\t20\t22\t\r\n"
                             "21\t19\t18\t\t\t\r\n"
                             "20\t18\t\t\t\t\r\n"
                             "19\t\t\t\t\t\r\n";
const QByteArray kSummary = "M_takeoff: 3000\r\nT_turn: 19.456\r\nV_turn: 300\r\nVz_climb: 14.2\r\nV_climb: 250\r\n";

const QString kSpeed = u"DataSpeed/Alpha_speed.txt"_s;
const QString kTurn = u"DataTurn/Alpha_turn.txt"_s;

inline void WriteTwoAircraft(const QString &root)
{
    WriteFixtureCraft(root, u"Alpha"_s);
    WriteFixtureCraft(root, u"Bravo"_s, 40);
}

inline void Write(const QString &root, const QString &relative, const QByteArray &bytes)
{
    WriteFile(root + u'/' + relative, bytes);
}

// Replaces a file by a directory of the same name.
inline void MakeDirectory(const QString &root, const QString &relative)
{
    QFile::remove(root + u'/' + relative);
    QDir().mkpath(root + u'/' + relative);
}

inline QByteArray Replaced(QByteArray bytes, const QByteArray &before, const QByteArray &after)
{
    return bytes.replace(before, after);
}

// The error text for a file the program could not open, as the box shows it; <dir>
// stands for the data directory.
inline QString CannotOpen(const QString &relative, const QString &reason)
{
    return u"Cannot open file \"%1\". %2."_s.arg(QDir::toNativeSeparators(u"<dir>/"_s + relative), reason);
}


// Whether a box text is made of the program's own error texts: one line per failure,
// a full stop added after the last.
inline bool IsKnownErrorText(QString text)
{
    static const QRegularExpression line(u"\\A(?:'.*' is not a valid floating point value"
                                         u"|List index out of bounds \\(\\d+\\)"
                                         u"|Floating point division by zero"
                                         u"|Floating point overflow"
                                         u"|Alpha: Alpha_(?:speed|turn)\\.txt, строка \\d+(?:, столбец \\d+)?"
                                         u"|Cannot open file \".*\"\\. .+"
                                         u"|\\.\\.\\. and \\d+ more)\\z"_s);
    for (QString l : text.split(u'\n')) {
        if (l.endsWith(u'.'))
            l.chop(1);
        if (!line.match(l).hasMatch())
            return false;
    }
    return true;
}

inline QByteArray RandomBytes(QRandomGenerator &rng, int size, bool withNul)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes) {
        b = char(rng.bounded(256));
        if (!withNul && b == 0)
            b = '\r';
    }
    return bytes;
}

}  // namespace

// The error boxes a test shows are collected, not shown; each test ends back in the
// temporary folder, whatever folder it scanned.
class BadDataFixture : public QObject {
    Q_OBJECT

protected:
    QStringList messages_;

    // A window whose scan has run over the data directory root.
    static std::unique_ptr<Tfrm_Main> scan(const QString &root) { return ScannedWindow(root); }

    // Selects an aircraft as the user does and lets the charts catch up.
    static void select(QTreeWidget *tree, QTreeWidgetItem *item)
    {
        tree->setCurrentItem(item);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        messages_.clear();
        SetErrorBoxHook([this](const QString &text) { messages_ << text; });
    }
    void cleanup()
    {
        SetErrorBoxHook(nullptr);
        QDir::setCurrent(QDir::tempPath());
    }
};
