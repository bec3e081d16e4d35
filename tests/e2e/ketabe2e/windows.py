"""The program's windows as a reader meets them, and the rules every screen must keep:
the layout of what shows, one title bar a window, and the window protocol."""

from .tree import Rect

# The accessible name of the skinned frame's drawn title bar.
TITLE_BAR = "نوار عنوان"


class Kind:
    """A window of the program: its title, a control only it has (the two main windows
    share a title), whether it wears the skinned frame, and which title bars it has."""

    def __init__(self, key, title, marker, skinned, drawn_title_bar):
        self.key, self.title, self.marker = key, title, marker
        self.skinned, self.drawn_title_bar = skinned, drawn_title_bar

    def matches(self, node):
        if node.name != self.title:
            return False
        return self.marker is None or node.find(*self.marker) is not None


KINDS = [
    Kind("menu", "كتاب", ("label", "فهرست:"), skinned=True, drawn_title_bar=False),
    Kind("reading", "كتاب", ("panel", "سرصفحه"), skinned=True, drawn_title_bar=True),
    Kind("search", "جستجو", None, skinned=True, drawn_title_bar=True),
    # Qt's printer dialog, in Persian, is titled "چاپ" as well.
    Kind("print", "چاپ", ("spin button", "از صفحه"), skinned=True, drawn_title_bar=True),
    Kind("preview", "پيشنمايش چاپ", ("push button", "پيشنمايش"), skinned=False, drawn_title_bar=False),
    Kind("help", "راهنما", None, skinned=True, drawn_title_bar=True),
    Kind("credits", "سازندگان", None, skinned=True, drawn_title_bar=True),
    Kind("gallery", "گالری تصاوير", None, skinned=True, drawn_title_bar=True),
    Kind("viewer", "تصوير", None, skinned=False, drawn_title_bar=False),
]
BY_KEY = {k.key: k for k in KINDS}
MAIN = ("menu", "reading")
# Secondary window -> the windows it leaves disabled while it shows.
DISABLES = {"search": MAIN, "print": MAIN, "gallery": ("menu",), "credits": ("menu",),
            "viewer": ("gallery",)}


# Windows are shown and hidden, never made anew: their kinds are looked up once a run.
_kinds = {}


def forget_windows():
    _kinds.clear()


def kind_of(node):
    key = node.acc.path
    if key not in _kinds:
        _kinds[key] = next((kind for kind in KINDS if kind.matches(node)), None)
    return _kinds[key]


def top_levels(app):
    return [w for w in app.children if w.role in ("frame", "filler", "dialog", "window", "alert")]


def showing_windows(app):
    """(kind key or None, node) for every top-level window that shows."""
    out = []
    for node in top_levels(app):
        if node.showing:
            kind = kind_of(node)
            out.append((kind.key if kind else None, node))
    return out


def layout_problems(window, screen):
    """Every showing control lies within its window (on screen, the screen's rectangle),
    at least 1 x 1 pixels. A control
    that its containers clip away entirely (a closed side panel's content) is not on
    screen and is not looked at, nor is a label with no text."""
    problems = []
    frame = window.rect
    if frame.w <= 0 or frame.h <= 0 or not screen.touches(frame):
        problems.append(f"window {window.name!r} is {frame}, not on the screen")

    def walk(node, clip):
        for child in node.children:
            states = child.states
            if "showing" not in states:
                continue
            r = child.rect
            role = child.role
            # An empty label has nothing to show and may shrink to nothing.
            empty_label = role == "label" and not child.name and not child.text
            if clip.touches(r) and not empty_label:
                label = f"{role} {child.name!r}"
                if r.w <= 0 or r.h <= 0:
                    problems.append(f"{label} is {r.w} x {r.h} pixels at ({r.x}, {r.y})")
                elif not frame.contains(r):
                    problems.append(f"{label} at {r} reaches outside its window {frame}")
            if role in ("document web", "list", "combo box", "table", "tree table"):
                continue
            inner = Rect(max(clip.x, r.x), max(clip.y, r.y), 0, 0)
            inner = Rect(inner.x, inner.y, min(clip.right, r.right) - inner.x,
                         min(clip.bottom, r.bottom) - inner.y)
            if inner.w > 0 and inner.h > 0:
                walk(child, inner)
    walk(window, frame)
    return problems


