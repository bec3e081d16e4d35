"""What the window manager knows of the program's windows: frames, owners, places."""

import re
import subprocess

from .tree import Rect


def _run(env, *argv):
    return subprocess.run(argv, env=env, capture_output=True, text=True).stdout


class XWindow:
    """One top-level client window of the program as the X server and openbox see it."""

    def __init__(self, env, wid):
        self.id = wid
        info = _run(env, "xwininfo", "-id", str(wid))
        num = lambda key: int(re.search(key + r":\s+(-?\d+)", info).group(1))
        self.rect = Rect(num("Absolute upper-left X"), num("Absolute upper-left Y"),
                         num("Width"), num("Height"))
        self.viewable = "IsViewable" in info
        self.override_redirect = "Override Redirect State: yes" in info
        props = _run(env, "xprop", "-id", str(wid), "_NET_WM_NAME", "_NET_FRAME_EXTENTS",
                     "WM_TRANSIENT_FOR", "_NET_WM_STATE", "_NET_WM_WINDOW_TYPE")
        name = re.search(r'_NET_WM_NAME\(UTF8_STRING\) = "(.*)"', props)
        self.title = name.group(1) if name else ""
        extents = re.search(r"_NET_FRAME_EXTENTS\(CARDINAL\) = (\d+), (\d+), (\d+), (\d+)", props)
        # left, right, top, bottom; None when the window manager never framed it
        self.frame = tuple(int(v) for v in extents.groups()) if extents else None
        owner = re.search(r"WM_TRANSIENT_FOR\(WINDOW\): window id # (0x[0-9a-f]+)", props)
        self.transient_for = int(owner.group(1), 16) if owner else None
        state = re.search(r"_NET_WM_STATE\(ATOM\) = (.*)", props)
        self.wm_state = set(state.group(1).split(", ")) if state else set()

    @property
    def decorated(self):
        """True when the window manager draws a title bar above the window."""
        return bool(self.frame and self.frame[2] > 0)

    def __repr__(self):
        return f"<X window 0x{self.id:x} {self.title!r} {self.rect} frame={self.frame}>"


def windows(env, pid):
    """The program's client windows that are on screen."""
    ids = _run(env, "xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", "")
    out = []
    for line in ids.split():
        try:
            w = XWindow(env, int(line))
        except (AttributeError, ValueError):  # gone between the search and the query
            continue
        if w.viewable and not w.override_redirect:
            out.append(w)
    return out


def popups(env, pid):
    """The program's pop-up menus on screen: windows the window manager does not manage."""
    ids = _run(env, "xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", "")
    out = []
    for line in ids.split():
        try:
            w = XWindow(env, int(line))
        except (AttributeError, ValueError):
            continue
        if w.viewable and w.override_redirect and w.rect.w > 3 and w.rect.h > 3:
            out.append(w)
    return out


def stacking(env):
    """Client windows from bottom to top, as the window manager stacks them."""
    out = _run(env, "xprop", "-root", "_NET_CLIENT_LIST_STACKING")
    return [int(v, 16) for v in re.findall(r"0x[0-9a-f]+", out)]


def active_window(env):
    out = _run(env, "xprop", "-root", "_NET_ACTIVE_WINDOW")
    m = re.search(r"window id # (0x[0-9a-f]+)", out)
    return int(m.group(1), 16) if m else None
