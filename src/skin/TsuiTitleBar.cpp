#include "skin/TsuiTitleBar.h"
#include "app/KetabApplication.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiThemes.h"
#include "skin/TsuiTitleBarPopupMenu.h"
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

TsuiTitleBar::TsuiTitleBar(QWidget *parent)
    : QWidget(parent), FSections([this] { Changed(); }), FButtons(this)
{
    setObjectName(QStringLiteral("TitleBar"));
    setAccessibleName(QStringLiteral("نوار عنوان"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(8);
    tahoma.setBold(true);
    setFont(tahoma);
    FSystemMenu = new TsuiTitleBarPopupMenu(this);
    FButtons.Add(suiControlBox);
    FButtons.Add(suiClose);
    FButtons.Add(suiMax);
    FButtons.Add(suiMin);
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

TsuiTitleBar::~TsuiTitleBar()
{
    disconnect(FFileThemeConnection);
}

TsuiForm *TsuiTitleBar::Form() const { return qobject_cast<TsuiForm *>(parentWidget()); }

// ---- theme ----

void TsuiTitleBar::SetUIStyle(TsuiUIStyle style)
{
    FUIStyle = style;
    if (FCustom) return;
    FSections.Clear();
    const TsuiTheme theme = TsuiThemes::ResolveTheme(style, FFileTheme);

    QPixmap picture;
    TsuiThemes::LoadBitmap(theme, TsuiEntry::TitleBarLeftImage, picture);
    TsuiTitleBarSection *left = FSections.Add();
    left->SetPicture(picture);
    left->SetAutoSize(true);
    picture = QPixmap();
    TsuiThemes::LoadBitmap(theme, TsuiEntry::TitleBarRightImage, picture);
    TsuiTitleBarSection *right = FSections.Add();
    right->SetPicture(picture);
    right->SetAutoSize(true);
    right->SetAlign(TsuiTitleBarAlign::suiRight);
    picture = QPixmap();
    TsuiThemes::LoadBitmap(theme, TsuiEntry::TitleBarClientImage, picture);
    TsuiTitleBarSection *client = FSections.Add();
    client->SetPicture(picture);
    client->SetAlign(TsuiTitleBarAlign::suiClient);

    FLeftBtnXOffset = TsuiThemes::GetInteger(theme, TsuiEntry::TitleBarButtonLeftOffsetInt);
    FRightBtnXOffset = TsuiThemes::GetInteger(theme, TsuiEntry::TitleBarButtonRightOffsetInt);
    FOutlineColor = TsuiThemes::GetColor(theme, TsuiEntry::FormBorderColor);
    QPixmap strip;
    TsuiThemes::LoadBitmap(theme, TsuiEntry::TitleBarButtonImage, strip);
    FButtonStripHeight = strip.height();
    FCaptionOffset = TsuiThemes::GetInteger(theme, TsuiEntry::TitleBarButtonTopInt);
    if (Form()) Form()->SetHostMinimumWidth(TsuiThemes::GetInteger(theme, TsuiEntry::FormMinWidthInt));
    FRoundCorner = TsuiThemes::GetInteger(theme, TsuiEntry::FormRoundCornerInt);

    const TsuiUIStyle effective = theme.File ? TsuiUIStyle::FromThemeFile : TsuiUIStyle(theme.Number);
    for (int i = 0; i < FButtons.Count(); ++i) FButtons.Items(i)->SetUIStyle(effective);
    FSystemMenu->SetStyle(style, FFileTheme);

    if (Form()) ApplyRegion(FRoundCorner);
    if (!FColorLock) FFontColor = style == TsuiUIStyle::MacOS ? QColor(0, 0, 0) : QColor(255, 255, 255);
    SetAutoSize(true);
    update();
}

void TsuiTitleBar::SetFileTheme(TsuiFileTheme *fileTheme)
{
    disconnect(FFileThemeConnection);
    FFileTheme = fileTheme;
    if (fileTheme)
        FFileThemeConnection = TKetabApplication::Connect(fileTheme, &QObject::destroyed, this, [this] { FileThemeDestroyed(); });
    FColorLock = true;
    SetUIStyle(FUIStyle);
    FColorLock = false;
}

void TsuiTitleBar::FileThemeDestroyed()
{
    FFileTheme = nullptr;
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

// ---- properties ----

void TsuiTitleBar::SetAutoSize(bool autoSize)
{
    if (autoSize && FSections.Count() == 0) autoSize = false;
    FAutoSize = autoSize;
    if (FAutoSize) {
        const QPixmap &first = FSections.Items(0)->Picture();
        if (!first.isNull()) setFixedHeight(first.height());
    }
}

void TsuiTitleBar::SetButtonInterval(int interval)
{
    FButtonInterval = interval;
    update();
}

void TsuiTitleBar::SetCaption(const QString &caption)
{
    FCaption = caption;
    update();
}

void TsuiTitleBar::SetFont(const QFont &font)
{
    setFont(font);
    update();
}

void TsuiTitleBar::SetFontColor(const QColor &color)
{
    FFontColor = color;
    update();
}

void TsuiTitleBar::SetFormActive(bool active)
{
    if (active == FFormActive) return;
    FFormActive = active;
    update();
}

void TsuiTitleBar::SetLeftBtnXOffset(int offset)
{
    FLeftBtnXOffset = offset;
    update();
}

void TsuiTitleBar::SetRightBtnXOffset(int offset)
{
    FRightBtnXOffset = offset;
    update();
}

void TsuiTitleBar::SetDrawAppIcon(bool draw)
{
    FDrawAppIcon = draw;
    update();
}

void TsuiTitleBar::SetRoundCorner(int radius)
{
    FRoundCorner = radius;
    update();
}

void TsuiTitleBar::Changed() { update(); }

// ---- host shape and glyphs ----

void TsuiTitleBar::ApplyRegion(int radius)
{
    QWidget *host = Host();
    if (host == this) return;
    if (radius == 0) {
        if (!host->mask().isEmpty()) host->clearMask();
        return;
    }
    const int w = host->width();
    const int h = host->height();
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, w + 1, h + 1), radius / 2.0, radius / 2.0);
    QRegion region(rounded.toFillPolygon().toPolygon());
    region += QRegion(0, h - 2 * radius, 2 * radius, 2 * radius);
    region += QRegion(w - 2 * radius, h - 2 * radius, 2 * radius, 2 * radius);
    host->setMask(region);
}

void TsuiTitleBar::RefreshMaxRestoreGlyphs()
{
    if (FCustom) return;
    const bool maximized = Host()->isMaximized();
    for (int i = 0; i < FButtons.Count(); ++i) {
        TsuiTitleBarButton *button = FButtons.Items(i);
        if (button->ButtonType() != suiMax) continue;
        button->LoadFrames(maximized ? TsuiTitleFrame::Restore : TsuiTitleFrame::Maximize);
    }
    update();
}

void TsuiTitleBar::ShowSystemMenu() { ShowSystemMenu(mapToGlobal(QPoint(0, height()))); }

void TsuiTitleBar::ShowSystemMenu(const QPoint &screenPoint) { FSystemMenu->Popup(screenPoint); }

// ---- layout ----

TsuiTitleBar::TLayout TsuiTitleBar::Layout() const
{
    TLayout layout;
    layout.ButtonRects.resize(size_t(FButtons.Count()));
    int x = width() + FRightBtnXOffset + 1;
    for (int i = 0; i < FButtons.Count(); ++i) {
        const TsuiTitleBarButton *button = FButtons.Items(i);
        if (!button->Visible()) continue;
        if (button->ButtonType() == suiControlBox) {
            layout.ControlBox = i;
            continue;
        }
        const QSize size = button->PicNormal().size();
        x -= size.width() + FButtonInterval + 1;
        layout.ButtonRects[size_t(i)] = QRect(QPoint(x, button->Top()), size);
    }
    layout.ButtonsLeft = x;

    int c = FLeftBtnXOffset;
    if (layout.ControlBox >= 0) {
        const TsuiTitleBarButton *box = FButtons.Items(layout.ControlBox);
        layout.ButtonRects[size_t(layout.ControlBox)] = QRect(QPoint(c, box->Top()), box->PicNormal().size());
        c += FDrawAppIcon ? 21 : box->PicNormal().width() + 5;
    }
    if (c == 0) c = 6;
    layout.CaptionLeft = c;

    // Shorten the caption with "..." so it ends before the leftmost right-side button.
    const QFontMetrics metrics(font());
    const int space = x - c;
    QString shown = FCaption;
    if (metrics.horizontalAdvance(shown) > space) {
        const QString dots = QStringLiteral("...");
        while (!shown.isEmpty() && metrics.horizontalAdvance(shown + dots) > space) shown.chop(1);
        shown += dots;
    }
    layout.ShownCaption = shown;
    layout.CaptionPos = QPoint(c, (FButtonStripHeight - metrics.height()) / 2 + FCaptionOffset);
    return layout;
}

QRect TsuiTitleBar::ButtonHitRect(const QRect &pictureRect) const
{
    // Edges included: the point may lie on the right and bottom edge too.
    return pictureRect.adjusted(0, 0, 1, 1);
}

int TsuiTitleBar::ButtonAt(const QPoint &point) const
{
    const TLayout layout = Layout();
    for (size_t i = 0; i < layout.ButtonRects.size(); ++i) {
        const QRect &r = layout.ButtonRects[i];
        if (!r.isEmpty() && ButtonHitRect(r).contains(point)) return int(i);
    }
    return -1;
}

// ---- painting ----

void TsuiTitleBar::paintEvent(QPaintEvent *)
{
    // Composed off-screen and copied to the screen in one step.
    QPixmap buffer(size());
    buffer.fill(Qt::transparent);
    {
        QPainter target(&buffer);
        target.setFont(font());
        DrawSections(target);
        DrawButtons(target);
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void TsuiTitleBar::DrawSections(QPainter &target)
{
    const int barHeight = height();
    int left = -1;
    int right = width() + 1;
    const TsuiTitleBarSection *client = nullptr;
    const auto draw = [&](const TsuiTitleBarSection *section, int x) {
        const QPixmap &picture = section->Picture();
        if (picture.isNull()) return;
        if (section->Stretch()) target.drawPixmap(QRect(x, 0, section->Width(), barHeight), picture);
        else target.drawPixmap(x, 0, picture, 0, 0, qMin(section->Width(), picture.width()), picture.height());
    };
    for (int i = 0; i < FSections.Count(); ++i) {
        const TsuiTitleBarSection *section = FSections.Items(i);
        switch (section->Align()) {
        case TsuiTitleBarAlign::suiLeft:
            draw(section, left + 1);
            left += section->Width();
            break;
        case TsuiTitleBarAlign::suiRight:
            if (width() - left < section->Width()) break;
            draw(section, right - 1 - section->Width());
            right -= section->Width();
            break;
        case TsuiTitleBarAlign::suiClient:
            client = section;
            break;
        }
    }
    if (client && !client->Picture().isNull() && right - 1 > left + 1)
        target.drawPixmap(QRect(left + 1, 0, right - 1 - (left + 1), barHeight), client->Picture());
}

void TsuiTitleBar::DrawButtons(QPainter &target)
{
    FHotIndex = -1;
    const TLayout layout = Layout();
    const auto drawButton = [&](int index, const QPoint &at) {
        const TsuiTitleBarButton *button = FButtons.Items(index);
        const QRect rect = layout.ButtonRects[size_t(index)];
        const QPixmap *picture = &button->PicNormal();
        if (FCursorInside && ButtonHitRect(rect).contains(FCursor)) {
            FHotIndex = index;
            picture = FPressed ? &button->PicMouseDown() : &button->PicMouseOn();
        }
        if (picture->isNull()) return;
        // Drawn through a scratch bitmap of the normal picture's size.
        QPixmap scratch(button->PicNormal().size());
        scratch.fill(Qt::transparent);
        {
            QPainter p(&scratch);
            p.drawPixmap(0, 0, button->Transparent() ? TsuiThemes::Transparented(*picture) : *picture);
        }
        target.drawPixmap(at, scratch);
    };
    for (int i = 0; i < FButtons.Count(); ++i) {
        if (layout.ButtonRects[size_t(i)].isEmpty() || i == layout.ControlBox) continue;
        drawButton(i, layout.ButtonRects[size_t(i)].topLeft());
    }
    if (layout.ControlBox >= 0) {
        const QRect box = layout.ButtonRects[size_t(layout.ControlBox)];
        if (FDrawAppIcon) {
            if (FCursorInside && ButtonHitRect(box).contains(FCursor)) FHotIndex = layout.ControlBox;
            const QIcon icon = QApplication::windowIcon();
            if (!icon.isNull()) target.drawPixmap(box.left() + 3, box.top(), icon.pixmap(16, 16));
        } else {
            drawButton(layout.ControlBox, box.topLeft());
        }
    }

    // Caption.
    if (!layout.ShownCaption.isEmpty()) {
        QColor color = FFontColor;
        if (!FFormActive) color = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
        target.setPen(color);
        const QFontMetrics metrics(font());
        target.drawText(layout.CaptionPos + QPoint(0, metrics.ascent()), layout.ShownCaption);
    }

    // Rounded outline of the window's top corners.
    if (FUIStyle != TsuiUIStyle::WinXP && FRoundCorner != 0 && Form()) {
        target.setBrush(Qt::NoBrush);
        target.setPen(FOutlineColor);
        target.drawRoundedRect(QRectF(-1, 0, width() + 2, height() + 50), (FRoundCorner + 1) / 2.0,
                               FRoundCorner / 2.0);
    }
}

// ---- mouse ----

void TsuiTitleBar::mousePressEvent(QMouseEvent *event)
{
    FCursor = event->position().toPoint();
    FCursorInside = true;
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    FPressed = true;
    repaint();
    // Beside the buttons a press drags the window (not while maximised). The drag
    // starts at the first move, so a double click still reaches the bar.
    if (ButtonAt(FCursor) < 0 && !Host()->isMaximized() && Host() != this) {
        FDragArmed = true;
        FPressGlobal = event->globalPosition().toPoint();
    }
}

void TsuiTitleBar::mouseMoveEvent(QMouseEvent *event)
{
    FCursor = event->position().toPoint();
    FCursorInside = rect().contains(FCursor);
    const QPoint global = event->globalPosition().toPoint();
    if (FDragArmed && (event->buttons() & Qt::LeftButton)) {
        FDragArmed = false;
        FDrag.Begin(Host(), {}, FPressGlobal);
        FPressed = false;
    }
    if (FDrag.Active()) FDrag.Follow(global);
    update();
}

void TsuiTitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    FCursor = event->position().toPoint();
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    FDragArmed = false;
    const bool dragged = FDrag.Active();
    FDrag.End();
    const int hot = dragged ? -1 : ButtonAt(FCursor);
    if (hot >= 0) {
        TsuiTitleBarButton *button = FButtons.Items(hot);
        if (button->ButtonType() == suiControlBox && !button->ControlBoxMenu()) {
            ShowSystemMenu();
        } else {
            button->PerformAction();
            if (button->ButtonType() == suiCustom && OnCustomBtnsClick) OnCustomBtnsClick(this, hot);
            else if (button->ButtonType() == suiHelp && OnHelpBtnClick) OnHelpBtnClick(this, hot);
        }
    }
    FPressed = false;
    update();
}

void TsuiTitleBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (OnDblClick) OnDblClick(this);
    if (event->button() != Qt::LeftButton) return;
    const int hot = ButtonAt(event->position().toPoint());
    if (hot < 0) {
        for (int i = 0; i < FButtons.Count(); ++i) {
            if (FButtons.Items(i)->ButtonType() == suiMax) {
                FButtons.Items(i)->PerformAction();
                break;
            }
        }
    } else if (FButtons.Items(hot)->ButtonType() == suiControlBox) {
        Host()->close();
    }
}

void TsuiTitleBar::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    FCursorInside = false;
    update();
}
