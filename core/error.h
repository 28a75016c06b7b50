#pragma once
// The one error type of the program. Its text is the exact message that the error
// box shows; code raises it and never catches it (the event-loop guard in app/ does).
#include <QCoreApplication>
#include <QString>
#include <exception>

class VarnelError : public std::exception {
public:
    explicit VarnelError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString &message() const noexcept { return message_; }
    const char *what() const noexcept override { return utf8_.constData(); }

    // The row and column of its table (counted from 0) that a bad value stands in; -1
    // when the error is about no one row or column. The refresh turns them into a line
    // that says where.
    int row() const noexcept { return row_; }
    int column() const noexcept { return column_; }
    VarnelError InRow(int row) const { return InCell(row, -1); }
    VarnelError InCell(int row, int column) const
    {
        VarnelError e = *this;
        e.row_ = row;
        e.column_ = column;
        return e;
    }

private:
    QString message_;
    QByteArray utf8_;
    int row_ = -1;
    int column_ = -1;
};

// An offending value as the messages quote it: at most 200 characters, then an
// ellipsis, so that a value of millions of characters gives a box of a few lines.
inline QString QuotedValue(const QString &text)
{
    constexpr qsizetype kQuoted = 200;
    if (text.size() <= kQuoted)
        return text;
    const qsizetype cut = text.at(kQuoted - 1).isHighSurrogate() ? kQuoted - 1 : kQuoted;
    return text.left(cut) + QChar(0x2026);
}

// A message as the error box shows it: a full stop added when its last character sorts
// after ".".
inline QString WithFullStop(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

// A box's text on one line, for a terminal: the lines after the first (where a value
// stands) in one pair of parentheses, "'x' is not a valid floating point value. (A:
// A_turn.txt, row 9.)". Every line break (CR LF, LF or a lone CR) counts.
inline QString OneLineMessage(const QString &boxText)
{
    QString text = boxText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const qsizetype br = text.indexOf(QLatin1Char('\n'));
    if (br < 0)
        return text;
    QString rest = text.mid(br + 1);
    rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.left(br) + QStringLiteral(" (") + rest + QLatin1Char(')');
}
// The error box's text of a message (a full stop added) on one line: the one form of
// every error the command line prints.
inline QString OneLineErrorText(const QString &message) { return OneLineMessage(WithFullStop(message)); }

// The messages raised in more than one place.
inline VarnelError InvalidFloatError(const QString &text)
{
    return VarnelError(QStringLiteral("'%1' is not a valid floating point value").arg(QuotedValue(text)));
}
// A number that reads well but whose result does not fit the charts' range.
inline VarnelError OverflowError() { return VarnelError(QStringLiteral("Floating point overflow")); }
inline VarnelError ListIndexError(qsizetype index)
{
    return VarnelError(QStringLiteral("List index out of bounds (%1)").arg(index));
}
// The error with one more line that says where its value stands: the aircraft, the
// file's name and the row, counted from 1 as text editors count lines, and the column
// (from 1) when the error carries one, in the language shown. The first line stays the
// message exactly as the box showed it alone, full stop included.
inline VarnelError LocatedError(const VarnelError &error, const QString &aircraft, const QString &file, qsizetype row)
{
    QString where = QCoreApplication::translate("Varnel", "\n%1: %2, строка %3").arg(aircraft, file).arg(row + 1);
    if (error.column() >= 0)
        where += QCoreApplication::translate("Varnel", ", столбец %1").arg(error.column() + 1);
    return VarnelError(WithFullStop(error.message()) + where);
}
