#pragma once
#include "skin/TsuiStyledControl.h"
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAction;
class QPainter;
class QTimer;

// Common base of the program's push buttons: hot and pressed states, click on a
// release inside after a press inside, keyboard press and release, Default and
// Cancel keys, the caption's accelerator, focus frame, and an auto-repeat event
// while the left button is held. Every repaint is composed off-screen and copied once.
class TsuiCustomButton : public QWidget, public TsuiStyledControl {
    Q_OBJECT
public:
    explicit TsuiCustomButton(QWidget *parent = nullptr);
    ~TsuiCustomButton() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    int MouseContinuouslyDownInterval() const { return FRepeatInterval; }
    void SetMouseContinuouslyDownInterval(int ms) { FRepeatInterval = ms; }
    int FocusedRectMargin() const { return FFocusedRectMargin; }
    void SetFocusedRectMargin(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // The linked action: runs on Click and gives the button its caption, enabled state and hint.
    QAction *Action() const { return FAction; }
    void SetAction(QAction *action);

    // The theme the base button's faces come from; image buttons always read FromThemeFile.
    TsuiUIStyle UIStyle() const override { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle style) override;
    // Only the theme-drawn button publishes FileTheme, so propagation passes these buttons by.
    bool PublishesFileTheme() const override { return false; }
    TsuiFileTheme *FileTheme() const override { return FFileTheme; }
    void SetFileTheme(TsuiFileTheme *fileTheme) override;

    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    bool HasRepeatTimer() const { return FRepeatTimer != nullptr; }

    // The click operation, also run by keyboard, accelerator and dialog keys.
    virtual void Click();

    std::function<void(TsuiCustomButton *sender)> OnClick;
    std::function<void(TsuiCustomButton *sender)> OnMouseEnter;
    std::function<void(TsuiCustomButton *sender)> OnMouseExit;
    std::function<void(TsuiCustomButton *sender)> OnMouseContinuouslyDown;
    std::function<void(TsuiCustomButton *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseDown;
    std::function<void(TsuiCustomButton *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseUp;
    std::function<void(TsuiCustomButton *sender, Qt::KeyboardModifiers shift, int x, int y)> OnMouseMove;
    std::function<void(TsuiCustomButton *sender, int &key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(TsuiCustomButton *sender, int &key, Qt::KeyboardModifiers shift)> OnKeyUp;
    std::function<void(TsuiCustomButton *sender, QChar &key)> OnKeyPress;
    std::function<void(TsuiCustomButton *sender)> OnEnter;
    std::function<void(TsuiCustomButton *sender)> OnExit;

    // The face the next repaint shows (for tests and the accessibility layer).
    QImage CurrentFace();
    // The whole composed button as it is copied to the screen.
    QImage ComposeImage();

    // Layouts give the button its normal face's size (75 x 25 without a face) and do not
    // stretch it; a window that designs a button larger than its face fixes that size.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    virtual void UpdateAutoSize();
    virtual void CaptionChanged() {}
    virtual void FontChanged();
    virtual void TransparentChanged();
    virtual void EnabledChanged() {}
    virtual void StyleChanged() {}
    virtual void DrawFace(QPainter &surface, const QImage &face);
    virtual void DrawCaption(QPainter &surface);
    virtual void DrawFocusFrame(QPainter &surface);
    // Each getter fills target and returns false when it has no face.
    virtual bool GetNormalFace(QImage &target);
    virtual bool GetHotFace(QImage &target);
    virtual bool GetPressedFace(QImage &target);
    virtual bool GetDisabledFace(QImage &target);

    // Copy of Transparent applied to the face picture.
    bool FaceTransparent() const { return FFaceTransparent; }
    // The face with the pixels of its top-left colour made see-through.
    static QImage MaskedByTopLeft(const QImage &face);

    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void StopRepeat();
    void UpdateShortcut();
    void WatchWindow();
    void ActionChanged();
    bool CanTakeFocus() const;
    bool ThemeFace(QImage &target, int frame) const;

    QString FCaption;
    bool FAutoSize = false;
    bool FTransparent = false;
    bool FFaceTransparent = false;
    int FModalResult = 0;
    bool FCancel = false;
    bool FDefault = false;
    int FRepeatInterval = 100;
    int FFocusedRectMargin = 2;
    bool FTabStop = true;
    bool FHot = false;
    bool FPressed = false;
    bool FLeftDownInside = false;  // a left press began inside; a release inside then clicks
    bool FKeyDown = false;
    int FShortcutId = 0;
    QTimer *FRepeatTimer = nullptr;
    QPointer<QAction> FAction;
    QPointer<QWidget> FWatchedWindow;
    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    TsuiFileTheme *FFileTheme = nullptr;
    QMetaObject::Connection FFileThemeWatch;
};
