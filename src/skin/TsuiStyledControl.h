#pragma once
#include "skin/TsuiUIStyle.h"

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
};
