#include "marks/TMarkExport.h"
#include "app/ReaderState.h"
#include "marks/TMarkAnchor.h"
#include "marks/TMarkFile.h"
#include "marks/TMarkStyle.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUuid>
#include <algorithm>

const char *const TMarkExport::BookFont = "Rederu";

namespace {
const QString AnnotationContext = QStringLiteral("http://www.w3.org/ns/anno.jsonld");
// Ids that are not this program's are turned into UUIDs under this namespace, so the
// same annotation imported twice has the same Id.
const QUuid ForeignIds = QUuid::fromString(QStringLiteral("{6f1c2a57-3b0e-4d8e-9a51-7c2d4e8b1f03}"));
// A stand-in for the quote while a citation is escaped for HTML.
const QString QuoteToken = QStringLiteral("\uE000");

// Walks the live marks in book order, telling where a volume and where a part begins.
template <class V, class P, class M>
void InBookOrder(QList<TMark> marks, const TCitationNames &names, V volume, P part, M mark)
{
    marks.removeIf([](const TMark &m) { return m.Removed; });
    std::stable_sort(marks.begin(), marks.end(),
                     [](const TMark &a, const TMark &b) { return std::tie(a.Page, a.Start) < std::tie(b.Page, b.Start); });
    const TCitationNames::TSection *section = nullptr;
    for (const TMark &m : std::as_const(marks)) {
        const TCitationNames::TSection *now = names.SectionOf(m.Page);
        if (now && now != section) {
            if (!section || section->Volume != now->Volume) volume(*now);
            if (!now->Part.isEmpty()) part(*now);
        }
        section = now;
        mark(m);
    }
}

// The volume's heading: with its subtitle when the volume is not in parts.
QString VolumeHeading(const TCitationNames::TSection &s)
{
    return s.Part.isEmpty() && !s.Subtitle.isEmpty() ? s.Volume + QStringLiteral(": ") + s.Subtitle : s.Volume;
}

QString PartHeading(const TCitationNames::TSection &s)
{
    return s.Subtitle.isEmpty() ? s.Part : s.Part + QStringLiteral(": ") + s.Subtitle;
}

QString MarkdownEscaped(QString text)
{
    static const QRegularExpression special(QStringLiteral(R"(([\\`*_\[\]<>#|]))"));
    return text.replace(special, QStringLiteral(R"(\\1)"));
}

QString Time(const QDateTime &t)
{
    return t.toUTC().toString(Qt::ISODateWithMs);
}

QString StyleSheetOf(TMark::TStyle style)
{
    const QString name = TMarkStyle::Name(style), colour = TMarkStyle::Colour(style);
    return style == TMark::msUnderline
        ? QStringLiteral(".%1 { text-decoration: underline %2 2px; }").arg(name, colour)
        : QStringLiteral(".%1 { background-color: %2; }").arg(name, colour);
}

// A JSON value that may be one object or a list of them, as a list.
QJsonArray Many(const QJsonValue &v)
{
    return v.isArray() ? v.toArray() : v.isObject() ? QJsonArray{v} : QJsonArray();
}

bool IsOfType(const QJsonObject &o, const QString &type)
{
    const QJsonValue t = o.value(QLatin1String("type"));
    return t.isArray() ? t.toArray().contains(type) : t.toString() == type;
}

// One annotation as a mark; false for one aimed at no page of this book or without a quote.
bool ReadAnnotation(const QJsonObject &a, TMark &m)
{
    if (!IsOfType(a, QStringLiteral("Annotation"))) return false;
    bool quoted = false;
    for (const QJsonValue &t : Many(a.value(QLatin1String("target")))) {
        const QJsonObject target = t.toObject();
        m.Page = TMarkExport::PageOfSource(target.value(QLatin1String("source")).toString());
        if (!m.Page) continue;
        for (const QJsonValue &s : Many(target.value(QLatin1String("selector")))) {
            const QJsonObject selector = s.toObject();
            if (IsOfType(selector, QStringLiteral("TextQuoteSelector"))) {
                m.Quote = selector.value(QLatin1String("exact")).toString();
                m.Prefix = TMarkAnchor::PrefixOf(selector.value(QLatin1String("prefix")).toString());
                m.Suffix = TMarkAnchor::SuffixOf(selector.value(QLatin1String("suffix")).toString());
                quoted = !m.Quote.isEmpty();
            } else if (IsOfType(selector, QStringLiteral("TextPositionSelector"))) {
                const double start = selector.value(QLatin1String("start")).toDouble(-1);
                const double end = selector.value(QLatin1String("end")).toDouble(-1);
                if (start >= 0 && start <= end && end <= TMarkFile::MaxOffset) m.Start = int(start), m.End = int(end);
            }
        }
        TMarkStyle::FromName(target.value(QLatin1String("styleClass")).toString(), m.Style);
        if (quoted) break;
    }
    if (!quoted) return false;
    QStringList notes;
    for (const QJsonValue &b : Many(a.value(QLatin1String("body")))) {
        const QJsonObject body = b.toObject();
        const QString purpose = body.value(QLatin1String("purpose")).toString();
        if (IsOfType(body, QStringLiteral("TextualBody")) && (purpose.isEmpty() || purpose == QLatin1String("commenting")))
            notes << body.value(QLatin1String("value")).toString();
    }
    if (a.value(QLatin1String("bodyValue")).isString()) notes << a.value(QLatin1String("bodyValue")).toString();
    notes.removeAll(QString());
    m.Note = notes.join(QStringLiteral("\n\n"));

    const QString id = a.value(QLatin1String("id")).toString();
    const QUuid uuid = QUuid::fromString(id.startsWith(QLatin1String("urn:uuid:")) ? id.mid(9) : id);
    m.Id = (!uuid.isNull() ? uuid : id.isEmpty() ? QUuid::createUuid() : QUuid::createUuidV5(ForeignIds, id))
               .toString(QUuid::WithoutBraces);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const auto time = [&a](const char *key) {
        const QDateTime t = QDateTime::fromString(a.value(QLatin1String(key)).toString(), Qt::ISODateWithMs).toUTC();
        return t.isValid() && t.date().year() >= 1 && t.date().year() <= 9999 ? t : QDateTime();
    };
    m.Created = time("created").isValid() ? time("created") : now;
    m.Changed = time("modified").isValid() ? time("modified") : m.Created;
    return true;
}
}

