"""Both programs as a screen reader's tools see them, through the desktop's
accessibility bus: no nameless fillers, the buttons pressed and the difficulty
chosen through the Action interface, the about box opened and closed by its
buttons. Prints every window's tree (pytest -s shows them)."""

import time

import pytest
from gi.repository import GLib


@pytest.fixture
def a11y(accessibility):
    return Atspi(accessibility)


class Atspi:
    def __init__(self, bus):
        self.bus, self.api, self.x = bus, bus.pyatspi, bus.x
        self.check_groups = False  # that each group's name has no trailing colon or blank

    def wait(self, what, probe, seconds=30):
        context = GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while context.pending():
                context.iteration(False)
            try:
                found = probe()
            except GLib.GError:  # a window that went while its tree was read
                found = None
            if found:
                return found
            time.sleep(0.1)
        pytest.fail(f"no {what} within {seconds} s")

    def application(self, command):
        return next((a for a in children(self.api.Registry.getDesktop(0)) if a.name == command),
                    None)

    def start(self, launch, command, *args):
        program = launch(command, *args,
                         env=dict(self.bus.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
        return program, self.wait(f"{command} on the accessibility bus",
                                  lambda: self.application(command))

    def find_all(self, node, role, match):
        found = [node] if node.getRole() == role and match(node) else []
        for c in children(node):
            found += self.find_all(c, role, match)
        return found

    def find(self, node, role, name):
        return next(iter(self.find_all(node, role, lambda n: n.name == name)), None)

    def window_with(self, app, role, name):
        return next((w for w in children(app) if self.find(w, role, name)), None)

    def button(self, node, name):
        return self.find(node, self.api.ROLE_PUSH_BUTTON, name)

    def showing(self, node):
        return node.getState().contains(self.api.STATE_SHOWING)

    def checked(self, node):
        return node.getState().contains(self.api.STATE_CHECKED)

    def show_tree(self, title, window):
        print(f"--- {title}")
        print("\n".join(self.describe(window)), flush=True)

    def describe(self, node, depth=0, lines=None):
        lines = [] if lines is None else lines
        assert node.getRole() != self.api.ROLE_FILLER or node.name, \
            f"a nameless filler in {lines[0] if lines else 'a window'}"
        assert not (self.check_groups and node.getRole() == self.api.ROLE_PANEL and
                    node.name != node.name.rstrip(" :")), \
            f"the group {node.name!r} is read with its colon or blank"
        hidden = "" if self.showing(node) else "  (hidden)"
        described = f" ({node.description!r})" if node.description else ""
        lines.append(f"{'  ' * depth}{node.getRoleName()}: {node.name!r}{described}{hidden}")
        for c in children(node):
            self.describe(c, depth + 1, lines)
        return lines

    def assert_window(self, window, role, name, what):
        assert window.getRole() == role and window.name == name, \
            f"the {what} is a {window.getRoleName()} named {window.name!r}"

    def choose_hard(self, window):
        radio = self.api.ROLE_RADIO_BUTTON
        hard = self.find(window, radio, "Ťažká")
        assert hard and not self.checked(hard), "no unchecked radio button 'Ťažká'"
        self.bus.checked.clear()
        press(hard)
        self.wait("checked 'Ťažká'", lambda: self.checked(hard))
        self.wait("announcement of the checked state", lambda: any(
            e.source.name == "Ťažká" and e.detail1 == 1 for e in self.bus.checked), 5)
        for other in ("Ľahká", "Stredná"):
            assert not self.checked(self.find(window, radio, other)), f"'{other}' is still checked"
        return hard

    def difficulty_caption(self, window):
        for label in (n for n in children(window) if n.getRole() == self.api.ROLE_LABEL):
            # nebulor's layout writes it "Otiažnosť: "
            if label.name.startswith(("Obtiažnosť: ", "Otiažnosť: ")) and self.showing(label):
                return label.name
        return None

    def about_box(self, app, opener):
        press(opener)
        box = self.wait("about box", lambda: self.window_with(app, self.api.ROLE_PUSH_BUTTON,
                                                               "System Info"))
        self.assert_window(box, self.api.ROLE_DIALOG, "About", "about box")
        self.show_tree("about box", box)
        press(self.button(box, "OK"))
        self.wait("about box closed",
                  lambda: not self.window_with(app, self.api.ROLE_PUSH_BUTTON, "System Info"))

    def first_screen(self, launch, command, title, screen, button):
        """The splash, then the window after it: its tree, the difficulty and
        the about box."""
        program, app = self.start(launch, command)
        splash = self.wait("splash window", lambda: next(iter(children(app)), None))
        self.assert_window(splash, self.api.ROLE_FRAME, title, "splash")
        self.show_tree("splash", splash)
        window = self.wait(screen, lambda: self.window_with(app, self.api.ROLE_PUSH_BUTTON, button))
        self.assert_window(window, self.api.ROLE_FRAME, title, screen)
        self.show_tree(screen, window)
        hard = self.choose_hard(window)
        self.about_box(app, self.button(window, "About"))
        return program, app, window, hard


def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c]


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    assert "Press" in names, f"{node.name!r} has no Press action, only {names}"
    action.doAction(names.index("Press"))


def test_nebulor_pressed_through(a11y, launch):
    nebulor, app, menu, _ = a11y.first_screen(launch, "nebulor", "Nebulor", "menu", "Nová hra")
    press(a11y.button(menu, "Nová hra"))
    game = a11y.wait("game window", lambda: a11y.window_with(app, a11y.api.ROLE_IMAGE, "ufo"))
    caption = a11y.wait("difficulty caption", lambda: a11y.difficulty_caption(game))
    assert "ťažk" in caption, f"the game shows {caption!r}"
    a11y.show_tree("game", game)
    a11y.x.close(a11y.x.window("Nebulor", 5))  # the menu comes back
    menu = a11y.wait("menu again",
                     lambda: a11y.window_with(app, a11y.api.ROLE_PUSH_BUTTON, "Koniec"))
    press(a11y.button(menu, "Koniec"))
    nebulor.finish()


def test_quorrel_pressed_through(a11y, launch):
    quorrel, _, game, _ = a11y.first_screen(launch, "quorrel", "Quorrel", "options screen", "Štart")
    start = a11y.button(game, "Štart")
    press(start)
    caption = a11y.wait("playing screen",
                        lambda: not a11y.showing(start) and a11y.difficulty_caption(game))
    assert "ťažk" in caption, f"the playing screen shows {caption!r}"
    a11y.show_tree("playing screen", game)
    # P pauses: an alert shows, and says how to go on.
    window = a11y.x.window("Quorrel", 5)
    a11y.bus.shown.clear()
    a11y.x.key(window, "p")
    a11y.wait("the pause announced", lambda: any(
        e.source.getRole() == a11y.api.ROLE_ALERT and e.source.name == "Pauza" and e.detail1 == 1
        for e in a11y.bus.shown), 10)
    alert = a11y.find(game, a11y.api.ROLE_ALERT, "Pauza")
    assert alert and alert.description == "Pokračuj klávesom P alebo kliknutím", \
        "the pause does not say how to go on"
    a11y.x.key(window, "p")
    a11y.wait("the pause gone", lambda: not a11y.find_all(game, a11y.api.ROLE_ALERT, a11y.showing))
    a11y.x.close(window)
    quorrel.finish()


def test_nebulor_menu_reads_well(a11y, launch):
    # Groups without colons, one title, and a clock described by its tool tips.
    a11y.check_groups = True
    nebulor, _, menu, _ = a11y.first_screen(launch, "nebulor", "Nebulor", "menu", "Nová hra")
    titles = a11y.find_all(menu, a11y.api.ROLE_LABEL, lambda n: n.name == "Nebulor")
    assert len(titles) == 1, f"the menu has {len(titles)} titles 'Nebulor', not one"
    for prefix in ("Prestný čas: ", "Dnes je: "):
        a11y.wait(f"a label described as {prefix!r} and its text", lambda: a11y.find_all(
            menu, a11y.api.ROLE_LABEL, lambda n: n.name and n.description == prefix + n.name))
    a11y.bus.described.clear()
    a11y.wait("a new description of the time announced", lambda: any(
        e.source.description.startswith("Prestný čas: ") for e in a11y.bus.described), 5)
    press(a11y.button(menu, "Koniec"))
    nebulor.finish()


def test_quorrel_difficulty_described_by_the_text_shown(a11y, launch):
    # What a screen reader reads with the option is what the screen now shows.
    a11y.check_groups = True
    quorrel, _, game, hard = a11y.first_screen(launch, "quorrel", "Quorrel", "options screen",
                                               "Štart")
    a11y.wait("'Ťažká' described by the text shown for it", lambda: [
        n.name for n in a11y.find_all(game, a11y.api.ROLE_LABEL, a11y.showing)
        if n.name.startswith("Mimozem")] == [hard.description] and
        hard.description.startswith("Mimozemšťan iba"), 5)
    a11y.x.close(a11y.x.window("Quorrel", 5))
    quorrel.finish()


def test_english_is_read_when_asked_for(a11y, launch):
    # The names and descriptions a screen reader reads come from the catalogue.
    quorrel, app = a11y.start(launch, "quorrel", "--language", "en")
    game = a11y.wait("options screen",
                     lambda: a11y.window_with(app, a11y.api.ROLE_PUSH_BUTTON, "Start"))
    a11y.show_tree("options screen in English", game)
    hard = a11y.find(game, a11y.api.ROLE_RADIO_BUTTON, "Hard")
    assert hard, "no radio button 'Hard'"
    press(hard)
    a11y.wait("'Hard' described in English",
              lambda: hard.description.startswith("The alien just zips across the screen."), 5)
    a11y.about_box(app, a11y.button(game, "About"))
    a11y.x.close(a11y.x.window("Quorrel", 5))
    quorrel.finish()
    nebulor, app = a11y.start(launch, "nebulor", "--language", "en")
    menu = a11y.wait("menu", lambda: a11y.window_with(app, a11y.api.ROLE_PUSH_BUTTON, "New game"))
    assert a11y.find(menu, a11y.api.ROLE_PANEL, "Difficulty"), "no group 'Difficulty'"
    press(a11y.button(menu, "Quit"))
    nebulor.finish()
