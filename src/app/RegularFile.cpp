#include "app/RegularFile.h"
#include "app/Errors.h"
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString Why(int error) { return QString::fromLocal8Bit(std::strerror(error)); }
}

TRegularFile::TResult TRegularFile::Read(const QString &path, std::vector<char> &buffer, qsizetype &size,
                                         QString &error, qint64 maxSize)
{
    size = 0;
    // The program's own resources (":/NAME") are in the executable, not on the disk.
    if (path.startsWith(QLatin1String(":/"))) {
        QFile resource(path);
        if (!resource.exists()) return rfMissing;
        if (!resource.open(QIODevice::ReadOnly)) {
            error = tr("Cannot open file \"%1\". %2").arg(path, resource.errorString());
            return rfFailed;
        }
        const QByteArray bytes = resource.readAll();
        if (buffer.size() < size_t(bytes.size())) buffer.resize(size_t(bytes.size()));
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        size = bytes.size();
        return rfRead;
    }
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR) return rfMissing;
        error = tr("Cannot open file \"%1\". %2").arg(path, Why(e));
        return rfFailed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = tr("Cannot open file \"%1\". It is not a regular file.").arg(path);
        return rfFailed;
    }
    if (st.st_size > maxSize) {
        ::close(fd);
        error = tr("Cannot read file \"%1\". It is too large (%2 bytes).").arg(path).arg(st.st_size);
        return rfFailed;
    }
    // Room for the whole file plus one byte, so a file that grew since fstat is noticed.
    const size_t want = static_cast<size_t>(st.st_size) + 1;
    if (buffer.size() < want) buffer.resize(want + want / 4);
    int readError = 0;
    for (;;) {
        if (static_cast<size_t>(size) == buffer.size()) {
            if (size > maxSize) break;
            buffer.resize(buffer.size() * 2);
        }
        const ssize_t got = ::read(fd, buffer.data() + size, buffer.size() - static_cast<size_t>(size));
        if (got < 0) {
            if (errno == EINTR) continue;
            readError = errno;
            break;
        }
        if (got == 0) break;
        size += got;
    }
    ::close(fd);
    if (readError != 0) {
        error = tr("Cannot read file \"%1\". %2").arg(path, Why(readError));
        return rfFailed;
    }
    if (size > maxSize) {
        error = tr("Cannot read file \"%1\". It is too large.").arg(path);
        return rfFailed;
    }
    return rfRead;
}

QByteArray TRegularFile::ReadAll(const QString &path, qint64 maxSize)
{
    std::vector<char> buffer;
    qsizetype size = 0;
    QString error;
    switch (Read(path, buffer, size, error, maxSize)) {
    case rfRead: return QByteArray(buffer.data(), size);
    case rfMissing: throw EFileError(tr("Cannot open file \"%1\". No such file or directory").arg(path));
    case rfFailed: break;
    }
    throw EFileError(error);
}

void TRegularFile::Replace(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileError(tr("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    // A write that stops short (the disk filled up) reports no error of its own.
    const qint64 written = file.write(bytes);
    const int writeError = errno;
    if (written != bytes.size()) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString() : Why(writeError);
        file.cancelWriting();
        throw EFileError(tr("Cannot write file \"%1\". %2").arg(path, why));
    }
    if (!file.commit())
        throw EFileError(tr("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}
