#!/usr/bin/env bash
# clang-tidy with the checks of .clang-tidy over the sources of the runtime,
# the about box and both games; any finding fails.
#   scripts/check_tidy.sh [build folder with compile_commands.json] (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
[ -f "$dir/compile_commands.json" ] || { echo "tidy: no $dir/compile_commands.json" >&2; exit 1; }
files=$(git ls-files 'runtime/*.cpp' 'about/*.cpp' 'nebulor/*.cpp' 'quorrel/*.cpp')
# Two at a time, one per core; the findings and a failure of any file show.
printf '%s\n' $files | xargs -P 2 -n 4 clang-tidy -p "$dir" --quiet 2>/dev/null
echo "tidy: $(echo "$files" | wc -l) files clean"
