#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class TScratchText;

// The texts the search window makes from its results: the list line of a result
// page and the highlighted copy of a page ("found.htm").
class TResultPage {
public:
    // What a result page is made from: the book page, the terms marked on it, how they
    // are matched and the colour of their marks.
    struct TMarking {
        QString PageFile;
        QStringList Terms;
        int FindOptions = 0;
        bool Folded = false;
        QString Color;
        bool operator==(const TMarking &) const = default;
    };

    static QString MarkColor() { return QStringLiteral("#FF8000"); }
    static QString FileName() { return QStringLiteral("found.htm"); }

    // " صفحه: PPPP - <section title>": the page number stands at characters 8 to 11.
    static QString ResultLine(int page, const QString &sectionTitle);
    // The page number of a result line; EConvertError when those characters are no number.
    static int PageOfLine(const QString &line);

    // Loads the whole page file into buffer, marks every occurrence of every non-empty
    // term, points its picture references at the book's data folder and saves it as
    // found.htm in the private temp folder. A page that cannot be read or a result page
    // that cannot be written raises EFileError, and the old found.htm stays as it was.
    // folded: the terms are matched as folded search matches them; each mark then covers
    // the page's own characters of a match (its diacritics and half-spaces too), and a
    // match that would put a mark inside a tag or a character reference is left unmarked.
    static void Write(TScratchText &buffer, const QString &pageFile, const QStringList &terms, int findOptions,
                      bool folded, const QString &appFolder, const QString &tempFolder);
    // The same for any marking (the index's marks are another colour).
    static void Write(TScratchText &buffer, const TMarking &marking, const QString &appFolder, const QString &tempFolder);
    // What found.htm was last written from, so a result page shown again later can be
    // written again after another one has replaced it.
    static const TMarking &LastWritten();
    // The marking step alone.
    static QString MarkTerms(const QString &text, const QStringList &terms, int findOptions, bool folded,
                             const QString &color, int *marked = nullptr);
    // Whether a mark may go between text[at - 1] and text[at]: not inside a tag or a
    // character reference. text starts outside both.
    static std::vector<bool> MarkablePlaces(QStringView text);
};
