#pragma once
// The decoding rule of the data files' bytes: UTF-8 or Windows-1251.
#include <QByteArrayView>
#include <QString>

// Raises "The Windows-1251 code page is not available: ..." when this Qt can't decode
// the data files' code page (checked at start-up, and by every read).
void CheckCodePage();
// Bytes as text: UTF-8 when they start with its byte-order mark or are valid UTF-8, else
// Windows-1251.
QString DecodeText(QByteArrayView bytes);
