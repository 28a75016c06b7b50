// Reading a file into lines: arbitrary bytes through SplitTextLines, checked against a
// plain byte-by-byte model (CR LF, LF or a lone CR end a line, a break at the very end
// adds no line, a NUL ends the text, each byte decoded on its own as Windows-1251).
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

QStringList ModelLines(const QByteArray &bytes)
{
    QStringList lines;
    QString line;
    bool open = false;  // a line has begun and not ended
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uint8_t(bytes[i]);
        if (b == 0)
            break;
        if (b == '\r' || b == '\n') {
            lines.append(line);
            line.clear();
            open = false;
            if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue;
        }
        line += ByteTexts()[b];
        open = true;
    }
    if (open)
        lines.append(line);
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