QString TMarkExport::Markdown(const QList<TMark> &marks, const TCitationNames &names)
{
    QStringList lines{QStringLiteral("# ") + tr("Marks and notes")};
    InBookOrder(
        marks, names, [&](const TCitationNames::TSection &s) { lines << QString() << QStringLiteral("## ") + VolumeHeading(s); },
        [&](const TCitationNames::TSection &s) { lines << QString() << QStringLiteral("### ") + PartHeading(s); },
        [&](const TMark &m) {
            lines << QString() << QStringLiteral("- ") + MarkdownEscaped(names.Cite(m.Page, m.Quote)) + QStringLiteral(" — ")
                    + TMarkStyle::Caption(m.Style);
            if (!m.Note.isEmpty())
                for (const QString &line : m.Note.split(u'\n'))
                    lines << (line.trimmed().isEmpty() ? QStringLiteral("  >") : QStringLiteral("  > ") + MarkdownEscaped(line));
        });
    return lines.join(u'\n') + u'\n';
}

QString TMarkExport::Html(const QList<TMark> &marks, const TCitationNames &names)
{
    const QString title = tr("Marks and notes").toHtmlEscaped();
    QString styles;
    for (int s = 0; s < TMark::StyleCount; ++s) styles += QStringLiteral("mark") + StyleSheetOf(TMark::TStyle(s)) + u'\n';
    QString out = QStringLiteral("<!DOCTYPE html>\n<html lang=\"fa\" dir=\"rtl\">\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                                 "<style>\nbody { direction: rtl; font-family: \"%2\", serif; line-height: 1.8; margin: 2em; }\n"
                                 "mark { color: inherit; background: none; }\n%3"
                                 ".note { white-space: pre-wrap; margin-inline-start: 1.5em; }\n.style { font-size: smaller; opacity: .7; }\n"
                                 "</style>\n</head>\n<body>\n<h1>%1</h1>\n")
                      .arg(title, QLatin1String(BookFont), styles);
    bool inVolume = false, inPart = false;
    const auto closePart = [&] {
        if (inPart) out += QStringLiteral("</section>\n");
        inPart = false;
    };
    InBookOrder(
        marks, names,
        [&](const TCitationNames::TSection &s) {
            closePart();
            if (inVolume) out += QStringLiteral("</section>\n");
            inVolume = true;
            out += QStringLiteral("<section class=\"volume\">\n<h2>%1</h2>\n").arg(VolumeHeading(s).toHtmlEscaped());
        },
        [&](const TCitationNames::TSection &s) {
            closePart();
            inPart = true;
            out += QStringLiteral("<section class=\"part\">\n<h3>%1</h3>\n").arg(PartHeading(s).toHtmlEscaped());
        },
        [&](const TMark &m) {
            const QString name = TMarkStyle::Name(m.Style);
            const QString quote = QStringLiteral("<mark class=\"%1\">%2</mark>").arg(name, TCitation::OneLine(m.Quote).toHtmlEscaped());
            out += QStringLiteral("<div class=\"mark\">\n<p class=\"quote\">%1</p>\n")
                       .arg(names.Cite(m.Page, QuoteToken).toHtmlEscaped().replace(QuoteToken, quote));
            if (!m.Note.isEmpty()) out += QStringLiteral("<p class=\"note\" dir=\"auto\">%1</p>\n").arg(m.Note.toHtmlEscaped());
            out += QStringLiteral("<p class=\"style\">%1</p>\n</div>\n").arg(TMarkStyle::Caption(m.Style).toHtmlEscaped());
        });
    closePart();
    if (inVolume) out += QStringLiteral("</section>\n");
    return out + QStringLiteral("</body>\n</html>\n");
}

QByteArray TMarkExport::WebAnnotation(const QList<TMark> &marks, const TCitationNames &names)
{
    QJsonArray items;
    InBookOrder(
        marks, names, [](const TCitationNames::TSection &) {}, [](const TCitationNames::TSection &) {},
        [&](const TMark &m) {
            const QJsonArray selectors{
                QJsonObject{{QStringLiteral("type"), QStringLiteral("TextQuoteSelector")},
                            {QStringLiteral("exact"), m.Quote},
                            {QStringLiteral("prefix"), m.Prefix},
                            {QStringLiteral("suffix"), m.Suffix}},
                QJsonObject{{QStringLiteral("type"), QStringLiteral("TextPositionSelector")},
                            {QStringLiteral("start"), m.Start},
                            {QStringLiteral("end"), m.End}}};
            QJsonObject a{{QStringLiteral("id"), QStringLiteral("urn:uuid:") + m.Id},
                          {QStringLiteral("type"), QStringLiteral("Annotation")},
                          {QStringLiteral("motivation"), m.Note.isEmpty() ? QStringLiteral("highlighting") : QStringLiteral("commenting")},
                          {QStringLiteral("created"), Time(m.Created)},
                          {QStringLiteral("modified"), Time(m.Changed)},
                          {QStringLiteral("stylesheet"), QJsonObject{{QStringLiteral("type"), QStringLiteral("CssStylesheet")},
                                                                     {QStringLiteral("value"), StyleSheetOf(m.Style)}}},
                          {QStringLiteral("target"), QJsonObject{{QStringLiteral("source"), PageSource(m.Page, names)},
                                                                 {QStringLiteral("styleClass"), TMarkStyle::Name(m.Style)},
                                                                 {QStringLiteral("selector"), selectors}}}};
            if (!m.Note.isEmpty())
                a.insert(QStringLiteral("body"), QJsonObject{{QStringLiteral("type"), QStringLiteral("TextualBody")},
                                                             {QStringLiteral("value"), m.Note},
                                                             {QStringLiteral("format"), QStringLiteral("text/plain")},
                                                             {QStringLiteral("purpose"), QStringLiteral("commenting")}});
            items.append(a);
        });
    const QJsonObject collection{
        {QStringLiteral("@context"), AnnotationContext},
        {QStringLiteral("type"), QStringLiteral("AnnotationCollection")},
        {QStringLiteral("label"), tr("Marks and notes")},
        {QStringLiteral("total"), items.size()},
        {QStringLiteral("first"), QJsonObject{{QStringLiteral("type"), QStringLiteral("AnnotationPage")},
                                              {QStringLiteral("startIndex"), 0},
                                              {QStringLiteral("items"), items}}}};
    return QJsonDocument(collection).toJson(QJsonDocument::Indented);
}

TImported TMarkExport::Import(const QByteArray &json)
{
    TImported imported;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        imported.Error = tr("The file is not JSON (%1 at byte %2); nothing was imported.").arg(error.errorString()).arg(error.offset);
        return imported;
    }
    const QJsonObject top = doc.object();
    if (top.value(QLatin1String("format")).toString() == QLatin1String(TMarkFile::FormatName)) {
        const TMarkFile::TRead read = TMarkFile::Read(json);
        if (read.Status != TMarkFile::fsWhole)
            imported.Error = tr("The marks file cannot be read (%1); nothing was imported.").arg(read.Error);
        else
            imported.Marks = read.Marks;
        return imported;
    }
    // A collection, a page of a collection, a list of annotations, or one.
    QJsonArray items = doc.isArray() ? doc.array() : QJsonArray{top};
    if (IsOfType(top, QStringLiteral("AnnotationCollection"))) items = top.value(QLatin1String("first")).toObject().value(QLatin1String("items")).toArray();
    else if (IsOfType(top, QStringLiteral("AnnotationPage"))) items = top.value(QLatin1String("items")).toArray();
    for (const QJsonValue &item : std::as_const(items)) {
        TMark m;
        if (ReadAnnotation(item.toObject(), m)) imported.Marks.push_back(m);
        else ++imported.Skipped;
    }
    if (imported.Marks.isEmpty())
        imported.Error = tr("The file holds no marks of this book: it is neither web annotations of the book's pages nor "
                            "a marks file of this program; nothing was imported.");
    return imported;
}

QString TMarkExport::PageSource(int page, const TCitationNames &names)
{
    const TCitationNames::TSection *s = names.SectionOf(page);
    const int section = s ? int(s - names.Sections.constData()) + 1 : 0;
    return QStringLiteral("datas/p") + SectionNo2(section) + PageNo4(page) + QStringLiteral(".htm");
}

int TMarkExport::PageOfSource(const QString &source)
{
    static const QRegularExpression name(QStringLiteral(R"((?:^|[/\\])p\d\d(\d{4})\.htm$)"));
    const QRegularExpressionMatch match = name.match(source);
    const int page = match.hasMatch() ? match.captured(1).toInt() : 0;
    return page >= 1 && page <= BookPageCount ? page : 0;
}
