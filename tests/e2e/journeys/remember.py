"""What the program keeps between runs: the place read, the reader's choices, the night
page; and a home folder it cannot write to."""

import os
import re
import subprocess

from ketabe2e import journey
from ketabe2e.access import page_find
from ketabe2e.book import Book, FIRST_PAGE, page_status
from ketabe2e.screens import Reading, Search, open_section
from journeys.frame import title_button
from journeys.reading import full_screen

CONTINUE = "ادامه مطالعه"
PLACE_PAGE = 2144
# The volume and part of the page's section, as the continue control names them.
PLACE_NAME = f"{CONTINUE}: صفحه {PLACE_PAGE} - جلد سوم، بخش يكم"
NIGHT = "صفحه شب"
LARGE = "بزرگ"


def continue_control(s, menu):
    return [b for b in menu.find_all("push button", where=lambda n: n.showing) if b.name.startswith(CONTINUE)]


def leave_from_menu(s):
    s.click(s.control(s.window("menu"), "push button", "خروج"))
    s.check("exit status on leaving", 0, s.program.wait_exit(30))


def kept_scroll(s):
    with open(os.path.join(s.program.home, ".local/state/ketab/places.conf"), encoding="utf-8") as f:
        return re.search(r"^Scroll=(.*)$", f.read(), re.M).group(1)


def options_panel(s, r):
    panel = r.panel(Reading.OPTIONS)
    if panel.rect.w <= 10:
        s.click(panel)
    s.wait(lambda: panel.rect.w >= 150, "the options panel to open on a click")
    return panel


def track_position(pid):
    """How far the program has read into the section's music file, or None when it has
    none open: the decoder reads on while a track plays."""
    folder = f"/proc/{pid}/fd"
    for fd in os.listdir(folder):
        try:
            target = os.readlink(os.path.join(folder, fd))
        except OSError:
            continue
        if re.search(r"/Musics/Music\d\.mp3$", target):
            with open(f"/proc/{pid}/fdinfo/{fd}") as f:
                return next(int(line.split()[1]) for line in f if line.startswith("pos:"))
    return None


def track_plays(s, seconds=4):
    first = track_position(s.program.pid)
    return s.appears(lambda: track_position(s.program.pid) not in (None, first), seconds)


def pixels(s, rect):
    """The pixels of a place on the screen, 8 bits a channel."""
    return subprocess.run(["import", "-silent", "-window", "root", "-crop", str(rect), "-depth", "8", "rgb:-"],
                          env=s.env, capture_output=True).stdout


