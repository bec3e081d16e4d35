#include "reader/TSidePanel.h"
#include "app/KetabApplication.h"
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int BarHeight = 20;
}

TSidePanel::TSidePanel(int fullWidth, TPopupMode mode, QWidget *parent)
    : QFrame(parent), FMode(mode), FFullWidth(fullWidth)
{
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(232, 232, 232));
    setPalette(pal);
    FContent = new QWidget(this);
    FContent->setObjectName(QStringLiteral("Content"));
    FPinButton = new QToolButton(this);
    FPinButton->setObjectName(QStringLiteral("PinButton"));
    FPinButton->setCheckable(true);
    FPinButton->setAutoRaise(true);
    FPinButton->setText(QStringLiteral("•"));
    FPinButton->setAccessibleName(QStringLiteral("ثابت نگه داشتن"));
    FPinButton->setToolTip(FPinButton->accessibleName());
    FPinButton->setFixedSize(20, 16);
    connect(FPinButton, &QToolButton::clicked, this, [this] { PinButtonClick(); });
    FAutoHide = new QTimer(this);
    FAutoHide->setInterval(1000);
    connect(FAutoHide, &QTimer::timeout, this, [this] { AutoHideTick(); });
    setFixedWidth(StripWidth);
    FContent->hide();
    FPinButton->hide();
}

void TSidePanel::SetStayOn(bool value)
{
    FStayOn = value;
    FPinButton->setChecked(value);
    if (value) Pop();
    else Push();
}

void TSidePanel::Pop()
{
    setFixedWidth(FFullWidth);
    FContent->show();
    FPinButton->show();
    FPopped = true;
    if (!FStayOn) FAutoHide->start();
    PlaceChildren();
    if (OnPop) TKetabApplication::Guarded([this] { OnPop(this); });
}

void TSidePanel::Push()
{
    FPopped = false;
    FAutoHide->stop();
    setFixedWidth(StripWidth);
    FContent->hide();
    FPinButton->hide();
    if (OnPush) TKetabApplication::Guarded([this] { OnPush(this); });
}

void TSidePanel::AutoHideTick()
{
    if (FStayOn || !FPopped) {
        FAutoHide->stop();
        return;
    }
    const QRect r(mapToGlobal(QPoint(0, 0)), size());
    const QPoint c = QCursor::pos();
    const bool inside = r.left() < c.x() && c.x() < r.right() && r.top() < c.y() && c.y() < r.bottom();
    if (!inside) Push();
}

void TSidePanel::PinButtonClick()
{
    FStayOn = FPinButton->isChecked();
    if (FStayOn) FAutoHide->stop();
    else if (FPopped) FAutoHide->start();
}

void TSidePanel::enterEvent(QEnterEvent *event)
{
    QFrame::enterEvent(event);
    if (FMode == pmMouseOn && !FPopped && window()->isActiveWindow()) Pop();
}

void TSidePanel::mouseMoveEvent(QMouseEvent *event)
{
    QFrame::mouseMoveEvent(event);
    if (FMode == pmMouseOn && !FPopped && window()->isActiveWindow()) Pop();
}

void TSidePanel::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (FMode == pmMouseClick && !FPopped) Pop();
}

void TSidePanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    PlaceChildren();
}

void TSidePanel::PlaceChildren()
{
    // Controls sit right of the strip and below the caption bar.
    FContent->setGeometry(13, BarHeight + 3, qMax(0, width() - 16), qMax(0, height() - BarHeight - 6));
    FPinButton->move(FFullWidth - 20 - 1, 2);
}

void TSidePanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(232, 232, 232));
    p.fillRect(QRect(1, 0, width() - 2, BarHeight), QColor(4, 50, 88));
    p.fillRect(QRect(1, BarHeight, StripWidth - 2, height() - BarHeight - 1), QColor(232, 232, 232));
    p.setPen(QColor(128, 128, 128));
    p.drawLine(StripWidth - 1, BarHeight, StripWidth - 1, height() - 1);
    // A grip in the middle of the strip shows where to open the panel.
    p.setPen(QColor(4, 50, 88));
    const int mid = height() / 2;
    for (int y = mid - 12; y <= mid + 12; y += 4) p.drawLine(3, y, 6, y);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
