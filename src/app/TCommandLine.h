#pragma once
#include <QStringList>

// The program's command line. "--book DIR" reads the book in DIR; "--help" and "--version"
// answer on standard output and end the program, as command-line programs do. It is read
// before the application object exists, so these answers need no display; Qt's own
// options are therefore not taken here (its environment variables serve instead).
class TCommandLine {
public:
    static const char *const Version;
    static constexpr int UsageExitCode = 2;

    // Reads the arguments (the program's name first). Returns -1 when the program goes on,
    // with the book folder of this run settled; otherwise the code to end with: 0 after
    // an answer on stdout, UsageExitCode after a message on stderr (an unknown option, a
    // stray argument, a folder without the book, or no book found at all).
    static int Apply(const QStringList &arguments);
};
