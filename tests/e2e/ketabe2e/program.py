"""The program under test, started as a reader starts it: from its book folder, in a
process of its own, on the suite's desktop."""

import os
import subprocess

from . import tree

# What the program needs when run as root, as CI runs it; the same flags the unit tests use.
ENGINE_ENV = {
    "QTWEBENGINE_DISABLE_SANDBOX": "1",
    "QTWEBENGINE_CHROMIUM_FLAGS": "--no-sandbox --disable-gpu --disable-background-networking",
}


def _children(pid):
    """Direct child processes of pid."""
    out = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    fields = f.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            if int(fields[1]) == pid:
                out.append(int(entry))
    return out


def descendants(pid):
    out, todo = [], [pid]
    while todo:
        for child in _children(todo.pop()):
            out.append(child)
            todo.append(child)
    return out


def alive(pid):
    """True while pid runs (a zombie, dead but not yet reaped, does not count)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


class Program:
    """One run of the program. home is its private home folder (fonts, settings), run
    its private runtime folder, where it keeps its temporary folder."""

    def __init__(self, desktop, path, workdir, args=(), book=None, wrapper=()):
        self.path = os.path.abspath(path)
        self.args = list(args)
        self.wrapper = list(wrapper)
        self.book = book or os.path.dirname(self.path)
        self.workdir = workdir
        self.desktop = desktop
        self.home = os.path.join(workdir, "home")
        self.runtime = os.path.join(workdir, "run")
        self.recorder_log = os.path.join(workdir, "opened-addresses.txt")
        self.log = os.path.join(workdir, "program.log")
        self.proc = None
        self._app = None
        # Set once a journey waits for the program to end (its own Exit): only then is
        # its end expected.
        self.exit_expected = False
        for folder in (self.home, self.runtime):
            os.makedirs(folder, mode=0o700, exist_ok=True)
        # Stands in for the web browser and mail program: notes each address it is given.
        self.recorder = os.path.join(workdir, "open-address")
        with open(self.recorder, "w") as f:
            f.write(f"#!/bin/sh\nprintf '%s\\n' \"$1\" >> '{self.recorder_log}'\n")
        os.chmod(self.recorder, 0o755)

    def env(self):
        env = dict(self.desktop.env)
        env.update(ENGINE_ENV)
        env.update({
            "HOME": self.home,
            "XDG_RUNTIME_DIR": self.runtime,
            "XDG_DATA_HOME": os.path.join(self.home, ".local/share"),
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_STATE_HOME": os.path.join(self.home, ".local/state"),
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "XAUDIO_OUTPUT": "silent",
            "LC_ALL": "C.UTF-8",
            # The desktop's opener hands web and mail addresses to this browser.
            "BROWSER": self.recorder,
        })
        if self.desktop.scale != 1:
            env["QT_SCALE_FACTOR"] = str(self.desktop.scale)
        return env

    def start(self):
        with open(self.log, "ab") as log:
            self.proc = subprocess.Popen([*self.wrapper, self.path, *self.args], cwd=self.book,
                                         env=self.env(), stdin=subprocess.DEVNULL,
                                         stdout=log, stderr=subprocess.STDOUT)
        self._app = None
        return self

    @property
    def pid(self):
        return self.proc.pid

    @property
    def running(self):
        return self.proc is not None and self.proc.poll() is None

    @property
    def app(self):
        """The program's accessible application (waits until it is on the bus)."""
        if self._app is None:
            self._app = tree.application(self.pid)
        return self._app

    def opened_addresses(self):
        """The addresses the program asked the desktop to open, in order."""
        try:
            with open(self.recorder_log, encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def temp_folder(self):
        """The program's private temporary folder, where it writes found.htm and print.htm."""
        return os.path.join(self.runtime, "ketab")

    def wait_exit(self, timeout=30):
        self.exit_expected = True
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.proc is None:
            return
        self.exit_expected = True
        helpers = descendants(self.proc.pid)
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(10)
        for pid in helpers:
            if alive(pid):
                try:
                    os.kill(pid, 9)
                except ProcessLookupError:
                    pass

    def died(self):
        """True when the program has ended by itself, other than through its own Exit."""
        return self.proc is not None and self.proc.poll() is not None and not self.exit_expected

    def end_text(self):
        """How the program ended, and its last output."""
        code = self.proc.poll()
        how = f"killed by signal {-code}" if code < 0 else f"exit status {code}"
        return f"the program ended by itself ({how}); its last output:\n{self.tail_log()}"

    def tail_log(self, lines=20):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as f:
                return "".join(f.readlines()[-lines:])
        except OSError:
            return ""
