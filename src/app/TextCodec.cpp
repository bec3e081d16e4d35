#include "app/TextCodec.h"
#include <QStringDecoder>
#include <QtEndian>

namespace {
const char16_t Windows1256High[128] = {
    0x20AC, 0x067E, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0679, 0x2039, 0x0152, 0x0686, 0x0698, 0x0688,
    0x06AF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x06A9, 0x2122, 0x0691, 0x203A, 0x0153, 0x200C, 0x200D, 0x06BA,
    0x00A0, 0x060C, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x06BE, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x061B, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x061F,
    0x06C1, 0x0621, 0x0622, 0x0623, 0x0624, 0x0625, 0x0626, 0x0627,
    0x0628, 0x0629, 0x062A, 0x062B, 0x062C, 0x062D, 0x062E, 0x062F,
    0x0630, 0x0631, 0x0632, 0x0633, 0x0634, 0x0635, 0x0636, 0x00D7,
    0x0637, 0x0638, 0x0639, 0x063A, 0x0640, 0x0641, 0x0642, 0x0643,
    0x00E0, 0x0644, 0x00E2, 0x0645, 0x0646, 0x0647, 0x0648, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x0649, 0x064A, 0x00EE, 0x00EF,
    0x064B, 0x064C, 0x064D, 0x064E, 0x00F4, 0x064F, 0x0650, 0x00F7,
    0x0651, 0x00F9, 0x0652, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x06D2
};

QString DecodeUtf16(const char *data, qsizetype size, bool bigEndian)
{
    const qsizetype count = size / 2;  // a trailing odd byte is dropped
    QString out(count, Qt::Uninitialized);
    QChar *dst = out.data();
    const auto *src = reinterpret_cast<const uchar *>(data);
    for (qsizetype i = 0; i < count; ++i)
        dst[i] = QChar(bigEndian ? qFromBigEndian<quint16>(src + 2 * i) : qFromLittleEndian<quint16>(src + 2 * i));
    return out;
}
}

QString TTextCodec::DecodeWindows1256(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<uchar>(data[i]);
        dst[i] = b < 0x80 ? QChar(b) : QChar(Windows1256High[b - 0x80]);
    }
    return out;
}

QString TTextCodec::Decode(const QByteArray &bytes)
{
    const char *d = bytes.constData();
    const qsizetype n = bytes.size();
    const auto u = [&](qsizetype i) { return static_cast<uchar>(d[i]); };
    if (n >= 2 && u(0) == 0xFF && u(1) == 0xFE) return DecodeUtf16(d + 2, n - 2, false);
    if (n >= 2 && u(0) == 0xFE && u(1) == 0xFF) return DecodeUtf16(d + 2, n - 2, true);
    if (n >= 3 && u(0) == 0xEF && u(1) == 0xBB && u(2) == 0xBF) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return utf8.decode(QByteArrayView(d + 3, n - 3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(d, n));
    if (!utf8.hasError()) return text;
    return DecodeWindows1256(d, n);
}

QString TTextCodec::NormalizeLineBreaks(const QString &text)
{
    const QChar *src = text.constData();
    const qsizetype n = text.size();
    // Fast path: already CR LF throughout.
    bool clean = true;
    for (qsizetype i = 0; i < n && clean; ++i) {
        const char16_t c = src[i].unicode();
        if (c == u'\r') {
            if (i + 1 < n && src[i + 1] == u'\n') ++i;
            else clean = false;
        } else if (c == u'\n' || c == 0x2028) {
            clean = false;
        }
    }
    if (clean) return text;
    QString out;
    out.reserve(n + n / 16);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i].unicode();
        if (c == u'\r') {
            out += QLatin1String("\r\n");
            if (i + 1 < n && src[i + 1] == u'\n') ++i;
        } else if (c == u'\n' || c == 0x2028) {
            out += QLatin1String("\r\n");
        } else {
            out += src[i];
        }
    }
    return out;
}

QByteArray TTextCodec::EncodeUtf16LeWithMark(const QString &text)
{
    QByteArray out(2 + text.size() * 2, Qt::Uninitialized);
    auto *dst = reinterpret_cast<uchar *>(out.data());
    dst[0] = 0xFF;
    dst[1] = 0xFE;
    for (qsizetype i = 0; i < text.size(); ++i) qToLittleEndian<quint16>(text.at(i).unicode(), dst + 2 + 2 * i);
    return out;
}
