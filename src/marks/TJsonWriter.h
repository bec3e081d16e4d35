#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>

// Writes JSON as UTF-8 straight into one buffer, for files large enough that building a
// document first costs more than writing it. The caller lays out the structure; strings
// are escaped as JSON needs (a lone surrogate, which UTF-8 cannot hold, is written as the
// replacement character, as a reader would decode it).
class TJsonWriter {
public:
    template <size_t N> void Raw(const char (&text)[N]) { Raw(text, N - 1); }
    void Raw(const char *text, qsizetype size);
    void String(QStringView text);
    void Latin1(QLatin1StringView text);  // a string of plain ASCII, as it stands
    void Number(qint64 n);
    void Bool(bool b) { b ? Raw("true") : Raw("false"); }
    // A UTC time as ISO 8601 with milliseconds: 2026-05-01T10:00:00.000Z (years 1..9999).
    void Time(const QDateTime &t);
    // "key": (with a blank after the colon)
    void Key(QLatin1StringView key);
    // , "key": — a member after the first one of an object
    void NextKey(QLatin1StringView key)
    {
        Raw(", ");
        Key(key);
    }

    QByteArray Take();

private:
    // Room for n more bytes at FUsed; Done says how far they were filled.
    char *Room(qsizetype n);
    void Done(char *end) { FUsed = end - FOut.data(); }
    QByteArray FOut;
    qsizetype FUsed = 0;
};
