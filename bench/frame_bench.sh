#!/usr/bin/env bash
# Both games and the plainest Qt animation on one real X server, one after
# another for the same time: CPU of each program and of the X server, context
# switches, and ticks against the nominal count.
#
#   bench/frame_bench.sh [seconds=20] [build dir=/tmp/benchbuild] [rounds=1]
#
# Each round also runs each game at the same time as the animation and gives
# their CPU ratio (FRAME_BENCH_PAIRED=0 leaves that out). This pairing decides
# the goal: the machine's speed drifts between runs one after another, and
# moves their figures by tens of percent.
#
# FRAME_BENCH_AGAINST=<other build dir> adds, to each round, each game of both
# builds and the animation at the same time, and this build's CPU over the
# other's: a before-and-after that drift does not blur.
#
# FRAME_BENCH_EXACT=1 adds, to each round, each game at the default (classic)
# speed and with exact timers (--exact-timers) beside the animation at the
# same time: ticks against each nominal count, wake-ups and frames a second,
# and the default game's CPU over the exact one's.
#
# Each round also runs each game beside the animation under weston, natively
# on Wayland: CPU of each, of the compositor and of the X server it draws
# into, and ticks against nominal (FRAME_BENCH_WAYLAND=0 leaves that out).
#
# With several rounds the programs run in turn again and again, each game is
# compared with the animation of its own round, and medians close the table.
# Needs Xvfb; uses openbox as the window manager when it is installed (set
# FRAME_BENCH_WM=none to run without one). CPU and context switches are read
# from /proc over the same interval for every program, from its "ready" line
# on, so start-up is not counted.
set -euo pipefail

seconds=${1:-20}
build=${2:-/tmp/benchbuild}
rounds=${3:-1}
anim=$build/bench/simple_animation
game=$build/bench/frame_bench
other=${FRAME_BENCH_AGAINST:+$FRAME_BENCH_AGAINST/bench/frame_bench}
for b in "$anim" "$game" ${other:+"$other"}; do
    [[ -x $b ]] || { echo "missing $b: build the simple_animation and frame_bench targets" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is not installed" >&2; exit 1; }

hz=$(getconf CLK_TCK)
work=$(mktemp -d)
xpid='' wmpid=''
cleanup() {
    [[ -n ${westonpid:-} ]] && kill "$westonpid" 2>/dev/null || true
    [[ -n $wmpid ]] && kill "$wmpid" 2>/dev/null || true
    [[ -n $xpid ]] && kill "$xpid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

display=99
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xpid=$!
export DISPLAY=":$display"
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; cat "$work/xvfb.log" >&2; exit 1; }

wm=none
if [[ ${FRAME_BENCH_WM:-openbox} != none ]] && command -v openbox >/dev/null; then
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    wmpid=$!
    wm=openbox
    sleep 1
fi
export QT_QPA_PLATFORM=xcb

# user+sys clock ticks of a process, all its threads
# CPU time of a process, all its threads, in nanoseconds: the scheduler's own
# count where the kernel keeps it, else user+sys clock ticks (coarser)
cpuns() {
    [[ -n $1 ]] || { echo 0; return; }
    if compgen -G "/proc/$1/task/*/schedstat" >/dev/null; then
        cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{n += $1} END {printf "%.0f\n", n}'
    else
        sed 's/.*) //' "/proc/$1/stat" | awk -v hz="$hz" '{printf "%.0f\n", ($12 + $13) * 1e9 / hz}'
    fi
}
# voluntary + involuntary context switches, summed over the threads
switches() {
    [[ -n $1 ]] || { echo 0; return; }
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n + 0}'
}
sample() { echo "$(date +%s.%N) $(cpuns "$1") $(switches "$1") $(cpuns "$xpid") $(switches "$xpid") $(cpuns "$wmpid")"; }

echo "frame_bench: $seconds s each, $rounds round(s), on Xvfb $DISPLAY, window manager: $wm"
echo "load at start: $(uptime)"

