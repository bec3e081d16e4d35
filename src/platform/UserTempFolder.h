#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The user's private folder for generated files (result page, print document, style
// sheet copy). A shared temporary folder with fixed file names would let another user
// plant links there, so the folder is made with mode 0700 and refused when it is a
// link or belongs to someone else.
class TUserTempFolder {
    Q_DECLARE_TR_FUNCTIONS(TUserTempFolder)

public:
    // The folder with a trailing "/", created when absent. Throws EFileError.
    static QString Path();
    // Same checks for a given folder (used by Path, and by tests on their own folders);
    // a folder of this user that others may write to is made private again.
    static QString Ensure(const QString &folder);

    // Writes folder + name through a new file renamed over it, so a failed write keeps the
    // old file whole. Checked at every write, on the opened folder itself: the folder must
    // still be a real folder of this user that no one else may write to, and an existing
    // file of that name must be a plain file, so nothing is ever written through a link
    // planted there. Anything else is refused with EFileError naming the file.
    static void Write(const QString &folder, const QString &name, const QByteArray &bytes);
};
