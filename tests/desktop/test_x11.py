"""Both programs on a real X server, clicked through their screens as a player
would: the splash, the about box, a game lost to the end, and the close of the
last window; at scale 1 and 2. Then under a window manager: closes by Alt+F4
and by another client, System Info and unusable scale factors."""

import time

import pytest

import clicks
from screen import centred_within, grab

# Nobody shoots, so a game is lost; a quorrel walker takes up to ~45 s.
LOST_GAME = 120


def answer(x, title, other=None, over=None, scale=1):
    """Closes the message box titled `title` (not window `other`) with Enter;
    with `over`, checks first that it is centred over that window, within it."""
    box = x.window(title, LOST_GAME, other)
    if over:
        where, game = x.area(box), x.area(over)
        assert centred_within(where, game, scale), \
            f"box {title!r} at {where}, not centred within {game}"
    x.key(box, "Return")
    assert x.gone(box), f"box {title!r} stayed"


@pytest.mark.parametrize("scale", [1, 2])
def test_nebulor_played_through(x, launch, scale):
    nebulor = launch("nebulor", env=dict(x.env, QT_SCALE_FACTOR=str(scale)))
    menu = x.window("Nebulor", 30)
    x.click(menu, clicks.NEBULOR_ABOUT, scale)
    about = x.window("About")
    x.key(about, "Escape")
    assert x.gone(about)
    x.click(menu, clicks.NEBULOR_NEW_GAME, scale)
    game = x.window("Nebulor", 20, other=menu)  # it has the menu's title
    answer(x, "Prehral si", over=game, scale=scale)  # an invader lands
    assert x.gone(game)
    x.close(x.window("Nebulor"))
    nebulor.finish()


@pytest.mark.parametrize("scale", [1, 2])
def test_quorrel_played_through(x, launch, scale):
    quorrel = launch("quorrel", env=dict(x.env, QT_SCALE_FACTOR=str(scale)))
    game = x.window("Quorrel", 30)
    x.click(game, clicks.QUORREL_ABOUT, scale)
    about = x.window("About")
    x.click(about, clicks.QUORREL_ABOUT_OK, scale)
    assert x.gone(about)
    x.click(game, clicks.QUORREL_START, scale)
    answer(x, "Quorrel", other=game, over=game, scale=scale)  # the walker escapes
    answer(x, "Quorrel", other=game, over=game, scale=scale)  # the verdict
    x.close(game)
    quorrel.finish()


# Under a window manager, as a desktop closes windows.

@pytest.mark.parametrize("close", ["alt_f4", "close"])
def test_closing_splash_ends_nebulor(openbox, launch, close):
    # The splash has loaded the menu hidden; its close ends the program.
    nebulor = launch("nebulor", env=openbox.env)
    getattr(openbox, close)(openbox.window("Form1", 30))
    nebulor.finish()


def test_box_destroyed_by_another_client_counts_as_answered(openbox, launch):
    x = openbox
    nebulor = launch("nebulor", env=x.env)
    menu = x.window("Nebulor", 30)
    x.click(menu, clicks.NEBULOR_NEW_GAME, 1)
    game = x.window("Nebulor", 20, other=menu)
    box = x.window("Prehral si", LOST_GAME)
    x.close(box)
    assert x.gone(game) and x.gone(box), "the game did not end with its box destroyed"
    menu = x.window("Nebulor")
    assert len(x.windows("Nebulor")) == 1, "more than the menu is open after the box was destroyed"
    x.alt_f4(menu)
    nebulor.finish()


def test_system_info_never_starts_a_program_from_the_current_folder(openbox, launch, tmp_path):
    x = openbox
    tools = tmp_path / "tools"
    (tools / "bin").mkdir(parents=True)
    for tool in (tools / "hardinfo", tools / "bin" / "hardinfo"):
        tool.write_text(f'#!/bin/sh\n: > "{tools}/started"\n')
        tool.chmod(0o755)
    quorrel = launch("quorrel", env=dict(x.env, PATH=".:bin:/usr/bin"), cwd=tools)
    game = x.window("Quorrel", 30)
    x.click(game, clicks.QUORREL_ABOUT, 1)
    about = x.window("About")
    x.click(about, clicks.QUORREL_SYSTEM_INFO, 1)
    answer(x, "Quorrel", other=game)  # not available
    time.sleep(0.5)
    assert not (tools / "started").exists(), "System Info started a program from the current folder"
    x.close(about)
    assert x.gone(about)
    x.alt_f4(game)
    quorrel.finish()


def assert_ignored(x, launch, setting):
    name, value = setting.split("=")
    quorrel = launch("quorrel", env={**x.env, name: value})
    game = x.window("Quorrel", 30)
    assert f"ignoring {setting}" in quorrel.output()
    x.alt_f4(game)
    quorrel.finish()


@pytest.mark.parametrize("setting", ["QT_SCALE_FACTOR=-1", "QT_SCALE_FACTOR=0"])
def test_unusable_scale_factor_is_ignored(openbox, launch, setting):
    # One that would crash the toolkit or hide the windows.
    assert_ignored(openbox, launch, setting)


@pytest.mark.parametrize("setting", ["QT_SCREEN_SCALE_FACTORS=inf", "QT_FONT_DPI=100000"])
def test_unusable_screen_setting_is_ignored(openbox, launch, setting):
    # One that would hide the windows or fill the memory.
    assert_ignored(openbox, launch, setting)


