"""A Wayland compositor in an X window, watched through screenshots of it."""

import shutil
import subprocess
import time

import screen
from servers import Owned, wait_for


class Compositor:
    def __init__(self, x, shell, scale, folder, shots=None):
        self.x, self.scale, self.folder, self.shots = x, scale, folder, shots
        runtime = folder / "run"
        runtime.mkdir(mode=0o700, exist_ok=True)
        # No fallback to X: DISPLAY is set. Mesa's EGL driver, which Qt sets up
        # for window decorations, is unloaded before the leak report: only a
        # full unwind reaches a library that the suppressions can name.
        self.env = dict(DISPLAY=x.display, XDG_RUNTIME_DIR=str(runtime),
                        WAYLAND_DISPLAY="smoke-wayland", QT_QPA_PLATFORM="wayland",
                        ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0")
        # Windows show and go at once: no frames where both are fading.
        config = folder / "weston.ini"
        config.write_text("[shell]\nanimation=none\nclose-animation=none\n"
                          "startup-animation=none\nfocus-animation=none\n")
        self.weston = Owned(["weston", "--backend=x11-backend.so", f"--shell={shell}",
                             f"--config={config}",
                             "--socket=smoke-wayland", "--width=1024", "--height=768",
                             f"--scale={scale}", "--idle-time=0", "--debug"],
                            folder / "weston.log", dict(x.env, XDG_RUNTIME_DIR=str(runtime)))
        self.window = wait_for(lambda: (runtime / "smoke-wayland").exists() and self._window(), 10)
        assert self.window, f"weston did not start:\n{self.weston.output()}"
        _, _, w, h = x.area(self.window)
        self.size = (w, h)
        assert (w, h) == (1024 * scale, 768 * scale), f"weston's output is {w}x{h} at scale {scale}"
        # The pointer must enter the new window for weston to follow it.
        x.run("xdotool", "mousemove", str(w + 20), str(h + 20))
        time.sleep(0.2)
        x.run("xdotool", "mousemove", str(w // 2), str(h // 2))
        self.last = None  # the screenshot until_seen last saw its answer in
        self.empty = self.still()  # the shell's own clients have drawn

    def still(self, seconds=30):
        """A screenshot that half a second more has not changed."""
        previous = None
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            shot = self.shot()
            if previous and shot.rgb == previous.rgb:
                return shot
            previous = shot
            time.sleep(0.5)
        raise AssertionError(f"the compositor's screen still changes after {seconds} s")

    def _window(self):
        found = self.x.run("xdotool", "search", "--class", "Weston Compositor", check=False).split()
        return found[0] if found else None

    def stop(self):
        self.weston.stop()

    def shot(self):
        return screen.grab(self.x.display, self.window, *self.size)

    def until_seen(self, look, seconds, before=None, ref=None, steady=0.0, skip=None):
        """Waits until look(shot[, ref], scale) answers something other than
        `before` and that skip() does not refuse, the same twice running and
        for `steady` seconds (windows hand over through frames that show both)."""
        deadline, previous, since = time.monotonic() + seconds, None, 0.0
        while time.monotonic() < deadline:
            shot = self.shot()
            seen = look(shot, ref, self.scale) if ref else look(shot, self.scale)
            if seen != previous:
                previous, since = seen, time.monotonic()
            elif seen and seen != before and not (skip and skip(seen)) and \
                    time.monotonic() - since >= steady:
                self.last = shot
                return seen
            time.sleep(0.3)
        stuck = shot.save(self.folder / "stuck.ppm")
        raise AssertionError(f"nothing new ({look.__name__}) within {seconds} s; the screen is "
                             f"in {stuck}")

    def move(self, x, y):
        self.x.run("xdotool", "mousemove", str(x), str(y))

    def click_at(self, x, y):
        self.move(x, y)
        time.sleep(0.2)
        self.x.run("xdotool", "click", "1")

    def click(self, frame, control):
        """Clicks control of the window whose client area is `frame`."""
        px, py = control.point
        self.click_at(frame[0] + px * self.scale, frame[1] + py * self.scale)

    def key(self, key):
        self.x.run("xdotool", "key", key)

    def keep(self, name):
        """With --shots, the compositor's own screenshot there as name.png."""
        if not self.shots:
            return
        self.shots.mkdir(parents=True, exist_ok=True)
        for old in self.folder.glob("wayland-screenshot*.png"):
            old.unlink()
        subprocess.run(["weston-screenshooter"], cwd=self.folder, env=dict(self.x.env, **self.env),
                       capture_output=True, timeout=30)
        taken = sorted(self.folder.glob("wayland-screenshot*.png"))
        if taken:
            shutil.move(taken[-1], self.shots / f"{name}.png")
        else:
            self.x.run("import", "-silent", "-window", self.window, str(self.shots / f"{name}.png"))
