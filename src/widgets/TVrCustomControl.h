#pragma once
#include "widgets/TVrGraphicControl.h"

// A control that can hold the keyboard focus. TabStop lets it be reached with Tab
// (and lets controls that ask for it take the focus on a click).
class TVrCustomControl : public TVrGraphicControl {
    Q_OBJECT
public:
    explicit TVrCustomControl(QWidget *parent = nullptr);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);

private:
    bool FTabStop = false;
};
