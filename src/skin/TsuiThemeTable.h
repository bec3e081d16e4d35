#pragma once
#include "skin/TsuiUIStyle.h"
#include <QString>

// The built-in theme table: 42 entries, one column per built-in theme (MacOS, WinXP,
// DeepBlue, Protein, BlueGlass). Constant data only, so the artwork generator can
// share it with the program.
enum class TsuiEntryKind : quint8 { Bitmap, Color, Integer, Bool };

struct TsuiThemeTableEntry {
    const char *Key;       // name under which a theme file stores the entry
    TsuiEntryKind Kind;
    const char *Suffix;    // bitmap entries: the resource name's role suffix
    qint32 Values[5];      // value entries: one cell per built-in theme
};

namespace TsuiThemeTable {

// A colour cell: red in the low byte, then green, then blue.
constexpr qint32 Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

constexpr const char *Prefixes[6] = {"", "MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};

constexpr TsuiThemeTableEntry Entries[TsuiEntry::Count] = {
    /* 1 */ {"ButtonImage", TsuiEntryKind::Bitmap, "BUTTON", {}},
    /* 2 */ {"ButtonTransparentBool", TsuiEntryKind::Bool, nullptr, {1, 0, 0, 0, 1}},
    /* 3 */ {"CheckBoxImage", TsuiEntryKind::Bitmap, "CHECKBOX", {}},
    /* 4 */ {"RadioButtonImage", TsuiEntryKind::Bitmap, "RADIOBUTTON", {}},
    /* 5 */ {"TitleBarButtonImage", TsuiEntryKind::Bitmap, "TITLEBTN", {}},
    /* 6 */ {"TitleBarButtonTransparentBool", TsuiEntryKind::Bool, nullptr, {0, 0, 0, 1, 1}},
    /* 7 */ {"TitleBarButtonLeftOffsetInt", TsuiEntryKind::Integer, nullptr, {3, 2, 0, 0, 4}},
    /* 8 */ {"TitleBarButtonRightOffsetInt", TsuiEntryKind::Integer, nullptr, {-2, -2, 0, 0, -3}},
    /* 9 */ {"TitleBarButtonTopInt", TsuiEntryKind::Integer, nullptr, {4, 5, 2, 2, 6}},
    /* 10 */ {"TitleBarLeftImage", TsuiEntryKind::Bitmap, "TITLE_LEFT", {}},
    /* 11 */ {"TitleBarClientImage", TsuiEntryKind::Bitmap, "TITLE_CLIENT", {}},
    /* 12 */ {"TitleBarRightImage", TsuiEntryKind::Bitmap, "TITLE_RIGHT", {}},
    /* 13 */ {"FormMinWidthInt", TsuiEntryKind::Integer, nullptr, {130, 150, 130, 130, 270}},
    /* 14 */ {"FormRoundCornerInt", TsuiEntryKind::Integer, nullptr, {0, 13, 0, 0, 11}},
    /* 15 */ {"FormBackgroundColor", TsuiEntryKind::Color, nullptr,
              {Rgb(231, 231, 231), Rgb(239, 235, 222), Rgb(232, 232, 232), Rgb(251, 251, 251), Rgb(231, 231, 231)}},
    /* 16 */ {"FormBorderColor", TsuiEntryKind::Color, nullptr,
              {Rgb(127, 127, 127), Rgb(0, 44, 200), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)}},
    /* 17 */ {"FormBorderWidthInt", TsuiEntryKind::Integer, nullptr, {1, 3, 1, 1, 1}},
    /* 18 */ {"MenuSelectedBorderColor", TsuiEntryKind::Color, nullptr,
              {Rgb(57, 115, 196), Rgb(49, 105, 198), Rgb(68, 74, 160), Rgb(45, 48, 196), Rgb(94, 94, 236)}},
    /* 19 */ {"MenuSelectedBackgroundColor", TsuiEntryKind::Color, nullptr,
              {Rgb(57, 115, 196), Rgb(198, 211, 239), Rgb(68, 74, 160), Rgb(45, 48, 196), Rgb(94, 94, 236)}},
    /* 20 */ {"MenuSelectedFontColor", TsuiEntryKind::Color, nullptr,
              {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 255)}},
    /* 21 */ {"MenuBackgroundColor", TsuiEntryKind::Color, nullptr,
              {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(231, 231, 231)}},
    /* 22 */ {"MenuFontColor", TsuiEntryKind::Color, nullptr,
              {Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)}},
    /* 23 */ {"MenuBarColor", TsuiEntryKind::Color, nullptr,
              {Rgb(0, 0, 0), Rgb(214, 211, 206), Rgb(214, 211, 206), Rgb(214, 211, 206), Rgb(214, 211, 206)}},
    /* 24 */ {"ProgressBarImage", TsuiEntryKind::Bitmap, "PROGRESSBAR", {}},
    /* 25 */ {"ControlBorderColor", TsuiEntryKind::Color, nullptr,
              {Rgb(127, 127, 127), Rgb(104, 104, 104), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)}},
    /* 26 */ {"ControlBackgroundColor", TsuiEntryKind::Color, nullptr,
              {Rgb(231, 231, 231), Rgb(239, 235, 222), Rgb(232, 232, 232), Rgb(251, 251, 251), Rgb(231, 231, 231)}},
    /* 27 */ {"ControlFontColor", TsuiEntryKind::Color, nullptr,
              {Rgb(0, 0, 0), Rgb(2, 70, 207), Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)}},
    /* 28 */ {"TrackBarBarImage", TsuiEntryKind::Bitmap, "TRACKBAR_BAR", {}},
    /* 29 */ {"TrackBarSliderImage", TsuiEntryKind::Bitmap, "TRACKBAR_SLIDER", {}},
    /* 30 */ {"TrackBarSliderVImage", TsuiEntryKind::Bitmap, "TRACKBAR_SLIDER_V", {}},
    /* 31 */ {"ScrollBarBackgroundColor", TsuiEntryKind::Color, nullptr,
              {Rgb(201, 201, 201), Rgb(249, 249, 249), Rgb(245, 245, 245), Rgb(245, 245, 245), Rgb(244, 244, 244)}},
    /* 32 */ {"ScrollBarButtonImage", TsuiEntryKind::Bitmap, "SCROLLBAR_BUTTON", {}},
    /* 33 */ {"ScrollBarSliderImage", TsuiEntryKind::Bitmap, "SCROLLBAR_TRACK", {}},
    /* 34 */ {"CheckListBoxImage", TsuiEntryKind::Bitmap, "CHECKLIST", {}},
    /* 35 */ {"ToolBarButtonBorderColor", TsuiEntryKind::Color, nullptr,
              {Rgb(71, 71, 71), Rgb(49, 105, 198), Rgb(71, 71, 71), Rgb(71, 71, 71), Rgb(71, 71, 71)}},
    /* 36 */ {"ToolBarButtonBackgroundColor", TsuiEntryKind::Color, nullptr,
              {Rgb(239, 239, 239), Rgb(198, 211, 239), Rgb(239, 239, 239), Rgb(239, 239, 239), Rgb(239, 239, 239)}},
    /* 37 */ {"ToolBarButtonDownBackgroundColor", TsuiEntryKind::Color, nullptr,
              {Rgb(216, 216, 216), Rgb(147, 172, 225), Rgb(216, 216, 216), Rgb(216, 216, 216), Rgb(216, 216, 216)}},
    /* 38 */ {"ScrollButtonImage", TsuiEntryKind::Bitmap, "SCROLLBUTTON", {}},
    /* 39 */ {"TabControlTabImage", TsuiEntryKind::Bitmap, "TAB", {}},
    /* 40 */ {"TabControlBarImage", TsuiEntryKind::Bitmap, "TAB_LINE", {}},
    /* 41 */ {"SideChannelHandleImage", TsuiEntryKind::Bitmap, "SIDECHENNEL_HANDLE", {}},
    /* 42 */ {"SideChannelBarImage", TsuiEntryKind::Bitmap, "SIDECHENNEL_BAR", {}},
};

// The entry (1..42), or null.
constexpr const TsuiThemeTableEntry *Entry(int entry)
{
    return entry >= 1 && entry <= TsuiEntry::Count ? &Entries[entry - 1] : nullptr;
}

// The resource name of a bitmap entry for a built-in theme (1..5), or an empty string
// when the entry is not a bitmap or the theme is not built in. The scroll button of
// DeepBlue, Protein and BlueGlass is one shared picture.
inline QString BitmapName(int theme, int entry)
{
    const TsuiThemeTableEntry *e = Entry(entry);
    if (!e || e->Kind != TsuiEntryKind::Bitmap || theme < 1 || theme > 5) return {};
    if (entry == TsuiEntry::ScrollButtonImage && theme >= 3) return QStringLiteral("MORE_SCROLLBUTTON");
    return QLatin1String(Prefixes[theme]) + QLatin1Char('_') + QLatin1String(e->Suffix);
}

// The cell of a value entry for a built-in theme (1..5); the caller checks the kind.
constexpr qint32 Cell(int theme, int entry) { return Entries[entry - 1].Values[theme - 1]; }

} // namespace TsuiThemeTable
