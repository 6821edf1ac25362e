#!/usr/bin/env bash
# Every text the sources mark has its finished English in the catalogues, and
# no catalogue keeps a text the sources no longer have: lupdate reads the
# sources into a copy of each catalogue, which must come out with no entry
# unfinished, vanished or obsolete. The catalogues in the tree stay as they are.
#   scripts/check_catalogues.sh [LUPDATE]
set -euo pipefail
cd "$(dirname "$0")/.."
# Qt 6's own: a lupdate on the PATH may be an older Qt's.
lupdate=${1:-/usr/lib/qt6/bin/lupdate}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
# Each layer's folder and its catalogue.
for folder in runtime about nebulor quorrel; do
    catalogue=$folder/${folder}_en.ts
    cp "$catalogue" "$work/"
    copy=$work/${folder}_en.ts
    "$lupdate" -silent -locations none -source-language sk -target-language en \
        "$folder" -ts "$copy" 2>"$work/lupdate.log" ||
        { cat "$work/lupdate.log" >&2; exit 1; }
    # An entry whose source text, in the sources, has no English.
    if grep -q 'type="\(unfinished\|vanished\|obsolete\)"' "$copy"; then
        echo "$catalogue: entries to finish or remove (lupdate $folder -ts $catalogue):" >&2
        grep -B2 'type="\(unfinished\|vanished\|obsolete\)"' "$copy" | grep '<source>' >&2
        status=1
    fi
    # What lupdate would write differs from the tree's: run it and commit.
    if ! cmp -s "$catalogue" "$copy"; then
        echo "$catalogue: not as lupdate writes it (lupdate $folder -ts $catalogue)" >&2
        status=1
    fi
done
exit $status
