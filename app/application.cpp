#include "app/application.h"

#include "core/error.h"

#include <QMessageBox>
#include <new>

namespace {
ErrorBoxHook &hook()
{
    static ErrorBoxHook h;
    return h;
}
}  // namespace

QString ErrorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void SetErrorBoxHook(ErrorBoxHook h) { hook() = std::move(h); }

void ShowErrorBox(const QString &message)
{
    const QString text = ErrorBoxText(message);
    if (hook()) {
        hook()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok);
    box.exec();
}

void Guarded(const std::function<void()> &handler)
{
    QString message;
    try {
        handler();
        return;
    } catch (const VarnelError &e) {
        message = e.message();
    } catch (const std::bad_alloc &) {
        message = QStringLiteral("Out of memory");
    } catch (const std::exception &e) {
        message = QString::fromLocal8Bit(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    ShowErrorBox(message);
}
