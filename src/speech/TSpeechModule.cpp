#include "speech/TSpeechModule.h"
#include "platform/TInstallLayout.h"
#include "speech/TSpeechEngine.h"
#include <QFileInfo>
#include <QPluginLoader>

const char *const TSpeechModule::FileName = "speech.so";

namespace {
TSpeechEngine *engine = nullptr;
}

TSpeechEngine *TSpeechModule::Engine(QString *why)
{
    if (engine) return engine;
    const QString path = TInstallLayout::PrivateLibrary(QLatin1String(FileName));
    if (!QFileInfo(path).isFile()) {
        *why = tr("Reading aloud is not possible: the program's speech module \"%1\" is missing. Install the program again.")
                   .arg(path);
        return nullptr;
    }
    QPluginLoader loader(path);
    // Bound at once: a module that does not fit this program is refused here, not later.
    loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    QObject *instance = loader.instance();
    engine = qobject_cast<TSpeechEngine *>(instance);
    if (!engine)
        *why = tr("Reading aloud is not possible: the speech module \"%1\" cannot be loaded (%2).")
                   .arg(path, instance ? tr("not a speech module") : loader.errorString());
    return engine;
}

bool TSpeechModule::Loaded() { return engine != nullptr; }
