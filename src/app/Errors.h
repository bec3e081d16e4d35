#pragma once
#include <QString>
#include <stdexcept>

// The program's failures. They are thrown by the step that fails and caught by the
// application's default handler, which shows the message and returns to the event loop.
class EKetabError : public std::runtime_error {
public:
    explicit EKetabError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromUtf8(what()); }
};

// A file that cannot be opened, read or written; the message names the path.
class EFileError : public EKetabError {
public:
    using EKetabError::EKetabError;
};

// Text that does not convert to a number.
class EConvertError : public EKetabError {
public:
    using EKetabError::EKetabError;
};

// Integer conversion as the program's handlers use it: surrounding blanks are allowed,
// anything else that is not a decimal integer raises EConvertError.
int StrToInt(const QString &text);
