#pragma once
#include <QHash>
#include <QObject>
#include <QString>

// A theme read from a file. The file is text, one "Key=Value" line per entry, keyed by
// the theme table's keys: colours as "R,G,B", integers, booleans as 0 or 1, bitmaps as
// an image file name relative to the theme file's folder. Lines starting with ';' or '#'
// are comments. A file that cannot be read leaves the theme unloaded, and controls then
// fall back to DeepBlue.
class TsuiFileTheme : public QObject {
    Q_OBJECT
public:
    // A larger file is no theme and is not loaded.
    static constexpr qint64 MaxFileSize = 1 << 20;

    explicit TsuiFileTheme(QObject *owner = nullptr);

    QString ThemeFile() const { return FThemeFile; }
    void SetThemeFile(const QString &path);   // loads the file at once
    bool Loaded() const { return FLoaded; }

    // Entries present in the loaded file. Value holds colours (red in the low byte),
    // integers and booleans; BitmapPath the absolute path of a bitmap entry's image.
    bool HasEntry(int entry) const { return FValues.contains(entry) || FBitmaps.contains(entry); }
    qint32 Value(int entry) const { return FValues.value(entry, 0); }
    QString BitmapPath(int entry) const { return FBitmaps.value(entry); }

private:
    bool Load(const QString &path);

    QString FThemeFile;
    bool FLoaded = false;
    QHash<int, qint32> FValues;
    QHash<int, QString> FBitmaps;
};
