#pragma once
#include "app/TSettingsStore.h"
#include <QString>
#include <QStringList>

// The searches the reader ran last, newest first, at most MaxKept. A query run again
// moves to the front; queries that folded matching takes for the same (the ways a word
// may be written, the yeh and kaf forms among them: TFoldedText::Fold) are one entry,
// under the spelling used last. An empty query is never kept.
class TRecentSearches {
public:
    static constexpr int MaxKept = TKeptChoices::MaxRecentSearches;

    void Add(const QString &query);
    // Takes a kept list, newest first, under the same rules.
    void Set(const QStringList &queries);
    void Clear() { FEntries.clear(); }
    const QStringList &Entries() const { return FEntries; }

private:
    QStringList FEntries;
};
