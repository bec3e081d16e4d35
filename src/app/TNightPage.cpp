#include "app/TNightPage.h"
#include <algorithm>
#include <cmath>

const QColor TNightPage::Background(0x1d, 0x1f, 0x24);
const QColor TNightPage::Text(0xe4, 0xdc, 0xcb);
const QColor TNightPage::Heading(0xe8, 0xc2, 0x7a);
const QColor TNightPage::Link(0x8c, 0xc4, 0xff);
const QColor TNightPage::SearchMark(0xff, 0x9d, 0x42);
const QColor TNightPage::IndexMark(0x6c, 0xb8, 0xff);
const char *const TNightPage::SearchMarkColour = "#FF8000";
const char *const TNightPage::IndexMarkColour = "#3399FF";

const char *const TNightPage::LayerName = "night";

TPageLayer TNightPage::Layer() { return TPageLayer{TPageLayer::loNight, StyleSheet(), QString(), Background}; }

QString TNightPage::StyleSheet()
{
    // The catch-all rule sits in :where() and weighs nothing, so the rules after it win
    // without a contest of selectors; !important wins over the book's own sheet.
    return QStringLiteral(
               "@media screen {\n"
               "html, body { background: %1 !important; color: %2 !important; }\n"
               ":where(body *:not(img)) { background-color: transparent !important; color: inherit !important;"
               " border-color: %3 !important; }\n"
               "h1, h2, h3, h4 { color: %4 !important; }\n"
               "a, a * { color: %5 !important; }\n"
               "font[color=\"%6\" i], font[color=\"%6\" i] * { color: %7 !important; }\n"
               "font[color=\"%8\" i], font[color=\"%8\" i] * { color: %9 !important; }\n"
               "}\n")
        .arg(Background.name(), Text.name(), QColor(0x5d, 0x55, 0x46).name(), Heading.name(), Link.name(),
             QLatin1String(SearchMarkColour), SearchMark.name(), QLatin1String(IndexMarkColour), IndexMark.name());
}

double TNightPage::Contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
