#pragma once
#include <QByteArray>
#include <QStringList>

// The program's command line. "--book DIR" reads the book in DIR; "--help" and "--version"
// answer on standard output and end the program, as command-line programs do. It is read
// before the application object exists, so these answers need no display. Qt's own
// options (-platform, -style, -reverse, -display, -session, ...) are left for the
// application object, which takes them off the command line itself; the display check
// before it learns the platform and display they ask for.
class TCommandLine {
public:
    static const char *const Version;
    static constexpr int UsageExitCode = 2;

    struct TOutcome {
        // -1 when the program goes on, with the book folder of this run settled;
        // otherwise the code to end with: 0 after an answer on stdout, UsageExitCode after
        // a message on stderr (an unknown option, a stray argument, a Qt option without
        // its value, a folder without the book, or no book found at all).
        int ExitCode = -1;
        // The book was found nowhere (no --book given): a reader who started the program
        // from a menu sees no stderr.
        bool BookMissing = false;
        // What "-platform" and "-display" ask of Qt; empty when not given.
        QByteArray Platform;
        QByteArray Display;
    };

    // Reads the arguments (the program's name first).
    static TOutcome Apply(const QStringList &arguments);
};
