"""What journeys without a mouse need: the focus, moving it with keys, the start menu by keys,
the status line and the announcements a screen reader hears, the text of a page in the tree."""

import re
import time

from gi.repository import Atspi, GLib

from .book import SECTION_NAMES, contents_status
from .tree import Node
from .waits import wait_until

STATUS = "وضعيت صفحه"        # the status line's description: what it is
COUNT = "تعداد"              # the search count's description
VIEW = "صفحه"                # the page view
MENU_BUTTON = "بازگشت به منو"
NOTES_LIST, NOTES_INSERT, NOTES_SAVE = "موارد ثبت شده", "ايجاد", "ذخيره"
# The start menu's buttons in Tab order (sections, the command column, help, credits, exit).
CONTINUE = "ادامه مطالعه"
MENU_ORDER = SECTION_NAMES + ["جستجو", "نمایه‌ها", "تصاویر", "چاپ", "راهنما",
              "سازندگان", "خروج"]


class NameChanges:
    """The accessible-name changes the program announces, as a screen reader hears them."""

    EVENT = "object:property-change:accessible-name"

    def __init__(self):
        self.sources = []
        self.listener = Atspi.EventListener.new(lambda event: self.sources.append(event.source))
        self.listener.register(self.EVENT)

    def heard(self, node):
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)
        return node.acc in self.sources

    def close(self):
        self.listener.deregister(self.EVENT)


def by_description(window, role, description):
    return window.find(role, where=lambda n: n.description == description)


def status(window):
    """The status line as a screen reader reads it: its name."""
    return by_description(window, "label", STATUS).name


def focused(window):
    """The node with the keyboard focus. A page keeps its own focused state when the focus
    has left its view, so a control of the window that has the focus comes first; focus
    inside a page counts as the page's view, focus on a list's item as the list."""
    in_page = []

    def inside(node, depth=0):
        return depth < 60 and any("focused" in c.states or inside(c, depth + 1) for c in node.children)

    def walk(node):
        for child in node.children:
            if child.role in ("document web", "document frame"):
                if not in_page and ("focused" in child.states or inside(child)):
                    in_page.append(node)
                continue
            if "focused" in child.states:
                return child
            # A list's current item keeps its focused state after the list has lost the focus.
            if child.role in ("list", "combo box", "table", "tree", "tree table"):
                continue
            found = walk(child)
            if found is not None:
                return found
        return None
    return walk(window) or (in_page[0] if in_page else None)


def focus_name(window):
    node = focused(window)
    return node.name if node is not None else None


def _pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


