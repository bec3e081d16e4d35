#include "marks/TMarksList.h"
#include "app/BookData.h"
#include "app/ReaderState.h"
#include "marks/TMarkStyle.h"

TMarksList::TMarksList(QObject *parent) : QAbstractListModel(parent) {}

void TMarksList::SetMarks(const QList<TMark> &marks, const QSet<QString> &lost)
{
    beginResetModel();
    FEntries.clear();
    FEntries.reserve(marks.size());
    for (const TMark &m : marks)
        if (!m.Removed) FEntries.push_back(TEntry{m, lost.contains(m.Id)});
    Refilter();
    endResetModel();
}

void TMarksList::SetFilter(int style, const QString &text)
{
    if (style == FStyle && text == FText) return;
    beginResetModel();
    FStyle = style;
    FText = text;
    Refilter();
    endResetModel();
}

bool TMarksList::Passes(const TEntry &entry, const TFoldedTerm *term) const
{
    if (FStyle != AnyStyle && entry.Mark.Style != FStyle) return false;
    if (!term) return true;
    if (!entry.Folded) {
        entry.Quote = TFoldedText(entry.Mark.Quote);
        entry.Note = TFoldedText(entry.Mark.Note);
        entry.Folded = true;
    }
    return term->Occurs(entry.Quote, false) || term->Occurs(entry.Note, false);
}

void TMarksList::Refilter()
{
    FShown.clear();
    // A text of blanks alone narrows nothing.
    const TFoldedTerm term(FText.trimmed());
    const TFoldedTerm *t = term.IsEmpty() ? nullptr : &term;
    for (int i = 0; i < static_cast<int>(FEntries.size()); ++i)
        if (Passes(FEntries[i], t)) FShown.push_back(i);
}

QList<TMark> TMarksList::Shown() const
{
    QList<TMark> out;
    out.reserve(static_cast<qsizetype>(FShown.size()));
    for (int i : FShown) out.append(FEntries[i].Mark);
    return out;
}

int TMarksList::RowOf(const QString &id) const
{
    for (int row = 0; row < static_cast<int>(FShown.size()); ++row)
        if (FEntries[FShown[row]].Mark.Id == id) return row;
    return -1;
}

QString TMarksList::Place(int page)
{
    const int section = SectionOf(page);
    if (section < 1) return tr("page %1").arg(page);
    // The volume and part of the section's title, before its subtitle.
    const QString title = QString::fromUtf8(SectionTitles[section - 1]);
    return title.section(u':', 0, 0) + QStringLiteral("، صفحه ") + QString::number(page);
}

QString TMarksList::FirstLine(const QString &note)
{
    for (const QString &line : note.split(u'\n'))
        if (!line.trimmed().isEmpty()) return line.trimmed();
    return QString();
}

QString TMarksList::LostText() { return tr("not found on this page"); }

int TMarksList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FShown.size());
}

QVariant TMarksList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) return {};
    const TEntry &e = FEntries[FShown[index.row()]];
    const TMark &m = e.Mark;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m.Quote.simplified();
    case Qt::AccessibleDescriptionRole: {
        QStringList parts{TMarkStyle::Caption(m.Style)};
        if (e.Lost) parts << LostText();
        if (!m.Note.isEmpty()) parts << FirstLine(m.Note);
        parts << Place(m.Page);
        return parts.join(QStringLiteral("؛ "));
    }
    case Qt::ToolTipRole: return m.Note.isEmpty() ? m.Quote : m.Quote + QStringLiteral("\n\n") + m.Note;
    case StyleRole: return static_cast<int>(m.Style);
    case NoteRole: return FirstLine(m.Note);
    case PlaceRole: return Place(m.Page);
    case LostRole: return e.Lost;
    case IdRole: return m.Id;
    default: return {};
    }
}
