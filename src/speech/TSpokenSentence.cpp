#include "speech/TSpokenSentence.h"

const QColor TSpokenSentence::DayFill(0xe6, 0xdb, 0xf7);
const QColor TSpokenSentence::DayOutline(0x7e, 0x57, 0xc2);
const QColor TSpokenSentence::NightFill(0x4a, 0x35, 0x69);
const QColor TSpokenSentence::NightOutline(0xb3, 0x9d, 0xdb);
// By day the sentence's text takes the book's own text colour: the book's paler lines (the
// running head) would fall below the contrast readers need on the fill.
const QColor TSpokenSentence::DayText(0x2b, 0x21, 0x18);

const char *const TSpokenSentence::LayerName = "speech";

namespace {
// Blocks are told by their elements; a line break by its <br>. The first place in view is
// the first character of the first text that shows, found by halving within its node.
const char Script[] = R"JS(
(function () {
  var k = window.ketab;
  if (!k || k.speech) return;
  var blocks = /^(ADDRESS|ARTICLE|ASIDE|BLOCKQUOTE|BODY|CAPTION|CENTER|DD|DIV|DL|DT|FIGCAPTION|FIGURE|FOOTER|H[1-6]|HEADER|HR|LI|MAIN|OL|P|PRE|SECTION|TABLE|TBODY|TD|TH|THEAD|TR|UL)$/;
  function blockOf(n) {
    for (var e = n.parentElement; e; e = e.parentElement) if (blocks.test(e.tagName)) return e;
    return null;
  }
  var s = k.speech = { menuAt: -1 };
  document.addEventListener('contextmenu', function (e) {
    var r = document.caretRangeFromPoint(e.clientX, e.clientY);
    s.menuAt = r ? k.offsetOf(r.startContainer, r.startOffset) : -1;
  }, true);
  function firstInView(nodes) {
    var at = 0, h = window.innerHeight, r = document.createRange();
    for (var i = 0; i < nodes.length; ++i) {
      var n = nodes[i];
      r.selectNodeContents(n);
      var box = r.getBoundingClientRect();
      if (box.height > 0 && box.bottom > 0 && box.top < h) {
        var lo = 0, hi = n.length;
        while (lo < hi) {
          var mid = (lo + hi) >> 1;
          r.setStart(n, mid);
          r.setEnd(n, mid + 1);
          if (r.getBoundingClientRect().bottom <= 0) lo = mid + 1; else hi = mid;
        }
        return at + lo;
      }
      at += n.length;
    }
    return 0;
  }
  s.page = function () {
    var nodes = k.textNodes(), breaks = [], at = 0, last = null;
    nodes.forEach(function (n, i) {
      var b = blockOf(n);
      if (i > 0 && b !== last) breaks.push(at);
      last = b;
      at += n.length;
    });
    document.querySelectorAll('body br').forEach(function (br) {
      breaks.push(k.offsetOf(br.parentNode, Array.prototype.indexOf.call(br.parentNode.childNodes, br), nodes));
    });
    return JSON.stringify({ text: k.join(nodes), breaks: breaks, selection: k.selection(),
                            visible: firstInView(nodes), menuAt: s.menuAt });
  };
  s.mark = function (start, end, night) {
    k.unwrap('speech');
    var spans = k.wrap('speech', [{ start: start, end: end, attrs: night ? { 'data-ketab-night': '' } : {} }])[0];
    if (!spans.length) return;
    var top = Infinity, bottom = -Infinity, h = window.innerHeight;
    spans.forEach(function (span) {
      var b = span.getBoundingClientRect();
      top = Math.min(top, b.top);
      bottom = Math.max(bottom, b.bottom);
    });
    if (top < 0 || bottom > h) window.scrollBy(0, bottom - top > h * 0.75 ? top : top - h / 4);
  };
})();
)JS";
}

TPageLayer TSpokenSentence::Layer()
{
    const QString style =
        QStringLiteral("@media screen {\n"
                       "span[data-ketab-layer=\"speech\"] { background-color: %1 !important; color: %2 !important;"
                       " outline: 1px solid %3 !important; border-radius: 2px; }\n"
                       "span[data-ketab-layer=\"speech\"][data-ketab-night] { background-color: %4 !important;"
                       " color: inherit !important; outline-color: %5 !important; }\n"
                       "}\n")
            .arg(DayFill.name(), DayText.name(), DayOutline.name(), NightFill.name(), NightOutline.name());
    return TPageLayer{TPageLayer::loSpeech, style, QLatin1String(Script), QColor()};
}

QString TSpokenSentence::AskPage() { return QStringLiteral("ketab.speech ? ketab.speech.page() : null"); }

QString TSpokenSentence::Mark(int start, int end, bool night)
{
    return QStringLiteral("ketab.speech && ketab.speech.mark(%1, %2, %3)").arg(start).arg(end).arg(night ? "true" : "false");
}

QString TSpokenSentence::Clear() { return QStringLiteral("window.ketab && ketab.unwrap('speech')"); }
