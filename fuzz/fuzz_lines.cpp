// Reading a file into lines: arbitrary bytes through SplitTextLines, checked against a
// plain byte-by-byte model (CR LF, LF or a lone CR end a line, a break at the very end
// adds no line, a NUL ends the text). The text is UTF-8 when it starts with a byte-order
// mark or is well-formed UTF-8 by the table of RFC 3629 (checked here by hand); else each
// byte is decoded on its own as Windows-1251.
#include "fuzz/fuzz_support.h"

#include <QStringDecoder>
#include <QStringList>

#include <array>

namespace {
// What each byte decodes to by itself; Windows-1251 has no multi-byte sequences.
const std::array<QString, 256> &ByteTexts()
{
    static const std::array<QString, 256> table = [] {
        std::array<QString, 256> t;
        QStringDecoder decoder("windows-1251", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            t[size_t(b)] = decoder.decode(QByteArrayView(&c, 1));
        }
        return t;
    }();
    return table;
}

// Well-formed UTF-8: each sequence's first byte gives its length and the range of its
// second byte (no overlong forms, no surrogates, nothing above U+10FFFF).
bool WellFormedUtf8(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const auto b = uint8_t(bytes[i]);
        int more = 0;
        uint8_t low = 0x80, high = 0xBF;
        if (b < 0x80)
            more = 0;
        else if (b >= 0xC2 && b <= 0xDF)
            more = 1;
        else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            low = b == 0xE0 ? 0xA0 : 0x80;
            high = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            low = b == 0xF0 ? 0x90 : 0x80;
            high = b == 0xF4 ? 0x8F : 0xBF;
        } else
            return false;
        if (i + more >= n && more > 0)
            return false;  // cut short by the end
        for (int k = 1; k <= more; ++k) {
            const auto c = uint8_t(bytes[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
                return false;
        }
        i += 1 + more;
    }
    return true;
}

QStringList ModelLines(QByteArray bytes)
{
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (bom)
        bytes.remove(0, 3);
    const bool utf8 = bom || WellFormedUtf8(bytes);
    // Line breaks are ASCII and never inside a UTF-8 sequence: each line's bytes decode
    // on their own.
    const auto decoded = [&](const QByteArray &line) {
        if (utf8) {
            // A byte-order mark inside the text is a character like any other.
            QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
            return QString(decoder.decode(line));
        }
        QString text;
        for (const char c : line)
            text += ByteTexts()[uint8_t(c)];
        return text;
    };
    QStringList lines;
    QByteArray line;
    bool open = false;  // a line has begun and not ended
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uint8_t(bytes[i]);
        if (b == 0)
            break;
        if (b == '\r' || b == '\n') {
            lines.append(decoded(line));
            line.clear();
            open = false;
            if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue;
        }
        line += char(b);
        open = true;
    }
    if (open)
        lines.append(decoded(line));
    return lines;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);
    const QStringList lines = SplitTextLines(bytes);
    const QStringList model = ModelLines(bytes);

    FUZZ_CHECK(lines.size() == model.size(),
               QStringLiteral("%1 lines, expected %2").arg(lines.size()).arg(model.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(0)),
                   QStringLiteral("line %1 holds a break or NUL").arg(i));
        FUZZ_CHECK(line == model.at(i), QStringLiteral("line %1 differs from the model").arg(i));
    }
    return 0;
}
