"""Processes the tests own: each in its own process group, which is all that
is ever signalled, and an X server on a display nobody else uses."""

import os
import signal
import subprocess
import time
from pathlib import Path


def wait_for(probe, seconds, step=0.1):
    """probe()'s first true answer within `seconds`, else None."""
    deadline = time.monotonic() + seconds
    while True:
        found = probe()
        if found or time.monotonic() > deadline:
            return found or None
        time.sleep(step)


class Owned:
    """A process started in a new session, so that its group is its own."""

    def __init__(self, args, log, env=None, cwd=None):
        self.name = Path(args[0]).name
        self.log = Path(log)
        with open(self.log, "wb") as out:
            self.proc = subprocess.Popen([str(a) for a in args], env=env, cwd=cwd, stdout=out,
                                         stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                         start_new_session=True)
        self.pid = self.proc.pid

    def output(self):
        return self.log.read_text(errors="replace")

    def running(self):
        return self.proc.poll() is None

    def group_alive(self):
        """Whether anything of its group still runs, the leader or what it started."""
        try:
            os.killpg(self.pid, 0)
        except ProcessLookupError:
            return False
        return self.running() or self._group_has_members()

    def _group_has_members(self):
        # A pid reused as another group's id is possible once ours is empty: look.
        for stat in Path("/proc").glob("[0-9]*/stat"):
            try:
                fields = stat.read_text().rsplit(")", 1)[1].split()
            except OSError:
                continue
            if int(fields[2]) == self.pid:
                return True
        return False

    def stop(self, sig=signal.SIGTERM, grace=5):
        """Signals its group, then kills what is left after `grace` seconds."""
        for s in (sig, signal.SIGKILL):
            try:
                os.killpg(self.pid, s)
            except ProcessLookupError:
                break
            try:
                self.proc.wait(grace)
            except subprocess.TimeoutExpired:
                continue
            if not self._group_has_members():
                break
        self.proc.wait()


def _answers(display):
    return subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=20).returncode == 0


def _free(n):
    return not (Path(f"/tmp/.X{n}-lock").exists() or Path(f"/tmp/.X11-unix/X{n}").exists()
                or _answers(f":{n}"))


def _ours(n, server):
    try:
        return int(Path(f"/tmp/.X{n}-lock").read_text().split()[0]) == server.pid
    except (OSError, ValueError, IndexError):
        return False


def start_xvfb(size, logs):
    """Xvfb on the first free display from one this process picks; retried past
    one that another run took meanwhile. Returns (Owned, ":n"). -noreset: the
    server would otherwise reset when the probe's connection closes, and a
    client that connects during the reset is refused."""
    first = 100 + os.getpid() % 700
    for n in range(first, first + 200):
        if not _free(n):
            continue
        server = Owned(["Xvfb", f":{n}", "-screen", "0", f"{size[0]}x{size[1]}x24", "-nolisten",
                        "tcp", "-noreset"], Path(logs) / f"xvfb-{n}.log")
        # The lock must be our server's before anything is sent to the display.
        if wait_for(lambda: not server.running() or (_ours(n, server) and _answers(f":{n}")), 20) \
                and server.running():
            return server, f":{n}"
        server.stop()
    raise RuntimeError("no free X display")
