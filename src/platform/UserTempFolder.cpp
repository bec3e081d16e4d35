#include "platform/UserTempFolder.h"
#include "app/Errors.h"
#include "app/RegularFile.h"
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Without trailing slashes: lstat of "link/" would follow the link.
QString WithoutTrailingSlash(const QString &given)
{
    QString folder = given;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    return folder;
}

QString Why(int error) { return QString::fromLocal8Bit(strerror(error)); }

// Closes a descriptor when it goes out of scope.
struct TFd {
    int Fd;
    ~TFd() { if (Fd >= 0) ::close(Fd); }
};
}

QString TUserTempFolder::Path()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QString base;
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
        base = QString::fromLocal8Bit(runtime) + QStringLiteral("/ketab");
    else
        base = QDir::tempPath() + QStringLiteral("/ketab-") + QString::number(getuid());
    return Ensure(base);
}

QString TUserTempFolder::Ensure(const QString &given)
{
    const QString folder = WithoutTrailingSlash(given);
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        throw EFileError(tr("Cannot create the temporary folder %1: %2").arg(folder, Why(errno)));
    struct stat st {};
    if (lstat(path.constData(), &st) != 0)
        throw EFileError(tr("Cannot read the temporary folder %1").arg(folder));
    if (!S_ISDIR(st.st_mode) || st.st_uid != getuid())
        throw EFileError(tr("The temporary folder %1 is not a private folder of this user").arg(folder));
    if ((st.st_mode & 0077) != 0 && chmod(path.constData(), 0700) != 0)
        throw EFileError(tr("Cannot make the temporary folder %1 private").arg(folder));
    return folder + QLatin1Char('/');
}

void TUserTempFolder::Write(const QString &given, const QString &name, const QByteArray &bytes)
{
    const QString folder = WithoutTrailingSlash(given);
    const QString target = folder + QLatin1Char('/') + name;
    if (folder.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/')))
        throw EFileError(tr("Cannot write \"%1\": there is no temporary folder to write it in.").arg(target));
    const auto refuse = [&](const QString &why) {
        return EFileError(tr("Cannot write \"%1\": %2. Nothing was written.").arg(target, why));
    };
    // O_NOFOLLOW: a folder replaced by a link is not opened at all.
    TFd dir{::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)};
    if (dir.Fd < 0) {
        const int e = errno;
        if (e == ELOOP || e == ENOTDIR)
            throw refuse(tr("the temporary folder %1 is not a private folder of this user").arg(folder));
        throw refuse(tr("the temporary folder cannot be opened (%1)").arg(Why(e)));
    }
    struct stat st {};
    if (::fstat(dir.Fd, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() || (st.st_mode & 0022) != 0)
        throw refuse(tr("the temporary folder %1 is not a private folder of this user").arg(folder));
    const QByteArray base = QFile::encodeName(name);
    if (::fstatat(dir.Fd, base.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode))
        throw refuse(tr("a link or another kind of file stands in its place"));

    QByteArray fresh;
    TFd out{-1};
    for (int attempt = 0; attempt < 16 && out.Fd < 0; ++attempt) {
        fresh = base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".new";
        out.Fd = ::openat(dir.Fd, fresh.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (out.Fd < 0 && errno != EEXIST) break;
    }
    if (out.Fd < 0) throw EFileError(TRegularFile::tr("Cannot create file \"%1\". %2").arg(target, Why(errno)));
    const auto fail = [&](int e) {
        ::unlinkat(dir.Fd, fresh.constData(), 0);
        return EFileError(TRegularFile::tr("Cannot write file \"%1\". %2").arg(target, Why(e)));
    };
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(out.Fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw fail(n < 0 ? errno : ENOSPC);
        done += n;
    }
    const int fd = out.Fd;
    out.Fd = -1;
    if (::close(fd) != 0) throw fail(errno);
    if (::renameat(dir.Fd, fresh.constData(), dir.Fd, base.constData()) != 0) throw fail(errno);
}
