#include "app/THtmlEngineModule.h"
#include "app/Errors.h"
#include "app/THtmlEngine.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QPluginLoader>

#ifndef KETAB_PRIVATE_LIB_DIR
#error "KETAB_PRIVATE_LIB_DIR names the installed program's private library folder"
#endif

const char *const THtmlEngineModule::FileName = "htmlengine.so";

namespace {
THtmlEngine *engine = nullptr;
}

QStringList &THtmlEngineModule::SearchFolders()
{
    static QStringList folders{QCoreApplication::applicationDirPath(), QStringLiteral(KETAB_PRIVATE_LIB_DIR)};
    return folders;
}

QString THtmlEngineModule::Path()
{
    for (const QString &folder : SearchFolders()) {
        const QFileInfo file(folder + QLatin1Char('/') + QLatin1String(FileName));
        if (file.isFile()) return file.absoluteFilePath();
    }
    return QString();
}

THtmlEngine *THtmlEngineModule::Engine()
{
    if (engine) return engine;
    const QString path = Path();
    if (path.isEmpty())
        throw EKetabError(QStringLiteral("The HTML view cannot show pages: its module \"%1\" was not found in %2.")
                              .arg(QLatin1String(FileName), SearchFolders().join(QStringLiteral(", "))));
    QPluginLoader loader(path);
    // Bound at once: a module that does not fit this program is refused here, not later.
    loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    QObject *instance = loader.instance();
    THtmlEngine *loaded = qobject_cast<THtmlEngine *>(instance);
    if (!loaded)
        throw EKetabError(QStringLiteral("The HTML view cannot show pages: its module \"%1\" cannot be loaded (%2).")
                              .arg(path, instance ? QStringLiteral("not an HTML view module") : loader.errorString()));
    engine = loaded;
    return engine;
}

bool THtmlEngineModule::Loaded() { return engine != nullptr; }
