"""Mouse and keyboard events, sent to the X server as a person's devices would send them."""

import subprocess


class Input:
    def __init__(self, env):
        self.env = env

    def _xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def move(self, x, y):
        self._xdotool("mousemove", "--sync", x, y)

    def click(self, x, y, button=1, repeat=1):
        # One xdotool for the move and the click: every process costs on a busy machine.
        self._xdotool("mousemove", "--sync", x, y, "click", "--repeat", repeat, "--delay", 80, button)

    def double_click(self, x, y):
        self.click(x, y, repeat=2)

    def press(self, x, y, button=1):
        self._xdotool("mousemove", "--sync", x, y, "mousedown", button)

    def release(self, button=1):
        self._xdotool("mouseup", button)

    def key(self, *keys):
        """Key chords in xdotool's names: "Return", "alt+space", "ctrl+a"."""
        self._xdotool("key", "--delay", 40, *keys)

    def type(self, text):
        """Types text key by key; characters outside the keyboard map are typed through
        a keysym the X server maps for the moment, as xdotool does."""
        self._xdotool("type", "--delay", 30, "--", text)
