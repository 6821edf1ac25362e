# Shared by the smoke tests, sourced with $dir (the build folder) set; finish
# needs $logs (the programs' logs) and $scale.

for game in nebulor quorrel; do
    [ -x "$dir/$game/$game" ] || { echo "smoke: no $dir/$game/$game" >&2; exit 1; }
done

# Waits for program $1 (pid) named $2 to end; fails when it does not, ends
# with a bad status, its log has a sanitizer report, or a line that matches
# the extended pattern $3 (case-insensitive).
finish() {
    local pid=$1 name=$2 bad=${3:-} status=0
    for _ in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    if kill -0 "$pid" 2>/dev/null; then
        echo "smoke: $name did not end" >&2
        kill -9 "$pid"
        return 1
    fi
    wait "$pid" || status=$?
    if ((status != 0)) || grep -qE "ERROR: (Address|Leak)Sanitizer|runtime error" "$logs/$name.log" ||
        { [ -n "$bad" ] && grep -qiE "$bad" "$logs/$name.log"; }; then
        echo "smoke: $name ended with status $status" >&2
        cat "$logs/$name.log" >&2
        return 1
    fi
    echo "smoke: $name at scale $scale: played through and ended cleanly"
}
