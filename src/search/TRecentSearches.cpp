#include "search/TRecentSearches.h"
#include "search/TFoldedText.h"

void TRecentSearches::Add(const QString &query)
{
    if (query.isEmpty()) return;
    const QString folded = TFoldedText::Fold(query);
    FEntries.removeIf([&](const QString &e) { return TFoldedText::Fold(e) == folded; });
    FEntries.prepend(query);
    while (FEntries.size() > MaxKept) FEntries.removeLast();
}

void TRecentSearches::Set(const QStringList &queries)
{
    FEntries.clear();
    for (auto q = queries.crbegin(); q != queries.crend(); ++q) Add(*q);
}
