#pragma once
#include <QApplication>
#include <exception>

// The application object. Its notify() is the program's default failure handler:
// an exception raised by a handler is shown in a message box with its text, the
// handler stops where it was, and the event loop goes on.
class TKetabApplication : public QApplication {
    Q_OBJECT
public:
    TKetabApplication(int &argc, char **argv);
    // Loads Qt's own Persian translations, so the standard dialogs (open, save, printer,
    // message box buttons) speak Persian and lay out right to left. False when they are missing.
    static bool LoadQtTranslations(QCoreApplication *app);
    bool notify(QObject *receiver, QEvent *event) override;
    // Shows the message of the exception in flight (call inside a catch block).
    static void HandleException(std::exception_ptr error);
    // Runs fn and reports a failure the same way, for callbacks that do not come through notify().
    template <class F> static void Guarded(F &&fn)
    {
        try { fn(); } catch (...) { HandleException(std::current_exception()); }
    }
    // Asks the run loop to end; exitCode is what the program returns.
    static void Terminate(int exitCode = 0);
    static bool Terminated();
    // The code Terminate was given.
    static int ExitCode();
};
