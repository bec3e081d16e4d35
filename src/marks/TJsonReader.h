#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reads JSON (RFC 8259, UTF-8) in one pass, value by value, so a large file of a known
// shape is taken straight into its own structures: the caller asks for the value it
// expects, or skips it. Any fault (a character out of place, bad UTF-8 or escapes, a
// number that is not JSON's, nesting deeper than MaxDepth) stops the reading: every call
// after it answers false, and Failed() says so.
class TJsonReader {
public:
    static constexpr int MaxDepth = 64;

    explicit TJsonReader(const QByteArray &json);

    bool Failed() const { return FFailed; }
    // Where the reading is (or stopped), in bytes.
    qsizetype Offset() const { return FAt - FBegin; }
    // Nothing but white space is left.
    bool AtEnd();
    // The next value's kind, by its first character: '{', '[', '"', 't', 'f', 'n', or '0'
    // for a number; 0 at the end or after a fault.
    char Next();

    bool String(QString &out);
    bool Number(double &out);
    bool Bool(bool &out);
    // Any value, passed over.
    bool Skip();
    // An object: member(key) is called for each member with its key, and must read or
    // skip the member's value (returning false to stop). Keys are their UTF-8 bytes.
    template <class F> bool Object(F &&member);
    // An array: item() is called for each element, and must read or skip it.
    template <class F> bool Array(F &&item);

private:
    bool Fail();
    void White();
    bool Take(char c);
    // The string's UTF-8: its bytes in the input when it holds no escapes, else decoded
    // into FDecoded (decoded then true).
    bool RawString(QByteArrayView &out, bool &decoded);
    bool Literal(const char *word);

    const char *FBegin;
    const char *FAt;
    const char *FEnd;
    bool FFailed = false;
    int FDepth = 0;
    QByteArray FDecoded;
};

template <class F> bool TJsonReader::Object(F &&member)
{
    if (!Take('{')) return Fail();
    if (++FDepth > MaxDepth) return Fail();
    if (!Take('}')) {
        do {
            QByteArrayView key;
            bool decoded = false;
            if (!RawString(key, decoded) || !Take(':')) return Fail();
            // A decoded key is copied: the member may decode strings of its own.
            const QByteArray copy = decoded ? key.toByteArray() : QByteArray();
            if (!member(decoded ? QByteArrayView(copy) : key) || FFailed) return Fail();
        } while (Take(','));
        if (!Take('}')) return Fail();
    }
    --FDepth;
    return true;
}

template <class F> bool TJsonReader::Array(F &&item)
{
    if (!Take('[')) return Fail();
    if (++FDepth > MaxDepth) return Fail();
    if (!Take(']')) {
        do {
            if (!item() || FFailed) return Fail();
        } while (Take(','));
        if (!Take(']')) return Fail();
    }
    --FDepth;
    return true;
}
