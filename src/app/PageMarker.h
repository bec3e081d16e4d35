#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// Marks words on a copy of a book page (the result page of a search, an index word)
// and points the page's picture references at the book's data folder, so the page
// shows correctly from the temporary folder.
class TPageMarker {
public:
    // "<font color=\"COLOR\"><u>" before every occurrence and "</u></font>" after it.
    // Terms are marked one after another, each in the text as the ones before left it;
    // an occurrence is never looked for inside a mark already inserted, so a term that
    // also occurs in the marks ("nt", "u>", "font") cannot break the page.
    // findOptions are TScratchText find options; empty terms mark nothing.
    static QString MarkTerms(const QString &text, const QStringList &terms, int findOptions,
                             const QString &color, int *marked = nullptr);
    // The same with the matching left to find: the first occurrence of term k in a plain
    // run of the text at or after from, as its offset (or -1) and its length.
    using TFinder = std::function<qsizetype(const QString &run, int term, qsizetype from, qsizetype &length)>;
    static QString MarkTerms(const QString &text, int termCount, const TFinder &find, const QString &color,
                             int *marked = nullptr);
    static QString OpenMark(const QString &color);
    static QString CloseMark();

    // Every src="pix... gets the data folder's address inserted after its quote, as a
    // file URL, so folder names with blanks, "#" or "%" still resolve.
    static QString RewritePictureRefs(const QString &text, const QString &appFolder);
    // The inserted prefix for a given book folder: file URL of <appFolder>datas/.
    static QString DataFolderUrl(const QString &appFolder);
};
