#!/usr/bin/env bash
# Builds the games and starts one: ./play.sh [nebulor|quorrel]
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
game=${1:-nebulor}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target "$game"
exec "build/$game/$game"
