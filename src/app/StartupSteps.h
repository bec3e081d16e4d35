#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The start-up steps of the two main windows' creation that have no window of their
// own: the book's font, the platform check and the style sheet copy.
class TStartupSteps {
public:
    // What the program cannot run without: a display, the HTML view's engine module, or
    // the web engine's helper process.
    enum TMissingPart { mpDisplay, mpEngineModule, mpEngineHelper };
    // The refusal's message (Persian, then English, saying what is missing), its caption
    // and the exit code.
    static QString RefusalText(TMissingPart missing);
    static const char *const RefusalCaption;
    // The book found neither beside the program nor in installedFolder (Persian, then
    // English), for a reader who started the program from a menu and sees no stderr.
    static QString NoBookText(const QString &installedFolder);
    static constexpr int RefusalExitCode = 3;

    // The user's font folder: $XDG_DATA_HOME/fonts, by default ~/.local/share/fonts (no trailing "/").
    static QString UserFontFolder();
    // When fontFolder holds no "Rederu.ttf": copies appFolder + "Rederu.ttf" there (never
    // overwriting) and registers the copy for this process. Returns true when it copied.
    // A missing source or a refused copy fails silently.
    static bool InstallBookFont(const QString &appFolder, const QString &fontFolder);

    // Whether the HTML view can run here: a real display (or the off-screen platform), the
    // view's engine module and the web engine's helper process. On false, missing names
    // what is missing.
    static bool HtmlViewCanRun(TMissingPart *missing = nullptr);
    // What the start menu's platform check asks; tests put their own answer here.
    static std::function<bool(TMissingPart *missing)> PlatformCheck;
    // The refusal: beep, the message on stderr and in a message box, then the application
    // is asked to end with RefusalExitCode.
    static void RefusePlatform(TMissingPart missing);
    // The refusal before the application object exists, when no display can be reached:
    // the terminal's bell when there is one, and the message on stderr.
    static void RefuseWithoutDisplay();

    // Replaces tempFolder + "sheet1.css" with a fresh copy of appFolder + "datas/sheet1.css",
    // written through TUserTempFolder::Write, so a failed copy never leaves a half file.
    // A style sheet that cannot be read is passed over (returns false); a copy that cannot
    // be written raises EFileError, since the folder may hold a planted link.
    static bool CopyStyleSheet(const QString &appFolder, const QString &tempFolder);

    // Has another thread read the files into the page cache, so a first look at them does
    // not wait for the disk; returns at once. Missing files are passed over.
    static void ReadAhead(const QStringList &files);
};
