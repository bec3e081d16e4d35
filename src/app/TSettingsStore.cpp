#include "app/TSettingsStore.h"
#include "app/ReaderState.h"
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <cstdio>
#include <utility>

const char *const TSettingsStore::ChoicesFileName = "ketab.conf";
const char *const TSettingsStore::PlacesFileName = "places.conf";

namespace {
const QString SearchGroup = QStringLiteral("Search");
const QString RecentGroup = QStringLiteral("RecentSearches");

// Whether a file is an INI file line by line: sections, keys with values, comments and
// blank lines, in UTF-8. Qt's reader passes over what it cannot read; a file cut short
// or overwritten by something else must not count as whole.
bool WellFormed(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return true;  // nothing there, or nothing to read: the defaults
    QByteArray bytes = f.readAll();
    // A byte-order mark, as some editors write, which Qt's reader passes over.
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    if (bytes.contains('\0') || !QUtf8StringView(bytes).isValidUtf8()) return false;
    for (QByteArray line : bytes.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            if (!line.endsWith(']') || line.size() < 3) return false;
        } else if (line.indexOf('=') < 1) {
            return false;
        }
    }
    return true;
}

// Reads the values of one file; a value that is there but not of its kind or out of its
// range clears Whole, so the caller takes the file as damaged.
class TReader {
public:
    explicit TReader(QSettings &s) : FSettings(s), Whole(s.status() == QSettings::NoError && WellFormed(s.fileName())) {}

    bool Bool(const QString &key, bool fallback)
    {
        const QVariant v = FSettings.value(key);
        if (!v.isValid()) return fallback;
        const QString text = v.toString();
        if (text == QLatin1String("true")) return true;
        if (text == QLatin1String("false")) return false;
        Whole = false;
        return fallback;
    }
    double Number(const QString &key, double lowest, double highest, double fallback)
    {
        const QVariant v = FSettings.value(key);
        if (!v.isValid()) return fallback;
        bool ok = false;
        const double n = v.toString().toDouble(&ok);
        if (ok && n >= lowest && n <= highest) return n;
        Whole = false;
        return fallback;
    }
    int Int(const QString &key, int lowest, int highest, int fallback)
    {
        const double n = Number(key, lowest, highest, fallback);
        if (n == int(n)) return int(n);
        Whole = false;
        return fallback;
    }
    QString Text(const QString &key)
    {
        const QVariant v = FSettings.value(key);
        if (v.isValid() && v.typeId() != QMetaType::QString) Whole = false;
        return v.isValid() && v.typeId() == QMetaType::QString ? v.toString() : QString();
    }
    // Whole numbers apart by blanks, each in its range.
    QList<int> Numbers(const QString &key, int lowest, int highest)
    {
        QList<int> out;
        for (const QString &n : Text(key).split(u' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            const int v = n.toInt(&ok);
            if (!ok || v < lowest || v > highest) {
                Whole = false;
                return {};
            }
            out << v;
        }
        return out;
    }

private:
    QSettings &FSettings;

public:
    bool Whole;
};

// A damaged file goes before the first write over it: Qt's reader keeps what it could
// read of it, and the write would carry that over.
void ClearIfDamaged(const QString &file)
{
    if (!WellFormed(file)) QFile::remove(file);
}

// Writes the settings; a folder or file that cannot be written is passed over in silence.
template <class F> void Write(const QString &folder, const QString &file, F fill)
{
    if (!QDir().mkpath(folder)) return;
    ClearIfDamaged(file);
    QSettings s(file, QSettings::IniFormat);
    fill(s);
    s.sync();
}
}

TSettingsStore::TSettingsStore(const QString &configFolder, const QString &stateFolder, const QString &bookFolder)
    : FConfigFolder(QDir::cleanPath(configFolder)), FStateFolder(QDir::cleanPath(stateFolder)),
      FBookFolder(CanonicalFolder(bookFolder))
{
}

