#include "marks/TJsonWriter.h"
#include <algorithm>
#include <charconv>
#include <cstring>

char *TJsonWriter::Room(qsizetype n)
{
    // Grows by doubling: a file of many small pieces is written in linear time.
    if (FUsed + n > FOut.size()) FOut.resize(std::max(FUsed + n, 2 * FOut.size() + 4096));
    return FOut.data() + FUsed;
}

QByteArray TJsonWriter::Take()
{
    FOut.resize(FUsed);
    FUsed = 0;
    return std::move(FOut);
}

void TJsonWriter::Raw(const char *text, qsizetype size)
{
    char *p = Room(size);
    std::memcpy(p, text, size_t(size));
    Done(p + size);
}

void TJsonWriter::Latin1(QLatin1StringView text)
{
    Raw("\"");
    Raw(text.data(), text.size());
    Raw("\"");
}

void TJsonWriter::Key(QLatin1StringView key)
{
    Latin1(key);
    Raw(": ");
}

void TJsonWriter::Number(qint64 n)
{
    char *p = Room(24);
    Done(std::to_chars(p, p + 24, n).ptr);
}

void TJsonWriter::String(QStringView text)
{
    static const char Hex[] = "0123456789abcdef";
    const qsizetype n = text.size();
    char *p = Room(n * 6 + 2);
    *p++ = '"';
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80) {
            if (c == '"' || c == '\\') {
                *p++ = '\\';
                *p++ = char(c);
            } else if (c >= 0x20) {
                *p++ = char(c);
            } else {
                *p++ = '\\';
                switch (c) {
                case '\n': *p++ = 'n'; break;
                case '\r': *p++ = 'r'; break;
                case '\t': *p++ = 't'; break;
                case '\b': *p++ = 'b'; break;
                case '\f': *p++ = 'f'; break;
                default:
                    *p++ = 'u';
                    *p++ = '0';
                    *p++ = '0';
                    *p++ = Hex[c >> 4];
                    *p++ = Hex[c & 15];
                }
            }
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && i + 1 < n && text[i + 1].isLowSurrogate()) c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
            else c = 0xFFFD;
        }
        if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
        } else {
            *p++ = char(0xF0 | (c >> 18));
            *p++ = char(0x80 | ((c >> 12) & 0x3F));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
        }
        *p++ = char(0x80 | (c & 0x3F));
    }
    *p++ = '"';
    Done(p);
}

void TJsonWriter::Time(const QDateTime &t)
{
    // The civil date of a count of days since 1970-01-01 (the proleptic Gregorian calendar).
    const qint64 ms = t.toMSecsSinceEpoch();
    const qint64 dayMs = 86400000;
    qint64 days = ms / dayMs, rest = ms % dayMs;
    if (rest < 0) rest += dayMs, --days;
    const qint64 z = days + 719468, era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097, yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1), month = int(mp < 10 ? mp + 3 : mp - 9);
    const int year = std::clamp(int(yoe + era * 400 + (month <= 2)), 1, 9999);
    const int parts[] = {year, month, day, int(rest / 3600000), int(rest / 60000 % 60), int(rest / 1000 % 60), int(rest % 1000)};
    const int widths[] = {4, 2, 2, 2, 2, 2, 3};
    const char after[] = "--T::.Z";
    char *p = Room(26);
    *p++ = '"';
    for (int i = 0; i < 7; ++i) {
        for (int w = widths[i], n = parts[i]; w-- > 0; n /= 10) p[w] = char('0' + n % 10);
        p += widths[i];
        *p++ = after[i];
    }
    *p++ = '"';
    Done(p);
}
