#pragma once
#include <QAccessibleWidget>

class TsuiCheckBox;

// Accessibility of the skinned check box and radio button: role CheckBox or RadioButton,
// the caption as name, the checked state, and a toggle action that runs Click.
class TsuiCheckBoxAccessible : public QAccessibleWidget {
public:
    TsuiCheckBoxAccessible(TsuiCheckBox *box, QAccessible::Role role);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // Installs the factory once per process.
    static void Install();

private:
    TsuiCheckBox *Box() const;
};
