#pragma once
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// A notes file (".bmk"): the notes list as text, every entry followed by CR LF,
// written as UTF-16 LE with the mark FF FE; read by its mark (UTF-16 LE/BE, UTF-8,
// otherwise UTF-8 when valid, else windows-1256).
class TNotesFile {
    Q_DECLARE_TR_FUNCTIONS(TNotesFile)

public:
    static const QString Extension;  // ".bmk"
    // Larger files are refused: a notes list of that size is not a notes file.
    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;

    // The chosen name with ".bmk" appended unless it already ends with it.
    static QString SaveName(const QString &chosen);
    // Writes a new file and renames it over the old one, so a failed save keeps the old
    // file. Raises EFileError.
    static void Save(const QString &path, const QStringList &entries);
    // The entries of a notes file. Raises EFileError for a file that cannot be read, is
    // not a regular file (a named pipe would hold the program), is too large or holds
    // binary data.
    static QStringList Load(const QString &path);
    // The entries of decoded text: split at line breaks; a break after the last entry
    // does not start another.
    static QStringList Entries(const QString &text);
};
