#!/usr/bin/env bash
# Both programs on a real X server, clicked through their screens as a player
# would: the splash, the about box, a game lost to the end, and the close of
# the last window; at scale 1 and 2. Any sanitizer report, a program that does
# not end, or a process left behind fails the run.
#   scripts/smoke_x11.sh [build folder]    (default: build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-sanitize}
for game in nebulor quorrel; do
    [ -x "$dir/$game/$game" ] || { echo "smoke: no $dir/$game/$game" >&2; exit 1; }
done

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
logs=$(mktemp -d)
cleanup() {
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$logs"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break || sleep 0.1; done 2>/dev/null || sleep 2

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

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
    local x y
    eval "$(xdotool getwindowgeometry --shell "$1")"
    x=$((X + $2 * scale)) y=$((Y + $3 * scale))
    xdotool mousemove "$x" "$y" click 1
}

# Closes the message box titled $1 (not window $2) with Enter.
answer() {
    local id
    id=$(window "$1" 60 "${2:-none}")
    xdotool windowfocus --sync "$id" key Return
    gone "$id"
}

gone() {
    local id=$1
    for _ in $(seq 100); do xdotool getwindowname "$id" >/dev/null 2>&1 || return 0; sleep 0.1; done
    return 1
}

finish() {  # waits for $1 (pid) to end; fails on a bad status or a report
    local pid=$1 name=$2 status=0
    for _ in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    if kill -0 "$pid" 2>/dev/null; then
        echo "smoke: $name did not end" >&2
        kill -9 "$pid"
        return 1
    fi
    wait "$pid" || status=$?
    if ((status != 0)) || grep -qE "ERROR: (Address|Leak)Sanitizer|runtime error" "$logs/$name.log"; then
        echo "smoke: $name ended with status $status" >&2
        cat "$logs/$name.log" >&2
        return 1
    fi
    echo "smoke: $name at scale $scale: played through and ended cleanly"
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
    answer "Prehral si"                    # nobody shoots: an invader lands
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
    answer Quorrel "$game"                 # the walker escapes
    answer Quorrel "$game"                 # the verdict
    xdotool windowclose "$game"
    finish "$pid" quorrel
done
if pgrep -f "$dir/(nebulor|quorrel)/" >/dev/null; then
    echo "smoke: a program was left running" >&2
    exit 1
fi
echo "smoke: passed"
