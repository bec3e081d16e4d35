#pragma once
#include <QString>

// The user's private folder for generated files (result page, print document, style
// sheet copy). A shared temporary folder with fixed file names would let another user
// plant links there, so the folder is made with mode 0700 and refused when it is a
// link or belongs to someone else.
class TUserTempFolder {
public:
    // The folder with a trailing "/", created when absent. Throws EFileError.
    static QString Path();
    // Same checks for a given folder (used by Path, and by tests on their own folders).
    static QString Ensure(const QString &folder);
};
