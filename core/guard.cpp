#include "core/guard.h"

#include "core/error.h"

#include <cstdio>
#include <new>

namespace {
ErrorReporter &reporter()
{
    static ErrorReporter r;
    return r;
}
}  // namespace

void SetErrorReporter(ErrorReporter r) { reporter() = std::move(r); }

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
    if (reporter())
        reporter()(message);
    else
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}
