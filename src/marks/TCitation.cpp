#include "marks/TCitation.h"
#include "app/BookData.h"
#include "app/ReaderState.h"

const char *const TCitation::Template = "«{quote}» ({book}، {section}، صفحه {page})";
const char *const TCitation::BookName = "کتاب";

QString TCitationNames::TSection::Place() const
{
    return Part.isEmpty() ? Volume : Volume + QStringLiteral("، ") + Part;
}

TCitationNames TCitationNames::OfBook()
{
    TReaderState table;
    table.FillSectionTable();
    TCitationNames names;
    names.Book = QString::fromUtf8(TCitation::BookName);
    names.Template = QString::fromUtf8(TCitation::Template);
    // A title reads "جلد دوم، بخش يكم: روزگار ساسانيان" or "جلد اول: از آغاز ...".
    for (int s = 1; s <= SectionCount; ++s) {
        const QString title = QString::fromUtf8(SectionTitles[s - 1]);
        const qsizetype colon = title.indexOf(u':');
        const QString place = title.left(colon).trimmed();
        const qsizetype comma = place.indexOf(u'،');
        TSection section;
        section.First = table.FirstPage[s];
        section.Last = table.LastPage[s];
        section.Volume = place.left(comma).trimmed();
        section.Part = comma < 0 ? QString() : place.mid(comma + 1).trimmed();
        section.Subtitle = colon < 0 ? QString() : title.mid(colon + 1).trimmed();
        names.Sections.push_back(section);
    }
    return names;
}

const TCitationNames::TSection *TCitationNames::SectionOf(int page) const
{
    for (const TSection &s : Sections)
        if (s.First <= page && page <= s.Last) return &s;
    return nullptr;
}

QString TCitationNames::Cite(int page, const QString &quote) const
{
    const TSection *section = SectionOf(page);
    const QString line = TCitation::OneLine(quote);
    if (!section) return QStringLiteral("«") + line + QStringLiteral("»");
    // Filled in one pass, so a quote that holds "{page}" stays as it is.
    QString out;
    static const QString Fields[] = {QStringLiteral("{quote}"), QStringLiteral("{book}"), QStringLiteral("{section}"),
                                     QStringLiteral("{page}")};
    const QString values[] = {line, Book, section->Place(), QString::number(page)};
    for (qsizetype i = 0; i < Template.size();) {
        int field = 0;
        while (field < 4 && !QStringView(Template).sliced(i).startsWith(Fields[field])) ++field;
        if (field < 4) {
            out += values[field];
            i += Fields[field].size();
        } else {
            out += Template[i++];
        }
    }
    return out;
}

QString TCitation::For(const TMark &m)
{
    return For(m.Page, m.Quote);
}

QString TCitation::For(int page, const QString &quote)
{
    static const TCitationNames names = TCitationNames::OfBook();
    return names.Cite(page, quote);
}

QString TCitation::OneLine(const QString &quote)
{
    return quote.simplified();
}
