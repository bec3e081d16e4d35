#include "app/TPageLayers.h"
#include "app/KetabApplication.h"
#include "app/THtmlEngine.h"
#include "app/TPageBridge.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <algorithm>

namespace {
// The page core. Whitespace between blocks is counted but never wrapped: a span between
// table rows or list items would move them.
const char PageCore[] = R"JS(
(function () {
  if (window.ketab) return;
  var k = window.ketab = {};
  k.tell = function (kind, value) { if (window.ketabBridge) window.ketabBridge.tell(kind, value); };
  k.ready = function (fn) {
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', fn, { once: true });
    else fn();
  };
  var skipped = 'script,style,noscript,template,[data-ketab-aside]';
  k.textNodes = function () {
    var out = [];
    if (!document.body) return out;
    var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT, { acceptNode: function (n) {
      var p = n.parentElement;
      return p && p.closest(skipped) ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT;
    } });
    for (var n = walker.nextNode(); n; n = walker.nextNode()) out.push(n);
    return out;
  };
  k.join = function (nodes) { return nodes.map(function (n) { return n.data; }).join(''); };
  k.text = function () { return k.join(k.textNodes()); };
  // The place in the text of a boundary point (node, offset).
  k.offsetOf = function (node, offset, nodes) {
    nodes = nodes || k.textNodes();
    var point = document.createRange();
    point.setStart(node, offset);
    var at = 0;
    for (var i = 0; i < nodes.length; ++i) {
      var n = nodes[i];
      if (n === node) return at + Math.min(offset, n.length);
      if (point.comparePoint(n, n.length) > 0) return at;
      at += n.length;
    }
    return at;
  };
  // A DOM range over [start, end) of the text, or null past its end.
  k.range = function (start, end, nodes) {
    nodes = nodes || k.textNodes();
    var r = document.createRange(), at = 0, started = false;
    for (var i = 0; i < nodes.length; ++i) {
      var n = nodes[i], len = n.length;
      if (!started && start <= at + len) { r.setStart(n, start - at); started = true; }
      if (started && end <= at + len) { r.setEnd(n, end - at); return r; }
      at += len;
    }
    return null;
  };
  // The selection as {start, end, text}, or null when nothing is selected.
  k.selection = function () {
    var s = document.getSelection();
    if (!s || s.rangeCount === 0 || s.isCollapsed) return null;
    var r = s.getRangeAt(0), nodes = k.textNodes();
    var start = k.offsetOf(r.startContainer, r.startOffset, nodes);
    var end = k.offsetOf(r.endContainer, r.endOffset, nodes);
    if (end <= start) return null;
    return { start: start, end: end, text: k.join(nodes).slice(start, end) };
  };
  function wrapOne(nodes, start, end, make) {
    var spans = [], at = 0;
    for (var i = 0; i < nodes.length && at < end; ++i) {
      var n = nodes[i], len = n.length;
      var s = Math.max(start - at, 0), e = Math.min(end - at, len);
      if (e > s && /\S/.test(n.data.slice(s, e))) {
        if (s > 0) { n = n.splitText(s); nodes.splice(++i, 0, n); at += s; e -= s; len -= s; }
        if (e < len) nodes.splice(i + 1, 0, n.splitText(e));
        var span = make();
        n.parentNode.insertBefore(span, n);
        span.appendChild(n);
        spans.push(span);
        at += e;
        continue;
      }
      at += len;
    }
    return spans;
  }
  // Wraps each stretch {start, end, attrs} in spans of the layer, one for each text node
  // it crosses, carrying data-ketab-layer and the stretch's attributes; returns the
  // spans of each stretch. The text, and so every place in it, stays as it was.
  k.wrap = function (layer, stretches) {
    var nodes = k.textNodes();
    return stretches.map(function (st) {
      return wrapOne(nodes, st.start, st.end, function () {
        var span = document.createElement('span');
        span.setAttribute('data-ketab-layer', layer);
        for (var name in (st.attrs || {})) span.setAttribute(name, st.attrs[name]);
        return span;
      });
    });
  };
  // Takes the layer's spans away again (those matching selector, when given).
  k.unwrap = function (layer, selector) {
    var parents = new Set();
    document.querySelectorAll('span[data-ketab-layer="' + layer + '"]' + (selector || '')).forEach(function (span) {
      var parent = span.parentNode;
      while (span.firstChild) parent.insertBefore(span.firstChild, span);
      parent.removeChild(span);
      parents.add(parent);
    });
    parents.forEach(function (p) { p.normalize(); });
  };
  // The data-ketab-* attributes around what the page's menu was asked for on, innermost first.
  document.addEventListener('contextmenu', function (e) { k.menuTarget = e.target; }, true);
  k.menuAttributes = function () {
    var out = {};
    for (var el = k.menuTarget; el && el.nodeType === 1; el = el.parentElement)
      for (var i = 0; i < el.attributes.length; ++i) {
        var a = el.attributes[i];
        if (a.name.indexOf('data-ketab-') === 0 && !(a.name in out)) out[a.name] = a.value;
      }
    return out;
  };
})();
)JS";
}

