#include "marks/TMarksLayer.h"
#include "app/TNightPage.h"
#include "marks/TMarkStyle.h"
#include <QJsonDocument>
#include <QJsonObject>

const char *const TMarksLayer::LayerName = "marks";
const char *const TMarksLayer::MarkAttribute = "data-ketab-mark";
const char *const TMarksLayer::StyleAttribute = "data-ketab-style";

namespace {
struct TNightColours {
    QColor Tint, Line;
};
// In TMark::TStyle's order; the underline's entry is its line. By day the styles' own colours.
const TNightColours Night[TMark::StyleCount] = {
    {QColor(0x4a, 0x3f, 0x00), QColor(0xd9, 0xc2, 0x4a)},  // yellow
    {QColor(0x1f, 0x4a, 0x1f), QColor(0x6f, 0xc4, 0x6f)},  // green
    {QColor(0x18, 0x3a, 0x5c), QColor(0x5f, 0xa8, 0xe8)},  // blue
    {QColor(0x5a, 0x1f, 0x3d), QColor(0xe0, 0x7b, 0xae)},  // pink
    {QColor(), QColor(0xff, 0x7a, 0x9c)},                  // underline
};
// The book's text and headings (its style sheet).
const QColor BookText(0x2b, 0x21, 0x18), BookHeading(0x6b, 0x3d, 0x14);

TMark::TStyle Checked(TMark::TStyle style)
{
    return style >= 0 && style < TMark::StyleCount ? style : TMark::msYellow;
}

// The page's side of the marks. Places come from the program; the token ties them to the
// text they were found in, so a page that changed meanwhile is never drawn on.
const char Script[] = R"JS(
(function () {
  var k = window.ketab;
  if (!k || k.marks) return;
  var m = k.marks = {};
  function clear() {
    document.querySelectorAll('[data-ketab-mark-sign]').forEach(function (e) { e.remove(); });
    k.unwrap('marks');
  }
  function paint(marks) {
    clear();
    var spans = k.wrap('marks', marks.map(function (x) {
      var attrs = { 'data-ketab-mark': x.id, 'data-ketab-style': x.style, role: 'mark' };
      if (x.note) attrs['aria-description'] = x.note;
      return { start: x.start, end: x.end, attrs: attrs };
    }));
    marks.forEach(function (x, i) {
      var s = spans[i];
      if (!x.note || !s.length) return;
      var sign = document.createElement('span');
      sign.setAttribute('data-ketab-aside', '');
      sign.setAttribute('data-ketab-mark-sign', '');
      sign.setAttribute('data-ketab-mark', x.id);
      sign.setAttribute('data-note', x.note);
      sign.setAttribute('tabindex', '0');
      sign.setAttribute('role', 'note');
      sign.setAttribute('aria-label', x.note);
      s[s.length - 1].after(sign);
    });
  }
  // Marks that all still hold their quotes at their places are drawn there at once; else
  // the page's text goes back, for the program to find them again, with a token the
  // drawing of what it found must bring.
  m.place = function (marks) {
    if (!document.body) return JSON.stringify(null);
    var text = k.text();
    if (marks.every(function (x) { return text.slice(x.start, x.end) === x.quote; })) {
      paint(marks);
      return JSON.stringify({ placed: true });
    }
    m.token = String(Math.random()).slice(2) + String(Date.now());
    return JSON.stringify({ token: m.token, text: text });
  };
  m.draw = function (token, marks) {
    if (token !== m.token || !document.body) return false;
    paint(marks);
    return true;
  };
  function spansOf(id) {
    return document.querySelectorAll('span[data-ketab-layer="marks"][data-ketab-mark="' + CSS.escape(id) + '"]');
  }
  // Scrolls the mark into the middle of the view and makes it flash a moment.
  m.show = function (id) {
    var spans = spansOf(id);
    if (!spans.length) return false;
    spans[0].scrollIntoView({ block: 'center' });
    spans.forEach(function (s) { s.removeAttribute('data-ketab-flash'); void s.offsetWidth; s.setAttribute('data-ketab-flash', ''); });
    setTimeout(function () { spans.forEach(function (s) { s.removeAttribute('data-ketab-flash'); }); }, 1500);
    return true;
  };
  function box(r) { return r ? { x: r.left, y: r.top, w: r.width, h: r.height } : null; }
  // The selection, the page's text and where the selection stands in the view (in the
  // page's pixels), for a mark to be made of it.
  m.selected = function () {
    var sel = k.selection(), s = document.getSelection();
    return JSON.stringify({ sel: sel, text: k.text(), box: sel ? box(s.getRangeAt(0).getBoundingClientRect()) : null });
  };
  m.markBox = function (id) {
    var spans = spansOf(id);
    if (!spans.length) return JSON.stringify(null);
    var last = spans[spans.length - 1].getBoundingClientRect();
    return JSON.stringify(box(last));
  };

  // The keyboard's caret: a selection of no length, drawn by a line of its own, since the
  // engine draws none outside text fields.
  var caret = null;
  function drawCaret() {
    var s = document.getSelection();
    if (!caret || !s || !s.focusNode) return;
    var r = document.createRange();
    r.setStart(s.focusNode, s.focusOffset);
    var rects = r.getClientRects(), b = rects.length ? rects[0] : r.getBoundingClientRect();
    if (!b || (!b.height && s.focusNode.nodeType === 3 && s.focusOffset > 0)) {
      r.setStart(s.focusNode, s.focusOffset - 1);
      r.setEnd(s.focusNode, s.focusOffset);
      var back = r.getBoundingClientRect();
      b = { left: back.left, top: back.top, height: back.height };
    }
    caret.style.left = (b.left + window.scrollX) + 'px';
    caret.style.top = (b.top + window.scrollY) + 'px';
    caret.style.height = (b.height || 16) + 'px';
  }
  function placeCaret() {
    var s = document.getSelection(), nodes = k.textNodes();
    if (s.rangeCount && s.focusNode && document.body.contains(s.focusNode)) return;
    for (var i = 0; i < nodes.length; ++i) {
      var n = nodes[i], at = n.data.search(/\S/);
      if (at < 0) continue;
      var r = document.createRange();
      r.selectNodeContents(n);
      var b = r.getBoundingClientRect();
      if (b.bottom > 0 && b.top < window.innerHeight) { s.collapse(n, at); return; }
    }
  }
  function caretOn(on) {
    if (on && !caret) {
      placeCaret();
      caret = document.createElement('div');
      caret.setAttribute('data-ketab-aside', '');
      caret.setAttribute('data-ketab-caret', '');
      caret.setAttribute('aria-hidden', 'true');
      document.body.appendChild(caret);
      drawCaret();
    } else if (!on && caret) {
      caret.remove();
      caret = null;
    }
  }
  var moves = {
    ArrowLeft: ['left', 'character', 'word'], ArrowRight: ['right', 'character', 'word'],
    ArrowUp: ['backward', 'line', 'paragraph'], ArrowDown: ['forward', 'line', 'paragraph'],
    Home: ['backward', 'lineboundary', 'documentboundary'], End: ['forward', 'lineboundary', 'documentboundary']
  };
  document.addEventListener('keydown', function (e) {
    if (e.key === 'F7' && !e.ctrlKey && !e.altKey && !e.shiftKey) {
      caretOn(!caret);
      e.preventDefault();
      return;
    }
    var move = caret && moves[e.key];
    if (!move || e.altKey) return;
    var s = document.getSelection();
    if (!s.rangeCount) placeCaret();
    s.modify(e.shiftKey ? 'extend' : 'move', move[0], e.ctrlKey ? move[2] : move[1]);
    drawCaret();
    var c = caret.getBoundingClientRect();
    if (c.top < 0 || c.bottom > window.innerHeight) caret.scrollIntoView({ block: 'nearest' });
    e.preventDefault();
  }, true);
  document.addEventListener('selectionchange', function () { if (caret) drawCaret(); });
  window.addEventListener('resize', function () { if (caret) drawCaret(); });
})();
)JS";
}

