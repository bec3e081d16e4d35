#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// Composes the print document: the chosen pages, each without its 15 head lines and
// its closing last line, one after another inside a fixed head and tail, with picture
// references pointing at the book's data folder. Written as UTF-16 LE with mark.
class TPrintDocument {
public:
    static constexpr int HeadLines = 15;

    // The fixed pieces around the body.
    static QString Head();
    static QString Tail();

    // The body text of one page file. Raises EFileError when the file cannot be read.
    static QString PageBody(const QString &pageFile, const QString &appFolder);

    // What is laid over a page's body in print (the reader's marks), given its file.
    using TDress = std::function<QString(const QString &pageFile, const QString &body)>;
    // Builds the whole document from the page files in order; progress(n) is called after
    // the n-th page (1-based). A file that cannot be read raises before anything is written.
    static QString Compose(const QStringList &pageFiles, const QString &appFolder,
                           const std::function<void(int)> &progress = {}, const TDress &dress = {});

    // Writes the document to folder + "print.htm" (new file renamed over the old one).
    static void Save(const QString &document, const QString &tempFolder);
    static QString FileName(const QString &tempFolder) { return tempFolder + QStringLiteral("print.htm"); }
};
