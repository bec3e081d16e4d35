#include "skin/TsuiButtonAccessible.h"
#include "skin/TsuiCustomButton.h"
#include "skin/TsuiImagePanel.h"
#include <QMenu>

TsuiButtonAccessible::TsuiButtonAccessible(TsuiCustomButton *button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

TsuiCustomButton *TsuiButtonAccessible::Button() const { return static_cast<TsuiCustomButton *>(widget()); }

QMenu *TsuiButtonAccessible::ShownMenu() const
{
    for (QMenu *menu : widget()->findChildren<QMenu *>(Qt::FindDirectChildrenOnly))
        if (menu->isVisible()) return menu;
    return nullptr;
}

int TsuiButtonAccessible::childCount() const { return QAccessibleWidget::childCount() + (ShownMenu() ? 1 : 0); }

QAccessibleInterface *TsuiButtonAccessible::child(int index) const
{
    QMenu *menu = ShownMenu();
    if (menu && index == QAccessibleWidget::childCount()) return QAccessible::queryAccessibleInterface(menu);
    return QAccessibleWidget::child(index);
}

int TsuiButtonAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    QMenu *menu = ShownMenu();
    if (menu && child && child->object() == menu) return QAccessibleWidget::childCount();
    return QAccessibleWidget::indexOfChild(child);
}

QString TsuiButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? QString(Button()->Caption()).remove(QLatin1Char('&')) : name;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State TsuiButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = Button()->Pressed();
    s.defaultButton = Button()->Default();
    s.hotTracked = Button()->Hot();
    return s;
}

QStringList TsuiButtonAccessible::actionNames() const
{
    return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
}

void TsuiButtonAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && widget()->isEnabled()) Button()->Click();
}

QStringList TsuiButtonAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName != pressAction()) return {};
    const QKeySequence mnemonic = QKeySequence::mnemonic(Button()->Caption());
    return mnemonic.isEmpty() ? QStringList{} : QStringList{mnemonic.toString(QKeySequence::NativeText)};
}

namespace {
QAccessibleInterface *SkinFactory(const QString &, QObject *object)
{
    if (auto *button = qobject_cast<TsuiCustomButton *>(object)) return new TsuiButtonAccessible(button);
    if (auto *panel = qobject_cast<TsuiImagePanel *>(object)) return new QAccessibleWidget(panel, QAccessible::Pane);
    return nullptr;
}
}

void InstallSkinAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(SkinFactory);
        return true;
    }();
    (void)installed;
}
