"""Both programs natively under a Wayland compositor, clicked through as a
player would at output scale 1 and 2: the splash hands over, the about box
opens and closes, a game is lost and each of its message boxes shows over the
game's window, within its bounds, and is answered. Then under weston's desktop
shell, the windows close through their title bars."""

import time

import pytest

import clicks
import screen

# What the log must not say: the X platform, or warnings about placement.
NOT_ON_WAYLAND = r"xcb|wayland.*(not support|warning)|setGeometry|requestActivate"
LOST_GAME = 120  # nobody shoots; a quorrel walker takes up to ~45 s

# The kiosk shell centres a window that has a parent over that parent, and
# every other one on the output: so a box over its game shows it is the
# game's. (The desktop shell places every window at random.)
KIOSK = pytest.mark.parametrize("weston", [("kiosk-shell.so", 1), ("kiosk-shell.so", 2)],
                                indirect=True, ids=["scale1", "scale2"])


def answer(weston, game):
    """A message box shows centred over the game's frame, within it, and is
    answered with Enter; then waits until it or its face has gone."""
    box = weston.until_seen(screen.boxes, LOST_GAME)
    if not screen.centred_within(box, game, weston.scale):
        kept = weston.last.save(weston.folder / "misplaced-box.ppm")
        pytest.fail(f"box at {box}, not centred within the game at {game}; see {kept}")
    weston.key("Return")
    weston.until_seen(screen.moved, 20, ref=weston.last)


def assert_pointing(weston, frame, control):
    """The pointing hand over control has its finger's tip under the pointer."""
    s = weston.scale
    x, y = frame[0] + control.point[0] * s, frame[1] + control.point[1] * s
    weston.move(x, y)
    time.sleep(0.5)
    over = weston.shot()
    weston.move(x, y + 60 * s)
    time.sleep(0.5)
    dx, dy = screen.tip(over, weston.shot(), x, y, s)
    assert abs(dx) <= 2 * s and abs(dy) <= 2 * s, \
        f"the hand's finger is {dx}, {dy} pixels from the pointer at scale {s}"


@KIOSK
def test_nebulor_played_through(weston, launch):
    nebulor = launch("nebulor", env=weston.env)
    splash = weston.until_seen(screen.frame, 30)
    menu = weston.until_seen(screen.frame, 30, before=splash)  # the splash hands over
    before = weston.shot()
    weston.click(menu, clicks.NEBULOR_ABOUT)
    weston.until_seen(screen.moved, 20, ref=before)
    weston.key("Escape")
    weston.until_seen(screen.moved, 20, ref=weston.last)
    weston.click(menu, clicks.NEBULOR_NEW_GAME)
    game = weston.until_seen(screen.frame, 30, before=menu)
    weston.keep(f"nebulor-game-scale{weston.scale}")
    answer(weston, game)  # an invader lands
    menu = weston.until_seen(screen.frame, 30, before=game)
    weston.click(menu, clicks.NEBULOR_END)
    nebulor.finish(bad=NOT_ON_WAYLAND)


@KIOSK
def test_quorrel_played_through(weston, launch):
    quorrel = launch("quorrel", env=weston.env)
    splash = weston.until_seen(screen.frame, 30)
    game = weston.until_seen(screen.frame, 30, before=splash)
    assert_pointing(weston, game, clicks.QUORREL_START)
    weston.click(game, clicks.QUORREL_ABOUT)  # the about box is larger than the game
    about = weston.until_seen(screen.frame, 20, before=game)
    weston.click(about, clicks.QUORREL_ABOUT_OK)
    weston.until_seen(screen.frame, 20, before=about)
    weston.click(game, clicks.QUORREL_START)
    answer(weston, game)  # the walker escapes
    weston.keep(f"quorrel-verdict-scale{weston.scale}")
    answer(weston, game)  # the verdict
    quorrel.terminate()  # the kiosk has no close: the desktop shell's test closes it


@pytest.mark.parametrize("weston", [("desktop-shell.so", 1), ("desktop-shell.so", 2)],
                         indirect=True, ids=["scale1", "scale2"])
@pytest.mark.parametrize("name", ["quorrel", "nebulor"])
def test_close_button_ends_the_program(weston, launch, name):
    # The toolkit's own title bar; its close goes the close box's way, and
    # the last window's close ends the program.
    program = launch(name, env=weston.env)
    splash = clicks.SPLASH[name].pixels(weston.scale)
    x, y, w, h = weston.until_seen(screen.moved, 60, ref=weston.empty, steady=1,
                                   skip=lambda box: box[2:] == splash)
    weston.keep(f"{name}-desktop-scale{weston.scale}")
    s = weston.scale
    weston.click_at(x + w - 16 * s, y + 13 * s)  # the title bar's right end
    program.finish(bad=NOT_ON_WAYLAND)
