#include "platform/UserTempFolder.h"
#include "app/Errors.h"
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

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
    // Without trailing slashes: lstat of "link/" would follow the link.
    QString folder = given;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        throw EFileError(QStringLiteral("Cannot create the temporary folder %1: %2")
                             .arg(folder, QString::fromLocal8Bit(strerror(errno))));
    struct stat st {};
    if (lstat(path.constData(), &st) != 0)
        throw EFileError(QStringLiteral("Cannot read the temporary folder %1").arg(folder));
    if (!S_ISDIR(st.st_mode) || st.st_uid != getuid())
        throw EFileError(QStringLiteral("The temporary folder %1 is not a private folder of this user").arg(folder));
    if ((st.st_mode & 0077) != 0 && chmod(path.constData(), 0700) != 0)
        throw EFileError(QStringLiteral("Cannot make the temporary folder %1 private").arg(folder));
    return folder + QLatin1Char('/');
}
