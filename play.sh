#!/usr/bin/env bash
# Builds the games and starts one: ./play.sh [nebulor|quorrel] [OPTION...]
# Further arguments go to the game, e.g. ./play.sh quorrel --exact-timers
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
game=nebulor
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
    game=$1
    shift
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target "$game"
exec "build/$game/$game" "$@"
