#include "cli/terminal_text.h"

#include "core/error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

QString ControlsEscaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u != 0x7F && !(u >= 0x80 && u < 0xA0))
            out += c;
        else if (u == '\t')
            out += QStringLiteral("\\t");
        else if (u == '\n')
            out += QStringLiteral("\\n");
        else if (u == '\r')
            out += QStringLiteral("\\r");
        else
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
    }
    return out;
}

QString ProgramError(const QString &reason) { return QStringLiteral("varnel: ") + reason; }

QString ErrorLine(const QString &message) { return ControlsEscaped(OneLineMessage(message)) + QLatin1Char('\n'); }

void PrintError(const QString &message) { std::fputs(ErrorLine(message).toLocal8Bit().constData(), stderr); }

int Printed(const TextOutcome &outcome)
{
    std::fwrite(outcome.output.constData(), 1, size_t(outcome.output.size()), stdout);
    if (!outcome.error.isEmpty())
        PrintError(outcome.error);
    return StdoutChecked(outcome.exitCode);
}

int StdoutChecked(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    const int error = errno;  // of the write that failed, here or before
    PrintError(ProgramError(QStringLiteral("cannot write to stdout: %1")
                   .arg(QString::fromLocal8Bit(std::strerror(error ? error : EIO)))));
    return 1;
}
