#include "reader/TPageLayout.h"
#include <QFont>
#include <QFontDatabase>
#include <QRawFont>
#include <string_view>

const char *const TPageLayout::BookTypeface = "Rederu";
const char *const TPageLayout::LayerName = "layout";

namespace {
// The letters of the Persian alphabet, and the Arabic yeh and kaf the book writes.
constexpr char16_t PersianLetters[] = u"\u0627\u0628\u067E\u062A\u062B\u062C\u0686\u062D\u062E\u062F\u0630\u0631"
                                      u"\u0632\u0698\u0633\u0634\u0635\u0636\u0637\u0638\u0639\u063A\u0641\u0642"
                                      u"\u06A9\u06AF\u0644\u0645\u0646\u0648\u0647\u06CC\u064A\u0643";

// The line of text at the top of the view: the caret where a line first crosses a row
// near the view's top, counted as a place in the page's text (a row in the gap between
// two blocks finds no line of its own and the search goes on down). -1 for a page at
// its top, which stays there by itself.
const char TopPlace[] = R"JS(
(function () {
  var k = window.ketab, body = document.body;
  k.layoutTop = -1;
  if (!body || window.scrollY <= 0) return;
  var b = body.getBoundingClientRect(), x = b.left + b.width / 2;
  for (var y = 1; y < window.innerHeight / 2; y += 3) {
    var r = document.caretRangeFromPoint(x, y);
    if (!r || r.startContainer.nodeType !== Node.TEXT_NODE) continue;
    var line = r.getBoundingClientRect();
    if (line.height > 0 && line.top <= y && line.bottom >= y) {
      k.layoutTop = k.offsetOf(r.startContainer, r.startOffset);
      return;
    }
  }
})();
)JS";

// Scrolls the place found before the change back to the view's top; gives the scroll.
// The place belongs to the text node it begins, not to the end of the one before.
const char BackToTop[] = R"JS(
(function () {
  var k = window.ketab;
  if (!k || !(k.layoutTop >= 0)) return window.scrollY;
  var at = k.layoutTop, nodes = k.textNodes(), from = 0;
  for (var i = 0; i < nodes.length; ++i) {
    var n = nodes[i];
    if (at < from + n.length) {
      var r = document.createRange(), off = at - from;
      r.setStart(n, off);
      r.setEnd(n, off + 1);
      var rect = r.getBoundingClientRect();
      // Whole pixels: a page scrolled to a fraction draws its letters blurred.
      if (rect.height > 0) window.scrollTo(window.scrollX, Math.round(window.scrollY + rect.top));
      break;
    }
    from += n.length;
  }
  return window.scrollY;
})();
)JS";

QString CssString(QString text) { return u'"' + text.remove(u'"').remove(u'\\') + u'"'; }
}

const QStringList &TPageLayout::Candidates()
{
    // fonts-noto-core's and fonts-dejavu-core's families with Persian letters.
    static const QStringList families{QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Sans Arabic"),
                                      QStringLiteral("Noto Kufi Arabic"), QStringLiteral("Noto Nastaliq Urdu"),
                                      QStringLiteral("DejaVu Sans")};
    return families;
}

bool TPageLayout::Qualifies(const QString &family)
{
    if (family.isEmpty() || !QFontDatabase::families().contains(family, Qt::CaseInsensitive)) return false;
    QFont font;
    font.setFamilies({family});
    // A family that is not there is stood in for by another: only its own glyphs count.
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName().compare(family, Qt::CaseInsensitive) != 0) return false;
    for (char16_t letter : std::u16string_view(PersianLetters))
        if (!raw.supportsCharacter(QChar(letter))) return false;
    return true;
}

QStringList TPageLayout::Typefaces()
{
    QStringList offered;
    for (const QString &family : Candidates())
        if (Qualifies(family)) offered << family;
    return offered;
}

TPageLayout::TChoice TPageLayout::Checked(TChoice choice)
{
    if (choice.Spacing < 0 || choice.Spacing >= Steps) choice.Spacing = BookSpacing;
    if (choice.Width < 0 || choice.Width >= Steps) choice.Width = BookWidth;
    if (!choice.Typeface.isEmpty() && !Typefaces().contains(choice.Typeface)) choice.Typeface.clear();
    return choice;
}

QString TPageLayout::StyleSheet(const TChoice &choice)
{
    const TChoice &c = choice;
    if (c.IsBook()) return {};
    QString rules;
    // Headings and chapter titles keep their own spacing.
    if (c.Spacing != BookSpacing && c.Spacing >= 0 && c.Spacing < Steps)
        rules += QStringLiteral("body, p:not([align=\"right\"]), li, td, blockquote { line-height: %1 !important; }\n")
                     .arg(LineHeights[c.Spacing]);
    if (c.Width != BookWidth && c.Width >= 0 && c.Width < Steps)
        rules += ColumnEms[c.Width] > 0
            ? QStringLiteral("body { max-width: %1em !important; }\n").arg(ColumnEms[c.Width])
            : QStringLiteral("body { max-width: none !important; }\n");
    if (!c.Typeface.isEmpty())
        rules += QStringLiteral(":where(body, body *) { font-family: %1, %2, serif !important; }\n")
                     .arg(CssString(c.Typeface), CssString(QLatin1String(BookTypeface)));
    // Only what the book justifies: lines it sets left, right or centred stay so.
    if (!c.Justified)
        rules += QStringLiteral("p:not([align=\"left\"], [align=\"right\"], [align=\"center\"]), [align=\"justify\"]"
                                " { text-align: start !important; }\n");
    return QStringLiteral("@media screen {\n") + rules + QStringLiteral("}\n");
}

TPageLayer TPageLayout::Layer(const TChoice &choice)
{
    return TPageLayer{TPageLayer::loLayout, StyleSheet(choice), QString(), QColor()};
}

void TPageLayout::Apply(TPageLayers &layers, const TChoice &choice, std::function<void(const QVariant &)> done)
{
    // The three go to the page in this order: the place is found under the old style,
    // the new one replaces it, and the place is scrolled back under the new. The page
    // core may not be in a page shown before any layer needed it: it comes along.
    const QString core = QLatin1String(TPageLayers::CoreScript());
    layers.Run(core + QLatin1String(TopPlace));
    if (choice.IsBook()) layers.Remove(QLatin1String(LayerName));
    else layers.Set(QLatin1String(LayerName), Layer(choice));
    layers.Run(QLatin1String(BackToTop), std::move(done));
}