def dark_share(data):
    """The share of pixels darker than mid grey, from raw RGB bytes."""
    dark = sum(1 for i in range(0, len(data) - 2, 3) if data[i] + data[i + 1] + data[i + 2] < 3 * 96)
    return dark / max(1, len(data) // 3)


def orange_pixels(data):
    """Pixels of the search marks' orange, light on the night page."""
    return sum(1 for i in range(0, len(data) - 2, 3)
               if data[i] > 200 and 110 < data[i + 1] < 190 and data[i + 2] < 110)


def settled(s, rect, what):
    """Waits until a place on the screen holds still and returns its pixels."""
    s.wait_repainted(rect, [], what)
    return s.grab(rect)


@journey("remember: the page read and its scroll come back through the start menu's continue control")
def place_comes_back(s):
    menu = s.window("menu")
    s.check("continue controls on a first run", [], continue_control(s, menu))
    r = open_section(s, 4)
    s.check("page after typing it", str(PLACE_PAGE), r.enter_page(PLACE_PAGE))
    s.wait_value(r.status, page_status(PLACE_PAGE), "the status line of the page typed")
    view = r.view.rect
    top = settled(s, view, "the page to show")
    s.input.click(view.x + view.w // 2, view.y + view.h // 2)
    s.key("Page_Down", "Page_Down")
    s.wait_repainted(view, top, "the page to scroll down")
    left = s.grab(view)
    s.step("page read, scrolled down")
    r.back_to_menu()

    menu = s.window("menu")
    control = s.wait(lambda: (continue_control(s, menu) or [None])[0], "the continue control to show")
    s.check("the continue control's name", PLACE_NAME, control.name)
    s.check("the start menu's size with the control", (600, 440), (menu.rect.w, menu.rect.h))
    s.check_that("the continue control inside the start menu", menu.rect.contains(control.rect),
                 "inside", str(control.rect))
    others = [b for b in menu.find_all("push button", where=lambda n: n.showing) if b != control]
    s.check("buttons the continue control overlaps", [],
            [b.name for b in others if b.rect.touches(control.rect) and control.rect.touches(b.rect)])
    s.step("start menu with the continue control", picture="start-menu-continue", crop=menu)
    # Reached from the keyboard: the arrows go from the fifth section to it.
    s.click(s.control(menu, "push button", "جلد سوم، بخش دوم: از مغول تا صفويان"))
    Reading(s).back_to_menu()
    menu = s.window("menu")
    s.key("Down")
    s.wait(lambda: "focused" in control.states, "the continue control to take the focus from the arrows")
    leave_from_menu(s)

    s.restart_program()
    menu = s.window("menu")
    control = s.wait(lambda: (continue_control(s, menu) or [None])[0], "the continue control after a new start")
    s.check("the continue control's name after a new start", PLACE_NAME, control.name)
    s.click(control)
    r = Reading(s)
    s.wait_hidden("menu")
    s.wait_value(r.page_number, str(PLACE_PAGE), "the page number of the continued page")
    s.wait_value(r.status, page_status(PLACE_PAGE), "the status line of the continued page")
    s.wait(lambda: s.grab(r.view.rect) == left, "the page to show scrolled as it was left")
    s.step("page continued, scrolled as left")
    s.check("music of the continued page's section", True, track_plays(s))
    # The top kept, then End and out at once by the close button: the end is kept.
    s.key("Home")
    s.wait(lambda: kept_scroll(s) == "0", "the page's top to be kept")
    s.key("End")
    s.input.click(*title_button(s.control(r.window, "filler", "نوار عنوان").rect, 0))
    s.check("exit status on leaving at once", 0, s.program.wait_exit(30))
    said = os.path.getsize(s.program.log)
    s.restart_program()
    s.click(s.wait(lambda: (continue_control(s, s.window("menu")) or [None])[0], "the continue control"))
    r = Reading(s)
    s.wait(lambda: s.grab(r.view.rect) == left, "the page to show at its end, as End left it")
    s.step("page continued at its end")
    with open(s.program.log, encoding="utf-8", errors="replace") as f:
        f.seek(said)
        s.check("what the program said on its start", "", f.read().strip())
    r.back_to_menu()


@journey("remember: large text, music off and the night page come back; night pages and a night result page")
def choices_come_back(s):
    r = open_section(s, 2)
    s.check("page after Next on the contents", str(FIRST_PAGE[1]), r.press(Reading.NEXT))
    panel = options_panel(s, r)
    view = r.view.rect
    before = settled(s, view, "the page to show")
    size = s.control(panel, "combo box", "معمولی")
    s.click(size)
    s.popup()
    s.key("Down", "Return")
    s.wait_value(lambda: size.name, LARGE, "the text size box after picking the large size")
    off = s.control(panel, "radio button", "موسيقی Off")
    s.click(off)
    s.wait(lambda: off.checked, "music off")
    night = s.control(panel, "check box", NIGHT)
    s.click(night)
    s.wait(lambda: night.checked, "the night page box to be checked")
    pin = s.control(panel, "check box", "فرم يادداشتها")
    s.click(pin)
    s.wait(lambda: pin.checked and r.panel(Reading.NOTES).rect.w >= 150, "the notes panel pinned open")
    full = s.control(panel, "check box", "كل صفحه نمايش")
    s.click(full)
    s.wait(lambda: full.checked and full_screen(s.x_window(r.window)), "the reading window on the full screen")
    view = r.view.rect
    s.input.move(*view.center)
    s.wait(lambda: panel.rect.w <= 10, "the options panel to close once the mouse has left it")
    s.wait_repainted(view, before, "the page to show at night")
    s.check_that("the night page is dark", dark_share(pixels(s, view)) > 0.8, "more than 80 % dark pixels",
                 f"{dark_share(pixels(s, view)):.0%}")
    s.step("night page", picture="night-page", crop=r.window)

    # A result page at night: its marks in their orange, light on dark.
    s.click(r.button(Reading.SEARCH))
    w = Search(s)
    w.run("آبجوش")
    s.double_click(w.results.items()[0])
    r = Reading(s)
    s.wait_hidden("search")
    s.wait(lambda: orange_pixels(pixels(s, view)) > 20, "the night result page to show its marks")
    s.check_that("the night result page is dark", dark_share(pixels(s, view)) > 0.8, "more than 80 % dark pixels",
                 f"{dark_share(pixels(s, view)):.0%}")
    s.step("night result page with its marks", picture="night-result-page", crop=r.window)
    r.back_to_menu()
    leave_from_menu(s)

    s.restart_program()
    r = open_section(s, 1)
    s.check("page after Next on the contents", "1", r.press(Reading.NEXT))
    view = r.view.rect
    s.wait(lambda: dark_share(pixels(s, view)) > 0.8, "the page to show at night after a new start")
    panel = options_panel(s, r)
    s.check("the text size after a new start", LARGE, s.control(panel, "combo box", LARGE).name)
    s.check("music off after a new start", True, s.control(panel, "radio button", "موسيقی Off").checked)
    s.check("the night page box after a new start", True, s.control(panel, "check box", NIGHT).checked)
    s.check("a track playing with music kept off", False, track_plays(s))
    s.check("the notes panel pinned after a new start", (True, 169),
            (s.control(panel, "check box", "فرم يادداشتها").checked, r.panel(Reading.NOTES).rect.w))
    s.check("full screen after a new start", (True, True),
            (s.control(panel, "check box", "كل صفحه نمايش").checked, full_screen(s.x_window(r.window))))
    s.step("choices back after a new start")
    s.input.move(*view.center)
    s.wait(lambda: panel.rect.w <= 10, "the options panel to close once the mouse has left it")

    # The help follows the night page; the preview of a print keeps the book's colours.
    s.key("F1")
    h = s.window("help")
    help_view = s.control(h, "filler", "راهنما").rect
    s.wait(lambda: dark_share(pixels(s, help_view)) > 0.8, "the help page to show at night")
    s.step("night help page")
    s.click(s.control(h, "push button", "بازگشت"))
    s.wait_hidden("help")
    s.click(r.button(Reading.PRINT))
    s.click(s.control(s.window("print"), "push button", "چاپ"))
    preview = s.window("preview")
    paper = s.control(preview, "filler", "سند چاپ").rect
    s.wait(lambda: dark_share(pixels(s, paper)) < 0.2, "the preview in the book's own colours")
    s.step("preview in the book's colours at night")
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")
    r = Reading(s)

    # Back to the book's colours, a window in the work area and the notes panel free, for the runs after.
    panel = options_panel(s, r)
    night = s.control(panel, "check box", NIGHT)
    s.click(night)
    s.wait(lambda: not night.checked, "the night page box to be cleared")
    for name in ("فرم يادداشتها", "كل صفحه نمايش"):
        box = s.control(panel, "check box", name)
        s.click(box)
        s.wait(lambda: not box.checked, f"the box {name!r} to be cleared")
        panel = options_panel(s, r)
    view = r.view.rect
    s.wait(lambda: dark_share(pixels(s, view)) < 0.2, "the page back in the book's colours")
    r.back_to_menu()


@journey("remember: with its home folder read-only the program starts, continues and reads, says nothing, and tells of marks not kept only when one is made")
def read_only_home(s):
    leave_from_menu(s)
    home = s.program.home
    kept = {}
    for folder, _, files in os.walk(home):
        for name in files:
            with open(os.path.join(folder, name), "rb") as f:
                kept[os.path.join(folder, name)] = f.read()
    if os.geteuid() == 0:
        # Permissions do not bind root: the home folder is mounted read-only for the program alone.
        wrapper = ["unshare", "--mount", "--propagation", "private", "sh", "-c",
                   f'mount --bind "{home}" "{home}" && mount -o remount,bind,ro "{home}" && exec "$0" "$@"']
    else:
        for folder, dirs, files in os.walk(home):
            for name in dirs + files:
                os.chmod(os.path.join(folder, name), 0o555 if name in dirs else 0o444)
        os.chmod(home, 0o555)
        wrapper = []
    log_start = os.path.getsize(s.program.log)
    try:
        s.restart_program(wrapper)
        menu = s.window("menu")
        control = s.wait(lambda: (continue_control(s, menu) or [None])[0], "the continue control from a read-only home")
        page = int(re.search(r"صفحه (\d+)", control.name).group(1))
        s.click(control)
        r = Reading(s)
        s.wait_value(r.page_number, str(page), "the page number of the continued page")
        s.check("page after Next", str(page + 1), r.press(Reading.NEXT))
        s.step("reading from a read-only home")
        # A first mark: the reader is told that marks will not be kept, and reads on.
        text = re.findall(r"<p align=\"justify\">([^<]+)</p>", Book(s.book).page_text(page + 1))[0]
        label = s.wait(lambda: page_find(r.view, lambda n: n.role == "label" and n.name == text), "the page's first paragraph")
        s.input.double_click(label.rect.right - 29 - 12, label.rect.y + label.rect.h // 4)
        s.key("ctrl+h")
        told = s.dialog()
        s.check_that("the message on the first mark", told.find("label", where=lambda n: "نگه داشته نمی" in n.name) is not None,
                     "marks will not be kept", [n.name for n in told.find_all("label")])
        s.key("Return")
        s.wait(lambda: not told.showing, "the message to close")
        r.back_to_menu()
        leave_from_menu(s)
    finally:
        if not wrapper:
            for folder, dirs, _ in os.walk(home):
                os.chmod(folder, 0o755)
    with open(s.program.log, encoding="utf-8", errors="replace") as f:
        f.seek(log_start)
        said = [line for line in f.read().splitlines() if "ketab" in line.lower() and "damaged" in line]
    s.check("what the program said of its files", [], said)
    after = {}
    for folder, _, files in os.walk(home):
        for name in files:
            with open(os.path.join(folder, name), "rb") as f:
                after[os.path.join(folder, name)] = f.read()
    s.check("the home folder's files after a read-only run", kept, after)
    s.restart_program()
    s.window("menu")