rows=$work/rows  # one line per program and round: its figures, tab-separated
awaitReady() {  # output file, pid, name
    for _ in $(seq 300); do
        grep -q '^ready' "$1" 2>/dev/null && break
        kill -0 "$2" 2>/dev/null || break
        sleep 0.05
    done
    grep -q '^ready' "$1" || { echo "$3 did not start" >&2; cat "$work/$3.err" >&2; exit 1; }
}
awaitEnd() {  # pid, name
    for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$1" 2>/dev/null && { echo "$2 did not end" >&2; kill "$1"; exit 1; }
    wait "$1" || { echo "$2 failed" >&2; cat "$work/$2.err" >&2; exit 1; }
}

run() {
    local round=$1 name=$2
    shift 2
    local out=$work/$name.$round.out
    "$@" "$seconds" 1 >"$out" 2>"$work/$name.err" &
    local pid=$!
    awaitReady "$out" "$pid" "$name"
    read -r t0 p0 s0 x0 xs0 w0 <<<"$(sample "$pid")"
    sleep "$seconds"
    read -r t1 p1 s1 x1 xs1 w1 <<<"$(sample "$pid")"
    awaitEnd "$pid" "$name"
    # the fewest ticks of any timer, in percent of its nominal count
    local ticks
    ticks=$(leastTicks "$out")
    awk -v r="$round" -v n="$name" -v w="$(awk -v a="$t0" -v b="$t1" 'BEGIN {print b - a}')" \
        -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v m=$((w1 - w0)) -v s=$((s1 - s0)) \
        -v xs=$((xs1 - xs0)) -v t="$ticks" 'BEGIN {
            printf "%s\t%s\t%.2f\t%.2f\t%.2f\t%.0f\t%.0f\t%s\n", r, n, 100 * p / 1e9 / w,
                100 * x / 1e9 / w, 100 * m / 1e9 / w, s / w, xs / w, t
        }' >>"$rows"
    echo
    if ((rounds > 1)); then echo "== $name (round $round)"; else echo "== $name"; fi
    grep -v '^ready' "$out" | sed 's/^/  /'
}

# the fewest ticks of any timer in a game's output, in percent of its nominal count
leastTicks() {
    grep -oE '^least ticks [0-9.]+|\(([0-9.]+)%\)' "$1" | grep -oE '[0-9.]+' | sort -g | head -n1
}

