#pragma once
// Helpers of the fault tests: file kinds put in a file's place, file bytes, and running
// as an ordinary user so that permissions apply when the suite runs as the superuser.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <sys/stat.h>
#include <unistd.h>

inline QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline bool SetMode(const QString &path, mode_t mode) { return chmod(QFile::encodeName(path).constData(), mode) == 0; }

// What a page file can turn into while the reader works.
enum TFileFault { ffVanished, ffUnreadable, ffDirectory, ffNamedPipe };

inline bool BreakFile(const QString &path, TFileFault fault)
{
    switch (fault) {
    case ffVanished: return QFile::remove(path);
    case ffUnreadable: return SetMode(path, 0);
    case ffDirectory: return QFile::remove(path) && QDir().mkdir(path);
    case ffNamedPipe: return QFile::remove(path) && mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    }
    return false;
}

// Puts a plain file back where BreakFile left something else.
inline bool RepairFile(const QString &path, const QByteArray &bytes)
{
    QDir().rmdir(path);
    QFile::remove(path);
    return WriteBytes(path, bytes);
}

// While it lives, the process (every thread) acts as the user "nobody" when it runs as the
// superuser, so a file without read rights or a folder without write rights refuses it.
class TAsOrdinaryUser {
public:
    static constexpr uid_t Nobody = 65534;
    TAsOrdinaryUser() : FWasRoot(geteuid() == 0)
    {
        if (FWasRoot && (setegid(Nobody) != 0 || seteuid(Nobody) != 0)) qFatal("cannot act as an ordinary user");
    }
    ~TAsOrdinaryUser()
    {
        if (FWasRoot && (seteuid(0) != 0 || setegid(0) != 0)) qFatal("cannot return to the superuser");
    }
    TAsOrdinaryUser(const TAsOrdinaryUser &) = delete;
    TAsOrdinaryUser &operator=(const TAsOrdinaryUser &) = delete;

    // Hands a file or folder to that user, so it may change it while the process acts as it.
    static bool Give(const QString &path)
    {
        return geteuid() != 0 || chown(QFile::encodeName(path).constData(), Nobody, Nobody) == 0;
    }

private:
    bool FWasRoot;
};