TPageLayers::TPageLayers()
    : FBridge(std::make_unique<TPageBridge>([this](const QString &kind, const QString &json) { Told(kind, json); }))
{
}

TPageLayers::~TPageLayers() = default;

void TPageLayers::Set(const QString &name, TPageLayer layer)
{
    std::erase_if(FLayers, [&](const TNamed &n) { return n.Name == name; });
    const auto at = std::find_if(FLayers.begin(), FLayers.end(), [&](const TNamed &n) {
        return n.Layer.Order > layer.Order || (n.Layer.Order == layer.Order && n.Name > name);
    });
    FLayers.insert(at, TNamed{name, std::move(layer)});
    Apply();
}

void TPageLayers::Remove(const QString &name)
{
    if (std::erase_if(FLayers, [&](const TNamed &n) { return n.Name == name; })) Apply();
}

bool TPageLayers::Has(const QString &name) const
{
    return std::any_of(FLayers.begin(), FLayers.end(), [&](const TNamed &n) { return n.Name == name; });
}

QString TPageLayers::Style() const
{
    QString css;
    for (const TNamed &n : FLayers) css += n.Layer.Style;
    return css;
}

QString TPageLayers::Script() const
{
    QString script;
    for (const TNamed &n : FLayers) script += n.Layer.Script;
    // The core comes with the first script or listener: a plain style needs none.
    if (script.isEmpty() && FListeners.isEmpty()) return script;
    return QLatin1String(PageCore) + script;
}

QColor TPageLayers::Background() const
{
    for (auto n = FLayers.rbegin(); n != FLayers.rend(); ++n)
        if (n->Layer.Background.isValid()) return n->Layer.Background;
    return Qt::white;
}

const char *TPageLayers::CoreScript() { return PageCore; }

void TPageLayers::Attach(THtmlEngineView *engine)
{
    FEngine = engine;
    FBridged = false;
    Apply();
}

void TPageLayers::Apply()
{
    if (!FEngine) return;
    if (!FBridged && !FListeners.isEmpty()) {
        FEngine->SetBridge(FBridge.get());
        FBridged = true;
    }
    FEngine->SetOverlay(Style(), Script(), Background());
}

void TPageLayers::Run(const QString &script, std::function<void(const QVariant &)> done)
{
    if (!FEngine || FEngine->Url().isEmpty()) return;
    FEngine->RunOverlayScript(script, done ? std::function<void(const QVariant &)>(TKetabApplication::Guard(std::move(done)))
                                           : std::function<void(const QVariant &)>());
}

void TPageLayers::Listen(const QString &kind, std::function<void(const QJsonValue &)> handler)
{
    const bool first = FListeners.isEmpty();
    FListeners.insert(kind, std::move(handler));
    if (first) Apply();
}

void TPageLayers::Told(const QString &kind, const QString &json)
{
    const auto handler = FListeners.constFind(kind);
    if (handler == FListeners.constEnd()) return;
    // The value comes wrapped, so a bare string or number parses as well as an object.
    QJsonParseError error;
    const QJsonDocument wrapped = QJsonDocument::fromJson("[" + json.toUtf8() + "]", &error);
    if (error.error != QJsonParseError::NoError || !wrapped.isArray()) return;
    (*handler)(wrapped.array().at(0));
}
