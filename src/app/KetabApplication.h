#pragma once
#include <QApplication>
#include <exception>
#include <type_traits>
#include <utility>

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
    // Loads the Persian translation of the program's own messages, which the code writes in
    // English; the build embeds it. False when it is missing.
    static bool LoadProgramTranslation(QCoreApplication *app);
    bool notify(QObject *receiver, QEvent *event) override;
    // Shows the message of the exception in flight (call inside a catch block).
    static void HandleException(std::exception_ptr error);
    // The one guard: runs fn and reports a failure the same way. Qt's libraries are built
    // without exception support, so nothing may unwind through a signal or event frame:
    // every handler Qt calls runs inside this guard.
    template <class F> static void Guarded(F &&fn)
    {
        try { fn(); } catch (...) { HandleException(std::current_exception()); }
    }
    // A handler that runs inside the guard, for a component's event (OnClick, OnButtonClick,
    // ...) or a Qt signal; it takes the event's arguments, or none.
    template <class F> static auto Guard(F fn)
    {
        return [fn = std::move(fn)](auto &&...args) -> void {
            Guarded([&] { CallWithOrWithout(fn, std::forward<decltype(args)>(args)...); });
        };
    }
    // Calls fn with the arguments when it takes them, else with none.
    template <class F, class... A> static void CallWithOrWithout(const F &fn, A &&...args)
    {
        if constexpr (std::is_invocable_v<const F &, A...>)
            fn(std::forward<A>(args)...);
        else
            fn();
    }
    // Connects a Qt signal to a handler that runs inside the guard.
    template <class Sender, class Signal, class F>
    static QMetaObject::Connection Connect(const Sender *sender, Signal signal, const QObject *context, F fn)
    {
        return QObject::connect(sender, signal, context, Guard(std::move(fn)));
    }
    // Asks the run loop to end; exitCode is what the program returns.
    static void Terminate(int exitCode = 0);
    static bool Terminated();
    // The code Terminate was given.
    static int ExitCode();
};
