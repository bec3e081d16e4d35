#pragma once
#include "skin/TsuiCustomButton.h"

// A push button drawn entirely from pictures, one per state. A missing hot, pressed
// or disabled picture falls back to PicNormal (a disabled button is not greyed);
// an empty PicNormal shows only the background. Focus once the keyboard has moved it in the
// window is framed, in dots of black and white that show on any picture; DrawFocused frames
// any focus.
class TsuiImageButton : public TsuiCustomButton {
    Q_OBJECT
public:
    explicit TsuiImageButton(QWidget *parent = nullptr);

    QImage PicNormal() const { return FPicNormal; }
    void SetPicNormal(const QImage &picture);
    QImage PicMouseOn() const { return FPicMouseOn; }
    void SetPicMouseOn(const QImage &picture);
    QImage PicMouseDown() const { return FPicMouseDown; }
    void SetPicMouseDown(const QImage &picture);
    QImage PicDisabled() const { return FPicDisabled; }
    void SetPicDisabled(const QImage &picture);
    // Loads the pictures from program resources by name (":/NAME"); empty names leave a picture empty.
    void SetPictures(const QString &normal, const QString &mouseOn = QString(),
                     const QString &mouseDown = QString(), const QString &disabled = QString());

    // Always FromThemeFile: an image button's look comes from its pictures alone.
    TsuiUIStyle UIStyle() const override { return TsuiUIStyle::FromThemeFile; }

    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool DrawFocused() const { return FDrawFocused; }
    void SetDrawFocused(bool value);

protected:
    void UpdateAutoSize() override;
    void DrawFace(QPainter &surface, const QImage &face) override;
    void DrawFocusFrame(QPainter &surface) override;
    bool GetNormalFace(QImage &target) override;
    bool GetHotFace(QImage &target) override;
    bool GetPressedFace(QImage &target) override;
    bool GetDisabledFace(QImage &target) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void PictureChanged();
    bool FaceOr(const QImage &picture, QImage &target) const;

    QImage FPicNormal, FPicMouseOn, FPicMouseDown, FPicDisabled;
    bool FStretch = false;
    bool FDrawFocused = false;
    bool FKeyboardFocus = false;  // the focus came by Tab, a shortcut, or back to a window the keyboard moved it in
};
