"""A private desktop: a virtual X display, a window manager, a session bus and the
accessibility bus, started and stopped together."""

import os
import random
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

from .waits import wait_until

# The screen at 100 %; a desktop at a larger scale has as many more pixels each way, so
# the program has the same room in its own (device-independent) pixels.
SCREEN = (1280, 800)


def _start(argv, env, **kw):
    # Each helper gets its own session so that stopping it reaches what it spawned.
    return subprocess.Popen(argv, env=env, start_new_session=True,
                            stdin=subprocess.DEVNULL, **kw)


def _stop(proc, timeout=5):
    if proc is None or proc.poll() is not None:
        return
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        proc.wait(timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait(timeout)


def _read_line(fd, timeout):
    # Xvfb writes the number and its newline separately and dies if the pipe is gone
    # before the newline, so read up to the newline before closing.
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            break
        chunk = os.read(fd, 64)
        if not chunk:
            break
        data += chunk
    return data.decode().strip()


class Desktop:
    """Xvfb on a free display, openbox, a session D-Bus and the accessibility bus.

    Use as a context manager; `env` is what a program needs to live on this desktop.
    The accessibility library binds to the first buses it meets, so a process holds
    one desktop in its life."""

    def __init__(self, workdir=None, scale=1):
        self.workdir = workdir or tempfile.mkdtemp(prefix="ketab-e2e-")
        self.scale = scale
        self.size = (SCREEN[0] * scale, SCREEN[1] * scale)
        self.env = None
        self.display = None
        self._procs = []

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                            "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "XAUTHORITY")}
        env["DISPLAY"] = self._start_xvfb(env)
        env["DBUS_SESSION_BUS_ADDRESS"] = self._start_session_bus(env)
        self._start_accessibility_bus(env)
        self._start_window_manager(env)
        self.env = env
        # This process reads the tree over these buses too.
        for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
            os.environ[key] = env[key]

    def _start_xvfb(self, env):
        # Xvfb names the display it took through -displayfd once it accepts clients. A
        # random number well above the usual ones keeps clear of other desktops here.
        log = open(os.path.join(self.workdir, "xvfb.log"), "ab")
        for _ in range(20):
            number = random.randint(100, 899)
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            r, w = os.pipe()
            proc = _start(["Xvfb", f":{number}", "-displayfd", str(w), "-screen", "0",
                           f"{self.size[0]}x{self.size[1]}x24", "-nolisten", "tcp", "-noreset"],
                          env, pass_fds=(w,), stdout=log, stderr=log)
            os.close(w)
            answer = _read_line(r, 30)
            os.close(r)
            display = ":" + answer
            if answer and subprocess.run(["xprop", "-root", "-display", display, "_NET_CLIENT_LIST"],
                                         capture_output=True).returncode == 0:
                self._procs.append(proc)
                self.display = display
                return display
            _stop(proc)
        log.close()
        with open(os.path.join(self.workdir, "xvfb.log"), encoding="utf-8", errors="replace") as f:
            raise RuntimeError("no free X display for Xvfb; its log ends:\n" + f.read()[-1500:])

    def _start_session_bus(self, env):
        proc = _start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env,
                      stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self._procs.append(proc)
        address = proc.stdout.readline().strip()
        if not address:
            raise RuntimeError("the session bus did not start")
        return address

    def _start_accessibility_bus(self, env):
        # The registry daemon is activated on the accessibility bus when first asked.
        self._procs.append(_start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                  env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

        def up():
            return subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                   "/org/a11y/bus", "org.a11y.Bus.GetAddress"], env=env,
                                  capture_output=True, text=True).stdout.count("unix:") > 0
        wait_until(up, 30, "the accessibility bus")

    def _start_window_manager(self, env):
        # The stock configuration without its key bindings: the desktop would otherwise
        # take keys such as Alt+Space before the program sees them.
        with open("/etc/xdg/openbox/rc.xml", encoding="utf-8") as f:
            stock = f.read()
        config = os.path.join(self.workdir, "openbox-rc.xml")
        with open(config, "w", encoding="utf-8") as f:
            f.write(re.sub(r"<keyboard>.*</keyboard>", "<keyboard></keyboard>", stock, flags=re.S))
        with open(os.path.join(self.workdir, "openbox.log"), "ab") as log:
            wm = _start(["openbox", "--sm-disable", "--config-file", config], env,
                        stdout=log, stderr=log)
        self._procs.append(wm)

        def managed():
            out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                                 capture_output=True, text=True).stdout
            if wm.poll() is not None:
                with open(os.path.join(self.workdir, "openbox.log"), encoding="utf-8", errors="replace") as f:
                    raise RuntimeError("openbox ended at once: " + f.read())
            return "window id" in out
        wait_until(managed, 60, "the window manager to manage the display")

    def stop(self):
        for proc in reversed(self._procs):
            _stop(proc)
        self._procs = []
        shutil.rmtree(self.workdir, ignore_errors=True)
