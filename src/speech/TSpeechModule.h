#pragma once
#include <QCoreApplication>
#include <QString>

class TSpeechEngine;

// Finds and loads the module that holds the speech service's side of read aloud, where the
// program finds its other private libraries: beside the executable, then in the installed
// private library folder. Loaded on the user-interface thread, on the reader's first
// request; loading only maps libraries, it never waits for the speech service.
class TSpeechModule {
    Q_DECLARE_TR_FUNCTIONS(TSpeechModule)

public:
    static const char *const FileName;
    // The module's engine, loaded on the first call; null when the module is missing or
    // refused, with why in *why. The next call tries again.
    static TSpeechEngine *Engine(QString *why);
    static bool Loaded();
};
