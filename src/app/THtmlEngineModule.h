#pragma once
#include <QCoreApplication>
#include <QString>
#include <QStringList>

class THtmlEngine;

// Finds and loads the module that holds the browser engine's side of the HTML view.
// It is looked for the way the decoder library is: beside the executable (the book
// folder of a build), then in the program's private library folder of an install.
class THtmlEngineModule {
    Q_DECLARE_TR_FUNCTIONS(THtmlEngineModule)

public:
    static const char *const FileName;

    // The folders searched, in order; tests put their own here.
    static QStringList &SearchFolders();
    // The first existing module file in SearchFolders(), or empty.
    static QString Path();
    // Loads the module on the first call (on the user-interface thread) and returns its
    // engine. A missing or refused module raises EKetabError naming the file and why;
    // the next call tries again.
    static THtmlEngine *Engine();
    static bool Loaded();
    // Tests whose engine must do what the real one cannot on demand (a print that takes
    // as long as the test wants) put a stand-in here before the first view needs one.
    static void Use(THtmlEngine *standIn);
};
