#include "marks/TMarkFile.h"
#include "app/ReaderState.h"
#include "marks/TJsonReader.h"
#include "marks/TMarkAnchor.h"
#include "marks/TJsonWriter.h"
#include "marks/TMarkStyle.h"
#include <QUuid>
#include <algorithm>
#include <tuple>
#include <vector>

const char *const TMarkFile::FormatName = "ketab-marks";

namespace {
// A time as files write it; others as ISO 8601 reads them. Invalid for none, or for a
// year a file could not write back as it was read.
QDateTime TimeOf(const QString &text)
{
    const auto digits = [&text](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i) {
            if (!text[i].isDigit() || text[i].unicode() > u'9') return -1;
            n = n * 10 + (text[i].unicode() - u'0');
        }
        return n;
    };
    QDateTime t;
    if (text.size() == 24 && text[4] == u'-' && text[7] == u'-' && text[10] == u'T' && text[13] == u':' && text[16] == u':'
        && text[19] == u'.' && text[23] == u'Z') {
        const QDate d(digits(0, 4), digits(5, 2), digits(8, 2));
        const QTime h(digits(11, 2), digits(14, 2), digits(17, 2), digits(20, 3));
        if (d.isValid() && h.isValid()) t = QDateTime(d, h, Qt::UTC);
    } else {
        t = QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
    }
    return t.isValid() && t.date().year() >= 1 && t.date().year() <= 9999 ? t : QDateTime();
}

// Reads one entry; false for a fault of the JSON (the reader then says so) or, with why,
// for an entry this version cannot take whole.
bool ReadMark(TJsonReader &j, TMark &m, QString &why)
{
    enum { hId = 1, hPage = 2, hQuote = 4, hStart = 8, hEnd = 16, hCreated = 32, hChanged = 64 };
    int has = 0;
    double page = 0, start = 0, end = 0;
    QString style = TMarkStyle::Name(m.Style), created, changed;
    const auto wrong = [&why](const char *key) {
        if (why.isEmpty()) why = QStringLiteral("the value of \"%1\" cannot be read").arg(QLatin1String(key));
    };
    const auto text = [&](const char *key, QString &out, int flag) {
        if (j.Next() != '"') {
            wrong(key);
            return j.Skip();
        }
        has |= flag;
        return j.String(out);
    };
    const auto number = [&](const char *key, double &out, int flag) {
        if (j.Next() != '0') {
            wrong(key);
            return j.Skip();
        }
        has |= flag;
        return j.Number(out);
    };
    const bool json = j.Object([&](QByteArrayView key) {
        if (key == "id") return text("id", m.Id, hId);
        if (key == "page") return number("page", page, hPage);
        if (key == "quote") return text("quote", m.Quote, hQuote);
        if (key == "prefix") return text("prefix", m.Prefix, 0);
        if (key == "suffix") return text("suffix", m.Suffix, 0);
        if (key == "start") return number("start", start, hStart);
        if (key == "end") return number("end", end, hEnd);
        if (key == "style") return text("style", style, 0);
        if (key == "note") return text("note", m.Note, 0);
        if (key == "created") return text("created", created, hCreated);
        if (key == "changed") return text("changed", changed, hChanged);
        if (key == "removed") {
            if (j.Next() == 't' || j.Next() == 'f') return j.Bool(m.Removed);
            wrong("removed");
            return j.Skip();
        }
        return j.Skip();  // a field of a later version
    });
    if (!json) return false;
    const auto whole = [](double n, int lowest, int highest) { return n >= lowest && n <= highest && n == double(int(n)); };
    const int needed = hId | hPage | hCreated | hChanged | (m.Removed ? 0 : hQuote | hStart | hEnd);
    const char *missing = !(has & hId) ? "id" : !(has & hPage) ? "page" : !(has & hCreated) ? "created" : !(has & hChanged) ? "changed"
                        : !(has & hQuote) ? "quote" : !(has & hStart) ? "start" : "end";
    if ((has & needed) != needed) wrong(missing);
    if (!whole(page, 1, BookPageCount)) wrong("page");
    if (!whole(start, 0, TMarkFile::MaxOffset)) wrong("start");
    else if (!whole(end, int(start), TMarkFile::MaxOffset)) wrong("end");
    if (!TMarkStyle::FromName(style, m.Style)) wrong("style");
    m.Created = TimeOf(created);
    m.Changed = TimeOf(changed);
    if (!m.Created.isValid()) wrong("created");
    if (!m.Changed.isValid()) wrong("changed");
    // One spelling of an Id, so a join knows the mark.
    const QUuid id = QUuid::fromString(m.Id);
    if (id.isNull()) wrong("id");
    if (!why.isEmpty()) return true;
    m.Id = id.toString(QUuid::WithoutBraces);
    m.Prefix = TMarkAnchor::PrefixOf(m.Prefix);
    m.Suffix = TMarkAnchor::SuffixOf(m.Suffix);
    m.Page = int(page);
    m.Start = int(start);
    m.End = int(end);
    return true;
}
}