QColor TMarksLayer::DayColour(TMark::TStyle style) { return QColor(TMarkStyle::Colour(Checked(style))); }
QColor TMarksLayer::NightColour(TMark::TStyle style) { return Night[Checked(style)].Tint; }
QColor TMarksLayer::NightLine(TMark::TStyle style) { return Night[Checked(style)].Line; }
QColor TMarksLayer::UnderlineColour(bool night)
{
    return night ? Night[TMark::msUnderline].Line : QColor(TMarkStyle::Colour(TMark::msUnderline));
}

QList<QColor> TMarksLayer::TextColours(bool night)
{
    if (!night) return {BookText, BookHeading};
    return {TNightPage::Text, TNightPage::Heading, TNightPage::Link, TNightPage::SearchMark, TNightPage::IndexMark};
}


QString TMarksLayer::StyleSheet(bool night)
{
    const QString mark = QStringLiteral("span[data-ketab-mark][data-ketab-style=\"%1\"]");
    QString css = QStringLiteral("@media screen {\n");
    for (int s = 0; s < TMark::StyleCount; ++s) {
        const auto style = static_cast<TMark::TStyle>(s);
        if (style == TMark::msUnderline) continue;
        css += mark.arg(TMarkStyle::Name(style));
        css += night ? QStringLiteral(" { background-color: %1 !important; box-shadow: inset 0 -0.12em 0 %2; }\n")
                           .arg(NightColour(style).name(), NightLine(style).name())
                     : QStringLiteral(" { background-color: %1 !important; }\n").arg(DayColour(style).name());
    }
    const QString sign = night ? TNightPage::Heading.name() : UnderlineColour(false).name();
    const QString noteBack = night ? QStringLiteral("#2a2d33") : QStringLiteral("#fffdf5");
    const QString noteText = night ? TNightPage::Text.name() : BookText.name();
    css += mark.arg(TMarkStyle::Name(TMark::msUnderline))
        + QStringLiteral(" { text-decoration: underline 0.12em %1 !important; text-underline-offset: 0.2em;"
                         " text-decoration-skip-ink: none; }\n")
              .arg(UnderlineColour(night).name());
    css += QStringLiteral(
               "span[data-ketab-mark] { border-radius: 0.15em; -webkit-box-decoration-break: clone; }\n"
               "span[data-ketab-mark][data-ketab-flash] { animation: ketab-mark-flash 0.25s ease-in-out 0s 6 alternate; }\n"
               "@keyframes ketab-mark-flash { to { outline: 0.18em solid %1; } }\n"
               "[data-ketab-mark-sign] { display: inline-block; position: relative; width: 0.55em; height: 0.55em;"
               " margin: 0 0.12em; vertical-align: super; border-radius: 50%; background-color: %1 !important;"
               " cursor: help; outline-offset: 0.1em; }\n"
               "[data-ketab-mark-sign]::after { content: attr(data-note); display: none; position: absolute;"
               " z-index: 2147483647; top: 1.1em; right: -0.5em; width: max-content; max-width: 22em;"
               " white-space: pre-wrap; font-size: 0.85rem; font-weight: normal; line-height: 1.7; text-indent: 0;"
               " text-align: start; padding: 0.35em 0.6em; background-color: %2; color: %3; border: 1px solid %1;"
               " border-radius: 0.3em; box-shadow: 0 0.2em 0.6em rgba(0, 0, 0, 0.3); }\n"
               "[data-ketab-mark-sign]:hover::after, [data-ketab-mark-sign]:focus::after { display: block; }\n"
               "[data-ketab-caret] { position: absolute; width: 2px; margin-left: -1px; pointer-events: none;"
               " z-index: 2147483647; background-color: %3 !important; animation: ketab-caret 1s steps(1) infinite; }\n"
               "@keyframes ketab-caret { 50% { visibility: hidden; } }\n"
               "}\n")
               .arg(sign, noteBack, noteText);
    return css;
}

