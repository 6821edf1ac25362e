# Sourced by the smoke tests: $dir's programs, a fresh X server on $DISPLAY,
# a log folder $logs removed at exit, and sanitizers that stop at a report.
for game in nebulor quorrel; do
    [ -x "$dir/$game/$game" ] || { echo "$0: no $dir/$game/$game" >&2; exit 1; }
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
