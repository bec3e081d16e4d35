#pragma once
#include "skin/TsuiForm.h"

// The skinned frames of the book's windows, each as its window is designed: DeepBlue,
// a black one-pixel border, the 232,232,232 panel and a white bold title font. Call one
// in the window's constructor after its controls exist; the frame adopts them.
//
//   Reading window: TsuiBookFrames::Reading(this)  (then assign OnTitleBarCustomBtnsClick:
//                   index 1 = exit, 3 = minimise the application, 4 = help)
//   Search, print dialog: TsuiBookFrames::Dialog(this, TFormBorderStyle::bsSizeable)
//   Picture gallery:      TsuiBookFrames::Dialog(this, TFormBorderStyle::bsDialog)
//   Credits:              TsuiBookFrames::Credits(this)
//   Help:                 TsuiBookFrames::Help(this)
class TsuiBookFrames {
public:
    // Borderless; own section pictures; buttons: 0 control box (hidden), 1 custom,
    // 2 maximise (hidden), 3 custom, 4 custom.
    static TsuiForm *Reading(QWidget *host);
    // The DeepBlue title pictures and only a close button: 0 control box (hidden),
    // 1 close, 2 maximise (hidden), 3 minimise (hidden).
    static TsuiForm *Dialog(QWidget *host, TFormBorderStyle border);
    // As Dialog with a sizeable border, with the credits screen's own section pictures.
    static TsuiForm *Credits(QWidget *host);
    // As Dialog with a dialog border, the control box shown.
    static TsuiForm *Help(QWidget *host);

private:
    static TsuiForm *Frame(QWidget *host, TFormBorderStyle border);
    static void OwnSections(TsuiForm *form, const QString &prefix);
};
