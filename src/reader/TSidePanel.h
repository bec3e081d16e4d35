#pragma once
#include <QFrame>
#include <functional>

class QTimer;
class QToolButton;

// A panel docked to a side of the reading window that collapses to a 10-pixel strip.
// It opens on a click or when the mouse moves onto it, and closes about a second after
// the mouse has left it unless pinned (StayOn). Its page of controls is Content().
class TSidePanel : public QFrame {
    Q_OBJECT
public:
    enum TPopupMode { pmMouseOn, pmMouseClick };
    static constexpr int StripWidth = 10;

    TSidePanel(int fullWidth, TPopupMode mode, QWidget *parent = nullptr);

    QWidget *Content() const { return FContent; }
    int FullWidth() const { return FFullWidth; }
    bool Popped() const { return FPopped; }
    bool StayOn() const { return FStayOn; }
    // Pinning opens the panel; unpinning closes it.
    void SetStayOn(bool value);
    void Pop();
    void Push();

    // Fired when the panel has finished opening or closing.
    std::function<void(TSidePanel *sender)> OnPop;
    std::function<void(TSidePanel *sender)> OnPush;

protected:
    void enterEvent(QEnterEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void AutoHideTick();
    void PinButtonClick();
    void PlaceChildren();

    QWidget *FContent = nullptr;
    QToolButton *FPinButton = nullptr;
    QTimer *FAutoHide = nullptr;
    TPopupMode FMode;
    int FFullWidth;
    bool FPopped = false;
    bool FStayOn = false;
};
