#include "marks/TMarkFile.h"
#include "app/ReaderState.h"
#include "marks/TMarkStyle.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

const char *const TMarkFile::FormatName = "ketab-marks";

namespace {
// Reads one entry; false, with why, for an entry this version cannot take whole.
class TEntryReader {
public:
    explicit TEntryReader(const QJsonObject &o) : FObject(o) {}

    bool Text(const char *key, QString &out, bool required)
    {
        const QJsonValue v = FObject.value(QLatin1String(key));
        if (v.isUndefined() && !required) return true;
        if (!v.isString()) return Fail(key);
        out = v.toString();
        return true;
    }
    bool Number(const char *key, int lowest, int highest, int &out, bool required = true)
    {
        const QJsonValue v = FObject.value(QLatin1String(key));
        if (v.isUndefined() && !required) return true;
        const double n = v.toDouble(-1);
        if (!v.isDouble() || n < lowest || n > highest || n != double(int(n))) return Fail(key);
        out = int(n);
        return true;
    }
    bool Time(const char *key, QDateTime &out)
    {
        QString text;
        if (!Text(key, text, true)) return false;
        out = QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
        // Years a file can write back as it read them.
        return (out.isValid() && out.date().year() >= 1 && out.date().year() <= 9999) || Fail(key);
    }
    bool Flag(const char *key, bool &out)
    {
        const QJsonValue v = FObject.value(QLatin1String(key));
        if (v.isUndefined()) return true;
        if (!v.isBool()) return Fail(key);
        out = v.toBool();
        return true;
    }
    bool Fail(const char *key)
    {
        Why = QStringLiteral("the value of \"%1\" cannot be read").arg(QLatin1String(key));
        return false;
    }
    QString Why;

private:
    const QJsonObject &FObject;
};

bool ReadMark(const QJsonObject &o, TMark &m, QString &why)
{
    TEntryReader r(o);
    QString style = TMarkStyle::Name(m.Style);
    const bool ok = r.Text("id", m.Id, true) && r.Number("page", 1, BookPageCount, m.Page) && r.Flag("removed", m.Removed)
        && r.Text("quote", m.Quote, !m.Removed) && r.Text("prefix", m.Prefix, false) && r.Text("suffix", m.Suffix, false)
        && r.Number("start", 0, TMarkFile::MaxOffset, m.Start, !m.Removed)
        && r.Number("end", m.Start, TMarkFile::MaxOffset, m.End, !m.Removed)
        && r.Text("style", style, false) && (TMarkStyle::FromName(style, m.Style) || r.Fail("style"))
        && r.Text("note", m.Note, false) && r.Time("created", m.Created) && r.Time("changed", m.Changed)
        && (!QUuid::fromString(m.Id).isNull() || r.Fail("id"));
    // One spelling of an Id, so a join knows the mark.
    if (ok) m.Id = QUuid::fromString(m.Id).toString(QUuid::WithoutBraces);
    why = r.Why;
    return ok;
}
}

TMarkFile::TRead TMarkFile::Read(const QByteArray &bytes)
{
    TRead read;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        read.Error = QStringLiteral("not JSON: %1 at byte %2").arg(error.errorString()).arg(error.offset);
        return read;
    }
    const QJsonObject top = doc.object();
    if (top.value(QLatin1String("format")).toString() != QLatin1String(FormatName)) {
        read.Status = fsForeign;
        read.Error = QStringLiteral("not a marks file");
        return read;
    }
    const QJsonValue version = top.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() != Version) {
        read.Status = version.isDouble() && version.toDouble() > Version ? fsForeign : fsDamaged;
        read.Error = QStringLiteral("version %1 of the marks file").arg(version.toVariant().toString());
        return read;
    }
    const QJsonValue book = top.value(QLatin1String("book")), marks = top.value(QLatin1String("marks"));
    if (!book.isString() || !marks.isArray()) {
        read.Error = QStringLiteral("no book or no marks");
        return read;
    }
    read.Book = book.toString();
    const QJsonArray list = marks.toArray();
    read.Marks.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        TMark m;
        QString why;
        if (!list[i].isObject() || !ReadMark(list[i].toObject(), m, why)) {
            read.Marks.clear();
            read.Error = QStringLiteral("mark %1: %2").arg(i + 1).arg(why.isEmpty() ? QStringLiteral("not an object") : why);
            return read;
        }
        read.Marks.push_back(m);
    }
    read.Status = fsWhole;
    return read;
}

QByteArray TMarkFile::Write(const QString &book, const QList<TMark> &marks)
{
    QJsonArray list;
    for (const TMark &m : marks) {
        QJsonObject o{{QStringLiteral("id"), m.Id}, {QStringLiteral("page"), m.Page},
                      {QStringLiteral("created"), m.Created.toUTC().toString(Qt::ISODateWithMs)},
                      {QStringLiteral("changed"), m.Changed.toUTC().toString(Qt::ISODateWithMs)}};
        if (m.Removed) {
            o.insert(QStringLiteral("removed"), true);
        } else {
            o.insert(QStringLiteral("quote"), m.Quote);
            o.insert(QStringLiteral("prefix"), m.Prefix);
            o.insert(QStringLiteral("suffix"), m.Suffix);
            o.insert(QStringLiteral("start"), m.Start);
            o.insert(QStringLiteral("end"), m.End);
            o.insert(QStringLiteral("style"), TMarkStyle::Name(m.Style));
            o.insert(QStringLiteral("note"), m.Note);
            o.insert(QStringLiteral("removed"), false);
        }
        list.append(o);
    }
    const QJsonObject top{{QStringLiteral("format"), QLatin1String(FormatName)},
                          {QStringLiteral("version"), Version},
                          {QStringLiteral("book"), book},
                          {QStringLiteral("marks"), list}};
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}
