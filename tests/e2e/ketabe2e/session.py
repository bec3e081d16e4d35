"""A run of journeys against one program on one desktop: steps with screenshots and
screen checks, checks that say what was expected and seen, and known defects."""

import contextlib
import os
import re
import subprocess
import time
import traceback

from . import tree, windows, xwin
from .desktop import Desktop
from .inputs import Input
from .program import Program
from .waits import CheckFailure, ProgramGone, wait_until, wait_for_value, DEFAULT_TIMEOUT

# How long a screen may take to settle before its faults count.
SETTLE_TIMEOUT = 5

_journeys = []


def journey(title):
    """Marks a function f(session) as a journey; a group's journeys run in file order.
    A journey starts on the start menu and leaves the program there."""
    def mark(fn):
        fn.journey_title = title
        _journeys.append(fn)
        return fn
    return mark


def journeys_of(module):
    return [fn for fn in _journeys if fn.__module__ == module.__name__]


def _slug(text):
    return re.sub(r"[^a-z0-9]+", "-", text.lower()).strip("-")[:40]


class Session:
    def __init__(self, group, program_path, out_dir, book_dir=None, program_args=(), scale=1):
        """scale: the program's scale factor (QT_SCALE_FACTOR) on a screen that many
        times larger each way."""
        self.group = group
        self.scale = scale
        self.program_path = program_path
        self.program_args = program_args
        self.book = book_dir or os.path.dirname(os.path.abspath(program_path))
        self.out = os.path.join(out_dir, group)
        os.makedirs(self.out, exist_ok=True)
        for old in os.listdir(self.out):
            if old.endswith(".png"):
                os.remove(os.path.join(self.out, old))
        self.desktop = None
        self.program = None
        self.input = None
        self.journey_title = ""
        self.step_number = 0
        self.last_screenshot = None
        self.results = []          # (journey title, "PASS" | "FAIL", detail)
        self.expected_failures = []  # (journey title, defect label)
        self._runs = 0

    # --- desktop and program -------------------------------------------------------
    @property
    def env(self):
        return self.desktop.env

    def start_program(self):
        if self.desktop is None:
            self.desktop = Desktop(scale=self.scale).__enter__()
            tree.set_scale(self.scale)
            self.input = Input(self.desktop.env)
        self._runs += 1
        workdir = os.path.join(self.desktop.workdir, f"run{self._runs}")
        os.makedirs(workdir, exist_ok=True)
        windows.forget_windows()
        self._controls = {}
        self.program = Program(self.desktop, self.program_path, workdir, self.program_args, self.book).start()
        return self.program

    def restart_program(self, wrapper=()):
        """Starts the program again once the last run has ended, on the same home folder,
        so it finds what it kept; wrapper is put before its command line."""
        workdir = self.program.workdir
        if self.program.running:
            self.program.kill()
        windows.forget_windows()
        self._controls = {}
        self.program = Program(self.desktop, self.program_path, workdir, self.program_args, self.book,
                               wrapper).start()
        return self.program

    @property
    def app(self):
        self.check_alive()
        if self.program is None or not self.program.running:
            raise CheckFailure("the program to run", "running",
                               f"not running; its last output:\n{self.program.tail_log() if self.program else ''}")
        return self.program.app

    def check_alive(self):
        """Fails the journey at once when the program has ended by itself."""
        if self.program is not None and self.program.died():
            raise ProgramGone("the program to keep running", "running", self.program.end_text())

    def _while_alive(self, probe):
        """probe, failing as soon as the program has ended by itself: a state it no
        longer shows is no answer when nothing shows any more."""
        def alive_probe():
            self.check_alive()
            return probe()
        return alive_probe

    def close(self):
        if self.program is not None:
            self.program.kill()
        if self.desktop is not None:
            self.desktop.__exit__(None, None, None)

    # --- running journeys ----------------------------------------------------------
    def run(self, fns):
        for fn in fns:
            self.journey_title = fn.journey_title
            if self.program is None or not self.program.running:
                if self.program is not None:
                    print("--- the program is started afresh: the last one has ended", flush=True)
                self.start_program()
            print(f"--- journey: {fn.journey_title}", flush=True)
            started = time.monotonic()
            try:
                fn(self)
            except CheckFailure as failure:
                self._fail(fn, str(failure))
            except Exception:
                self._fail(fn, "error in the journey itself:\n" + traceback.format_exc())
            else:
                if self.program is not None and self.program.died():
                    # The journey's last check passed, but the program is gone.
                    self._fail(fn, self.program.end_text())
                    continue
                self.results.append((fn.journey_title, "PASS", ""))
                print(f"PASS {fn.journey_title} ({time.monotonic() - started:.1f} s)", flush=True)
        passed = sum(1 for r in self.results if r[1] == "PASS")
        failed = len(self.results) - passed
        for title, label in sorted(set(self.expected_failures)):
            print(f"known defect seen: {label}  [journey: {title}]")
        print(f"{passed} passed, {failed} failed")
        return failed == 0

    def _fail(self, fn, text):
        if self.program is not None and self.program.died() and "ended by itself" not in text:
            text += "\n    and " + self.program.end_text()
        shot = self.screenshot("failure")
        print(f"FAIL {fn.journey_title}, after step {self.step_number}: {text}\n"
              f"    screenshot: {shot}\n    last step's screenshot: {self.last_screenshot}", flush=True)
        self.results.append((fn.journey_title, "FAIL", text))
        # The next journey starts from a fresh program.
        if self.program is not None:
            self.program.kill()

    # --- steps, screenshots and screen checks ---------------------------------------
    def screenshot(self, name):
        if self.desktop is None:
            return None
        path = os.path.join(self.out, f"{self.step_number:02d}-{_slug(self.journey_title)}-{_slug(name)}.png")
        subprocess.run(["import", "-silent", "-window", "root", path], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def step(self, name, picture=None, crop=None, known=(), moved=()):
        """A state reached: keeps a screenshot and checks every window that shows.
        picture names a copy kept under readme-pictures/ for the README, cut to crop's place.
        known lists known defects, (label, pattern), that this screen shows: as with
        known_defect, each must show, and the faults they explain are not failures.
        moved names the kinds of windows the reader has moved or sized since they opened:
        their place is the reader's, not the one they open at."""
        self.step_number += 1
        problems = self.settled_problems([pattern for _, pattern in known], moved)
        self.last_screenshot = self.screenshot(name)
        if picture:
            self.keep_picture(picture, crop)
        print(f"  step {self.step_number}: {name}", flush=True)
        for label, pattern in known:
            with self.known_defect(label, pattern):
                explained = [p for p in problems if re.search(pattern, p)]
                if explained:
                    raise CheckFailure(label, "", "", explained)
        problems = [p for p in problems if not any(re.search(pattern, p) for _, pattern in known)]
        if problems:
            raise CheckFailure(f"the screen at step {self.step_number} ({name}) breaks its rules",
                               "every control inside its window and at least 1 x 1; one title bar a "
                               "window; each window in its place; only the windows the protocol allows",
                               "\n      " + "\n      ".join(problems), problems)
        return self.last_screenshot

    def keep_picture(self, name, crop=None):
        folder = os.path.join(os.path.dirname(self.out), "readme-pictures")
        os.makedirs(folder, exist_ok=True)
        argv = ["convert", self.last_screenshot]
        if crop is not None:
            argv += ["-crop", str(crop.rect), "+repage"]
        subprocess.run(argv + [os.path.join(folder, name + ".png")], check=True)

    def settled_problems(self, explained=(), moved=(), timeout=SETTLE_TIMEOUT):
        """The screen's faults once it has settled: a window the window manager is still
        placing or framing, or a layout still being applied, is a moment, not a fault.
        Polls until no fault is left beyond those the patterns explain, or the time is up."""
        last = [[]]

        def probe():
            last[0] = self.screen_problems(moved)
            return not any(not any(re.search(p, fault) for p in explained) for fault in last[0])
        try:
            wait_until(probe, timeout, "the screen to settle")
        except ProgramGone:
            raise
        except CheckFailure:
            pass
        return last[0]

    def screen_problems(self, moved=()):
        shown = windows.showing_windows(self.app)
        xs = xwin.windows(self.env, self.program.pid)
        problems = windows.protocol_problems(shown)
        screen = tree.Rect(0, 0, *self.desktop.size)
        problems += windows.placement_problems(xs, [(k, n) for k, n in shown if k not in moved], screen)
        for key, node in shown:
            problems += windows.layout_problems(node, screen)
            problems += windows.title_bar_problems(xs, key, node)
        return problems

    # --- checks ---------------------------------------------------------------------
    def check(self, what, expected, seen):
        if expected != seen:
            raise CheckFailure(what, repr(expected), repr(seen))

    def check_that(self, what, condition, expected, seen):
        if not condition:
            raise CheckFailure(what, expected, seen)

    @contextlib.contextmanager
    def known_defect(self, label, match):
        """A check that fails for a known defect not yet mended. It counts as expected
        when every fault it reports matches the pattern; when the check passes, the run
        fails, so whoever mends the defect removes the marker."""
        try:
            yield
        except ProgramGone:
            raise
        except CheckFailure as failure:
            unexplained = [p for p in failure.problems if not re.search(match, p)]
            if unexplained:
                raise
            self.expected_failures.append((self.journey_title, label))
            print(f"  known defect seen: {label}", flush=True)
        else:
            raise CheckFailure(f"known defect '{label}' no longer shows",
                               "the defect, since it is marked as known",
                               "the check passes: remove its known_defect marker")

    # --- windows and controls ---------------------------------------------------------
    def window(self, key, timeout=DEFAULT_TIMEOUT):
        """Waits until the window of that kind shows, on the X server too (the tree
        says a window shows as soon as the program asks for it, before it is mapped
        and can take a click), and returns it."""
        def probe():
            for k, node in windows.showing_windows(self.app):
                if k == key and any(w.rect == node.rect for w in xwin.windows(self.env, self.program.pid)):
                    return node
            return None
        return wait_until(probe, timeout, f"the {key} window to show")

    def from_menu(self, button, key):
        """Clicks a start menu button and returns the window of that kind it opens."""
        self.click(self.control(self.window("menu"), "push button", button))
        return self.window(key)

    def dialog(self, timeout=DEFAULT_TIMEOUT):
        """Waits for a dialog of the platform (file, printer, message) and returns it."""
        def probe():
            for k, node in windows.showing_windows(self.app):
                if k is None and node.role in ("dialog", "alert", "frame", "filler", "window"):
                    return node
            return None
        return wait_until(probe, timeout, "a dialog to show")

    def file_dialog_choose(self, path):
        """Answers an open or save dialog with a file path typed into its name field."""
        dialog = self.dialog()
        field = wait_until(lambda: dialog.find("text", where=lambda n: "focused" in n.states),
                           DEFAULT_TIMEOUT, "the file dialog's name field to have the focus")
        self.type_into(field, path)
        self.key("Return")
        wait_until(lambda: not dialog.showing, DEFAULT_TIMEOUT, "the file dialog to close")

    def x_window(self, node):
        """The X window of an accessible top-level window (the same place on screen)."""
        return wait_until(lambda: next((w for w in xwin.windows(self.env, self.program.pid)
                                        if w.rect == node.rect), None),
                          DEFAULT_TIMEOUT, f"the X window of {node.name!r}")

    def activate(self, key):
        """Brings a window of the program to the front through the window manager, as a
        reader does from a task bar."""
        x = self.x_window(self.window(key))
        subprocess.run(["xdotool", "windowactivate", "--sync", str(x.id)], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        wait_until(lambda: xwin.active_window(self.env) == x.id, DEFAULT_TIMEOUT,
                   f"the {key} window to be active")

    def topmost(self, keys):
        """Which of the showing windows of these kinds the window manager stacks highest."""
        order = xwin.stacking(self.env)
        shown = [(k, self.x_window(n).id) for k, n in windows.showing_windows(self.app) if k in keys]
        shown.sort(key=lambda kx: order.index(kx[1]) if kx[1] in order else -1)
        return shown[-1][0] if shown else None

    def wait_hidden(self, key, timeout=DEFAULT_TIMEOUT):
        wait_until(lambda: all(k != key for k, _ in windows.showing_windows(self.app)),
                   timeout, f"the {key} window to hide")

    def showing_keys(self):
        return sorted(k or "?" for k, _ in windows.showing_windows(self.app))

    def control(self, within, role, name, timeout=DEFAULT_TIMEOUT):
        """Waits until a control of that role and name is on screen in the window.
        Controls live as long as the program, so each is looked up in the tree once."""
        key = (within.acc.path, role, name)

        def probe():
            node = self._controls.get(key)
            if node is None or (name is not None and node.name != name):
                node = within.find(role, name)
                if node is None:
                    return None
                self._controls[key] = node
            return node if node.on_screen else None
        return wait_until(probe, timeout, f"a {role} {name!r} on screen in {within.name!r}")

    def popup(self, timeout=DEFAULT_TIMEOUT):
        """Waits for a pop-up menu to show and returns its place. Pop-up menus are not in
        the accessibility tree; a reader picks their items with the arrow keys."""
        return wait_until(lambda: xwin.popups(self.env, self.program.pid), timeout,
                          "a pop-up menu to show")[0].rect

    def pick_from_popup(self, position):
        """Picks the item at 1-based position of the pop-up menu that shows."""
        self.popup()
        self.key(*["Down"] * position, "Return")
        wait_until(lambda: not xwin.popups(self.env, self.program.pid), DEFAULT_TIMEOUT,
                   "the pop-up menu to close")

    def after_change(self, read, before, what, timeout=DEFAULT_TIMEOUT):
        """Waits until read() gives something other than before and returns it: a
        control that one handler sets at once has no state in between to wait out."""
        return wait_until(lambda: (lambda v: (v,) if v != before else None)(read()),
                          timeout, f"{what} to change from {before!r}")[0]

    def grab(self, rect):
        """The pixels of a place on the screen, as raw bytes."""
        return subprocess.run(["import", "-silent", "-window", "root", "-crop", str(rect), "rgb:-"],
                              env=self.env, capture_output=True).stdout

    def wait_repainted(self, rect, before, what, timeout=DEFAULT_TIMEOUT):
        """Waits until a place on the screen shows something other than each picture in
        before and then holds still: what a reader takes for "the page has come"."""
        before = before if isinstance(before, list) else [before]
        last = [None]

        def probe():
            now = self.grab(rect)
            settled = now not in before and now == last[0]
            last[0] = now
            return settled
        wait_until(probe, timeout, what, interval=0.4)

    def appears(self, probe, seconds):
        """Watches for something that should not happen, for a bounded time: True as
        soon as probe() holds, False when it never did."""
        try:
            wait_until(self._while_alive(probe), seconds, "an observation")
        except ProgramGone:
            raise
        except CheckFailure:
            # Not seen: so long as the program still runs to show it.
            self.check_alive()
            return False
        return True

    def wait(self, probe, what, timeout=DEFAULT_TIMEOUT):
        return wait_until(self._while_alive(probe), timeout, what)

    def wait_value(self, read, expected, what, timeout=DEFAULT_TIMEOUT):
        return wait_for_value(self._while_alive(read), expected, timeout, what)

    # --- input ----------------------------------------------------------------------
    def click(self, node, button=1):
        self.input.click(*node.rect.center, button=button)

    def double_click(self, node):
        self.input.double_click(*node.rect.center)

    def key(self, *keys):
        self.input.key(*keys)

    def type(self, text):
        """Types text into the edit that has the focus (see type_into for text beyond
        the keyboard map)."""
        if text.isascii():
            self.input.type(text)
            return
        focused = wait_until(lambda: next((n.find("text", where=lambda t: "focused" in t.states)
                                           for _, n in windows.showing_windows(self.app)
                                           if n.find("text", where=lambda t: "focused" in t.states)), None),
                             DEFAULT_TIMEOUT, "an edit with the focus")
        editable = focused.acc.queryEditableText()
        editable.insertText(focused.acc.queryText().caretOffset, text, len(text))

    def type_into(self, field, text):
        """Replaces an edit's text and checks what it holds. Keys type what the keyboard
        map has; text beyond it (Persian) goes in through the edit's accessible text
        interface, as an on-screen keyboard would put it: characters typed through keys
        the X server maps for the moment can reach the program before its new map."""
        self.click(field)
        self.key("ctrl+a", "BackSpace")
        if text.isascii():
            self.type(text)
        else:
            field.acc.queryEditableText().setTextContents(text)
        return wait_for_value(lambda: field.text, text, 5, "the text put into an edit")
