#include "pages/application.h"

#include "core/error.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
ErrorBoxHook &hook()
{
    static ErrorBoxHook h;
    return h;
}
}  // namespace

QString ErrorBoxText(const QString &message) { return WithFullStop(message); }

void SetErrorBoxHook(ErrorBoxHook h) { hook() = std::move(h); }

void ShowErrorBox(const QString &message)
{
    const QString text = ErrorBoxText(message);
    if (hook()) {
        hook()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok);
    // The text quotes data files and file names: shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));  // as designed, in every language
    box.exec();
}
