#!/usr/bin/env bash
# Every C++ file as clang-format (with the root .clang-format) would write it.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "format: $(git ls-files '*.cpp' '*.h' | wc -l) files as clang-format writes them"
