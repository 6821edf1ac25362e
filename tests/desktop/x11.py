"""An X display's windows as the tests see and drive them, through xdotool
and xwininfo."""

import re
import subprocess

from servers import wait_for


class X:
    def __init__(self, display, env):
        self.display = display
        self.env = dict(env, DISPLAY=display)

    def run(self, *args, check=True):
        return subprocess.run(args, env=self.env, capture_output=True, text=True, check=check,
                              timeout=30).stdout

    def windows(self, title):
        """The visible windows titled exactly `title`. A window destroyed while
        xdotool walks the tree ends its search with an X error and no answer:
        that search is asked again."""
        for _ in range(10):
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                    f"^{re.escape(title)}$"], env=self.env, capture_output=True,
                                   text=True, timeout=30)
            if "X Error" not in found.stderr:
                break
        return found.stdout.split()

    def window(self, title, seconds=20, other=None):
        """The visible window titled exactly `title` other than `other`."""
        def probe():
            ids = [i for i in self.windows(title) if i != other]
            return ids[-1] if ids else None
        found = wait_for(probe, seconds, 0.2)
        assert found, f"no window {title!r} within {seconds} s"
        return found

    def area(self, window):
        """The client area on the screen: x, y, width, height. (xdotool's own
        place is off by the frame under a window manager.)"""
        info = self.run("xwininfo", "-id", window)
        return tuple(int(re.search(rf"{k}:\s*(-?\d+)", info).group(1)) for k in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def click(self, window, control, scale):
        x, y, _, _ = self.area(window)
        px, py = control.point
        self.run("xdotool", "mousemove", str(x + px * scale), str(y + py * scale), "click", "1")

    def key(self, window, key):
        self.run("xdotool", "windowfocus", "--sync", window, "key", key)

    def close(self, window):
        """As another client closes it."""
        self.run("xdotool", "windowclose", window)

    def succeeds(self, *args):
        return subprocess.run(args, env=self.env, capture_output=True, timeout=30).returncode == 0

    def alt_f4(self, window):
        """As a desktop's user closes it, through the window manager. Under
        load openbox was seen to miss the keys just after it activated the
        window, which then got a plain Alt+F4 key press; as a person would,
        it is pressed again on a window that stays."""
        for _ in range(2):
            if not self.succeeds("xdotool", "windowactivate", "--sync", window):
                self.run("xdotool", "windowfocus", "--sync", window)
            self.run("xdotool", "key", "--clearmodifiers", "alt+F4")
            if self.gone(window, 5):
                return

    def gone(self, window, seconds=10):
        return wait_for(lambda: not self.succeeds("xdotool", "getwindowname", window), seconds)
