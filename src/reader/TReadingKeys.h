#pragma once
#include <QObject>

class QKeySequence;
class TMainForm;

// The reading window's keys. Each runs the action or handler its button runs, so every
// rule of the button holds for the key too (section bounds, contents pages, a disabled
// window). Keys belong to the window: while it is disabled or hidden none of them acts.
//   Ctrl+PageDown / Ctrl+PageUp   next / previous page (NextPage, PreviousPage)
//   Ctrl+Home / Ctrl+End          first / last page of the section (FirstPage, LastPage)
//   Ctrl+G                        the page number box
//   Ctrl+F                        search window          Ctrl+P  print window
//   Ctrl+plus / Ctrl+minus        larger / smaller text   Ctrl+0  normal text
//   F1                            help
//   F8                            read aloud: start, pause, resume    Shift+F8  stop reading
// The view keeps its own keys (arrows, PageUp, PageDown, Home, End, Space) for scrolling.
class TReadingKeys : public QObject {
    Q_OBJECT
public:
    explicit TReadingKeys(TMainForm *form);

    // Moves the options panel's text size one step (the size stays across pages and
    // shows in the panel); 0 goes back to the normal size.
    static void StepTextSize(TMainForm *form, int step);

private:
    void Bind(const QKeySequence &keys, void (*run)(TMainForm *));
    TMainForm *FForm;
};