TMarkFile::TRead TMarkFile::Read(const QByteArray &bytes)
{
    TRead read;
    TJsonReader j(bytes);
    const auto notJson = [&] {
        read.Status = fsDamaged;
        read.Error = QStringLiteral("not JSON at byte %1").arg(j.Offset());
        return read;
    };
    if (j.Next() != '{') {
        if (!j.Skip() || !j.AtEnd()) return notJson();
        read.Status = fsForeign;
        read.Error = QStringLiteral("not a marks file");
        return read;
    }
    QString format, markError;
    double version = -1;
    bool hasBook = false, hasMarks = false;
    QList<TMark> marks;
    const auto listOfMarks = [&] {
        hasMarks = true;
        marks.clear();
        markError.clear();
        int index = 0;
        return j.Array([&] {
            TMark m;
            QString why;
            ++index;
            const bool json = j.Next() == '{' ? ReadMark(j, m, why) : (why = QStringLiteral("not an object"), j.Skip());
            if (why.isEmpty()) marks.push_back(std::move(m));
            else if (markError.isEmpty()) markError = QStringLiteral("mark %1: %2").arg(index).arg(why);
            return json;
        });
    };
    const bool json = j.Object([&](QByteArrayView key) {
        if (key == "format" && j.Next() == '"') return j.String(format);
        if (key == "version" && j.Next() == '0') return j.Number(version);
        if (key == "book" && j.Next() == '"') return hasBook = true, j.String(read.Book);
        if (key == "marks" && j.Next() == '[') return listOfMarks();
        return j.Skip();
    });
    if (!json || !j.AtEnd()) return notJson();
    if (format != QLatin1String(FormatName)) {
        read.Status = fsForeign;
        read.Error = QStringLiteral("not a marks file");
        return read;
    }
    if (version != Version) {
        read.Status = version > Version ? fsForeign : fsDamaged;
        read.Error = QStringLiteral("version %1 of the marks file").arg(version);
        return read;
    }
    if (!hasBook || !hasMarks || !markError.isEmpty()) {
        read.Status = fsDamaged;
        read.Error = markError.isEmpty() ? QStringLiteral("no book or no marks") : markError;
        return read;
    }
    read.Status = fsWhole;
    read.Marks = std::move(marks);
    return read;
}

QByteArray TMarkFile::Write(const QString &book, const QList<TMark> &marks)
{
    // One mark a line, in book order: a file a reader can look through, and quick to write.
    std::vector<const TMark *> order;
    order.reserve(size_t(marks.size()));
    for (const TMark &m : marks) order.push_back(&m);
    std::sort(order.begin(), order.end(), [](const TMark *a, const TMark *b) {
        return std::tie(a->Page, a->Start, a->End, a->Created, a->Id) < std::tie(b->Page, b->Start, b->End, b->Created, b->Id);
    });
    TJsonWriter w;
    w.Raw("{\n    ");
    w.Key(QLatin1StringView("format"));
    w.Latin1(QLatin1StringView(FormatName));
    w.Raw(",\n    ");
    w.Key(QLatin1StringView("version"));
    w.Number(Version);
    w.Raw(",\n    ");
    w.Key(QLatin1StringView("book"));
    w.String(book);
    w.Raw(",\n    ");
    w.Key(QLatin1StringView("marks"));
    w.Raw("[");
    bool first = true;
    for (const TMark *mark : order) {
        const TMark &m = *mark;
        first ? w.Raw("\n        {") : w.Raw(",\n        {");
        first = false;
        w.Key(QLatin1StringView("id"));
        w.String(m.Id);
        w.NextKey(QLatin1StringView("page"));
        w.Number(m.Page);
        if (!m.Removed) {
            // A tombstone keeps no words of the passage or its note.
            const std::pair<QLatin1StringView, const QString *> texts[] = {
                {QLatin1StringView("quote"), &m.Quote}, {QLatin1StringView("prefix"), &m.Prefix}, {QLatin1StringView("suffix"), &m.Suffix}};
            for (const auto &[key, value] : texts) {
                w.NextKey(key);
                w.String(*value);
            }
            w.NextKey(QLatin1StringView("start"));
            w.Number(m.Start);
            w.NextKey(QLatin1StringView("end"));
            w.Number(m.End);
            w.NextKey(QLatin1StringView("style"));
            w.Latin1(TMarkStyle::Latin1Name(m.Style));
            w.NextKey(QLatin1StringView("note"));
            w.String(m.Note);
        }
        w.NextKey(QLatin1StringView("created"));
        w.Time(m.Created);
        w.NextKey(QLatin1StringView("changed"));
        w.Time(m.Changed);
        w.NextKey(QLatin1StringView("removed"));
        w.Bool(m.Removed);
        w.Raw("}");
    }
    first ? w.Raw("]\n}\n") : w.Raw("\n    ]\n}\n");
    return w.Take();
}
