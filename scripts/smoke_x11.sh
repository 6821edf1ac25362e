#!/usr/bin/env bash
# Both programs on a real X server, clicked through their screens as a player
# would: the splash, the about box, a game lost to the end, and the close of
# the last window; at scale 1 and 2. Then under a window manager: closes by
# Alt+F4 and by another client (of a window under its message box too),
# System Info and unusable scale factors. Any sanitizer report, a program that does
# not end, or a process left behind fails the run.
#   scripts/smoke_x11.sh [build folder]    (default: build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-sanitize}
source scripts/x_server.sh
source scripts/smoke_lib.sh

# The id of the visible window titled exactly $1 other than window $3,
# waiting up to $2 seconds.
window() {
    local deadline=$((SECONDS + ${2:-20})) id
    while ((SECONDS < deadline)); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "${3:-none}" |
            tail -1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.2
    done
    echo "smoke: no window '$1' within ${2:-20} s" >&2
    return 1
}

# Clicks at layout pixel ($2, $3) of window $1, scaled to the screen.
click() {
    local x y X Y
    # The client area's place on the screen; xdotool's own is off by the
    # frame under a window manager.
    read -r X Y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')
    x=$((X + $2 * scale)) y=$((Y + $3 * scale))
    xdotool mousemove "$x" "$y" click 1
}

# The client area of window $1: x y width height.
area() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

# Closes the message box titled $1 (not window $2) with Enter; with $3, checks
# first that the box is centred over window $3, within its bounds.
answer() {
    local id gx gy gw gh bx by bw bh
    id=$(window "$1" 60 "${2:-none}")
    if [ -n "${3:-}" ]; then
        read -r gx gy gw gh < <(area "$3")
        read -r bx by bw bh < <(area "$id")
        if ((bx < gx || by < gy || bx + bw > gx + gw || by + bh > gy + gh)) ||
            (((2 * bx + bw) - (2 * gx + gw) > 8 * scale || (2 * gx + gw) - (2 * bx + bw) > 8 * scale)); then
            echo "smoke: box '$1' at $bx $by ${bw}x$bh, not centred within $gx $gy ${gw}x$gh" >&2
            return 1
        fi
    fi
    xdotool windowfocus --sync "$id" key Return
    gone "$id"
}

gone() {
    local id=$1
    for _ in $(seq 100); do xdotool getwindowname "$id" >/dev/null 2>&1 || return 0; sleep 0.1; done
    return 1
}


for scale in 1 2; do
    export QT_SCALE_FACTOR=$scale

    "$dir/nebulor/nebulor" >"$logs/nebulor.log" 2>&1 &
    pid=$!
    menu=$(window Nebulor 30)
    click "$menu" 212 180                  # About
    about=$(window About)
    xdotool windowfocus --sync "$about" key Escape
    gone "$about"
    click "$menu" 212 140                  # Nová hra
    game=$(window Nebulor 20 "$menu")
    answer "Prehral si" none "$game"       # nobody shoots: an invader lands
    menu=$(window Nebulor)
    xdotool windowclose "$menu"
    finish "$pid" nebulor

    "$dir/quorrel/quorrel" >"$logs/quorrel.log" 2>&1 &
    pid=$!
    game=$(window Quorrel 30)
    click "$game" 296 142                  # About
    about=$(window About)
    click "$about" 234 155                 # its OK
    gone "$about"
    click "$game" 296 100                  # Štart
    answer Quorrel "$game" "$game"         # the walker escapes
    answer Quorrel "$game" "$game"         # the verdict
    xdotool windowclose "$game"
    finish "$pid" quorrel
done
# Under a window manager, as a desktop closes windows: Alt+F4 and the close
# of a window destroyed by another client.
scale=1
unset QT_SCALE_FACTOR
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
alt_f4() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
    xdotool key --clearmodifiers alt+F4
}

