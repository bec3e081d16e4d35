"""Starting the program as a desktop starts it: the start menu as it first shows and as a
screen reader finds its index menu, Qt's own options on the command line, and no book in
reach."""

import os
import shutil
import subprocess

from ketabe2e import CheckFailure, journey
from ketabe2e.book import SECTION_NAMES
from ketabe2e.program import Program
from ketabe2e.screens import Reading
from ketabe2e.waits import wait_until
from ketabe2e import tree, xwin


class OtherRun(Program):
    """Another run of a program beside the journeys' own, started with its own arguments
    and without some of the desktop's environment."""

    def __init__(self, s, name, path, args=(), unset=()):
        workdir = os.path.join(s.desktop.workdir, name)
        os.makedirs(workdir, exist_ok=True)
        super().__init__(s.desktop, path, workdir, args, book=workdir)
        self.unset = unset

    def env(self):
        env = super().env()
        for name in self.unset:
            env.pop(name, None)
        return env

    def showing(self, role, what, timeout=60):
        """Waits for a top-level window of that role to show, on the X server too."""
        def probe():
            if not self.running:
                raise CheckFailure(what, "the program running", f"it ended with status {self.proc.returncode}:\n"
                                   f"{self.tail_log()}")
            if self._app is None:
                try:
                    self._app = tree.application(self.pid, timeout=0.5)
                except CheckFailure:
                    return None
            for node in self._app.children:
                if node.role == role and node.showing and \
                        any(w.rect == node.rect for w in xwin.windows(self.desktop.env, self.pid)):
                    return node
            return None
        return wait_until(probe, timeout, what)


@journey("start: no focus frame on the first section until the keyboard moves the focus")
def focus_frame_only_after_keys(s):
    menu = s.window("menu")
    first = s.control(menu, "push button", SECTION_NAMES[0])
    s.input.move(menu.rect.x + 2, menu.rect.y + 2)
    s.wait(lambda: "focused" in first.states, "the first section to have the focus at start")
    s.step("start menu as it first shows")
    at_start = s.grab(first.rect)
    # Tab takes the focus away: the button as it looks without it.
    s.key("Tab")
    s.wait(lambda: "focused" not in first.states, "Tab to move the focus on")
    s.wait(lambda: s.grab(first.rect) == at_start, "the first section to look as it did at start, without the focus",
           timeout=5)
    # Back by the keyboard: now the frame shows.
    s.key("shift+Tab")
    s.wait(lambda: "focused" in first.states, "shift+Tab to bring the focus back")
    s.wait(lambda: s.grab(first.rect) != at_start, "the focus frame on the first section after shift+Tab", timeout=5)
    s.step("focus frame after the keyboard moved the focus")


@journey("start: the index menu in the tree, a menu under its button with its two items; one opens its index")
def index_menu_in_tree(s):
    button = s.control(s.window("menu"), "push button", "نمایه‌ها")
    s.click(button)
    menu = s.wait(lambda: button.find("popup menu"), "the index menu under its button in the tree")
    s.check("the index menu's name", "نمایه‌ها", menu.name)
    items = s.wait(lambda: [i for i in menu.find_all("menu item") if i.showing and i.rect.w > 0] or None,
                   "the index menu's items to show")
    s.check("the index menu's items as read", ["نمايه عمومی", "نمايه آثار"], [i.name for i in items])
    s.check_that("the items lie on the menu", all(menu.rect.contains(i.rect) for i in items),
                 f"within {menu.rect}", [str(i.rect) for i in items])
    s.screenshot("index menu open")
    s.click(items[1])
    s.wait_hidden("menu")
    s.window("reading")
    s.step("the index of works from the menu item")
    Reading(s).back_to_menu()


@journey("start: Qt's own options are handed to Qt; -display stands in for DISPLAY")
def qt_options(s):
    run = OtherRun(s, "qt-options", s.program_path,
                   ["-platform", "xcb", "-display", s.env["DISPLAY"], "-session", "ketab-e2e_1", "-style", "Fusion",
                    "-reverse", "-name", "ketab"], unset=("DISPLAY",)).start()
    try:
        # Read from the X server: without DISPLAY the accessibility bridge finds no bus.
        menu = wait_until(lambda: run.running and next((w for w in xwin.windows(s.env, run.pid)
                                                        if w.title == "كتاب"), None),
                          60, "the start menu of the program started with Qt's options")
        s.check("the start menu's size", (600, 440), (menu.rect.w, menu.rect.h))
        s.screenshot("started with Qt's options")
    finally:
        run.kill()


@journey("start: no book in reach, started from a menu: a message box says so, right to left, in Persian and English")
def no_book(s):
    folder = os.path.join(s.desktop.workdir, "no-book")
    os.makedirs(folder, exist_ok=True)
    lone = os.path.join(folder, "ketab")
    shutil.copy2(s.program_path, lone)
    run = OtherRun(s, "no-book-run", lone).start()
    try:
        box = run.showing("alert", "the message that no book was found")
        text = box.description
        s.check_that("the message in Persian and English",
                     "كتاب پيدا نشد" in text and "The book was not found" in text, "both", text)
        said = box.find("label", where=lambda n: "The book was not found" in n.name)
        icon = box.find("image")
        s.check_that("the box laid out right to left: its icon right of its text",
                     said is not None and icon is not None and icon.rect.x >= said.rect.right,
                     "the icon right of the text", [str(n.rect) if n else None for n in (icon, said)])
        # The journeys' own program shows its start menu over the place the box takes.
        x = wait_until(lambda: next((w for w in xwin.windows(s.env, run.pid) if w.rect == box.rect), None), 10,
                       "the message's X window")
        subprocess.run(["xdotool", "windowactivate", "--sync", str(x.id)], env=s.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        s.screenshot("no book: the message")
        s.click(box.find("push button"))
        s.check("exit status after the message", 2, run.wait_exit(30))
    finally:
        run.kill()
