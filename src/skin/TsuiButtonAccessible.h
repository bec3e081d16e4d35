#pragma once
#include <QAccessibleWidget>

class TsuiCustomButton;

class QMenu;

// What screen readers and desktop tests see of a drawn push button: a Button with
// its caption (or the name of what it does) and a press action that runs Click. The
// pop-up menu it opens (a QMenu made with the button as its parent) is its child while
// it shows, with its items: Qt leaves pop-up windows out of the tree otherwise.
class TsuiButtonAccessible : public QAccessibleWidget {
public:
    explicit TsuiButtonAccessible(TsuiCustomButton *button);
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    TsuiCustomButton *Button() const;
    QMenu *ShownMenu() const;
};

// Registers the factory for the skinned controls once; every skinned control's constructor calls it.
void InstallSkinAccessibleFactory();