class FocusEvents:
    """Where the keyboard focus goes, from the focus events a screen reader follows: far
    cheaper than walking the tree after every key."""

    EVENT = "object:state-changed:focused"

    def __init__(self):
        self.gained = []
        self.listener = Atspi.EventListener.new(lambda e: self.gained.append(e.source) if e.detail1 else None)
        self.listener.register(self.EVENT)

    def after(self, mark, timeout):
        """The control that gained the focus last since mark (a page element counts as its
        view, a list's item as its list), once the focus has settled; None if it did not move."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            _pump()
            if len(self.gained) > mark:
                break
            time.sleep(0.02)
        else:
            return None
        time.sleep(0.1)
        _pump()
        return control_of(Node(self.gained[-1]))


_events = []


def focus_events():
    if not _events:
        _events.append(FocusEvents())
    return _events[0]


def control_of(node):
    """The control a focused node belongs to: a page's view for the page's elements, the list
    for its items."""
    if node.role in ("list item", "table cell"):
        return node.parent
    up = node
    while up is not None and up.role != "application":
        if up.role in ("document web", "document frame"):
            return up.parent
        up = up.parent
    return node


def press_and_follow(s, key, timeout=3):
    """Presses key and returns the control that has the focus after it (None if it stayed)."""
    events = focus_events()
    _pump()
    mark = len(events.gained)
    s.key(key)
    return events.after(mark, timeout)


def move_focus_to(s, window, name, key="Tab", limit=40):
    """Presses key until the control named name has the focus."""
    focus_events()
    now = focus_name(window)
    for _ in range(limit):
        if now == name:
            return
        node = press_and_follow(s, key)
        if node is not None:
            now = node.name
    s.check(f"the focus after {key} presses", name, focus_name(window))


def page_texts(view):
    """Every text of the page under the view, one node a line: what a screen reader walks."""
    out = []

    def walk(node, depth=0):
        text = node.text if node.text is not None else node.name
        if text and text.strip():
            out.append(text)
        if depth < 60:
            for child in node.children:
                walk(child, depth + 1)
    walk(view)
    return out


def page_holds(view, sentence):
    """True when a text node of the page under the view holds the sentence."""
    def walk(node, depth=0):
        text = node.text if node.text is not None else node.name
        if text and sentence in text:
            return True
        return depth < 60 and any(walk(child, depth + 1) for child in node.children)
    return walk(view)


def page_node(view, role, text):
    """The first node of that role in the page under the view that reads text."""
    def walk(node, depth=0):
        for child in node.children:
            if child.role == role and text in (child.name, (child.text or "").strip()):
                return child
            found = depth < 60 and walk(child, depth + 1)
            if found:
                return found
        return None
    return walk(view)


def page_find(view, probe):
    """The first node of the page under the view for which probe holds."""
    def walk(node, depth=0):
        for child in node.children:
            if probe(child):
                return child
            found = depth < 60 and walk(child, depth + 1)
            if found:
                return found
        return None
    return walk(view)


def paragraph_words(book, page):
    return re.search(r"<p[^>]*>([^<]+)</p>", book.page_text(page)).group(1).split()


def menu_order(menu):
    """The start menu's buttons in their Tab order: the continue control, when a place
    is remembered, follows the sections."""
    more = [b.name for b in menu.find_all("push button", where=lambda n: n.showing) if b.name.startswith(CONTINUE)]
    return MENU_ORDER[:len(SECTION_NAMES)] + more + MENU_ORDER[len(SECTION_NAMES):]


def press_in_menu(s, name):
    """On the start menu, arrows from the focused button to the one named, then Return."""
    menu = s.window("menu")
    order = menu_order(menu)
    wait_until(lambda: focus_name(menu) in order, 10, "a start menu button to have the focus")
    steps = (order.index(name) - order.index(focus_name(menu))) % len(order)
    if steps:
        s.key(*["Down"] * steps)
    s.wait_value(lambda: focus_name(menu), name, f"the focus on {name!r}")
    s.key("Return")


def open_section(s, section):
    press_in_menu(s, MENU_ORDER[section - 1])
    reading = s.window("reading")
    s.wait_hidden("menu")
    s.wait_value(lambda: status(reading), contents_status(section), f"the status line on section {section}'s contents")
    return reading


def back_to_menu(s, reading):
    """From the page number box (Ctrl+G) the Menu button is a few Shift+Tab away."""
    s.key("ctrl+g")
    move_focus_to(s, reading, MENU_BUTTON, "shift+Tab", 12)
    s.key("Return")
    s.window("menu")
    s.wait_hidden("reading")


def pressable(node):
    """True when the node offers a screen reader an action of its own (press, toggle, ...);
    a progress bar's value steps are not a reader's to press."""
    if node.role == "progress bar":
        return False
    try:
        actions = node.acc.queryAction()
    except NotImplementedError:
        return False
    return any(actions.getName(i).lower().replace(" ", "") != "setfocus" for i in range(actions.nActions))


def tree_problems(s, key, window):
    """Every focusable control has a name; every label's name is its text where a screen
    reader can read the text; Tab reaches every focusable control (lands on it, inside it,
    or on a control that holds it, as a tool bar holds its buttons)."""
    problems = []
    controls, labels = [], []

    def walk(node):
        for child in node.children:
            states = child.states
            if "showing" not in states:
                continue
            if child.role in ("document web", "document frame"):
                continue
            if "enabled" in states and ("focusable" in states or pressable(child)):
                controls.append(child)
            if child.role == "label":
                labels.append(child)
            if child.role not in ("list", "combo box", "table"):
                walk(child)
    walk(window)
    for node in controls:
        if not node.name.strip():
            problems.append(f"{key}: a focusable {node.role} without a name at {node.rect}")
    for node in labels:
        text = node.text
        if text is not None and " ".join(text.split()) != " ".join(node.name.split()):
            problems.append(f"{key}: label named {node.name!r} shows {text!r}")
    if not controls:
        # A window a keyboard cannot work at all; or a tree that does not show its controls.
        return problems + [f"{key}: no focusable control"]

    # Round the window with Tab until the focus comes back to a control it has been on.
    reached = []
    now = focused(window)
    still = 0
    for _ in range(150):
        if now is not None and (not reached or reached[-1] != now):
            reached.append(now)
        # Inside a page Tab goes from link to link: the focus may stay in the view a while.
        node = press_and_follow(s, "Tab", 1 if now is not None and now.role == "filler" else 3)
        if node is None:
            still += 1
            if still >= 3:
                break
            continue
        still = 0
        if node in reached and node != reached[-1]:
            break
        now = node

    held = set()
    for node in reached:
        up = node
        while up is not None and up.role != "application":
            held.add(up.acc)
            up = up.parent

    def is_reached(node):
        if node.acc in held:
            return True
        up = node.parent
        while up is not None and up != window:
            if up in reached:
                return True
            up = up.parent
        return False
    for node in controls:
        if not is_reached(node):
            problems.append(f"{key}: Tab never reaches {node.role} {node.name!r}")
    return problems
