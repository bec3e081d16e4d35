#include "skin/TsuiCheckBoxAccessible.h"
#include "skin/TsuiCheckBox.h"
#include "skin/TsuiRadioButton.h"

namespace {
QAccessibleInterface *Factory(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType()) return nullptr;
    if (auto *radio = qobject_cast<TsuiRadioButton *>(object))
        return new TsuiCheckBoxAccessible(radio, QAccessible::RadioButton);
    if (auto *box = qobject_cast<TsuiCheckBox *>(object)) return new TsuiCheckBoxAccessible(box, QAccessible::CheckBox);
    return nullptr;
}
}

TsuiCheckBoxAccessible::TsuiCheckBoxAccessible(TsuiCheckBox *box, QAccessible::Role role)
    : QAccessibleWidget(box, role)
{
}

TsuiCheckBox *TsuiCheckBoxAccessible::Box() const { return static_cast<TsuiCheckBox *>(widget()); }

QAccessible::State TsuiCheckBoxAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = Box()->Checked();
    return s;
}

QString TsuiCheckBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        if (!name.isEmpty()) return name;
        QString caption = Box()->Caption();
        return caption.remove(QLatin1Char('&'));
    }
    return QAccessibleWidget::text(t);
}

QStringList TsuiCheckBoxAccessible::actionNames() const
{
    if (!widget()->isEnabled()) return {};
    return {role() == QAccessible::CheckBox ? toggleAction() : pressAction()};
}

void TsuiCheckBoxAccessible::doAction(const QString &actionName)
{
    if (!widget()->isEnabled()) return;
    if (actionName == toggleAction() || actionName == pressAction()) Box()->Click();
}

void TsuiCheckBoxAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}
