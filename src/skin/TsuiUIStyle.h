#pragma once
#include <QtGlobal>

// The theme selector of every skinned control. One byte; the ordinals are fixed.
// FromThemeFile reads the entries from an attached, loaded TsuiFileTheme and falls
// back to DeepBlue otherwise.
enum class TsuiUIStyle : quint8 {
    FromThemeFile = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5,
};

// Entry numbers of the theme table. Controls ask for entries by number (and frames by
// index), never by resource name.
namespace TsuiEntry {
enum : int {
    ButtonImage = 1,
    ButtonTransparentBool = 2,
    CheckBoxImage = 3,
    RadioButtonImage = 4,
    TitleBarButtonImage = 5,
    TitleBarButtonTransparentBool = 6,
    TitleBarButtonLeftOffsetInt = 7,
    TitleBarButtonRightOffsetInt = 8,
    TitleBarButtonTopInt = 9,
    TitleBarLeftImage = 10,
    TitleBarClientImage = 11,
    TitleBarRightImage = 12,
    FormMinWidthInt = 13,
    FormRoundCornerInt = 14,
    FormBackgroundColor = 15,
    FormBorderColor = 16,
    FormBorderWidthInt = 17,
    MenuSelectedBorderColor = 18,
    MenuSelectedBackgroundColor = 19,
    MenuSelectedFontColor = 20,
    MenuBackgroundColor = 21,
    MenuFontColor = 22,
    MenuBarColor = 23,
    ProgressBarImage = 24,
    ControlBorderColor = 25,
    ControlBackgroundColor = 26,
    ControlFontColor = 27,
    TrackBarBarImage = 28,
    TrackBarSliderImage = 29,
    TrackBarSliderVImage = 30,
    ScrollBarBackgroundColor = 31,
    ScrollBarButtonImage = 32,
    ScrollBarSliderImage = 33,
    CheckListBoxImage = 34,
    ToolBarButtonBorderColor = 35,
    ToolBarButtonBackgroundColor = 36,
    ToolBarButtonDownBackgroundColor = 37,
    ScrollButtonImage = 38,
    TabControlTabImage = 39,
    TabControlBarImage = 40,
    SideChannelHandleImage = 41,
    SideChannelBarImage = 42,
    Count = 42,
};
}

// Frames of the 18-frame title-button strip (entry 5): each group is normal, mouse over, pressed.
namespace TsuiTitleFrame {
enum : int { ControlBox = 1, Help = 4, Maximize = 7, Restore = 10, Minimize = 13, Close = 16, Count = 18 };
}

// Frames of the check box and radio button strips (entries 3 and 4).
namespace TsuiGlyphFrame {
enum : int { Checked = 1, Unchecked = 2, CheckedDisabled = 3, UncheckedDisabled = 4, Count = 4 };
}
