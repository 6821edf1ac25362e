#!/usr/bin/env bash
# Both programs through the desktop's accessibility bus, as a screen reader's
# tools see them (scripts/smoke_atspi.py), on a real X server with a session
# bus and the AT-SPI registry. Any sanitizer report, a program that does not
# end, or a process left behind fails the run.
#   scripts/smoke_atspi.sh [build folder]    (default: build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-sanitize}
for game in nebulor quorrel; do
    [ -x "$dir/$game/$game" ] || { echo "smoke_atspi: no $dir/$game/$game" >&2; exit 1; }
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
export NO_AT_BRIDGE=1  # the client itself is no accessible application

# The session bus starts the accessibility bus and its registry on demand and
# takes them down when the client ends. The system python has pyatspi.
dbus-run-session -- /usr/bin/python3 scripts/smoke_atspi.py "$dir" "$logs"

if pgrep -f "$dir/(nebulor|quorrel)/" >/dev/null; then
    echo "smoke_atspi: a program was left running" >&2
    exit 1
fi
echo "smoke_atspi: passed"
