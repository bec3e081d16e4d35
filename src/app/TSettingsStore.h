#pragma once
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// Where the reader left off in one book: a book page (1..3983, 0 for none) and how far
// down it was scrolled, as a share of the page's scrollable height (0 top, 1 bottom).
struct TReadingPlace {
    int Page = 0;
    double Scroll = 0.0;
    bool operator==(const TReadingPlace &) const = default;
};

// The reader's choices kept between runs. The defaults are a first run's.
struct TKeptChoices {
    static constexpr int TextSizeCount = 3;
    static constexpr int SpeechRateCount = 5;
    int TextSize = 1;  // the options panel's size list: small, normal, large
    bool MusicOn = true;
    bool FullScreen = false;
    bool NotesPinned = false;
    bool NightPage = false;
    QString NotesFolder;  // where the notes open and save dialogs start; empty for none yet
    int SpeechRate = 2;   // read aloud's pace, the slowest 0 to the fastest
    QString SpeechVoice;  // read aloud's voice by the speech service's name; empty: the service's own
    bool SpeechUsed = false;  // read aloud was used: the service is started before it is asked for
    QMap<QString, bool> SearchChecks;  // the search window's check boxes, by object name
    QList<int> PageSeconds;  // the reader's pace: seconds on each of the last pages turned
    // The page's layout: line spacing and text width in three steps (1 the book's own),
    // the typeface (empty for the book's own), justified text.
    static constexpr int LayoutSteps = 3;
    int LineSpacing = 1;
    int TextWidth = 1;
    QString Typeface;
    bool Justified = true;
    static constexpr int MaxRecentSearches = 20;
    QStringList RecentSearches;  // newest first
    bool operator==(const TKeptChoices &) const = default;
};

// What the reader keeps between runs, in two INI files: the choices under the user's
// configuration folder, the reading places under the user's state folder, a place for
// each book folder (by its canonical path), so two books are read apart. Nothing is
// written into the book folder.
// A file is read when asked for. A file that cannot be parsed, or holds a value out of its
// range, counts as damaged: all its values are taken at their defaults and one line on
// stderr says so. A folder that cannot be written leaves the defaults and says nothing.
// Each write replaces its file whole (a new file renamed over the old) and takes over only
// the values this program changed, so two programs running at once never corrupt a file;
// the last to write a value wins. The choices written are those changed since this store
// last read or wrote them (all of them before it has, or when it read them damaged), so
// one program's choice is not turned back by another that changed something else.
class TSettingsStore {
public:
    static const char *const ChoicesFileName;
    static const char *const PlacesFileName;

    TSettingsStore(const QString &configFolder, const QString &stateFolder, const QString &bookFolder);
    // The user's: $XDG_CONFIG_HOME/ketab and $XDG_STATE_HOME/ketab, by default
    // ~/.config/ketab and ~/.local/state/ketab.
    static TSettingsStore ForUser(const QString &bookFolder);
    static QString UserFolder(const char *variable, const char *fallback);
    // The folder by its canonical path (links resolved); a folder not there, by its clean absolute path.
    static QString CanonicalFolder(const QString &folder);

    TKeptChoices Choices();
    void SaveChoices(const TKeptChoices &choices);
    TReadingPlace Place();
    void SavePlace(const TReadingPlace &place);

    QString ChoicesFile() const { return FConfigFolder + u'/' + QLatin1String(ChoicesFileName); }
    QString PlacesFile() const { return FStateFolder + u'/' + QLatin1String(PlacesFileName); }

private:
    QString BookGroup() const;
    void Damaged(const QString &file, bool &told);
    QString FConfigFolder;
    QString FStateFolder;
    QString FBookFolder;
    std::optional<TKeptChoices> FChoicesKnown;  // as last read or written
    bool FChoicesTold = false;
    bool FPlacesTold = false;
};
