#pragma once
#include <QByteArray>
#include <QString>

// How a generated text file is stored on disk.
enum class TBookEncoding { Utf8Bom, Utf8, Utf16LeBom };

// Writing the book's files: encodings, line ends and whole-file writes.
class TBookFiles {
public:
    // Joins lines with CR LF (or LF when lfOnly) and ends the last one with the same break.
    static QString JoinLines(const QStringList &lines, bool lfOnly = false);
    static QByteArray Encode(const QString &text, TBookEncoding encoding);
    // Writes bytes to path, creating the folder; throws std::runtime_error on failure.
    static void Write(const QString &path, const QByteArray &bytes);
};