QString TMarksLayer::Script() { return QLatin1String(::Script); }

TPageLayer TMarksLayer::Layer(bool night) { return TPageLayer{TPageLayer::loMarks, StyleSheet(night), Script(), QColor()}; }

namespace {
QJsonArray Listed(const QList<TMarksLayer::TDrawn> &marks, bool quoted)
{
    QJsonArray list;
    for (const TMarksLayer::TDrawn &d : marks) {
        QJsonObject o{{QStringLiteral("id"), d.Id},
                      {QStringLiteral("start"), d.Start},
                      {QStringLiteral("end"), d.End},
                      {QStringLiteral("style"), TMarkStyle::Name(d.Style)},
                      {QStringLiteral("note"), d.Note}};
        if (quoted) o.insert(QStringLiteral("quote"), d.Quote);
        list.append(o);
    }
    return list;
}

// JSON is read as script: the token, quotes and notes go in as data, never as code.
QString Call(const char *function, const QJsonArray &args)
{
    return QStringLiteral("(function (a) { return ketab.marks ? ketab.marks.%1.apply(null, a) : null; })(%2)")
        .arg(QLatin1String(function), QString::fromUtf8(QJsonDocument(args).toJson(QJsonDocument::Compact)));
}
}

QString TMarksLayer::PlaceScript(const QList<TDrawn> &marks)
{
    // Appended, not braced: a list braced around one list is that list itself to some compilers.
    QJsonArray args;
    args.append(Listed(marks, true));
    return Call("place", args);
}

QString TMarksLayer::DrawScript(const QString &token, const QList<TDrawn> &marks)
{
    return Call("draw", QJsonArray{token, Listed(marks, false)});
}
