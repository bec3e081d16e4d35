#pragma once
#include "skin/TsuiUIStyle.h"
#include <QMetaObject>

class QObject;
class TsuiFileTheme;

// What a style-bearing skinned control publishes: UIStyle and, usually, FileTheme.
// PropagateStyle and TsuiThemeManager reach controls only through this interface.
// A control reapplies its theme inside SetUIStyle (and SetFileTheme), exactly as when a
// user of the control sets the property.
class TsuiStyledControl {
public:
    virtual ~TsuiStyledControl() = default;

    virtual TsuiUIStyle UIStyle() const = 0;
    virtual void SetUIStyle(TsuiUIStyle style) = 0;

    // False for controls that publish UIStyle only (the image buttons): propagation
    // passes them by and the theme manager sets only their UIStyle.
    virtual bool PublishesFileTheme() const { return true; }
    virtual TsuiFileTheme *FileTheme() const = 0;
    virtual void SetFileTheme(TsuiFileTheme *fileTheme) = 0;

    // The interface of an object, or null when it bears no style.
    static TsuiStyledControl *From(QObject *object);

protected:
    // Stores fileTheme in `held` and watches it: a destroyed file theme is forgotten and
    // the control falls back to DeepBlue. `self` is the control's own object. Returns
    // false when fileTheme is already the one held.
    bool HoldFileTheme(QObject *self, TsuiFileTheme *&held, QMetaObject::Connection &watch, TsuiFileTheme *fileTheme);
};
