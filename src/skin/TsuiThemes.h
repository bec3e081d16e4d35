#pragma once
#include "skin/TsuiUIStyle.h"
#include <QColor>
#include <QCoreApplication>
#include <QPixmap>
#include <QString>

class QObject;
class QWidget;
class TsuiFileTheme;

// The effective theme of a control: a built-in theme (1..5), or a loaded file theme.
// A number outside 1..5 without a file yields only neutral values.
struct TsuiTheme {
    int Number = int(TsuiUIStyle::DeepBlue);
    const TsuiFileTheme *File = nullptr;
};

// The theme library: resolving a control's theme, looking up entries of the theme table,
// cutting frames out of frame strips and pushing a style to child controls.
class TsuiThemes {
    Q_DECLARE_TR_FUNCTIONS(TsuiThemes)

public:
    // The built-in theme of a style; FromThemeFile uses the file theme when it is attached
    // and loaded, and DeepBlue otherwise.
    static TsuiTheme ResolveTheme(TsuiUIStyle style, const TsuiFileTheme *fileTheme = nullptr);

    // Entry lookup. On a kind mismatch, an entry outside 1..42 or a theme outside 1..5
    // they give the neutral value: black, -1, false.
    static QColor GetColor(const TsuiTheme &theme, int entry);
    static int GetInteger(const TsuiTheme &theme, int entry);
    static bool GetBool(const TsuiTheme &theme, int entry);

    // The resource name of a bitmap entry ("DEEPBLUE_TITLEBTN"); empty when there is none.
    static QString BitmapName(const TsuiTheme &theme, int entry);

    // Loads a bitmap entry into target. A non-bitmap entry or an unknown theme leaves
    // target untouched; a named resource that does not exist raises EKetabError.
    static void LoadBitmap(const TsuiTheme &theme, int entry, QPixmap &target);

    // Cuts frame frameIndex (1-based) of a strip of frameCount equal frames into target;
    // the frame width is the strip width divided by frameCount (integer division).
    // frameCount 0 loads the whole bitmap; an index outside 1..frameCount leaves target untouched.
    static void LoadFrame(const TsuiTheme &theme, int entry, QPixmap &target, int frameCount, int frameIndex);

    // A theme-independent bitmap by resource name (":/NAME"), e.g. "SIDECHANNEL_BTN",
    // "MACOS_FORM_BACKGROUND", "MENU_CHECKED". Raises EKetabError when it does not exist.
    static QPixmap NamedBitmap(const QString &name);

    // Makes every pixel of the colour at `corner` transparent (the bitmap transparency of
    // glyphs and faces: bottom-left for theme glyphs, top-left for image-button faces).
    static QPixmap Transparented(const QPixmap &bitmap, Qt::Corner corner = Qt::BottomLeftCorner);

    // The style a new skinned control starts with: when the owner is a form (a top-level
    // widget), the UIStyle of the first TsuiForm among its direct children; otherwise DeepBlue.
    static TsuiUIStyle DefaultStyleFor(const QObject *owner);

    // For each direct child widget of container, in child order, that publishes both
    // FileTheme and UIStyle: set its FileTheme, then its UIStyle. Grandchildren are not visited.
    static void PropagateStyle(QWidget *container, TsuiUIStyle style, TsuiFileTheme *fileTheme);

    // True when the object is a form: a top-level widget.
    static bool IsForm(const QObject *object);
};
