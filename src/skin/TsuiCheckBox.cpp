#include "skin/TsuiCheckBox.h"
#include "skin/TsuiCheckBoxAccessible.h"
#include "skin/TsuiFileTheme.h"
#include "skin/TsuiThemes.h"
#include <QAccessible>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>

namespace {
QString PlainCaption(QString caption)
{
    // "&&" is a literal ampersand; a single '&' marks the accelerator.
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}
}

TsuiCheckBox::TsuiCheckBox(QWidget *parent) : QWidget(parent)
{
    TsuiCheckBoxAccessible::Install();
    // The book's skinned boxes use an 8-point Tahoma (a 13-pixel line). Where it is missing,
    // DejaVu Sans has the same line height at this size and covers Persian script, so the
    // boxes keep their stored 19-pixel height; the book's font comes after it.
    QFont f = font();
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Rederu"), f.family()});
    f.setPixelSize(11);
    setFont(f);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Layouts give the box the size it would take by itself, never more or less.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    resize(93, 17);
    FUIStyle = TsuiThemes::DefaultStyleFor(parent ? parent->window() : nullptr);
}

void TsuiCheckBox::SetChecked(bool checked)
{
    if (checked == FChecked) return;
    FChecked = checked;
    update();
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
    Changed();
}

void TsuiCheckBox::Changed()
{
    if (!FLoading && OnClick) OnClick(this);
}

void TsuiCheckBox::SetCaption(const QString &caption)
{
    if (caption == FCaption) return;
    if (accessibleName().isEmpty() || accessibleName() == PlainCaption(FCaption))
        setAccessibleName(PlainCaption(caption));
    FCaption = caption;
    UpdateShortcut();
    ApplyAutoSize();
    update();
}

void TsuiCheckBox::SetAutoSize(bool autoSize)
{
    FAutoSize = autoSize;
    ApplyAutoSize();
    update();
}

void TsuiCheckBox::SetTransparent(bool transparent)
{
    FTransparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TsuiCheckBox::SetColor(const QColor &color)
{
    if (color == FColor) return;
    FColor = color;
    update();
}

void TsuiCheckBox::SetTabStop(bool tabStop)
{
    FTabStop = tabStop;
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    update();
}

void TsuiCheckBox::SetEnabled(bool enabled)
{
    setEnabled(enabled);
    update();
}

void TsuiCheckBox::SetUIStyle(TsuiUIStyle style)
{
    FUIStyle = style;
    ApplyAutoSize();
    update();
}

void TsuiCheckBox::SetFileTheme(TsuiFileTheme *fileTheme)
{
    if (!HoldFileTheme(this, FFileTheme, FFileThemeWatch, fileTheme)) return;
    ApplyAutoSize();
    update();
}

void TsuiCheckBox::Click()
{
    if (isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    BeforeToggle();
    Toggle();
}

QPixmap TsuiCheckBox::Glyph() const
{
    const TsuiTheme theme = TsuiThemes::ResolveTheme(FUIStyle, FFileTheme);
    const int frame = isEnabled() ? (FChecked ? TsuiGlyphFrame::Checked : TsuiGlyphFrame::Unchecked)
                                  : (FChecked ? TsuiGlyphFrame::CheckedDisabled : TsuiGlyphFrame::UncheckedDisabled);
    QPixmap glyph;
    TsuiThemes::LoadFrame(theme, GlyphEntry(), glyph, TsuiGlyphFrame::Count, frame);
    return GlyphTransparent() ? TsuiThemes::Transparented(glyph, Qt::BottomLeftCorner) : glyph;
}

bool TsuiCheckBox::HasFocusFrame() const { return FTabStop && hasFocus(); }

QSize TsuiCheckBox::AutoSizeExtent() const
{
    const QPixmap glyph = Glyph();
    const QFontMetrics fm(font());
    const int h = std::max(fm.height() + 2, glyph.height()) + 4;
    const int w = glyph.width() + fm.horizontalAdvance(PlainCaption(FCaption)) + 8;
    return {w, h};
}

QSize TsuiCheckBox::sizeHint() const { return FAutoSize ? AutoSizeExtent() : size(); }

QSize TsuiCheckBox::minimumSizeHint() const { return sizeHint(); }

void TsuiCheckBox::ApplyAutoSize()
{
    if (!FAutoSize) return;
    const QSize extent = AutoSizeExtent();
    if (size() != extent) resize(extent);
    updateGeometry();
}

void TsuiCheckBox::paintEvent(QPaintEvent *)
{
    const QPixmap glyph = Glyph();
    const QFontMetrics fm(font());
    // Composed off-screen and copied in one step.
    QPixmap buffer(size());
    if (FTransparent)
        buffer.fill(Qt::transparent);
    else
        buffer.fill(FColor.isValid() ? FColor
                                     : (parentWidget() ? parentWidget()->palette().color(parentWidget()->backgroundRole())
                                                       : palette().color(QPalette::Window)));
    {
        QPainter p(&buffer);
        p.drawPixmap(1, (height() - glyph.height()) / 2, glyph);
        const int top = (height() - fm.height()) / 2;
        const int left = glyph.width() + 4;
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(left, top, std::max(0, width() - left), fm.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, FCaption);
        if (HasFocusFrame()) {
            QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            // Without a caption the frame goes round the glyph, where the eye is.
            if (PlainCaption(FCaption).isEmpty())
                p.drawRect(QRect(0, (height() - glyph.height()) / 2 - 1, glyph.width() + 2, glyph.height() + 1));
            else
                p.drawRect(QRect(QPoint(glyph.width() + 3, top), QPoint(width() - 1, top + fm.height() + 1)));
        }
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void TsuiCheckBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) FMouseDown = true;
    QWidget::mousePressEvent(event);
}

void TsuiCheckBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // No double clicks: a fast second click is a second press.
    mousePressEvent(event);
}

void TsuiCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasDown = FMouseDown;
    if (event->button() == Qt::LeftButton) FMouseDown = false;
    if (event->button() == Qt::LeftButton && wasDown && rect().contains(event->position().toPoint())) Click();
    QWidget::mouseReleaseEvent(event);
}

void TsuiCheckBox::keyReleaseEvent(QKeyEvent *event)
{
    const int key = event->key();
    // With Alt held the keys are the desktop's (Alt+Space opens a system menu), not a toggle.
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat() &&
        isEnabled() && hasFocus() && !(event->modifiers() & Qt::AltModifier)) {
        update();
        if (KeyToggles()) Click();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TsuiCheckBox::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void TsuiCheckBox::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void TsuiCheckBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) ApplyAutoSize();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(event);
}

bool TsuiCheckBox::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled()) Click();
        return true;
    }
    return QWidget::event(event);
}

void TsuiCheckBox::UpdateShortcut()
{
    if (FShortcutId) releaseShortcut(FShortcutId);
    FShortcutId = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(FCaption);
    if (!mnemonic.isEmpty()) FShortcutId = grabShortcut(mnemonic);
}
