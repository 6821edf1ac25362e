#!/usr/bin/python3
"""Both programs as a screen reader's tools see them, through the desktop's
accessibility bus: no nameless fillers, group names without trailing colons
or blanks, no shadow title, the clock's tool tips as its descriptions (and
announced as they change), each difficulty described by the text shown for
it, the buttons pressed and the difficulty chosen through the Action
interface, the about box opened and closed by its buttons. Prints every
window's tree. Run by scripts/smoke_atspi.sh.
    smoke_atspi.py BUILD_FOLDER LOG_FOLDER"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

build, logs = sys.argv[1], sys.argv[2]
checked_events = []
description_events = []


def fail(message):
    print(f"smoke_atspi: {message}", file=sys.stderr)
    sys.exit(1)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait(what, probe, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    fail(f"no {what} within {seconds} s")


def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c]


def application(command):
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app.name == command:
            return app
    return None


def find_all(node, role, match):
    found = [node] if node.getRole() == role and match(node) else []
    for c in children(node):
        found += find_all(c, role, match)
    return found


def find(node, role, name):
    return next(iter(find_all(node, role, lambda n: n.name == name)), None)


def window_with(app, role, name):
    for w in children(app):
        if find(w, role, name):
            return w
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def describe(node, depth=0, lines=None):
    lines = [] if lines is None else lines
    if node.getRole() == pyatspi.ROLE_FILLER and not node.name:
        fail(f"a nameless filler in {lines[0] if lines else 'a window'}")
    if node.getRole() == pyatspi.ROLE_PANEL and node.name != node.name.rstrip(" :"):
        fail(f"the group {node.name!r} is read with its colon or blank")
    hidden = "" if showing(node) else "  (hidden)"
    described = f" ({node.description!r})" if node.description else ""
    lines.append(f"{'  ' * depth}{node.getRoleName()}: {node.name!r}{described}{hidden}")
    for c in children(node):
        describe(c, depth + 1, lines)
    return lines


def show_tree(title, window):
    print(f"--- {title}")
    print("\n".join(describe(window)), flush=True)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f"{node.name!r} has no Press action, only {names}")
    action.doAction(names.index("Press"))


def choose_hard(app, window):
    hard = find(window, pyatspi.ROLE_RADIO_BUTTON, "Ťažká")
    if not hard or hard.getState().contains(pyatspi.STATE_CHECKED):
        fail("no unchecked radio button 'Ťažká'")
    checked_events.clear()
    press(hard)
    wait("checked 'Ťažká'", lambda: hard.getState().contains(pyatspi.STATE_CHECKED))
    wait("announcement of the checked state",
         lambda: any(e.source.name == "Ťažká" and e.detail1 == 1 for e in checked_events), 5)
    for other in ("Ľahká", "Stredná"):
        if find(window, pyatspi.ROLE_RADIO_BUTTON, other).getState().contains(
                pyatspi.STATE_CHECKED):
            fail(f"'{other}' is still checked")
    return hard


# The time and the date, each described by its tool tip, announced at each tick.
def clock(window):
    for prefix in ("Prestný čas: ", "Dnes je: "):
        wait(f"a label described as {prefix!r} and its text", lambda: find_all(
            window, pyatspi.ROLE_LABEL, lambda n: n.name and n.description == prefix + n.name))
    description_events.clear()
    wait("a new description of the time announced", lambda: any(
        e.source.description.startswith("Prestný čas: ") for e in description_events), 5)


def difficulty_caption(window):
    for label in (n for n in children(window) if n.getRole() == pyatspi.ROLE_LABEL):
        # nebulor's layout writes it "Otiažnosť: "
        if label.name.startswith(("Obtiažnosť: ", "Otiažnosť: ")) and showing(label):
            return label.name
    return None


def about_box(app, opener):
    press(opener)
    box = wait("about box", lambda: window_with(app, pyatspi.ROLE_PUSH_BUTTON, "System Info"))
    if box.getRole() != pyatspi.ROLE_DIALOG or box.name != "About":
        fail(f"the about box is a {box.getRoleName()} named {box.name!r}")
    show_tree("about box", box)
    press(find(box, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    wait("about box closed",
         lambda: not window_with(app, pyatspi.ROLE_PUSH_BUTTON, "System Info"))


def close_window(name):
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"],
                         capture_output=True, text=True).stdout.split()
    if not ids:
        fail(f"no X window '{name}'")
    subprocess.run(["xdotool", "windowclose", ids[-1]], check=True)


def start(command):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    log = open(os.path.join(logs, f"{command}.log"), "w")
    process = subprocess.Popen([os.path.join(build, command, command)], env=env, stdout=log,
                               stderr=subprocess.STDOUT)
    app = wait(f"{command} on the accessibility bus", lambda: application(command))
    return process, app


def splash(app, name):
    window = wait("splash window", lambda: next(iter(children(app)), None))
    if window.getRole() != pyatspi.ROLE_FRAME or window.name != name:
        fail(f"the splash is a {window.getRoleName()} named {window.name!r}")
    show_tree("splash", window)


def finish(process, command):
    try:
        status = process.wait(30)
    except subprocess.TimeoutExpired:
        process.kill()
        fail(f"{command} did not end")
    with open(os.path.join(logs, f"{command}.log")) as log:
        text = log.read()
    if status != 0 or "Sanitizer" in text or "runtime error" in text:
        print(text, file=sys.stderr)
        fail(f"{command} ended with status {status}")
    print(f"smoke_atspi: {command} pressed through and ended cleanly", flush=True)


# The splash, then the window after it: its tree, the difficulty and the about box.
def first_screen(command, title, screen, button):
    process, app = start(command)
    splash(app, title)
    window = wait(screen, lambda: window_with(app, pyatspi.ROLE_PUSH_BUTTON, button))
    if window.getRole() != pyatspi.ROLE_FRAME or window.name != title:
        fail(f"the {screen} is a {window.getRoleName()} named {window.name!r}")
    show_tree(screen, window)
    hard = choose_hard(app, window)
    about_box(app, find(window, pyatspi.ROLE_PUSH_BUTTON, "About"))
    return process, app, window, hard


def nebulor():
    process, app, menu, _ = first_screen("nebulor", "Nebulor", "menu", "Nová hra")
    titles = find_all(menu, pyatspi.ROLE_LABEL, lambda n: n.name == "Nebulor")
    if len(titles) != 1:
        fail(f"the menu has {len(titles)} titles 'Nebulor', not one")
    clock(menu)
    press(find(menu, pyatspi.ROLE_PUSH_BUTTON, "Nová hra"))
    game = wait("game window", lambda: window_with(app, pyatspi.ROLE_IMAGE, "ufo"))
    caption = wait("difficulty caption", lambda: difficulty_caption(game))
    if "ťažk" not in caption:
        fail(f"the game shows {caption!r}")
    show_tree("game", game)
    close_window("Nebulor")  # the menu comes back
    menu = wait("menu again", lambda: window_with(app, pyatspi.ROLE_PUSH_BUTTON, "Koniec"))
    press(find(menu, pyatspi.ROLE_PUSH_BUTTON, "Koniec"))
    finish(process, "nebulor")


def quorrel():
    process, app, game, hard = first_screen("quorrel", "Quorrel", "options screen", "Štart")
    # What a screen reader reads with the option is what the screen now shows.
    wait("'Ťažká' described by the text shown for it", lambda: [
        n.name for n in find_all(game, pyatspi.ROLE_LABEL, showing) if n.name.startswith("Mimozem")
    ] == [hard.description] and hard.description.startswith("Mimozemšťan iba"), 5)
    start_button = find(game, pyatspi.ROLE_PUSH_BUTTON, "Štart")
    press(start_button)
    caption = wait("playing screen", lambda: not showing(start_button) and difficulty_caption(game))
    if "ťažk" not in caption:
        fail(f"the playing screen shows {caption!r}")
    show_tree("playing screen", game)
    close_window("Quorrel")
    finish(process, "quorrel")


pyatspi.Registry.registerEventListener(checked_events.append, "object:state-changed:checked")
pyatspi.Registry.registerEventListener(description_events.append,
                                       "object:property-change:accessible-description")
nebulor()
quorrel()