def test_game_destroyed_under_its_box_counts_as_answered(openbox, launch):
    x = openbox
    nebulor = launch("nebulor", "--classic-speed", env=x.env)
    menu = x.window("Nebulor", 30)
    x.click(menu, clicks.NEBULOR_NEW_GAME, 1)
    game = x.window("Nebulor", 20, other=menu)
    box = x.window("Prehral si", LOST_GAME)
    x.close(game)
    assert x.gone(game) and x.gone(box), "the game did not end with its window destroyed"
    menu = x.window("Nebulor")
    assert len(x.windows("Nebulor")) == 1, "more than the menu is open after the game was destroyed"
    x.alt_f4(menu)
    nebulor.finish()


@pytest.mark.parametrize("name", ["nebulor", "quorrel"])
def test_about_box_destroyed_under_its_box(openbox, launch, name):
    # Its "not available" box goes with it, and the program goes on.
    x, title = openbox, name.capitalize()
    about_button, system_info = {
        "nebulor": (clicks.NEBULOR_ABOUT, clicks.NEBULOR_SYSTEM_INFO),
        "quorrel": (clicks.QUORREL_ABOUT, clicks.QUORREL_SYSTEM_INFO)}[name]
    program = launch(name, env=dict(x.env, PATH="/usr/bin"))
    main = x.window(title, 30)
    x.click(main, about_button, 1)
    about = x.window("About")
    x.click(about, system_info, 1)
    box = x.window(title, 60, other=main)  # not available
    x.close(about)
    assert x.gone(about) and x.gone(box), f"{name}'s about box or its box stayed"
    x.alt_f4(main)
    program.finish()


# A game that waits while the player looks away, and the desktop's keys.

def still(x, window, seconds=1.0):
    """Whether the window shows the same pixels `seconds` apart."""
    _, _, width, height = x.area(window)
    before = grab(x.display, window, width, height)
    time.sleep(seconds)
    return grab(x.display, window, width, height).rgb == before.rgb


def test_quorrel_minimised_waits_until_p(openbox, launch):
    # The fastest walker crosses in about 2.4 s of play: the test plays less.
    x = openbox
    quorrel = launch("quorrel", env=x.env)
    game = x.window("Quorrel", 30)
    x.click(game, clicks.QUORREL_START, 1)
    x.run("xdotool", "windowminimize", "--sync", game)
    time.sleep(15)
    x.run("xdotool", "windowactivate", "--sync", game)
    time.sleep(0.5)
    assert x.windows("Quorrel") == [game], "a box came while the game was minimised"
    assert still(x, game), "the walker moved after the window was restored"
    x.key(game, "p")
    assert not still(x, game, 0.3), "the walker stands still after P"
    x.close(game)  # whether or not the walker has escaped since
    quorrel.finish()


def test_another_programs_window_pauses_quorrel(openbox, launch):
    x = openbox
    other = launch("nebulor", env=x.env)
    menu = x.window("Nebulor", 30)
    x.run("xdotool", "windowmove", "--sync", menu, "0", "0")  # clear of quorrel's, centred
    quorrel = launch("quorrel", env=x.env)
    game = x.window("Quorrel", 30)
    x.click(game, clicks.QUORREL_START, 1)
    x.run("xdotool", "windowactivate", "--sync", menu)
    time.sleep(0.5)
    assert still(x, game), "the walker moved while another program had the focus"
    x.key(game, "Pause")
    assert not still(x, game, 0.3), "the walker stands still after Pause"
    x.close(game)
    quorrel.finish()
    x.key(menu, "ctrl+q")
    other.finish()


def test_desktop_keys(openbox, launch):
    # F1 shows the rules, Ctrl+N starts a game, Ctrl+Q ends the program.
    x = openbox
    nebulor = launch("nebulor", env=x.env)
    menu = x.window("Nebulor", 30)
    x.key(menu, "F1")
    answer(x, "Nebulor", other=menu)
    x.key(menu, "ctrl+n")
    assert x.gone(menu), "Ctrl+N left the menu open"
    game = x.window("Nebulor", 20)
    x.key(game, "ctrl+q")
    nebulor.finish()

    quorrel = launch("quorrel", env=x.env)
    game = x.window("Quorrel", 30)
    x.key(game, "F1")
    answer(x, "Quorrel - pravidlá")
    x.key(game, "ctrl+n")
    assert not still(x, game, 0.3), "Ctrl+N started no game"
    x.key(game, "p")  # long before the fastest walker escapes
    x.key(game, "ctrl+q")
    quorrel.finish()


def test_own_about_box_does_not_pause_nebulor(openbox, launch):
    # The program's own windows are not elsewhere: the game plays on to its end.
    x = openbox
    nebulor = launch("nebulor", env=x.env)
    menu = x.window("Nebulor", 30)
    x.click(menu, clicks.NEBULOR_ABOUT, 1)
    about = x.window("About")  # over the menu's buttons
    x.key(menu, "ctrl+n")
    game = x.window("Nebulor", 20, other=menu)
    x.run("xdotool", "windowactivate", "--sync", about)
    answer(x, "Prehral si", over=game)  # an invader lands
    x.key(x.window("Nebulor"), "ctrl+q")
    nebulor.finish()
