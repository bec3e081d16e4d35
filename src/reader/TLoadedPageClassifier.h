#pragma once
#include <QString>

class QUrl;

// What a finished load in the reading window's view means, from the address of the
// page now shown and the navigation flags. Only the file name and the fragment of the
// address are read, so the folder the book lies in (dots, "#", anything) never matters.
class TLoadedPageClassifier {
public:
    enum TKind {
        lpResultPage,    // found.htm: the result page has loaded
        lpContentsPage,  // dirSS.htm: a table of contents has loaded
        lpIndexPage,     // indNN.htm: an index page has loaded
        lpIntroPage,     // intNN.htm: an introduction page has loaded
        lpIndexLink,     // a book page reached from an index page; Word is the index word
        lpContentsLink,  // a book page reached from a table of contents
        lpIgnored,       // a link from a contents or index page that names no book page
        lpOtherPage      // anything else (a page the program loaded itself)
    };
    struct TResult {
        TKind Kind = lpOtherPage;
        int Section = 0;
        int Page = 0;
        QString Word;
    };

    // Raises EConvertError when a link's page or section places do not hold a number.
    static TResult Classify(const QUrl &address, bool resultPending, bool contentsMode, bool indexMode);
    // The same for the file-name part of an address: the file name, then "#" and the
    // fragment when it has one.
    static TResult ClassifyName(const QString &fileName, bool hasFragment, const QString &fragment,
                                bool resultPending, bool contentsMode, bool indexMode);
    // The three letters that name the kind of a page: those 9 characters from the end of
    // the file name (the first three of a five-letter name before ".htm").
    static QString NameKey(const QString &fileName);
};
