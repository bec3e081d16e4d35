#include "app/KetabApplication.h"
#include "app/Dialogs.h"
#include "app/Errors.h"
#include "app/TCommandLine.h"
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace {
bool terminated = false;
int exitCodeAsked = 0;
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
    auto *translator = new QTranslator(app);
    const bool loaded = translator->load(QLocale(QLocale::Persian, QLocale::Iran), QStringLiteral("qtbase"),
                                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) app->installTranslator(translator);
    else delete translator;
    return loaded;
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
        text = QStringLiteral("Unknown error");
    }
    Dialogs().ShowMessage(text, QStringLiteral("Error"));
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
