#!/usr/bin/env bash
# Both programs natively under a Wayland compositor (weston on its X11 backend
# inside Xvfb, so that xdotool's input reaches it), clicked through as a
# player would at output scale 1 and 2: the splash hands over, the about box
# opens and closes, a game is lost and each of its message boxes shows over
# the game's window, within its bounds, and is answered. Then under weston's
# desktop shell, the windows close through their title bars. Any sanitizer
# report, a program that falls back to X, does not end or is left behind
# fails the run.
#   scripts/smoke_wayland.sh [build folder]    (default: build-sanitize)
# SMOKE_SHOTS=<folder> keeps the compositor's screenshots there.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-sanitize}
source scripts/smoke_lib.sh
command -v weston >/dev/null || { echo "smoke: weston is not installed" >&2; exit 1; }

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 2200x1700x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
logs=$(mktemp -d)
shots=${SMOKE_SHOTS:-$logs/shots}
mkdir -p "$shots"
weston_pid=''
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$logs"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break || sleep 0.1; done 2>/dev/null || sleep 2

export XDG_RUNTIME_DIR=$logs/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=smoke-wayland
export QT_QPA_PLATFORM=wayland  # no fallback to X: DISPLAY is set
unset QT_SCALE_FACTOR XDG_SESSION_TYPE
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Reads screenshots of the compositor's X window. "frame F": the box of what
# differs from the background colour (the kiosk shell's backdrop). "boxes F":
# the box of a message box's face colour. "moved A B": the box of rows and
# columns where many pixels changed. Each prints "x y w h" or nothing.
# "tip A B X Y": where the top of the pointer in A stands from (X, Y).
look() {
    python3 - "$@" <<'EOF'
import sys

def load(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:  # P6, width, height, maximum, then the pixels
        while data[pos:pos + 1].isspace(): pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace(): end += 1
        fields.append(data[pos:end])
        pos = end
    w, h = int(fields[1]), int(fields[2])
    return w, h, data[pos + 1:pos + 1 + 3 * w * h]

def box(w, h, hit, least):
    rows = [0] * h
    cols = [0] * w
    for y in range(h):
        for x in hit(y):
            rows[y] += 1
            cols[x] += 1
    ys = [y for y in range(h) if rows[y] >= least]
    xs = [x for x in range(w) if cols[x] >= least]
    if ys and xs:
        print(xs[0], ys[0], xs[-1] - xs[0] + 1, ys[-1] - ys[0] + 1)

mode, scale = sys.argv[1], int(sys.argv[2])
w, h, a = load(sys.argv[3])
if mode == "frame":
    bg = a[0:3]
    box(w, h, lambda y: [x for x in range(w) if a[3 * (y * w + x):3 * (y * w + x) + 3] != bg], 1)
elif mode == "boxes":
    face = bytes([239, 239, 239])  # the message box's window colour
    box(w, h, lambda y: [x for x in range(w) if a[3 * (y * w + x):3 * (y * w + x) + 3] == face],
        60 * scale)
elif mode == "tip":
    # The topmost pixel of a pointer near ($5, $6) that B does not show, from there.
    _, _, b = load(sys.argv[4])
    px, py, r = int(sys.argv[5]), int(sys.argv[6]), 40 * scale
    for y in range(max(0, py - r), min(h, py + r)):
        xs = [x for x in range(max(0, px - r), min(w, px + r))
              if a[3 * (y * w + x):3 * (y * w + x) + 3] != b[3 * (y * w + x):3 * (y * w + x) + 3]]
        if xs:
            print((xs[0] + xs[-1]) // 2 - px, y - py)
            break
else:
    _, _, b = load(sys.argv[4])
    box(w, h, lambda y: [x for x in range(w)
                         if a[3 * (y * w + x):3 * (y * w + x) + 3] != b[3 * (y * w + x):3 * (y * w + x) + 3]],
        40 * scale)
EOF
}

shot() {  # a screenshot of the compositor's window into a new file; prints its name
    local f
    f=$(mktemp -p "$logs" XXXXXX.ppm)
    import -silent -window "$wid" -depth 8 "ppm:$f"
    echo "$f"
}

# Starts weston with shell $1 at output scale $2.
compositor() {
    scale=$2
    weston --backend=x11-backend.so --shell="$1" --socket="$WAYLAND_DISPLAY" --width=1024 \
        --height=768 --scale="$scale" --idle-time=0 --debug >"$logs/weston.log" 2>&1 &
    weston_pid=$!
    wid=''
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] &&
            wid=$(xdotool search --class 'Weston Compositor' 2>/dev/null | head -1) && [ -n "$wid" ] &&
            break
        sleep 0.1
    done
    [ -n "$wid" ] || { echo "smoke: weston did not start" >&2; cat "$logs/weston.log" >&2; exit 1; }
    read -r W H < <(xwininfo -id "$wid" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
    ((W == 1024 * scale && H == 768 * scale)) ||
        { echo "smoke: weston's output is ${W}x$H at scale $scale" >&2; exit 1; }
    # The pointer must enter the new window for weston to follow it.
    xdotool mousemove $((W + 20)) $((H + 20))
    sleep 0.2
    xdotool mousemove $((W / 2)) $((H / 2))
    sleep 1  # the shell's own clients
}

stop_compositor() {
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
    weston_pid=''
}

# Waits up to $2 s until `look $1` answers something other than $3, the same
# twice running (windows hand over through a frame that shows both); prints it.
until_seen() {
    local what=$1 deadline=$((SECONDS + $2)) before=${3:-} f seen previous=''
    while ((SECONDS < deadline)); do
        f=$(shot)
        seen=$(look "$what" "$scale" "$f" ${ref:+"$ref"})
        if [ -n "$seen" ] && [ "$seen" != "$before" ] && [ "$seen" = "$previous" ]; then
            echo "$f" >"$logs/last"  # the screenshot it was seen in
            echo "$seen"
            return
        fi
        previous=$seen
        sleep 0.3
    done
    echo "smoke: nothing new ($what) within $2 s; the screen is in $shots/stuck.png" >&2
    convert "$f" "$shots/stuck.png"
    return 1
}

# Clicks layout pixel ($2, $3) of the window whose client area is at $1.
click() {
    local x y
    read -r x y _ <<<"$1"
    xdotool mousemove $((x + $2 * scale)) $((y + $3 * scale))
    sleep 0.2
    xdotool click 1
}

# A message box shows within the game's frame ($1), centred over it, and is
# answered with Enter; then waits until it or its face has gone.
answer() {
    local gx gy gw gh bx by bw bh f
    read -r gx gy gw gh <<<"$1"
    read -r bx by bw bh < <(until_seen boxes 60)
    if ((bx < gx || by < gy || bx + bw > gx + gw || by + bh > gy + gh)) ||
        (((2 * bx + bw) - (2 * gx + gw) > 8 * scale || (2 * gx + gw) - (2 * bx + bw) > 8 * scale)); then
        echo "smoke: box at $bx $by ${bw}x$bh, not centred within the game at $gx $gy ${gw}x$gh" >&2
        cp "$(cat "$logs/last")" "$shots/misplaced-box.ppm"
        return 1
    fi
    echo "smoke: box ${bw}x$bh over the game's window at scale $scale"
    f=$(cat "$logs/last")
    xdotool key Return
    ref=$f until_seen moved 20 >/dev/null
}


# The pointing hand over layout pixel ($2, $3) of the window at $1 has its
# finger's tip under the pointer.
pointing() {
    local x y a b dx dy
    read -r x y _ <<<"$1"
    x=$((x + $2 * scale)) y=$((y + $3 * scale))
    xdotool mousemove "$x" "$y"
    sleep 0.5
    a=$(shot)
    xdotool mousemove "$x" $((y + 60 * scale))
    sleep 0.5
    b=$(shot)
    read -r dx dy < <(look tip "$scale" "$a" "$b" "$x" "$y")
    if ((dx < -2 * scale || dx > 2 * scale || dy < -2 * scale || dy > 2 * scale)); then
        echo "smoke: the hand's finger is $dx, $dy pixels from the pointer at scale $scale" >&2
        return 1
    fi
}

# What the log must not say: the X platform, or warnings about placement.
notOnWayland='xcb|wayland.*(not support|warning)|setGeometry|requestActivate'

# Takes the compositor's own screenshot as $1.png.
screenshot() {
    (cd "$logs" && rm -f wayland-screenshot*.png && weston-screenshooter >/dev/null 2>&1) || true
    mv "$logs"/wayland-screenshot*.png "$shots/$1.png" 2>/dev/null ||
        import -silent -window "$wid" "$shots/$1.png"
}

# The kiosk shell centres a window that has a parent over that parent, and
# every other one on the output: so a box over its game shows it is the
# game's. (The desktop shell places every window at random.)
for s in 1 2; do
    compositor kiosk-shell.so "$s"

    "$dir/nebulor/nebulor" >"$logs/nebulor.log" 2>&1 &
    pid=$!
    splash=$(until_seen frame 30)
    menu=$(until_seen frame 30 "$splash")  # the splash hands over to the menu
    ref=$(shot) ; click "$menu" 212 180    # About
    ref=$ref until_seen moved 20 >/dev/null
    xdotool key Escape
    ref=$(cat "$logs/last") until_seen moved 20 >/dev/null
    click "$menu" 212 140                  # Nová hra
    game=$(until_seen frame 30 "$menu")
    screenshot "nebulor-game-scale$s"
    answer "$game"                         # nobody shoots: an invader lands
    menu=$(until_seen frame 30 "$game")
    click "$menu" 212 220                  # Koniec
    finish "$pid" nebulor "$notOnWayland"

    "$dir/quorrel/quorrel" >"$logs/quorrel.log" 2>&1 &
    pid=$!
    splash=$(until_seen frame 30)
    game=$(until_seen frame 30 "$splash")
    pointing "$game" 296 100               # the hand over Štart
    click "$game" 296 142                  # About, larger than the game
    about=$(until_seen frame 20 "$game")
    click "$about" 234 155                 # its OK
    until_seen frame 20 "$about" >/dev/null
    click "$game" 296 100                  # Štart
    answer "$game"                         # the walker escapes
    screenshot "quorrel-verdict-scale$s"
    answer "$game"                         # the verdict
    kill -TERM "$pid"                      # the kiosk has no close: the desktop shell's run closes it
    wait "$pid" 2>/dev/null || true
    grep -qE "ERROR: (Address|Leak)Sanitizer|runtime error" "$logs/quorrel.log" &&
        { cat "$logs/quorrel.log" >&2; exit 1; }
    stop_compositor
done

# The desktop shell: windows with the toolkit's own title bars, closed by
# their close button as by the compositor's close, through the close box's
# path; the last window's close ends the program.
for s in 1 2; do
    compositor desktop-shell.so "$s"
    empty=$(shot)
    for name in quorrel nebulor; do
        "$dir/$name/$name" >"$logs/$name.log" 2>&1 &
        pid=$!
        sleep 6  # past the splash
        read -r x y w h < <(ref=$empty until_seen moved 30)
        screenshot "$name-desktop-scale$s"
        # The close button sits at the title bar's right end.
        xdotool mousemove $((x + w - 16 * scale)) $((y + 13 * scale))
        sleep 0.3
        xdotool click 1
        finish "$pid" "$name" "$notOnWayland"
    done
    stop_compositor
done

if pgrep -f "$dir/(nebulor|quorrel)/" >/dev/null; then
    echo "smoke: a program was left running" >&2
    exit 1
fi
echo "smoke: passed"
