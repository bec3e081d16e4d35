#include "marks/TJsonReader.h"
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void PutUtf8(QByteArray &out, char32_t u)
{
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xF0 | (u >> 18));
        out += char(0x80 | ((u >> 12) & 0x3F));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}
}

TJsonReader::TJsonReader(const QByteArray &json)
    : FBegin(json.constData()), FAt(FBegin), FEnd(FBegin + json.size())
{
    // Checked once for the whole input: strings are then taken as they stand.
    if (!QUtf8StringView(json).isValidUtf8()) Fail();
}

bool TJsonReader::Fail()
{
    FFailed = true;
    return false;
}

void TJsonReader::White()
{
    while (FAt < FEnd && (*FAt == ' ' || *FAt == '\n' || *FAt == '\r' || *FAt == '\t')) ++FAt;
}

bool TJsonReader::Take(char c)
{
    if (FFailed) return false;
    White();
    if (FAt < FEnd && *FAt == c) {
        ++FAt;
        return true;
    }
    return false;
}

bool TJsonReader::AtEnd()
{
    White();
    return !FFailed && FAt == FEnd;
}

char TJsonReader::Next()
{
    if (FFailed) return 0;
    White();
    if (FAt == FEnd) return 0;
    const char c = *FAt;
    return c == '-' || IsDigit(c) ? '0' : c;
}

bool TJsonReader::RawString(QByteArrayView &out, bool &decoded)
{
    if (!Take('"')) return Fail();
    // The bytes that end a plain run: the quote, an escape, a control character.
    static const auto stops = [] {
        std::array<bool, 256> t{};
        for (int c = 0; c < 0x20; ++c) t[c] = true;
        t['"'] = t['\\'] = true;
        return t;
    }();
    const char *start = FAt;
    while (FAt < FEnd && !stops[uchar(*FAt)]) ++FAt;
    if (FAt < FEnd && uchar(*FAt) < 0x20) return Fail();
    if (FAt == FEnd) return Fail();
    if (*FAt == '"') {
        out = QByteArrayView(start, FAt - start);
        decoded = false;
        ++FAt;
        return true;
    }
    FDecoded = QByteArray(start, FAt - start);
    while (FAt < FEnd && *FAt != '"') {
        const char c = *FAt++;
        if (uchar(c) < 0x20) return Fail();
        if (c != '\\') {
            FDecoded += c;
            continue;
        }
        if (FAt == FEnd) return Fail();
        const char e = *FAt++;
        switch (e) {
        case '"': case '\\': case '/': FDecoded += e; break;
        case 'b': FDecoded += '\b'; break;
        case 'f': FDecoded += '\f'; break;
        case 'n': FDecoded += '\n'; break;
        case 'r': FDecoded += '\r'; break;
        case 't': FDecoded += '\t'; break;
        case 'u': {
            const auto hex4 = [this](char32_t &u) {
                if (FEnd - FAt < 4) return false;
                u = 0;
                for (int i = 0; i < 4; ++i) {
                    const int d = HexDigit(*FAt++);
                    if (d < 0) return false;
                    u = u * 16 + char32_t(d);
                }
                return true;
            };
            char32_t u = 0;
            if (!hex4(u)) return Fail();
            if (u >= 0xD800 && u <= 0xDBFF && FEnd - FAt >= 6 && FAt[0] == '\\' && FAt[1] == 'u') {
                const char *back = FAt;
                FAt += 2;
                char32_t low = 0;
                if (!hex4(low)) return Fail();
                if (low >= 0xDC00 && low <= 0xDFFF) u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
                else FAt = back;
            }
            // A lone surrogate cannot be UTF-8: it stands as the replacement character.
            PutUtf8(FDecoded, u >= 0xD800 && u <= 0xDFFF ? char32_t(0xFFFD) : u);
            break;
        }
        default: return Fail();
        }
    }
    if (FAt == FEnd) return Fail();
    ++FAt;
    out = QByteArrayView(FDecoded);
    decoded = true;
    return true;
}

bool TJsonReader::String(QString &out)
{
    QByteArrayView bytes;
    bool decoded = false;
    if (!RawString(bytes, decoded)) return false;
    out = QString::fromUtf8(bytes);
    return true;
}

bool TJsonReader::Number(double &out)
{
    if (FFailed) return false;
    White();
    // JSON's grammar: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    const char *start = FAt, *p = FAt;
    if (p < FEnd && *p == '-') ++p;
    if (p < FEnd && *p == '0') ++p;
    else if (p < FEnd && IsDigit(*p)) while (p < FEnd && IsDigit(*p)) ++p;
    else return Fail();
    if (p < FEnd && *p == '.') {
        if (++p == FEnd || !IsDigit(*p)) return Fail();
        while (p < FEnd && IsDigit(*p)) ++p;
    }
    if (p < FEnd && (*p == 'e' || *p == 'E')) {
        if (++p < FEnd && (*p == '+' || *p == '-')) ++p;
        if (p == FEnd || !IsDigit(*p)) return Fail();
        while (p < FEnd && IsDigit(*p)) ++p;
    }
    const auto [end, error] = std::from_chars(start, p, out);
    // Out of range: the value as far as a double goes (as other readers take it).
    if (error == std::errc::result_out_of_range) out = *start == '-' ? -HUGE_VAL : HUGE_VAL;
    else if (error != std::errc() || end != p) return Fail();
    FAt = p;
    return true;
}

bool TJsonReader::Literal(const char *word)
{
    if (FFailed) return false;
    White();
    const size_t n = std::strlen(word);
    if (size_t(FEnd - FAt) < n || std::memcmp(FAt, word, n) != 0) return Fail();
    FAt += qsizetype(n);
    return true;
}

bool TJsonReader::Bool(bool &out)
{
    switch (Next()) {
    case 't': out = true; return Literal("true");
    case 'f': out = false; return Literal("false");
    default: return Fail();
    }
}

bool TJsonReader::Skip()
{
    switch (Next()) {
    case '{': return Object([this](QByteArrayView) { return Skip(); });
    case '[': return Array([this] { return Skip(); });
    case '"': {
        QByteArrayView bytes;
        bool decoded = false;
        return RawString(bytes, decoded);
    }
    case 't': return Literal("true");
    case 'f': return Literal("false");
    case 'n': return Literal("null");
    case '0': {
        double n = 0;
        return Number(n);
    }
    default: return Fail();
    }
}
