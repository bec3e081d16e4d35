#pragma once
#include <QString>

// The page text buffer through which pages are read, searched, edited and written
// outside the HTML view. Its content is one string whose lines are joined by CR LF;
// offsets returned by Find index exactly the string Text() returns.
// A line break after the last line ends that line; it does not start an empty one.
class TScratchText {
public:
    enum TFindOption { foNone = 0, foWholeWord = 1, foMatchCase = 2 };

    // Replaces the content with the decoded file. A missing or unreadable file raises
    // EFileError naming the path and keeps the previous content.
    void LoadFromFile(const QString &path);
    // The same on the file's bytes already read.
    void LoadFromBytes(const QByteArray &bytes);
    // Writes the mark FF FE and the text as UTF-16 LE, through a new file renamed
    // over the old one. Raises EFileError.
    void SaveToFile(const QString &path) const;
    // The same into the user's private temporary folder, refusing links planted there
    // (TUserTempFolder::Write). Raises EFileError.
    void SaveToTempFolder(const QString &folder, const QString &name) const;

    const QString &Text() const { return FText; }
    void SetText(const QString &text);
    int LineCount() const;
    void DeleteLine(int n);

    // First match of term in [start, start+length), or -1. With foWholeWord letters
    // compare without case and the match must stand as a whole word; with
    // foMatchCase alone it is an exact substring match.
    qsizetype Find(const QString &term, qsizetype start, qsizetype length, int options) const;
    // The same search on any string, for callers that work on a copy of the text.
    static qsizetype FindIn(const QString &text, const QString &term, qsizetype start, qsizetype length, int options);
    // A word character: a letter, a mark or a digit; U+200C joins the parts of one word.
    static bool IsWordChar(QChar c);

private:
    QString FText;
};
