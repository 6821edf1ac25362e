#!/usr/bin/env bash
# Both programs through the desktop's accessibility bus, as a screen reader's
# tools see them (scripts/smoke_atspi.py), on a real X server with a session
# bus and the AT-SPI registry. Any sanitizer report, a program that does not
# end, or a process left behind fails the run.
#   scripts/smoke_atspi.sh [build folder]    (default: build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-sanitize}
source scripts/x_server.sh
export NO_AT_BRIDGE=1  # the client itself is no accessible application

# The session bus starts the accessibility bus and its registry on demand and
# takes them down when the client ends. The system python has pyatspi.
dbus-run-session -- /usr/bin/python3 scripts/smoke_atspi.py "$dir" "$logs"

if pgrep -f "$dir/(nebulor|quorrel)/" >/dev/null; then
    echo "smoke_atspi: a program was left running" >&2
    exit 1
fi
echo "smoke_atspi: passed"
