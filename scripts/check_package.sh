#!/usr/bin/env bash
# Installs both games into a staging folder and checks what a distribution
# gets, then builds the Debian package, unpacks it and runs both programs from
# it. Builds first if needed.
#   scripts/check_package.sh [build folder]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

dir=${1:-build}
games=(nebulor quorrel)
sizes=(16 22 24 32 48 64 128 256)

checked=()
fail() {
    echo "check_package: $*" >&2
    exit 1
}
ok() { checked+=("$*"); }

[ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir"
prefix=$(sed -n 's/^APP_ID_PREFIX:[A-Z]*=//p' "$dir/CMakeCache.txt")
[ -n "$prefix" ] || fail "no APP_ID_PREFIX in $dir/CMakeCache.txt"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
stage=$tmp/stage
DESTDIR=$stage cmake --install "$dir" --prefix /usr >/dev/null
share=$stage/usr/share

for game in "${games[@]}"; do
    id=$prefix.$game
    desktop=$share/applications/$id.desktop
    metainfo=$share/metainfo/$id.metainfo.xml
    man=$share/man/man6/$game.6
    for f in "$stage/usr/bin/$game" "$desktop" "$metainfo" "$man" \
        "$share/icons/hicolor/scalable/apps/$id.svg"; do
        [ -f "$f" ] || fail "not installed: ${f#"$stage"}"
    done
    for n in "${sizes[@]}"; do
        png=$share/icons/hicolor/${n}x$n/apps/$id.png
        [ -f "$png" ] || fail "not installed: ${png#"$stage"}"
        file -b "$png" | grep -q "^PNG image data, $n x $n," || fail "${png#"$stage"} is not a $n x $n PNG"
    done
    ok "$game: installed the binary, desktop entry, metainfo, manual page, SVG icon and PNG icons at ${sizes[*]} px"

    desktop-file-validate "$desktop" || fail "desktop-file-validate $id.desktop"
    # The menu starts the binary and shows the icon under these names.
    grep -qx "Exec=$game" "$desktop" || fail "$id.desktop: Exec is not $game"
    grep -qx "Icon=$id" "$desktop" || fail "$id.desktop: Icon is not $id"
    # A launcher's right click offers the original speed.
    grep -qx "Exec=$game --classic-speed" "$desktop" ||
        fail "$id.desktop: no action that starts $game --classic-speed"
    ok "$id.desktop: desktop-file-validate, Exec=$game, Icon=$id, the classic-speed action"

    appstreamcli validate --no-net "$metainfo" >/dev/null ||
        { appstreamcli validate --no-net "$metainfo" || true; fail "appstreamcli validate $id.metainfo.xml"; }
    ok "$id.metainfo.xml: appstreamcli validate --no-net"

    warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 -Tutf8 "$man" 2>&1)
    [ -z "$warnings" ] || fail "$game.6: $warnings"
    ok "$game.6: groff reads it without a warning"
done
# Across files: each metainfo's launchable names an installed desktop entry.
appstreamcli validate-tree --no-net "$stage/usr" >/dev/null ||
    { appstreamcli validate-tree --no-net "$stage/usr" || true; fail "appstreamcli validate-tree"; }
ok "staged tree: appstreamcli validate-tree --no-net"

out=$(cd "$dir" && cpack -G DEB 2>&1) || { echo "$out" >&2; fail "cpack -G DEB"; }
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$out")
[ -f "$deb" ] || { echo "$out" >&2; fail "cpack named no .deb"; }
depends=$(dpkg-deb -f "$deb" Depends)
# The Qt libraries come from dpkg-shlibdeps, the fonts from our own list.
for need in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 fonts-wine; do
    grep -qE "(^|, )$need( |,|$)" <<<"$depends" || fail "$(basename "$deb"): Depends lacks $need: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "$(basename "$deb"): Section is not games"
ok "$(basename "$deb"): Section games, Depends: $depends"

unpacked=$tmp/deb
dpkg-deb -x "$deb" "$unpacked"
diff <(cd "$stage" && find . -type f | sort) <(cd "$unpacked" && find . -type f | sort) ||
    fail "the package's files differ from the staged install"
ok "$(basename "$deb"): holds the same files as the staged install"

for game in "${games[@]}"; do
    # The version the metainfo announces is the one the program reports.
    want=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$share/metainfo/$prefix.$game.metainfo.xml" | head -n1)
    got=$("$unpacked/usr/bin/$game" --version) || fail "$game --version from the package failed"
    [ "$got" = "$game $want" ] || fail "$game --version says '$got'; the metainfo's release is $want"
    ok "$game --version from the unpacked package: $got"
done

echo "check_package: passed"
printf '  %s\n' "${checked[@]}"
