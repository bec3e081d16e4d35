#pragma once
#include "widgets/VrTypes.h"
#include <QImage>
#include <QWidget>
#include <functional>

class QPainter;

// Base of the widget family. A control that is being set up (between BeginLoading and
// Loaded) does not repaint; UpdateControl repaints once set-up is over.
class TVrGraphicControl : public QWidget {
    Q_OBJECT
public:
    explicit TVrGraphicControl(QWidget *parent = nullptr);

    void BeginLoading() { FLoading = true; }
    // Ends set-up: the control settles its state and repaints.
    virtual void Loaded();
    bool Loading() const { return FLoading; }
    void UpdateControl();

    // Background colour; while ParentColor is set, the parent's background is used.
    TColor Color() const;
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);

    std::function<void(QObject *Sender)> OnMouseEnter;
    std::function<void(QObject *Sender)> OnMouseLeave;

protected:
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();
    virtual void CMFontChanged() {}
    virtual void CMTextChanged() {}
    // A change that may affect painting: repaint through UpdateControl by default.
    virtual void ColorChanged() { UpdateControl(); }

    // Sizes `buffer` to the control, lets `paint` draw on it, and copies it to the window in one step.
    void PaintThroughBuffer(QImage &buffer, const std::function<void(QPainter &)> &paint);
    bool Painting() const { return FPainting; }

    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool FLoading = false;
    bool FPainting = false;
    bool FParentColor = true;
    TColor FColor = clBtnFace;
};
