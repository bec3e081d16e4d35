#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <vector>

// Reads files the program did not write (pages, pictures, lists), and replaces the files it
// writes for the reader. Only regular files are read: the file is opened without waiting and checked on the open handle, so a named pipe,
// a device or a folder put in a file's place is refused at once instead of stalling the
// reader, and a file swapped between a check and the open cannot slip through. The
// program's resources (":/NAME") are read as they are.
class TRegularFile {
    Q_DECLARE_TR_FUNCTIONS(TRegularFile)

public:
    enum TResult { rfRead, rfMissing, rfFailed };

    // Reads the whole file into buffer (its first `size` bytes; the buffer is reused and
    // may be larger). rfMissing when the file does not exist; rfFailed with a message naming
    // the path when it cannot be opened or read, is not a regular file or exceeds maxSize.
    static TResult Read(const QString &path, std::vector<char> &buffer, qsizetype &size, QString &error,
                        qint64 maxSize = DefaultMaxSize);
    // The whole file; raises EFileError naming the path, also for a missing file.
    static QByteArray ReadAll(const QString &path, qint64 maxSize = DefaultMaxSize);

    // Writes bytes to a new file beside path and renames it over path, so a failed write
    // (a full disk, a size limit, no rights) leaves the old file whole; a short write counts
    // as failed. Raises EFileError naming the path.
    static void Replace(const QString &path, const QByteArray &bytes);

    // No file the program reads comes near this; a larger one is refused before it is read.
    static constexpr qint64 DefaultMaxSize = qint64(256) * 1024 * 1024;
};
