#pragma once
#include <QAccessibleWidget>

class TsuiCustomButton;

// What screen readers and desktop tests see of a drawn push button: a Button with
// its caption (or the name of what it does) and a press action that runs Click.
class TsuiButtonAccessible : public QAccessibleWidget {
public:
    explicit TsuiButtonAccessible(TsuiCustomButton *button);
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    TsuiCustomButton *Button() const;
};

// Registers the factory for the skinned controls once; every skinned control's constructor calls it.
void InstallSkinAccessibleFactory();
