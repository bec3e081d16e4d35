#pragma once
#include <QString>
#include <QStringList>

// The line the search window shows for its selected result: the page's running text
// around the first match of the first term the page holds (below its head, where the
// search looks), with tags left out, character references read and blanks and line
// breaks run together, cut at blanks. Empty when no term occurs.
class TResultContext {
public:
    static constexpr int Reach = 40;  // characters of context on either side of the match

    struct TLine {
        QString Text;
        qsizetype MatchFrom = 0;
        qsizetype MatchLength = 0;
        // The line as rich text with the match in bold.
        QString Html() const;
    };

    // pageText: the page file's whole text as the page text buffer loads it.
    static TLine Of(const QString &pageText, const QStringList &terms, int findOptions, bool folded);
};
