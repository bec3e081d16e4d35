#pragma once
#include <QWidget>

// Base of the program's windows: a top-level window laid out right to left that is
// created once and only shown and hidden. FormShow and FormHide run on every
// show and hide the program asks for (not when the window system minimises it).
class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Window);
    // Set by a button's Click to that button's ModalResult.
    int ModalResult = 0;

protected:
    virtual void FormShow() {}
    virtual void FormHide() {}
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};
