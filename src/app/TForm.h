#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>
#include <initializer_list>

// Base of the program's windows: a top-level window laid out right to left that is
// created once and only shown and hidden. FormShow and FormHide run on every
// show and hide the program asks for (not when the window system minimises it).
// The secondary windows are dialogs (Qt::Dialog): only a dialog is kept by the desktop
// above the window named as its opener (see ShowOver).
//
// Keyboard: Enter that the focused control leaves unused presses the window's default
// push button; Escape runs OnEscape (a secondary window's Return button).
class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Window);
    // Set by a button's Click to that button's ModalResult.
    int ModalResult = 0;
    // What Escape does in this window; unset, Escape does nothing.
    std::function<void()> OnEscape;

    // The window this one is shown over: the desktop keeps this one above it. Kept, as
    // is the window state, when the window system's window is made anew (the first web
    // view a window shows does that).
    void SetOpener(QWidget *opener);
    QWidget *Opener() const { return FOpener; }

    // Does ahead, while the window stays hidden, what its first show would otherwise do
    // in front of the reader: makes the native window, polishes and lays out the
    // controls, gives each its first show and paints them all once. Nothing reaches the
    // screen, the window manager or assistive technology, no FormShow or FormHide runs,
    // and the window is hidden again before anything else can run. A visible window is
    // left alone.
    void PrepareFirstShow();

protected:
    virtual void FormShow() {}
    virtual void FormHide() {}
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Tab visits the controls in this order (right to left, top to bottom as the reader sees them).
    static void TabChain(std::initializer_list<QWidget *> controls);

private:
    void ApplyOpener();
    void WindowMadeAnew();

    QPointer<QWidget> FOpener;

    bool FPreparing = false;
};
