"""The skinned frame on a real desktop: sizing from the border only and never for a
window of fixed size, the close button's whole face, the reading window's minimise
button taking every window along, and the reading window at its least size."""

import subprocess
import time

from ketabe2e import journey, xwin
from ketabe2e.screens import Reading, open_section
from journeys.start import close_secondary

SECTION_1 = "جلد اول: از آغاز تا برآمدن ساسانيان"
# Title-bar buttons are 19 pixels wide, one pixel apart, laid out leftwards from the
# bar's right end; the reading window's are exit, minimise, help in that order.
BUTTON_STEP = 20


def title_button(bar, place):
    """The centre of the title-bar button at place (0 = rightmost)."""
    return bar.right - 12 - BUTTON_STEP * place, bar.y + 11


def x_window(s, node):
    return s.wait(lambda: next((w for w in xwin.windows(s.env, s.program.pid) if w.rect == node.rect), None),
                  f"the X window of {node.name!r}")


def drag(s, start, by, steps=3):
    x, y = start
    s.input.press(x, y)
    for step in range(1, steps + 1):
        s.input.move(x + by[0] * step // steps, y + by[1] * step // steps)
        time.sleep(0.05)  # pacing of a hand's movement: the window manager takes over the drag meanwhile
    s.input.release()


def stays(read, value, seconds=2.0):
    """True when read() keeps giving value for the time a change would need to show."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if read() != value:
            return False
        time.sleep(0.2)
    return True


@journey("frame: a sizeable window sizes from its border, not from inside, the credits not at all; the close button's edge closes")
def sizing(s):
    menu = s.window("menu")
    s.click(s.control(menu, "push button", "جستجو"))
    search = s.window("search")
    s.step("search window over the start menu")
    x = x_window(s, search)
    width = x.rect.w
    width_now = lambda: x_window(s, search).rect.w

    # Three pixels inside the right edge lie over the window's controls: no sizing.
    drag(s, (x.rect.right - 4, x.rect.y + x.rect.h // 2), (40, 0))
    s.check_that("the search window's width after a drag starting 3 pixels inside its edge",
                 stays(width_now, width), width, width_now())
    # The border itself sizes it.
    drag(s, (x.rect.right - 1, x.rect.y + x.rect.h // 2), (40, 0))
    grown = s.wait(lambda: (lambda w: w if w > width else None)(width_now()),
                   "the search window to widen after a drag on its border")
    s.check_that("the search window widened by the drag on its border", grown > width, f"> {width}", grown)
    search = s.window("search")
    s.step("search window widened", moved=("search",))

    # The close button's rightmost columns, below the title bar's top rows, close it.
    bar = s.control(search, "filler", "نوار عنوان").rect
    close_x, close_y = title_button(bar, 0)
    s.input.click(close_x + 8, close_y + 2)
    s.wait_hidden("search")
    s.wait(lambda: menu.enabled, "the start menu to take input after the search window")
    s.step("start menu after closing search")

    # The credits have a fixed size: drags on their border and corner, out or in, size nothing.
    c = s.from_menu("سازندگان", "credits")
    size_now = lambda: (lambda r: (r.w, r.h))(x_window(s, c).rect)
    size = size_now()
    corner = x_window(s, c).rect
    drag(s, (corner.right - 1, corner.bottom - 1), (40, 40))
    drag(s, (corner.right - 1, corner.bottom - 1), (-50, -50))
    drag(s, (corner.right - 1, corner.y + corner.h // 2), (-60, 0))
    s.check_that("the credits' size after drags on their corner and border", stays(size_now, size), size, size_now())
    s.step("credits after drags on their corner and border")
    close_secondary(s, "credits", c)


NOTES_BUTTONS = ["ايجاد", "حذف", "جديد", "رجوع", "خواندن", "ذخيره", "چاپ صفحات انتخاب شده", "چاپ ليست"]


def wm_resize(s, start, by, steps=12):
    """Sizes a window through the window manager, as openbox lets any window be sized: Alt
    held, the right button dragged from near the corner that moves."""
    x, y = start
    xdotool = lambda *args: subprocess.run(["xdotool", *map(str, args)], env=s.env, check=True,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    xdotool("mousemove", "--sync", x, y, "keydown", "alt", "mousedown", 3)
    try:
        for step in range(1, steps + 1):
            xdotool("mousemove", x + by[0] * step // steps, y + by[1] * step // steps)
            time.sleep(0.05)
    finally:
        xdotool("mouseup", 3, "keyup", "alt")


@journey("frame: the reading window dragged to its least size keeps its bottom bar whole; Next and both side panels work")
def least_size(s):
    r = open_section(s, 1)
    xid = x_window(s, r.window).id
    full = xwin.XWindow(s.env, xid).rect
    place = lambda: xwin.XWindow(s.env, xid).rect
    size_now = lambda: (place().w, place().h)
    # The main windows have no border to size them by; the window manager sizes them all
    # the same. Its bottom right corner dragged as far in as the screen goes, then once
    # more: the window manager holds it at the least size the window asks for.
    wm_resize(s, (full.right - 10, full.bottom - 10), (-(full.w - 30), -(full.h - 30)))
    s.wait(lambda: size_now()[0] < full.w and size_now()[1] < full.h, "the reading window to shrink")
    s.wait(lambda: stays(size_now, size_now(), 1.0), "the reading window's size to settle")
    least = place()
    wm_resize(s, (least.right - 10, least.bottom - 10), (-(least.w - 30), -(least.h - 30)))
    s.check_that("the reading window's size after a second drag inwards", stays(size_now, (least.w, least.h)),
                 (least.w, least.h), size_now())
    s.step("reading window at its least size", moved=("reading",))
    for name in (Reading.MENU, Reading.CONTENTS, Reading.SEARCH, Reading.PRINT):
        s.check(f"size of {name!r} at the least size", (76, 23), tuple(r.button(name).rect[2:]))
    for name in (Reading.FIRST, Reading.PREVIOUS, Reading.NEXT, Reading.LAST):
        s.check(f"size of {name!r} at the least size", (32, 24), tuple(r.button(name).rect[2:]))
    s.check("page after Next at the least size", "1", r.press(Reading.NEXT))

    notes = r.open_notes()
    s.check("the notes panel's width, open", 169, notes.rect.w)
    for name in NOTES_BUTTONS:
        s.control(notes, "push button", name, timeout=5)
    s.step("notes panel open at the least size", moved=("reading",))
    options = r.panel(Reading.OPTIONS)
    s.input.move(*options.rect.center)
    s.wait(lambda: options.rect.w == 160, "the options panel to open under the mouse")
    s.wait(lambda: notes.rect.w <= 10, "the notes panel to close once the mouse has left it")
    s.step("options panel open at the least size", moved=("reading",))

    s.input.move(*r.view.rect.center)
    wm_resize(s, (least.right - 10, least.bottom - 10), (full.right - least.right, full.bottom - least.bottom))
    s.wait(lambda: size_now() == (full.w, full.h), "the reading window back at its full size")
    r.back_to_menu()


@journey("frame: the reading window's minimise button takes the help window along; restoring one restores both")
def minimise(s):
    menu = s.window("menu")
    s.click(s.control(menu, "push button", SECTION_1))
    r = Reading(s)
    s.wait_hidden("menu")
    bar = s.control(r.window, "filler", "نوار عنوان").rect
    s.input.click(*title_button(bar, 2))
    help_window = s.window("help")
    s.step("help over the reading window")
    shown = lambda: sorted(w.title for w in xwin.windows(s.env, s.program.pid))
    s.check("windows on screen with the help open", sorted(["كتاب", "راهنما"]), shown())
    help_id = x_window(s, help_window).id

    # The help covers the reading window's title bar: drag it aside by its own.
    # A drag the window manager takes up late moves it less far: drag again until it is clear.
    for _ in range(4):
        help_bar = s.control(s.window("help"), "filler", "نوار عنوان").rect
        if help_bar.y >= bar.bottom:
            break
        drag(s, (help_bar.x + help_bar.w // 2, help_bar.y + 16), (0, 120), steps=12)
        s.wait(lambda: s.window("help").rect.y > help_bar.y, "the help window to move down")
    s.check_that("the help window below the reading window's title bar", s.window("help").rect.y >= bar.bottom,
                 f"top at {bar.bottom} or lower", s.window("help").rect)
    s.input.click(*title_button(bar, 1))
    s.wait_value(shown, [], "the program's windows on screen after its minimise button")

    # Bringing the help back, as a task bar would, brings the reading window with it.
    subprocess.run(["xdotool", "windowactivate", str(help_id)], env=s.env, check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    s.wait_value(shown, sorted(["كتاب", "راهنما"]), "the program's windows after the help is restored")
    # Its Return button now lies below the screen: its close button closes it.
    s.input.click(*title_button(s.control(s.window("help"), "filler", "نوار عنوان").rect, 0))
    s.wait_hidden("help")
    s.step("reading window after the help")
    r.back_to_menu()


@journey("frame: Alt+Space opens the system menu of the active skinned window, whose Close closes it")
def system_menu(s):
    menu = s.window("menu")
    s.click(s.control(menu, "push button", "جستجو"))
    search = s.window("search")
    bar = s.control(search, "filler", "نوار عنوان").rect
    s.key("alt+space")
    popup = s.wait(lambda: next(iter(xwin.popups(s.env, s.program.pid)), None),
                   "a system menu after Alt+Space on the search window")
    s.check("the system menu's corner (the search window's left, below its title bar)",
            (x_window(s, search).rect.x, bar.bottom), (popup.rect.x, popup.rect.y))
    # The first journey sized the search window: it keeps that size, off the centre.
    s.step("search window's system menu", moved=("search",))
    # Minimise, Maximise/Restore, then Close past the separator.
    s.key("Down", "Down", "Down", "Return")
    s.wait_hidden("search")
    s.wait(lambda: menu.enabled, "the start menu to take input after the system menu's Close")
    s.step("start menu after the system menu's Close")

