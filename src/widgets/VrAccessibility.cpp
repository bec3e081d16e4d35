#include "widgets/VrAccessibility.h"
#include "widgets/TCustomImage32.h"
#include "widgets/TQuelConnectLabel.h"
#include "widgets/TVrNavigator.h"
#include "widgets/TVrProgressBar.h"
#include <QAccessibleWidget>
#include <QPointer>
#include <map>

namespace {

// One button of a navigator bar.
class TNavigatorButtonAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TNavigatorButtonAccessible(TVrNavigator *bar, int k) : FBar(bar), FIndex(k) {}
    bool isValid() const override { return !FBar.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return FBar ? FBar->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(FBar.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return (FBar && t == QAccessible::Name) ? FBar->ButtonName(FIndex) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!FBar) return {};
        const QRect r = FBar->ButtonRect(FIndex).ToQRect();
        return QRect(FBar->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State st;
        if (!FBar) return st;
        st.disabled = !FBar->ButtonEnabled(FIndex);
        st.invisible = !FBar->ButtonVisible(FIndex);
        st.focusable = true;
        st.focused = FBar->hasFocus() && FBar->FocusIndex() == FIndex;
        st.pressed = FBar->Down() && FBar->PressedIndex() == FIndex;
        return st;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (FBar && name == pressAction() && FBar->ButtonEnabled(FIndex) && FBar->ButtonVisible(FIndex))
            FBar->Click(TVrButtonType(FIndex));
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<TVrNavigator> FBar;
    int FIndex;
};

// The bar: a tool bar whose children are its visible buttons in index order.
class TNavigatorAccessible : public QAccessibleWidget {
public:
    explicit TNavigatorAccessible(TVrNavigator *bar) : QAccessibleWidget(bar, QAccessible::ToolBar) {}
    ~TNavigatorAccessible() override
    {
        for (auto &[k, id] : FIds) QAccessible::deleteAccessibleInterface(id);
    }
    TVrNavigator *Bar() const { return static_cast<TVrNavigator *>(widget()); }
    int childCount() const override
    {
        int n = 0;
        for (int k = 0; k < TVrNavigator::ButtonCount; ++k) n += Bar()->ButtonVisible(k) ? 1 : 0;
        return n;
    }
    QAccessibleInterface *child(int index) const override
    {
        for (int k = 0; k < TVrNavigator::ButtonCount; ++k)
            if (Bar()->VisibleOrdinal(k) == index) return Button(k);
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (const auto &[k, id] : FIds)
            if (QAccessible::accessibleInterface(id) == child) return Bar()->VisibleOrdinal(k);
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint p = Bar()->mapFromGlobal(QPoint(x, y));
        for (int k = 0; k < TVrNavigator::ButtonCount; ++k)
            if (Bar()->ButtonVisible(k) && Bar()->ButtonRect(k).Contains(p)) return Button(k);
        return nullptr;
    }

private:
    QAccessibleInterface *Button(int k) const
    {
        auto it = FIds.find(k);
        if (it == FIds.end())
            it = FIds.emplace(k, QAccessible::registerAccessibleInterface(new TNavigatorButtonAccessible(Bar(), k))).first;
        return QAccessible::accessibleInterface(it->second);
    }
    mutable std::map<int, QAccessible::Id> FIds;
};

// A link label: its caption is its name, pressing it opens the link.
class TLinkAccessible : public QAccessibleWidget {
public:
    explicit TLinkAccessible(TQuelConnectLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}
    QString text(QAccessible::Text t) const override
    {
        auto *label = static_cast<TQuelConnectLabel *>(widget());
        if (t == QAccessible::Name && label->accessibleName().isEmpty()) return label->text();
        if (t == QAccessible::Value) return label->Target();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction()) static_cast<TQuelConnectLabel *>(widget())->Open();
    }
};

// A progress bar: its value is the position in its range.
class TProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TProgressAccessible(TVrProgressBar *bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}
    TVrProgressBar *Bar() const { return static_cast<TVrProgressBar *>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return QString::number(Bar()->Percent()) + QLatin1Char('%');
        return QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return Bar()->Position(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return Bar()->MaxValue(); }
    QVariant minimumValue() const override { return Bar()->MinValue(); }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface *Factory(const QString &, QObject *object)
{
    if (auto *bar = qobject_cast<TVrNavigator *>(object)) return new TNavigatorAccessible(bar);
    if (auto *link = qobject_cast<TQuelConnectLabel *>(object)) return new TLinkAccessible(link);
    if (auto *progress = qobject_cast<TVrProgressBar *>(object)) return new TProgressAccessible(progress);
    if (auto *image = qobject_cast<TCustomImage32 *>(object)) return new QAccessibleWidget(image, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void InstallVrAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}