QString TSettingsStore::CanonicalFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.canonicalFilePath().isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : info.canonicalFilePath();
}

QString TSettingsStore::UserFolder(const char *variable, const char *fallback)
{
    // A relative value is invalid by the freedesktop rules and is ignored.
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + u'/' + QLatin1String(fallback);
    return QDir::cleanPath(base + QStringLiteral("/ketab"));
}

TSettingsStore TSettingsStore::ForUser(const QString &bookFolder)
{
    return TSettingsStore(UserFolder("XDG_CONFIG_HOME", ".config"), UserFolder("XDG_STATE_HOME", ".local/state"),
                          bookFolder);
}

void TSettingsStore::Damaged(const QString &file, bool &told)
{
    if (told) return;
    told = true;
    const QString line = QCoreApplication::translate("TSettingsStore", "ketab: %1 is damaged; the defaults are used instead.")
                             .arg(file);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

TKeptChoices TSettingsStore::Choices()
{
    const TKeptChoices defaults;
    if (!QFileInfo::exists(ChoicesFile())) {
        FChoicesKnown = defaults;
        return defaults;
    }
    QSettings s(ChoicesFile(), QSettings::IniFormat);
    TReader r(s);
    TKeptChoices c;
    c.TextSize = r.Int(QStringLiteral("TextSize"), 0, TKeptChoices::TextSizeCount - 1, defaults.TextSize);
    c.MusicOn = r.Bool(QStringLiteral("MusicOn"), defaults.MusicOn);
    c.FullScreen = r.Bool(QStringLiteral("FullScreen"), defaults.FullScreen);
    c.NotesPinned = r.Bool(QStringLiteral("NotesPinned"), defaults.NotesPinned);
    c.NightPage = r.Bool(QStringLiteral("NightPage"), defaults.NightPage);
    c.NotesFolder = r.Text(QStringLiteral("NotesFolder"));
    c.PageSeconds = r.Numbers(QStringLiteral("PageSeconds"), 0, 24 * 3600);
    c.SpeechRate = r.Int(QStringLiteral("SpeechRate"), 0, TKeptChoices::SpeechRateCount - 1, defaults.SpeechRate);
    c.SpeechVoice = r.Text(QStringLiteral("SpeechVoice"));
    c.SpeechUsed = r.Bool(QStringLiteral("SpeechUsed"), defaults.SpeechUsed);
    s.beginGroup(SearchGroup);
    for (const QString &box : s.childKeys()) c.SearchChecks[box] = r.Bool(box, false);
    s.endGroup();
    c.LineSpacing = r.Int(QStringLiteral("LineSpacing"), 0, TKeptChoices::LayoutSteps - 1, defaults.LineSpacing);
    c.TextWidth = r.Int(QStringLiteral("TextWidth"), 0, TKeptChoices::LayoutSteps - 1, defaults.TextWidth);
    c.Typeface = r.Text(QStringLiteral("Typeface"));
    c.Justified = r.Bool(QStringLiteral("Justified"), defaults.Justified);
    const int recent = r.Int(RecentGroup + QStringLiteral("/size"), 0, TKeptChoices::MaxRecentSearches, 0);
    s.beginReadArray(RecentGroup);
    for (int i = 0; i < recent; ++i) {
        s.setArrayIndex(i);
        const QString query = r.Text(QStringLiteral("Query"));
        if (query.isEmpty()) r.Whole = false;
        c.RecentSearches << query;
    }
    s.endArray();
    if (r.Whole) {
        FChoicesKnown = c;
        return c;
    }
    // Known as nothing: the next write puts every value over the damaged ones.
    FChoicesKnown.reset();
    Damaged(ChoicesFile(), FChoicesTold);
    return defaults;
}

void TSettingsStore::SaveChoices(const TKeptChoices &c)
{
    const std::optional<TKeptChoices> known = std::exchange(FChoicesKnown, c);
    Write(FConfigFolder, ChoicesFile(), [&c, &known](QSettings &s) {
        const auto put = [&](const QString &key, auto TKeptChoices::*value) {
            if (!known || (*known).*value != c.*value) s.setValue(key, c.*value);
        };
        put(QStringLiteral("TextSize"), &TKeptChoices::TextSize);
        put(QStringLiteral("MusicOn"), &TKeptChoices::MusicOn);
        put(QStringLiteral("FullScreen"), &TKeptChoices::FullScreen);
        put(QStringLiteral("NotesPinned"), &TKeptChoices::NotesPinned);
        put(QStringLiteral("NightPage"), &TKeptChoices::NightPage);
        put(QStringLiteral("NotesFolder"), &TKeptChoices::NotesFolder);
        put(QStringLiteral("SpeechRate"), &TKeptChoices::SpeechRate);
        put(QStringLiteral("SpeechVoice"), &TKeptChoices::SpeechVoice);
        put(QStringLiteral("SpeechUsed"), &TKeptChoices::SpeechUsed);
        if (!known || known->PageSeconds != c.PageSeconds) {
            QStringList seconds;
            for (int n : c.PageSeconds) seconds << QString::number(n);
            s.setValue(QStringLiteral("PageSeconds"), seconds.join(u' '));
        }
        if (!known) s.remove(SearchGroup);
        for (auto box = c.SearchChecks.cbegin(); box != c.SearchChecks.cend(); ++box)
            if (!known || known->SearchChecks.value(box.key(), !box.value()) != box.value())
                s.setValue(SearchGroup + u'/' + box.key(), box.value());
        put(QStringLiteral("LineSpacing"), &TKeptChoices::LineSpacing);
        put(QStringLiteral("TextWidth"), &TKeptChoices::TextWidth);
        put(QStringLiteral("Typeface"), &TKeptChoices::Typeface);
        put(QStringLiteral("Justified"), &TKeptChoices::Justified);
        if (!known || known->RecentSearches != c.RecentSearches) {
            s.remove(RecentGroup);
            s.beginWriteArray(RecentGroup, static_cast<int>(c.RecentSearches.size()));
            for (int i = 0; i < c.RecentSearches.size(); ++i) {
                s.setArrayIndex(i);
                s.setValue(QStringLiteral("Query"), c.RecentSearches[i]);
            }
            s.endArray();
        }
    });
}

QString TSettingsStore::BookGroup() const
{
    // Group names cannot hold a path: the path's digest names the group, the path itself
    // is kept inside for whoever reads the file.
    return QStringLiteral("book-")
        + QString::fromLatin1(QCryptographicHash::hash(FBookFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

TReadingPlace TSettingsStore::Place()
{
    if (!QFileInfo::exists(PlacesFile())) return {};
    QSettings s(PlacesFile(), QSettings::IniFormat);
    TReader r(s);
    s.beginGroup(BookGroup());
    TReadingPlace p;
    p.Page = r.Int(QStringLiteral("Page"), 1, BookPageCount, 0);
    p.Scroll = r.Number(QStringLiteral("Scroll"), 0, 1, 0);
    // Another folder that hashes alike is not this book.
    const QString folder = r.Text(QStringLiteral("Folder"));
    s.endGroup();
    if (!r.Whole) {
        Damaged(PlacesFile(), FPlacesTold);
        return {};
    }
    return folder == FBookFolder ? p : TReadingPlace{};
}

void TSettingsStore::SavePlace(const TReadingPlace &place)
{
    Write(FStateFolder, PlacesFile(), [this, &place](QSettings &s) {
        s.beginGroup(BookGroup());
        s.setValue(QStringLiteral("Folder"), FBookFolder);
        s.setValue(QStringLiteral("Page"), place.Page);
        s.setValue(QStringLiteral("Scroll"), place.Scroll);
        s.endGroup();
    });
}
