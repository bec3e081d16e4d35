#pragma once
#include <QStringList>

// Where the program finds its book and its private libraries. In the build everything
// sits in one book folder beside the executable. Installed, the executable is in
// <prefix>/bin, the book in <prefix>/share/ketab and the private libraries (the decoder
// library, the engine module) in <prefix>/lib/ketab; both are found relative to the executable, so an
// installed tree works under any prefix, staged or moved.
class TInstallLayout {
public:
    // The installed folders, relative to the executable's folder (set by the build).
    static const char *const DataFolderFromProgram;
    static const char *const LibraryFolderFromProgram;

    // A folder holds the book when its data folder has the first section's contents page.
    static bool HoldsBook(const QString &folder);
    // The book folder of a program in programFolder when none is given: programFolder when
    // it holds the book, else the installed data folder. Ends with "/".
    static QString DefaultBookFolder(const QString &programFolder);
    // Where the program's private libraries are looked for, in order: beside the program,
    // then the installed private library folder.
    static QStringList PrivateLibraryFolders(const QString &programFolder);
    // A private library: in the first of those folders that has it, else in the last.
    static QString PrivateLibrary(const QString &programFolder, const QString &fileName);

    // The book folder chosen on the command line for this run; empty for none.
    static void SetGivenBookFolder(const QString &folder);
    // The book folder of this run (AppFolder): the given one, else the default for this
    // program. Absolute, clean and ending with "/".
    static QString BookFolder();
    // The same for this program.
    static QStringList PrivateLibraryFolders();
    static QString PrivateLibrary(const QString &fileName);
};
