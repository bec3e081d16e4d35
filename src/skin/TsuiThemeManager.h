#pragma once
#include "skin/TsuiUIStyle.h"
#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>

class TsuiFileTheme;

// A non-visual component that gives the components of its owner form, listed by name in
// CompList, one style. Names that match nothing are skipped; a component destroyed later
// is taken off the list.
class TsuiThemeManager : public QObject {
    Q_OBJECT
public:
    explicit TsuiThemeManager(QObject *owner);

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style);        // reapplies; OnUIStyleChanged only on a change
    TsuiFileTheme *FileTheme() const { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme *fileTheme);  // stores and reapplies the current style

    QStringList CompList() const { return FCompList; }
    void SetCompList(const QStringList &names);   // copies; applies nothing

    std::function<void(TsuiThemeManager *sender)> OnUIStyleChanged;

    // Component notification: the component is being destroyed. Its name leaves CompList;
    // when it is the manager's file theme, FileTheme becomes none and UIStyle DeepBlue
    // without reapplying. Called automatically for the listed components and the file theme.
    void ComponentRemoved(QObject *component);

private:
    void Apply();
    void Watch(QObject *component);

    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    TsuiFileTheme *FFileTheme = nullptr;   // cleared by its removal notification
    QStringList FCompList;
    QHash<QObject *, QMetaObject::Connection> FWatched;
};
