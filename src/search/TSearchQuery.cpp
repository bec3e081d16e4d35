#include "search/TSearchQuery.h"
#include "search/TFoldedText.h"

QString TSearchQuery::Normalise(const QString &query)
{
    QString out = query;
    for (QChar &c : out) {
        if (c.unicode() == 0x06CC) c = QChar(0x064A);
        else if (c.unicode() == 0x06A9) c = QChar(0x0643);
    }
    return out;
}

bool TSearchQuery::IsDroppedTerm(const QString &term, bool folded)
{
    if (folded) {
        const QString f = TFoldedText::Fold(term);
        // The markup words folded: small letters only.
        static const QStringList markup = {QStringLiteral("html"), QStringLiteral("font"), QStringLiteral("align"),
                                           QStringLiteral("justify"), QStringLiteral("left"), QStringLiteral("right"),
                                           QStringLiteral("head"), QStringLiteral("body")};
        return f.size() < 2 || markup.contains(f) || TFoldedTerm(f).IsEmpty();
    }
    static const QStringList markup = {
        QStringLiteral("html"), QStringLiteral("HTML"), QStringLiteral("font"), QStringLiteral("FONT"),
        QStringLiteral("ALIGN"), QStringLiteral("align"), QStringLiteral("justify"), QStringLiteral("JUSTIFY"),
        QStringLiteral("left"), QStringLiteral("LEFT"), QStringLiteral("right"), QStringLiteral("RIGHT"),
        QStringLiteral("head"), QStringLiteral("HEAD"), QStringLiteral("b"), QStringLiteral("B"),
        QStringLiteral("p"), QStringLiteral("P"), QStringLiteral("BODY"), QStringLiteral("body")};
    return term.size() == 1 || markup.contains(term, Qt::CaseSensitive);
}

TSearchQuery TSearchQuery::Parse(const QString &query, bool folded)
{
    TSearchQuery q;
    q.Folded = folded;
    q.Terms.append(QString());
    bool full = false;  // every further character is ignored once the tenth slot is closed
    for (const QChar c : Normalise(query)) {
        if (c == u'+' || c == u'*') {
            if (c == u'*') q.AllTerms = true;
            if (q.Terms.size() < MaxTerms) q.Terms.append(QString());
            else full = true;
        } else if (!full) {
            q.Terms.last() += c;
        }
    }
    for (QString &t : q.Terms)
        if (IsDroppedTerm(t, folded)) t.clear();
    return q;
}

int TSearchQuery::ActiveTermCount() const
{
    int n = 0;
    for (const QString &t : Terms)
        if (!t.isEmpty()) ++n;
    return n;
}
