#include "skin/TsuiFileTheme.h"
#include "app/RegularFile.h"
#include "skin/TsuiThemeTable.h"
#include <QDir>
#include <QFileInfo>

TsuiFileTheme::TsuiFileTheme(QObject *owner) : QObject(owner) {}

void TsuiFileTheme::SetThemeFile(const QString &path)
{
    FThemeFile = path;
    FValues.clear();
    FBitmaps.clear();
    FLoaded = !path.isEmpty() && Load(path);
    if (!FLoaded) {
        FValues.clear();
        FBitmaps.clear();
    }
}

bool TsuiFileTheme::Load(const QString &path)
{
    std::vector<char> bytes;
    qsizetype size = 0;
    QString error;
    if (TRegularFile::Read(path, bytes, size, error, MaxFileSize) != TRegularFile::rfRead) return false;
    const QString text = QString::fromUtf8(bytes.data(), size);
    const QDir folder = QFileInfo(path).absoluteDir();
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'))) continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        for (int entry = 1; entry <= TsuiEntry::Count; ++entry) {
            const TsuiThemeTableEntry *e = TsuiThemeTable::Entry(entry);
            if (key.compare(QLatin1String(e->Key), Qt::CaseInsensitive) != 0) continue;
            bool ok = true;
            switch (e->Kind) {
            case TsuiEntryKind::Bitmap:
                if (!value.isEmpty()) FBitmaps.insert(entry, folder.absoluteFilePath(value));
                break;
            case TsuiEntryKind::Color: {
                const QStringList parts = value.split(QLatin1Char(','));
                if (parts.size() != 3) break;
                int rgb[3] = {};
                for (int i = 0; i < 3 && ok; ++i) {
                    rgb[i] = parts[i].trimmed().toInt(&ok);
                    ok = ok && rgb[i] >= 0 && rgb[i] <= 255;
                }
                if (ok) FValues.insert(entry, TsuiThemeTable::Rgb(rgb[0], rgb[1], rgb[2]));
                break;
            }
            case TsuiEntryKind::Integer: {
                const int v = value.toInt(&ok);
                if (ok) FValues.insert(entry, v);
                break;
            }
            case TsuiEntryKind::Bool: {
                const int v = value.toInt(&ok);
                if (ok && (v == 0 || v == 1)) FValues.insert(entry, v);
                break;
            }
            }
            break;
        }
    }
    return true;
}
