#include "catalogue/text_code.h"

#include "core/error.h"

#include <QStringDecoder>

#include <algorithm>

// Windows-1251 maps every byte to one character, so line breaks keep their places.
static QStringDecoder &CodePage()
{
    static QStringDecoder decoder("windows-1251", QStringConverter::Flag::Stateless);
    return decoder;
}

void CheckCodePage()
{
    if (!CodePage().isValid())
        throw VarnelError(QStringLiteral("The Windows-1251 code page is not available: the data files can't be read"));
}

// Text bytes as UTF-8 when they start with its byte-order mark or are valid UTF-8,
// else as Windows-1251 (whose Cyrillic text is practically never valid UTF-8). UTF-8
// keeps line breaks in their places too: its multi-byte characters hold no ASCII bytes.
QString DecodeText(QByteArrayView bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError() || bytes.startsWith("\xEF\xBB\xBF") || !CodePage().isValid())
        return text;
    return CodePage().decode(bytes);
}
