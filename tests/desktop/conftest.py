"""Fixtures: free X displays, a window manager, a Wayland compositor, the
accessibility bus, and the programs, each started and ended by its own id."""

import os
import re
import subprocess
from pathlib import Path

import pytest

from servers import Owned, start_xvfb, wait_for
from weston import Compositor
from x11 import X

SOURCE = Path(__file__).resolve().parents[2]
SANITIZER = re.compile(r"Sanitizer|runtime error")
# What the programs see of the caller's environment: never its display,
# platform or scale.
BASE_ENV = {k: v for k, v in os.environ.items() if k not in
            {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR",
             "XDG_SESSION_TYPE", "DBUS_SESSION_BUS_ADDRESS"}}
# No session bus but one a test starts: one autolaunched for a display would
# outlive the program.
BASE_ENV.update(DBUS_SESSION_BUS_ADDRESS="disabled:",
                ASAN_OPTIONS="halt_on_error=1:detect_leaks=1",
                LSAN_OPTIONS=f"suppressions={SOURCE}/scripts/lsan.supp:print_suppressions=0",
                UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1")


def pytest_addoption(parser):
    parser.addoption("--build-dir", default="build-sanitize",
                     help="the build folder whose programs run (default: build-sanitize, "
                          "from the current folder or else the source root)")
    parser.addoption("--shots", help="keep the compositor's screenshots in this folder")


@pytest.fixture(scope="session")
def build_dir(pytestconfig):
    given = Path(pytestconfig.getoption("--build-dir"))
    folder = given if given.is_absolute() or given.exists() else SOURCE / given
    for name in ("nebulor", "quorrel"):
        if not os.access(folder / name / name, os.X_OK):
            pytest.fail(f"no {folder / name / name}: build it first")
    return folder.resolve()


class Program(Owned):
    def finish(self, seconds=30, bad=None):
        """Waits for the end: status 0, no sanitizer report, and no line that
        matches `bad` (case-insensitive)."""
        try:
            status = self.proc.wait(seconds)
        except subprocess.TimeoutExpired:
            self.stop()
            pytest.fail(f"{self.name} did not end within {seconds} s:\n{self.output()}")
        text = self.output()
        assert status == 0 and not SANITIZER.search(text) and not (
            bad and re.search(bad, text, re.IGNORECASE)), \
            f"{self.name} ended with status {status}:\n{text}"

    def terminate(self):
        """Ends it with SIGTERM: only a sanitizer report fails."""
        self.stop()
        assert not SANITIZER.search(self.output()), self.output()


@pytest.fixture
def launch(build_dir, tmp_path):
    """Starts a program of the build; one still running, or that left anything
    of its own running, at the end fails the test."""
    started = []

    runtime = tmp_path / "run"
    runtime.mkdir(mode=0o700, exist_ok=True)

    def start(name, *args, env, cwd=None):
        log = tmp_path / f"{name}-{len(started)}.log"
        env = {**BASE_ENV, "XDG_RUNTIME_DIR": str(runtime), **env}
        program = Program([build_dir / name / name, *args], log, env, cwd)
        started.append(program)
        return program

    yield start
    left = [p for p in started if p.group_alive()]
    for p in left:
        p.stop(grace=2)
    if left:
        pytest.fail(f"left running: {', '.join(p.name for p in left)}")


@pytest.fixture
def x_servers(tmp_path):
    """Starts X servers of a size, each on a display nobody else uses."""
    servers = []

    def start(size=(1280, 1024)):
        server, display = start_xvfb(size, tmp_path)
        servers.append(server)
        return X(display, BASE_ENV)

    yield start
    for s in reversed(servers):
        s.stop()


@pytest.fixture
def x(x_servers):
    return x_servers()


@pytest.fixture
def openbox(x, tmp_path):
    wm = Owned(["openbox"], tmp_path / "openbox.log", x.env)
    managed = wait_for(lambda: "window id" in x.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK",
                                                    check=False), 10)
    assert managed, f"openbox did not start:\n{wm.output()}"
    yield x
    wm.stop()


@pytest.fixture
def weston(request, x_servers, tmp_path, pytestconfig):
    """weston on its X11 backend inside Xvfb, so that xdotool's input reaches
    it; request.param is (shell, output scale)."""
    shell, scale = request.param
    shots = pytestconfig.getoption("--shots")
    compositor = Compositor(x_servers((2200, 1700)), shell, scale, tmp_path,
                            Path(shots) if shots else None)
    yield compositor
    compositor.stop()


class Accessibility:
    """A session bus that starts the accessibility bus and its registry on
    demand, on an X server of its own; pyatspi is this process's client."""

    def __init__(self, x, folder):
        self.x = x
        runtime = folder / "run"
        runtime.mkdir(mode=0o700)
        address = f"unix:path={folder}/bus"
        self.env = dict(DISPLAY=x.display, XDG_RUNTIME_DIR=str(runtime),
                        DBUS_SESSION_BUS_ADDRESS=address)
        self.bus = Owned(["dbus-daemon", "--session", "--nofork", f"--address={address}"],
                         folder / "dbus.log", dict(BASE_ENV, **self.env))
        assert wait_for(lambda: (folder / "bus").exists(), 10), self.bus.output()
        # The client itself is no accessible application.
        os.environ.update(self.env, NO_AT_BRIDGE="1")
        import pyatspi  # reads the bus's address as it loads
        self.pyatspi = pyatspi
        self.checked, self.described, self.shown = [], [], []
        pyatspi.Registry.registerEventListener(self.checked.append,
                                               "object:state-changed:checked")
        pyatspi.Registry.registerEventListener(self.described.append,
                                               "object:property-change:accessible-description")
        pyatspi.Registry.registerEventListener(self.shown.append, "object:state-changed:showing")


@pytest.fixture(scope="session")
def accessibility(tmp_path_factory):
    folder = tmp_path_factory.mktemp("atspi")
    server, display = start_xvfb((1280, 1024), folder)
    bus = Accessibility(X(display, BASE_ENV), folder)
    yield bus
    bus.bus.stop()
    server.stop()