# Closing the splash, which has loaded the menu hidden, ends the program.
for close in alt_f4 "xdotool windowclose"; do
    "$dir/nebulor/nebulor" >"$logs/nebulor.log" 2>&1 &
    pid=$!
    $close "$(window Form1 30)"
    finish "$pid" nebulor
done

# A message box destroyed by another client counts as answered, and so does
# the game window it belongs to destroyed under it: the game ends once and
# the menu comes back.
for target in box game; do
    speed=()
    [ "$target" = game ] && speed=(--classic-speed)
    "$dir/nebulor/nebulor" "${speed[@]}" >"$logs/nebulor.log" 2>&1 &
    pid=$!
    menu=$(window Nebulor 30)
    click "$menu" 212 140                  # Nová hra
    game=$(window Nebulor 20 "$menu")      # the game window has the menu's title
    box=$(window "Prehral si" 60)
    xdotool windowclose "${!target}"
    gone "$game" && gone "$box" ||
        { echo "smoke: the game did not end with its $target destroyed" >&2; exit 1; }
    menu=$(window Nebulor)
    if (($(xdotool search --onlyvisible --name '^Nebulor$' | wc -l) != 1)); then
        echo "smoke: more than the menu is open after the $target was destroyed" >&2
        exit 1
    fi
    alt_f4 "$menu"
    finish "$pid" nebulor
done

# An about box destroyed by another client while its "not available" box is
# open: the box goes with it and the program goes on.
PATH=/usr/bin "$dir/nebulor/nebulor" >"$logs/nebulor.log" 2>&1 &
pid=$!
menu=$(window Nebulor 30)
click "$menu" 212 180                  # About
about=$(window About)
click "$about" 321 283                 # System Info
box=$(window Nebulor 60 "$menu")       # not available
xdotool windowclose "$about"
gone "$about" && gone "$box" ||
    { echo "smoke: nebulor's about box or its box stayed" >&2; exit 1; }
alt_f4 "$menu"
finish "$pid" nebulor

# System Info never starts a program from the current directory, whatever
# relative folders PATH names.
tools=$(mktemp -d)
mkdir -p "$tools/bin"
for tool in "$tools/hardinfo" "$tools/bin/hardinfo"; do
    printf '#!/bin/sh\n: > "%s/started"\n' "$tools" >"$tool"
    chmod +x "$tool"
done
(cd "$tools" && PATH=.:bin:/usr/bin exec "$OLDPWD/$dir/quorrel/quorrel") >"$logs/quorrel.log" 2>&1 &
pid=$!
game=$(window Quorrel 30)
click "$game" 296 142                  # About
about=$(window About)
click "$about" 233 187                 # System Info
box=$(window Quorrel 60 "$game")       # not available
sleep 0.5
if [ -e "$tools/started" ]; then
    echo "smoke: System Info started a program from the current directory" >&2
    exit 1
fi
xdotool windowclose "$about"           # under its open box
gone "$about" && gone "$box" || { echo "smoke: quorrel's about box or its box stayed" >&2; exit 1; }
alt_f4 "$game"
finish "$pid" quorrel
rm -rf "$tools"

# Scale factors and DPIs that would crash the toolkit, hide the windows or
# fill the memory are ignored.
for setting in QT_SCALE_FACTOR=-1 QT_SCALE_FACTOR=0 QT_SCREEN_SCALE_FACTORS=inf QT_FONT_DPI=100000; do
    env "$setting" "$dir/quorrel/quorrel" >"$logs/quorrel.log" 2>&1 &
    pid=$!
    game=$(window Quorrel 30)
    grep -q "ignoring $setting" "$logs/quorrel.log" ||
        { echo "smoke: no warning for $setting" >&2; exit 1; }
    alt_f4 "$game"
    finish "$pid" quorrel
done
kill "$wm" 2>/dev/null || true

if pgrep -f "$dir/(nebulor|quorrel)/" >/dev/null; then
    echo "smoke: a program was left running" >&2
    exit 1
fi
echo "smoke: passed"
