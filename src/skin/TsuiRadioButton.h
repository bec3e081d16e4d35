#pragma once
#include "skin/TsuiCheckBox.h"

// A radio button: radio buttons with the same parent and GroupIndex form a group.
// Becoming checked unchecks the others (silently) and fires OnClick; becoming unchecked
// fires nothing. Space or Enter checks it (a reader without a mouse has no other way to
// choose), but never unchecks it; tabbing onto it does not check it.
class TsuiRadioButton : public TsuiCheckBox {
    Q_OBJECT
public:
    explicit TsuiRadioButton(QWidget *parent = nullptr);
    ~TsuiRadioButton() override;

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int groupIndex) { FGroupIndex = groupIndex; }

protected:
    bool GlyphTransparent() const override { return true; }
    int GlyphEntry() const override { return TsuiEntry::RadioButtonImage; }
    void Changed() override;
    void Toggle() override;

private:
    void FocusChanged(QWidget *old, QWidget *now);

    int FGroupIndex = 0;
    QMetaObject::Connection FFocusWatch;
};
