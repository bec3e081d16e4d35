#include "widgets/TQuelConnectLabel.h"
#include "widgets/VrAccessibility.h"
#include "widgets/VrDraw.h"
#include <QDesktopServices>
#include <QKeyEvent>
#include <QPainter>
#include <QUrl>

TQuelConnectLabel::TQuelConnectLabel(QWidget *parent) : TQuelLabel(parent)
{
    InstallVrAccessibility();
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setFocusPolicy(Qt::TabFocus);
}

QString TQuelConnectLabel::Target() const
{
    return (FAddressStyle == asHttp ? QStringLiteral("http://") : QStringLiteral("mailto:")) + FAddress;
}

void TQuelConnectLabel::Click()
{
    TQuelLabel::Click();
    Open();
}

void TQuelConnectLabel::Open()
{
    // Whether the desktop could open it is not reported, as with any shell "open".
    QDesktopServices::openUrl(QUrl(Target(), QUrl::TolerantMode));
}

void TQuelConnectLabel::enterEvent(QEnterEvent *event)
{
    TQuelLabel::enterEvent(event);
    if (!FHovered) FSavedFontColor = FontColor();
    FHovered = true;
    SetFontColor(ToQColor(FHighlightColor));
    setCursor(Qt::PointingHandCursor);
}

void TQuelConnectLabel::leaveEvent(QEvent *event)
{
    TQuelLabel::leaveEvent(event);
    if (!FHovered) return;
    FHovered = false;
    SetFontColor(FSavedFontColor);
}

void TQuelConnectLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        Click();
        return;
    }
    TQuelLabel::keyPressEvent(event);
}

void TQuelConnectLabel::paintEvent(QPaintEvent *event)
{
    TQuelLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter p(this);
    p.setPen(QPen(FontColor(), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
