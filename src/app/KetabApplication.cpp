#include "app/KetabApplication.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/TCommandLine.h"
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <memory>

namespace {
bool terminated = false;
int exitCodeAsked = 0;

// Installs a translator for the application's lifetime when load finds its file.
bool InstallTranslation(QCoreApplication *app, const std::function<bool(QTranslator &)> &load)
{
    auto translator = std::make_unique<QTranslator>(app);
    if (!load(*translator)) return false;
    app->installTranslator(translator.release());
    return true;
}
}

TKetabApplication::TKetabApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("ketab"));
    setApplicationVersion(QString::fromLatin1(TCommandLine::Version));
    // Desktops match the windows to the menu entry, and so to its icon, by this name.
    setDesktopFileName(QStringLiteral("ketab"));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/KETAB_ICON_%1").arg(size), QSize(size, size));
    setWindowIcon(icon);
    setLayoutDirection(Qt::RightToLeft);
    // The program ends only by its own exit paths, never because some window closed last.
    setQuitOnLastWindowClosed(false);
    LoadQtTranslations(this);
}

bool TKetabApplication::LoadQtTranslations(QCoreApplication *app)
{
    return InstallTranslation(app, [](QTranslator &translator) {
        return translator.load(QLocale(QLocale::Persian, QLocale::Iran), QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    });
}

bool TKetabApplication::LoadProgramTranslation(QCoreApplication *app)
{
    // Where qt_add_translations puts translations/ketab_fa.ts, compiled.
    return InstallTranslation(
        app, [](QTranslator &translator) { return translator.load(QStringLiteral(":/i18n/ketab_fa.qm")); });
}

bool TKetabApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
        return true;
    }
}

void TKetabApplication::HandleException(std::exception_ptr error)
{
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const EKetabError &e) {
        text = e.Message();
    } catch (const std::exception &e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = tr("Unknown error");
    }
    Dialogs().ShowMessage(text, tr("Error"));
}

void TKetabApplication::Terminate(int exitCode)
{
    terminated = true;
    exitCodeAsked = exitCode;
    QCoreApplication::exit(exitCode);
    // exit() before the loop runs is lost; repeat it once the loop is up.
    QTimer::singleShot(0, qApp, [exitCode] { QCoreApplication::exit(exitCode); });
}

bool TKetabApplication::Terminated() { return terminated; }

int TKetabApplication::ExitCode() { return exitCodeAsked; }
