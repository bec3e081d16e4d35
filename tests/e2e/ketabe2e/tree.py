"""The program as a screen reader sees it: its accessibility tree over AT-SPI."""

from collections import namedtuple

import pyatspi
from gi.repository import Atspi, GLib

from .waits import wait_until


# The program's scale factor. Qt gives the tree's places in its own device-independent
# pixels; the X server, the mouse and screenshots count the screen's pixels.
_scale = 1


def set_scale(factor):
    global _scale
    _scale = factor


def scale():
    return _scale


class Rect(namedtuple("Rect", "x y w h")):
    """A rectangle in desktop coordinates."""

    @property
    def right(self):
        return self.x + self.w

    @property
    def bottom(self):
        return self.y + self.h

    @property
    def center(self):
        return (self.x + self.w // 2, self.y + self.h // 2)

    def contains(self, other):
        return (self.x <= other.x and self.y <= other.y
                and other.right <= self.right and other.bottom <= self.bottom)

    def touches(self, other):
        """True when other lies at least partly within self; a zero-sized rectangle
        touches when its corner lies within self, edges included."""
        return (other.x <= self.right and self.x <= other.right
                and other.y <= self.bottom and self.y <= other.bottom
                and not (other.w > 0 and other.right == self.x)
                and not (other.h > 0 and other.bottom == self.y))

    def __str__(self):
        return f"{self.w}x{self.h}+{self.x}+{self.y}"


_STATES = {
    "showing": pyatspi.STATE_SHOWING, "visible": pyatspi.STATE_VISIBLE,
    "enabled": pyatspi.STATE_ENABLED, "sensitive": pyatspi.STATE_SENSITIVE,
    "active": pyatspi.STATE_ACTIVE, "checked": pyatspi.STATE_CHECKED,
    "focused": pyatspi.STATE_FOCUSED, "selected": pyatspi.STATE_SELECTED,
    "modal": pyatspi.STATE_MODAL, "focusable": pyatspi.STATE_FOCUSABLE,
}

# Subtrees that are not the program's controls: the web engine's page content and the
# item lists inside drop-down boxes, whose items report places relative to a popup.
_OPAQUE_ROLES = {"document web", "document frame"}


class Node:
    """One accessible object, read afresh on every access (no cached states)."""

    def __init__(self, acc):
        self.acc = acc

    def __eq__(self, other):
        return isinstance(other, Node) and self.acc == other.acc

    def __hash__(self):
        return hash(self.acc)

    @property
    def role(self):
        # A page the engine replaces takes its nodes away while a walk is under way:
        # a node gone meanwhile has no role, and so matches nothing.
        try:
            return self.acc.getRoleName()
        except GLib.GError:
            return ""

    @property
    def name(self):
        return self.acc.name or ""

    @property
    def description(self):
        return self.acc.description or ""

    @property
    def rect(self):
        try:
            e = self.acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        except NotImplementedError:
            return Rect(0, 0, 0, 0)
        return Rect(e.x * _scale, e.y * _scale, e.width * _scale, e.height * _scale)

    @property
    def states(self):
        state = self.acc.getState()
        return {name for name, bit in _STATES.items() if state.contains(bit)}

    @property
    def showing(self):
        return "showing" in self.states

    @property
    def enabled(self):
        return "enabled" in self.states

    @property
    def checked(self):
        return "checked" in self.states

    @property
    def text(self):
        """The text an edit or label offers a screen reader through its text interface."""
        try:
            return self.acc.queryText().getText(0, -1)
        except NotImplementedError:
            return None

    @property
    def value(self):
        try:
            return self.acc.queryValue().currentValue
        except NotImplementedError:
            return None

    @property
    def parent(self):
        p = self.acc.parent
        return Node(p) if p is not None else None

    @property
    def children(self):
        try:
            return [Node(c) for c in self.acc if c is not None]
        except GLib.GError:
            return []  # gone meanwhile, as above

    def descendants(self, into_items=False, max_depth=None):
        """Every node below this one, depth first, not entering web page content nor,
        unless asked, the items of lists and drop-down boxes."""
        for child in self.children:
            yield child
            role = child.role
            if role in _OPAQUE_ROLES or max_depth == 1:
                continue
            if not into_items and role in ("list", "combo box", "table", "tree table", "tree"):
                continue
            yield from child.descendants(into_items, max_depth and max_depth - 1)

    @property
    def on_screen(self):
        """Shows and lies at least partly within every container above it: a control
        a closed panel clips away is not on screen, whatever its state says."""
        if not self.showing:
            return False
        r = self.rect
        if r.w <= 0 or r.h <= 0:
            return False
        node = self.parent
        while node is not None and node.role != "application":
            if not node.rect.touches(r):
                return False
            node = node.parent
        return True

    def find_all(self, role=None, name=None, where=None, into_items=False):
        out = []
        for node in self.descendants(into_items or role in ("list item", "table cell", "menu item")):
            if role is not None and node.role != role:
                continue
            if name is not None and node.name != name:
                continue
            if where is not None and not where(node):
                continue
            out.append(node)
        return out

    def find(self, role=None, name=None, where=None, into_items=False):
        found = self.find_all(role, name, where, into_items)
        return found[0] if found else None

    def items(self):
        """The items of a list or list box, in order."""
        return [c for c in self.children if c.role in ("list item", "table cell")]

    def __repr__(self):
        try:
            return f"<{self.role} {self.name!r} {self.rect}>"
        except Exception:
            return "<gone>"


def application(pid, timeout=60):
    """The accessible application of process pid, once it shows on the bus."""
    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == pid:
                app.setCacheMask(Atspi.Cache.NONE)
                return Node(app)
        return None
    return wait_until(probe, timeout, f"process {pid} on the accessibility bus")