def title_bar_problems(xs, key, window):
    """A skinned window has exactly its own drawn title bar and no frame from the window
    manager; a window with a system frame has the window manager's title bar only.
    xs: the program's X windows (xwin.windows)."""
    drawn = len([n for n in window.descendants(max_depth=2) if n.role == "filler" and n.name == TITLE_BAR])
    matches = [w for w in xs if w.rect == window.rect]
    if not matches:
        return [f"window {window.name!r} at {window.rect} has no X window of that place"]
    x = matches[0]
    kind = BY_KEY.get(key)
    bars = drawn + (1 if x.decorated else 0)
    problems = []
    if kind is not None and kind.skinned and x.decorated:
        problems.append(f"window {window.name!r} is skinned but the window manager frames it "
                        f"(frame extents {x.frame}): {bars} title bars")
    expected = 0 if key == "menu" else 1
    if bars != expected:
        problems.append(f"window {window.name!r} has {bars} title bars ({drawn} drawn, "
                        f"{'one' if x.decorated else 'none'} from the window manager), not {expected}")
    return problems


def _outer(x):
    """The window's place with the window manager's frame around it."""
    if not x.frame:
        return x.rect
    left, right, top, bottom = x.frame
    return Rect(x.rect.x - left, x.rect.y - top, x.rect.w + left + right, x.rect.h + top + bottom)


def _centred(inner, outer, slack=2):
    cx, cy = inner.x + inner.w / 2, inner.y + inner.h / 2
    return abs(cx - (outer.x + outer.w / 2)) <= slack and abs(cy - (outer.y + outer.h / 2)) <= slack


# Where each window opens: centred on the desktop, over the start menu, or over the
# whole work area (the desktop here has no panels, so the work area is the screen).
PLACES = {"menu": "centred", "reading": "fills", "search": "centred", "print": "centred",
          "preview": "fills", "help": "fills", "credits": "over menu", "gallery": "centred",
          "viewer": "centred"}


def placement_problems(xs, shown, screen):
    """Each window where it opens; xs: the program's X windows (xwin.windows); screen:
    the screen's rectangle."""
    places, inner = {}, {}
    for key, node in shown:
        x = next((w for w in xs if w.rect == node.rect), None)
        if key in PLACES and x is not None:
            places[key], inner[key] = _outer(x), x.rect
    problems = []
    for key, outer in places.items():
        rule = PLACES[key]
        if rule == "fills" and outer != screen:
            problems.append(f"the {key} window is at {outer}, not over the whole work area {screen}")
        # With a frame from the window manager, either the frame or the window within it
        # may be the one centred.
        elif rule == "centred" and not (_centred(outer, screen) or _centred(inner[key], screen)):
            problems.append(f"the {key} window is at {outer}, not centred on the desktop")
        elif rule == "over menu" and "menu" in places and not _centred(outer, places["menu"]):
            problems.append(f"the {key} window is at {outer}, not centred over the start menu {places['menu']}")
    return problems


def protocol_problems(shown):
    """At most the windows the window protocol allows show and take input: one main
    window; a secondary window's opener disabled while it shows."""
    problems = []
    keys = [k for k, _ in shown]
    nodes = {k: n for k, n in shown if k}
    mains = [k for k in keys if k in MAIN]
    if len(mains) != 1:
        problems.append(f"{len(mains)} main windows show ({', '.join(mains) or 'none'}), not one")
    must_be_disabled = set()
    for key in keys:
        for opener in DISABLES.get(key, ()):
            if opener in nodes:
                must_be_disabled.add(opener)
    if "viewer" in keys and "gallery" not in nodes:
        problems.append("the picture viewer shows without the gallery")
    for key in ("gallery", "credits"):
        if key in keys and "menu" not in nodes:
            problems.append(f"the {key} window shows over the reading window")
    for key in must_be_disabled:
        if nodes[key].enabled:
            opened = [k for k in keys if key in DISABLES.get(k, ())]
            problems.append(f"the {key} window takes input while {', '.join(opened)} is open over it")
    # Nothing open that disables it, no dialog of the platform: the main window must work.
    if None not in keys:
        for key in mains:
            if key not in must_be_disabled and not nodes[key].enabled:
                problems.append(f"the {key} window is disabled with nothing open over it")
    return problems
