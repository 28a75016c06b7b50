#pragma once
// The one error type of the program. Its text is the exact message that the error
// box shows; code raises it and never catches it (the event-loop guard in app/ does).
#include <QString>
#include <exception>

class VarnelError : public std::exception {
public:
    explicit VarnelError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString &message() const noexcept { return message_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// The messages raised in more than one place.
inline VarnelError InvalidFloatError(const QString &text)
{
    return VarnelError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}
inline VarnelError ListIndexError(qsizetype index)
{
    return VarnelError(QStringLiteral("List index out of bounds (%1)").arg(index));
}