# Each game binary given plays `name`, and the animation runs, all at the same
# time: they see the same machine, so their ratios hold when its state drifts
# between runs. Prints each one's CPU over the same `seconds` in ns, tab-separated,
# the animation's last; the games' output is in $work/<tag>.<index>.<name>.out.
together() {
    local name=$1 tag=$2
    shift 2
    local pids=() labels=() i
    for i in $(seq 0 $(($# - 1))); do
        local label=$tag.$i.$name bin=$1
        shift
        # the games first: they play a second before "ready"; all outlast the sample
        "$bin" "$name" "$seconds" 3 >"$work/$label.out" 2>"$work/$label.err" &
        pids+=($!) labels+=("$label")
        awaitReady "$work/$label.out" "$!" "$label"
    done
    "$anim" "$seconds" 3 >"$work/$tag.anim.out" 2>"$work/$tag.anim.err" &
    pids+=($!) labels+=("$tag.anim")
    awaitReady "$work/$tag.anim.out" "$!" "$tag.anim"
    # $watch: more processes (a compositor, the X server) measured alongside, printed last
    local before=() after=() p
    for p in "${pids[@]}" ${watch:-}; do before+=("$(cpuns "$p")"); done
    sleep "$seconds"
    for p in "${pids[@]}" ${watch:-}; do after+=("$(cpuns "$p")"); done
    for i in "${!pids[@]}"; do awaitEnd "${pids[$i]}" "${labels[$i]}"; done
    for i in "${!before[@]}"; do printf '%s\t' $((after[i] - before[i])); done
}

# The animation's ticks: each is one wake-up and one frame.
animTicks() { sed -n 's/^timer 10 ms: ticks \([0-9]*\) .*/\1/p' "$1"; }

# A game beside the animation.
pairs=$work/pairs  # round, game, its CPU and the animation's in ns, its least ticks,
                   # wake-ups and frames a second, the animation's ticks
paired() {
    local round=$1 name=$2 cpu
    cpu=$(together "$name" pair "$game")
    printf '%s\t%s\t%s%s\t%s\n' "$round" "$name" "$cpu" "$(speedsOf "$work/pair.0.$name.out" | cut -f2-)" \
        "$(animTicks "$work/pair.anim.out")" >>"$pairs"
}

# The game at the default (classic) timing and with exact timers, beside the animation.
exact=$work/exact-timers
printf '#!/bin/sh\nexec "%s" "$@" --exact-timers\n' "$game" >"$exact"
chmod +x "$exact"
speeds=$work/speeds  # round, game, CPU at exact and default timing and the animation's in ns,
                     # then per timing: least ticks, wake-ups a second, frames a second
speedsOf() {  # a game's output
    local ticks wakes frames
    ticks=$(leastTicks "$1")
    wakes=$(sed -n 's/^timing [a-z]*: \([0-9.]*\) wake-ups\/s$/\1/p' "$1")
    frames=$(sed -n 's/^frames drawn [0-9]* (\([0-9.]*\)\/s)$/\1/p' "$1")
    printf '\t%s\t%s\t%s' "$ticks" "$wakes" "$frames"
}
speed() {
    local round=$1 name=$2 cpu
    cpu=$(together "$name" speed "$exact" "$game")
    printf '%s\t%s\t%s%s%s\n' "$round" "$name" "${cpu%$'\t'}" \
        "$(speedsOf "$work/speed.0.$name.out")" "$(speedsOf "$work/speed.1.$name.out")" >>"$speeds"
}

# The game of this build and of the other, beside the animation.
against=$work/against  # round, game, this build's CPU, the other's, the animation's, in ns
versus() {
    local round=$1 name=$2 cpu
    cpu=$(together "$name" versus "$game" "$other")
    printf '%s\t%s\t%s\n' "$round" "$name" "${cpu%$'\t'}" >>"$against"
}

# Under a Wayland compositor: weston on its X11 backend in the same X server,
# each game beside the animation, both natively on Wayland
# (FRAME_BENCH_WAYLAND=0 leaves it out).
wlpairs=$work/wayland  # round, game, its CPU, the animation's, weston's, the X server's in ns, least ticks
westonpid=''
if [[ ${FRAME_BENCH_WAYLAND:-1} != 0 ]] && command -v weston >/dev/null; then
    mkdir -m 700 "$work/run"
    XDG_RUNTIME_DIR=$work/run weston --backend=x11-backend.so --shell=desktop-shell.so \
        --socket=frame-bench --width=1024 --height=768 --idle-time=0 >"$work/weston.log" 2>&1 &
    westonpid=$!
    for _ in $(seq 100); do [[ -S $work/run/frame-bench ]] && break; sleep 0.1; done
    [[ -S $work/run/frame-bench ]] || { echo "weston did not start" >&2; cat "$work/weston.log" >&2; exit 1; }
    sleep 1  # its shell's clients
fi
onWayland() {
    local round=$1 name=$2 cpu
    cpu=$(QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR=$work/run WAYLAND_DISPLAY=frame-bench \
        watch="$westonpid $xpid" together "$name" wl "$game")
    printf '%s\t%s\t%s%s\n' "$round" "$name" "$cpu" "$(leastTicks "$work/wl.0.$name.out")" >>"$wlpairs"
}

for round in $(seq "$rounds"); do
    run "$round" simple_animation "$anim"
    run "$round" quorrel "$game" quorrel
    run "$round" nebulor "$game" nebulor
    if [[ ${FRAME_BENCH_PAIRED:-1} != 0 ]]; then
        paired "$round" quorrel
        paired "$round" nebulor
    fi
    if [[ -n $westonpid ]]; then
        onWayland "$round" quorrel
        onWayland "$round" nebulor
    fi
    if [[ -n $other ]]; then
        versus "$round" quorrel
        versus "$round" nebulor
    fi
    if [[ ${FRAME_BENCH_EXACT:-0} != 0 ]]; then
        speed "$round" quorrel
        speed "$round" nebulor
    fi
done

echo
echo "load at end: $(uptime)"
echo
# Each game's ratio is taken against the animation of its own round; with
# several rounds the last lines give the median of each column.
awk -F '\t' -v rounds="$rounds" '
    function median(list, n,   a, i, j, t) {
        n = split(list, a, " ")
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && a[j - 1] + 0 > a[j] + 0; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    function row(label, c, x, m, s, xs, t, r, rx) {
        printf "%-23s %7.2f %7.2f %8.2f %6.0f %6.0f %10.1f%% %6.2fx %6.2fx\n", label, c, x, m, s, xs,
            t, r, rx
    }
    { cpu[$1, $2] = $3; xcpu[$1, $2] = $4; wm[$1, $2] = $5; cs[$1, $2] = $6; xcs[$1, $2] = $7
      ticks[$1, $2] = $8 }
    END {
        split("simple_animation quorrel nebulor", names, " ")
        printf "%-23s %7s %7s %8s %6s %6s %11s %7s %7s\n", "program", "cpu %", "X cpu %",
            "wm cpu %", "cs/s", "X cs/s", "least ticks", "ratio", "with X"
        for (r = 1; r <= rounds; r++)
            for (k = 1; k <= 3; k++) {
                n = names[k]
                base = cpu[r, "simple_animation"]
                baseall = base + xcpu[r, "simple_animation"]
                ratio[r, n] = base > 0 ? cpu[r, n] / base : 0
                ratiox[r, n] = baseall > 0 ? (cpu[r, n] + xcpu[r, n]) / baseall : 0
                row(n (rounds > 1 ? " #" r : ""), cpu[r, n], xcpu[r, n], wm[r, n], cs[r, n],
                    xcs[r, n], ticks[r, n], ratio[r, n], ratiox[r, n])
                if (r == 1 || ticks[r, n] + 0 < least[n]) least[n] = ticks[r, n] + 0
                for (f = 1; f <= 8; f++) list[n, f] = list[n, f] " " \
                    (f == 1 ? cpu[r, n] : f == 2 ? xcpu[r, n] : f == 3 ? wm[r, n] : f == 4 ? cs[r, n] : \
                     f == 5 ? xcs[r, n] : f == 6 ? ticks[r, n] : f == 7 ? ratio[r, n] : ratiox[r, n])
            }
        for (k = 1; k <= 3; k++) {
            n = names[k]
            for (f = 1; f <= 8; f++) med[f] = median(list[n, f])
            if (rounds > 1)
                row(n " median", med[1], med[2], med[3], med[4], med[5], least[n], med[7], med[8])
        }
        if (rounds > 1) print "(median rows: least ticks is the lowest of all rounds)"
        print "(one after another the machine drifts between programs: the goals are judged side by side)"
    }' "$rows"
# median of the numbers on standard input
median() {
    sort -g | awk '{a[NR] = $1} END {print NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'
}
# Whether a game's median ratio and its least ticks meet a goal of at most
# `bound` times the animation's CPU; clears $met if not.
meets() {  # median, least ticks, bound
    awk -v m="$1" -v t="$2" -v b="$3" 'BEGIN {exit !(m <= b && t >= 99)}' || met=no
}
goal() {  # where, bound
    echo "goal $1 (each game's median <= $2x the animation's cpu, every timer >= 99% of its ticks): $met"
}
if [[ -s $pairs ]]; then
    echo
    echo "each game running at the same time as the animation (CPU in ms):"
    awk -F '\t' -v s="$seconds" '{ printf "  %-9s round %s: %7.1f / %7.1f = %.2fx, least ticks %s%%\n", $2, $1,
                    $3 / 1e6, $4 / 1e6, ($4 > 0 ? $3 / $4 : 0), $5
                  # per wake-up and per frame, against the animation, whose ticks are both
                  w = $6 * s; f = $7 * s
                  printf "  %-9s          cpu per wake-up %4.0f us (%.1f/s), per frame %4.0f us (%.1f/s); animation per tick %4.0f us (%.0f/s)\n",
                    "", (w > 0 ? $3 / w / 1e3 : 0), $6, (f > 0 ? $3 / f / 1e3 : 0), $7,
                    ($8 > 0 ? $4 / $8 / 1e3 : 0), $8 / s
                  # what the wake-ups alone would cost at the animation'"'"'s price of one
                  printf "  %-9s          floor: %.1f wake-ups/s at the animation'"'"'s cost each = %.2fx\n",
                    "", $6, ($8 > 0 ? $6 * s / $8 : 0) }' "$pairs"
    met=yes
    for name in quorrel nebulor; do
        m=$(awk -F '\t' -v n="$name" '$2 == n && $4 > 0 {print $3 / $4}' "$pairs" | median)
        least=$(awk -F '\t' -v n="$name" '$2 == n {print $5}' "$pairs" | sort -g | head -n1)
        printf '  %-9s median %.2fx, least ticks %s%%\n' "$name" "$m" "$least"
        meets "$m" "$least" 0.2
    done
    goal "on X11" 0.2
fi
if [[ -s $wlpairs ]]; then
    echo
    echo "each game beside the animation under weston, natively on Wayland (CPU % of one core):"
    awk -F '\t' -v s="$seconds" '{ printf "  %-9s round %s: game %6.2f, animation %6.2f (%.2fx), weston %6.2f, X %6.2f, least ticks %s%%\n",
                    $2, $1, $3 / 1e7 / s, $4 / 1e7 / s, ($4 > 0 ? $3 / $4 : 0), $5 / 1e7 / s, $6 / 1e7 / s, $7 }' "$wlpairs"
    met=yes
    for name in quorrel nebulor; do
        m=$(awk -F '\t' -v n="$name" '$2 == n && $4 > 0 {print $3 / $4}' "$wlpairs" | median)
        least=$(awk -F '\t' -v n="$name" '$2 == n {print $7}' "$wlpairs" | sort -g | head -n1)
        printf '  %-9s median %.2fx of the animation, least ticks %s%%\n' "$name" "$m" "$least"
        meets "$m" "$least" 0.2
    done
    goal "on Wayland" 0.2
fi
if [[ -s $against ]]; then
    echo
    echo "this build against $FRAME_BENCH_AGAINST, both with the animation at the same time:"
    awk -F '\t' '{ printf "  %-9s round %s: this %.2fx, other %.2fx of the animation; this / other %.3f\n",
                    $2, $1, $3 / $5, $4 / $5, ($4 > 0 ? $3 / $4 : 0) }' "$against"
    for name in quorrel nebulor; do
        m=$(awk -F '\t' -v n="$name" '$2 == n && $4 > 0 {print $3 / $4}' "$against" | median)
        printf '  %-9s median this / other %.3f\n' "$name" "$m"
    done
fi
if [[ -s $speeds ]]; then
    echo
    echo "each game with exact timers and at the default (classic) speed, with the animation at the same time:"
    met=yes
    awk -F '\t' -v s="$seconds" '
                  function per(cpu, rate) { return rate > 0 ? cpu / (rate * s) / 1e3 : 0 }
                  { printf "  %-9s round %s: cpu exact %.2fx, classic %.2fx of the animation; classic / exact %.3f\n",
                    $2, $1, $3 / $5, $4 / $5, ($3 > 0 ? $4 / $3 : 0)
                  printf "  %-9s          exact:   least ticks %s%%, %s wake-ups/s, %s frames/s; cpu per wake-up %.0f us, per frame %.0f us\n",
                    "", $6, $7, $8, per($3, $7), per($3, $8)
                  printf "  %-9s          classic: least ticks %s%% of the system ticks, %s wake-ups/s, %s frames/s; cpu per wake-up %.0f us, per frame %.0f us\n",
                    "", $9, $10, $11, per($4, $10), per($4, $11) }' "$speeds"
    for name in quorrel nebulor; do
        m=$(awk -F '\t' -v n="$name" '$2 == n && $3 > 0 {print $4 / $3}' "$speeds" | median)
        least=$(awk -F '\t' -v n="$name" '$2 == n {print $9}' "$speeds" | sort -g | head -n1)
        printf '  %-9s median classic / exact cpu %.3f, classic least ticks %s%%\n' "$name" "$m" "$least"
        m=$(awk -F '\t' -v n="$name" '$2 == n && $5 > 0 {print $3 / $5}' "$speeds" | median)
        least=$(awk -F '\t' -v n="$name" '$2 == n {print $6}' "$speeds" | sort -g | head -n1)
        printf '  %-9s median exact %.2fx of the animation, exact least ticks %s%%\n' "$name" "$m" "$least"
        meets "$m" "$least" 0.5
    done
    goal "with exact timers" 0.5
fi
