#include "skin/TsuiThemeManager.h"
#include "app/KetabApplication.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiStyledControl.h"
#include "skin/TsuiThemes.h"

TsuiThemeManager::TsuiThemeManager(QObject *owner) : QObject(owner) {}

void TsuiThemeManager::SetUIStyle(TsuiUIStyle style)
{
    const bool changed = style != FUIStyle;
    FUIStyle = style;
    Apply();
    if (changed && OnUIStyleChanged) OnUIStyleChanged(this);
}

void TsuiThemeManager::SetFileTheme(TsuiFileTheme *fileTheme)
{
    FFileTheme = fileTheme;
    if (fileTheme) Watch(fileTheme);
    Apply();
}

void TsuiThemeManager::SetCompList(const QStringList &names)
{
    FCompList = names;
    // Listed components that exist now are watched, so their removal updates the list.
    if (!TsuiThemes::IsForm(parent())) return;
    for (const QString &name : FCompList)
        if (QObject *component = name.isEmpty() ? nullptr : parent()->findChild<QObject *>(name)) Watch(component);
}

void TsuiThemeManager::Apply()
{
    QObject *form = parent();
    if (!TsuiThemes::IsForm(form)) return;
    for (const QString &name : QStringList(FCompList)) {
        if (name.isEmpty()) continue;
        QObject *component = form->findChild<QObject *>(name);
        if (!component) continue;
        Watch(component);
        TsuiStyledControl *styled = TsuiStyledControl::From(component);
        if (!styled) continue;
        styled->SetUIStyle(FUIStyle);
        if (styled->PublishesFileTheme()) styled->SetFileTheme(FFileTheme);
    }
}

void TsuiThemeManager::Watch(QObject *component)
{
    if (FWatched.contains(component)) return;
    FWatched.insert(component, TKetabApplication::Connect(component, &QObject::destroyed, this,
                                                          [this](QObject *gone) { ComponentRemoved(gone); }));
}

void TsuiThemeManager::ComponentRemoved(QObject *component)
{
    if (!component) return;
    disconnect(FWatched.take(component));
    FCompList.removeAll(component->objectName());
    if (component == static_cast<QObject *>(FFileTheme)) {
        FFileTheme = nullptr;
        FUIStyle = TsuiUIStyle::DeepBlue;
    }
}
