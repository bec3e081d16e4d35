#include "BookFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <stdexcept>

QString TBookFiles::JoinLines(const QStringList &lines, bool lfOnly)
{
    const QString br = lfOnly ? QStringLiteral("\n") : QStringLiteral("\r\n");
    QString out;
    qsizetype size = 0;
    for (const QString &line : lines) size += line.size() + 2;
    out.reserve(size);
    for (const QString &line : lines) {
        out += line;
        out += br;
    }
    return out;
}

QByteArray TBookFiles::Encode(const QString &text, TBookEncoding encoding)
{
    switch (encoding) {
    case TBookEncoding::Utf8:
        return text.toUtf8();
    case TBookEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case TBookEncoding::Utf16LeBom: {
        QByteArray out(2 + text.size() * 2, Qt::Uninitialized);
        out[0] = '\xFF';
        out[1] = '\xFE';
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text.at(i).unicode();
            out[2 + 2 * i] = static_cast<char>(c & 0xFF);
            out[3 + 2 * i] = static_cast<char>(c >> 8);
        }
        return out;
    }
    }
    return {};
}

void TBookFiles::Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error(("cannot write " + path + ": " + file.errorString()).toStdString());
}
