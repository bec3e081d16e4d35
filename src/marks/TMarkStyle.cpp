#include "marks/TMarkStyle.h"

namespace {
struct TStyleRow {
    const char *Name;
    const char *Caption;
    const char *Colour;
};
// In the order of TMark::TStyle.
constexpr TStyleRow Styles[TMark::StyleCount] = {
    {"yellow", QT_TRANSLATE_NOOP("TMarkStyle", "yellow"), "#ffe066"},
    {"green", QT_TRANSLATE_NOOP("TMarkStyle", "green"), "#a6e3a1"},
    {"blue", QT_TRANSLATE_NOOP("TMarkStyle", "blue"), "#a5d8ff"},
    {"pink", QT_TRANSLATE_NOOP("TMarkStyle", "pink"), "#ffc2dd"},
    {"underline", QT_TRANSLATE_NOOP("TMarkStyle", "underline"), "#c0392b"},
};
}

QString TMarkStyle::Name(TMark::TStyle style)
{
    return Latin1Name(style);
}

QLatin1StringView TMarkStyle::Latin1Name(TMark::TStyle style)
{
    return QLatin1StringView(Styles[style].Name);
}

bool TMarkStyle::FromName(const QString &name, TMark::TStyle &style)
{
    for (int s = 0; s < TMark::StyleCount; ++s)
        if (name == QLatin1String(Styles[s].Name)) {
            style = TMark::TStyle(s);
            return true;
        }
    return false;
}

QString TMarkStyle::Caption(TMark::TStyle style)
{
    return tr(Styles[style].Caption);
}

QString TMarkStyle::Colour(TMark::TStyle style)
{
    return QString::fromLatin1(Styles[style].Colour);
}
