#pragma once
#include <QByteArray>
#include <QString>

// Decoding and encoding of the book's text files: the byte-order mark decides
// (UTF-16 LE, UTF-16 BE, UTF-8); a file without one is UTF-8 when it is valid UTF-8,
// otherwise windows-1256, the Persian 8-bit code page. Line breaks are left alone.
class TTextCodec {
public:
    static QString Decode(const QByteArray &bytes);
    static QString DecodeWindows1256(const char *data, qsizetype size);
    // Every line-break kind (CR LF, lone CR, lone LF, U+2028) becomes CR LF.
    static QString NormalizeLineBreaks(const QString &text);
    // Byte-order mark FF FE followed by UTF-16 little-endian text.
    static QByteArray EncodeUtf16LeWithMark(const QString &text);
};
