#include "skin/TsuiPopupMenuStyle.h"
#include "skin/TsuiThemes.h"
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

TsuiPopupMenuStyle::TsuiPopupMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
    SetTheme(TsuiUIStyle::DeepBlue, nullptr);
}

void TsuiPopupMenuStyle::SetTheme(TsuiUIStyle style, TsuiFileTheme *fileTheme)
{
    const TsuiTheme theme = TsuiThemes::ResolveTheme(style, fileTheme);
    BarColor = TsuiThemes::GetColor(theme, TsuiEntry::MenuBarColor);
    Color = TsuiThemes::GetColor(theme, TsuiEntry::MenuBackgroundColor);
    FontColor = TsuiThemes::GetColor(theme, TsuiEntry::MenuFontColor);
    SelectedBorderColor = TsuiThemes::GetColor(theme, TsuiEntry::MenuSelectedBorderColor);
    SelectedColor = TsuiThemes::GetColor(theme, TsuiEntry::MenuSelectedBackgroundColor);
    SelectedFontColor = TsuiThemes::GetColor(theme, TsuiEntry::MenuSelectedFontColor);
    BarWidth = 26;
    if (style == TsuiUIStyle::MacOS) {
        ItemHeight = 20;
        SeparatorHeight = 12;
        SeparatorColor = QColor(0, 0, 0);
        SelectedBackground = TsuiThemes::NamedBitmap(QStringLiteral("MACOS_MENU_SELECT"));
        ItemBackground = TsuiThemes::NamedBitmap(QStringLiteral("MACOS_MENU_BAR"));
    } else {
        ItemHeight = 21;
        SeparatorHeight = 5;
        SeparatorColor = QColor(132, 130, 132);
        SelectedBackground = QPixmap();
        ItemBackground = QPixmap();
    }
}

int TsuiPopupMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth: return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin: return 1;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize TsuiPopupMenuStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                           const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (type != CT_MenuItem || !item) return QProxyStyle::sizeFromContents(type, option, size, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) return QSize(BarWidth + 40, SeparatorHeight);
    QString caption = item->text;
    QString shortcut;
    const int tab = caption.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        shortcut = caption.mid(tab + 1);
        caption = caption.left(tab);
    }
    const QFontMetrics metrics(item->font);
    const int textWidth = metrics.horizontalAdvance(QString(caption).remove(QLatin1Char('&')));
    const int shortcutWidth = shortcut.isEmpty() ? 0 : metrics.horizontalAdvance(shortcut);
    return QSize(textWidth + shortcutWidth + BarWidth + 40, ItemHeight);
}

void TsuiPopupMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                       const QWidget *widget) const
{
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        if (element == PE_PanelMenu) painter->fillRect(option->rect, Color);
        painter->setPen(QColor(128, 128, 128));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TsuiPopupMenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                     const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (element != CE_MenuItem || !item) return QProxyStyle::drawControl(element, option, painter, widget);

    const QRect r = item->rect;
    const bool enabled = item->state & State_Enabled;
    const bool selected = item->state & State_Selected;
    const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
    painter->save();

    // Background.
    if (!ItemBackground.isNull()) {
        painter->drawPixmap(r, selected && enabled && !separator ? SelectedBackground : ItemBackground);
    } else if (selected && enabled && !separator) {
        painter->fillRect(r, SelectedColor);
        painter->setPen(SelectedBorderColor);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        painter->fillRect(QRect(r.left(), r.top(), BarWidth, r.height()), BarColor);
        painter->fillRect(QRect(r.left() + BarWidth, r.top(), r.width() - BarWidth, r.height()), Color);
    }

    if (separator) {
        painter->setPen(SeparatorColor);
        painter->drawLine(r.left() + BarWidth + 4, r.top() + 2, r.right() - 1, r.top() + 2);
        painter->restore();
        return;
    }

    // Check mark.
    if (item->checked && item->icon.isNull()) {
        const QPixmap mark = TsuiThemes::Transparented(TsuiThemes::NamedBitmap(QStringLiteral("MENU_CHECKED")),
                                                       Qt::TopLeftCorner);
        painter->drawPixmap(r.left() + 4, r.top() + 3, mark);
    }

    // Caption and shortcut.
    QColor textColor = FontColor;
    if (!enabled) textColor = QColor(128, 128, 128);
    else if (selected) textColor = SelectedFontColor;
    QFont font = item->font;
    if (item->menuItemType == QStyleOptionMenuItem::DefaultItem) font.setBold(true);
    painter->setFont(font);
    painter->setPen(textColor);
    QString caption = item->text;
    QString shortcut;
    const int tab = caption.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        shortcut = caption.mid(tab + 1);
        caption = caption.left(tab);
    }
    // The captions are left to right even in a right-to-left program.
    const QRect textRect(r.left() + BarWidth + 4, r.top() + 4, r.width() - BarWidth - 4, r.height() - 4);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
    if (!shortcut.isEmpty()) {
        const QRect shortcutRect(r.left(), r.top() + 4, r.width() - 16, r.height() - 4);
        painter->drawText(shortcutRect, Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine, shortcut);
    }
    painter->restore();
}
