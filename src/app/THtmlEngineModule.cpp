#include "app/THtmlEngineModule.h"
#include "app/Errors.h"
#include "app/THtmlEngine.h"
#include "platform/TInstallLayout.h"
#include <QFileInfo>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <QSurfaceFormat>

QT_BEGIN_NAMESPACE
// Qt's own hook for the context that all OpenGL contexts of the process share.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
QT_END_NAMESPACE

const char *const THtmlEngineModule::FileName = "htmlengine.so";

namespace {
THtmlEngine *engine = nullptr;

// The engine looks, when its library loads, for the OpenGL context that all contexts of the
// process share, and warns without one. Its views draw without OpenGL (the module chooses
// Qt Quick's software renderer), so the context is handed over but never made: making it
// would load the OpenGL drivers, on a machine without a graphics card a software
// rasteriser that costs more than the whole engine start.
void SetSharedOpenGLContext()
{
    if (QOpenGLContext::globalShareContext() || !qobject_cast<QGuiApplication *>(QCoreApplication::instance())) return;
    auto *context = new QOpenGLContext(qApp);
    context->setFormat(QSurfaceFormat::defaultFormat());
    qt_gl_set_global_share_context(context);
}

// The engine builds a page's accessibility tree (its text, links and marks: what a screen
// reader reads) only when this is set, and then only while an assistive technology
// listens, so readers without one pay nothing. Read once, when the engine starts.
void SwitchOnPageAccessibility()
{
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
}
}

QStringList &THtmlEngineModule::SearchFolders()
{
    static QStringList folders = TInstallLayout::PrivateLibraryFolders();
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
        throw EKetabError(tr("The HTML view cannot show pages: its module \"%1\" was not found in %2.")
                              .arg(QLatin1String(FileName), SearchFolders().join(QStringLiteral(", "))));
    SetSharedOpenGLContext();
    SwitchOnPageAccessibility();
    QPluginLoader loader(path);
    // Bound at once: a module that does not fit this program is refused here, not later.
    loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    QObject *instance = loader.instance();
    THtmlEngine *loaded = qobject_cast<THtmlEngine *>(instance);
    if (!loaded)
        throw EKetabError(tr("The HTML view cannot show pages: its module \"%1\" cannot be loaded (%2).")
                              .arg(path, instance ? tr("not an HTML view module") : loader.errorString()));
    engine = loaded;
    return engine;
}

bool THtmlEngineModule::Loaded() { return engine != nullptr; }

void THtmlEngineModule::Use(THtmlEngine *standIn) { engine = standIn; }
