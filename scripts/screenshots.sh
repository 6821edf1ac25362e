#!/usr/bin/env bash
# The README's pictures: each form of both games in English, taken from the
# real programs on a virtual X server (Xvfb) by clicking where a player would.
#   scripts/screenshots.sh [BUILD_DIR [FOLDER]]   (build, docs/screenshots)
# Needs xvfb, xdotool, x11-utils and imagemagick (scripts/deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshots}
mkdir -p "$out"

# A display of our own, free on this machine.
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
xvfb=$!
game=
trap '[ -z "$game" ] || kill "$game" 2>/dev/null; kill "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

window=
# The newest visible window titled exactly $1.
find_window() {
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1) || true
        [ -n "$window" ] && return
        sleep 0.1
    done
    echo "no window '$1'" >&2
    exit 1
}
# The window titled $1 into $out/$2.png, once its pictures have settled.
shot() {
    find_window "$1"
    sleep "${3:-0.5}"
    import -window "$window" "$out/$2.png"
    echo "$out/$2.png"
}
# A click at a pixel of the current window (the layout's twips / 15).
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.5; }

# nebulor: the splash, the menu, the about box, a game.
"$build/nebulor/nebulor" --language en &
game=$!
shot Form1 nebulor-splash 3.5
shot Nebulor nebulor-menu 1
click 212 180  # About
shot About nebulor-about
click 322 243  # OK
find_window Nebulor
click 212 140  # New game
shot Nebulor nebulor-game 2
kill "$game"
wait "$game" 2>/dev/null || true

# quorrel: the splash, the options screen, the about box, a game.
"$build/quorrel/quorrel" --language en &
game=$!
shot Form2 quorrel-splash 3.5
shot Quorrel quorrel-options 1
click 296 142  # About
shot About quorrel-about
click 234 155  # OK
find_window Quorrel
click 296 100  # Start
shot Quorrel quorrel-game 0.3
kill "$game"
wait "$game" 2>/dev/null || true
game=
