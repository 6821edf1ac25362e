#!/usr/bin/env bash
# What a distribution gets. Builds the Debian packages as a distribution
# does (dpkg-buildpackage from a clean clone of the committed tree, tests
# included), runs lintian on them, checks the files each one installs, then
# installs both with apt, runs the games from /usr/games and removes them
# again, comparing the file lists before and after. Needs root for apt.
#   scripts/check_package.sh [folder]    (default: build-deb; the packages stay there)
set -euo pipefail
cd "$(dirname "$0")/.."

games=(nebulor quorrel)
sizes=(16 22 24 32 48 64 128 256)

checked=()
fail() {
    echo "check_package: $*" >&2
    exit 1
}
ok() { checked+=("$*"); }

[ "$(id -u)" -eq 0 ] || fail "installing the packages with apt needs root"
for game in "${games[@]}"; do
    ! dpkg-query -W -f='${Status}' "$game" 2>/dev/null | grep -q "ok installed" ||
        fail "$game is installed already: remove it first (apt-get remove $game)"
done
scripts/deps.sh --package

dir=${1:-build-deb}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
rm -rf "$dir/src" "$dir"/*.deb "$dir"/*.changes "$dir"/*.buildinfo
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "check_package: note: uncommitted changes are not in the clone that is built" >&2
git clone --quiet --no-local . "$dir/src"

tmp=$(mktemp -d)
installed=()
cleanup() {
    ((${#installed[@]} == 0)) || DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "${installed[@]}" >/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

log=$dir/build.log
(cd "$dir/src" && dpkg-buildpackage -us -uc -b -j"$(nproc)") >"$log" 2>&1 ||
    { tail -n 40 "$log" >&2; fail "dpkg-buildpackage failed (whole log: $log)"; }
! grep -n "warning:" "$log" >&2 || fail "the compiler warned under the distribution's flags ($log)"
tests=$(grep -o "^100% tests passed, 0 tests failed out of [0-9]*" "$log") ||
    fail "no passing test run in the package build ($log)"
ok "dpkg-buildpackage -us -uc -b from a clean clone, no compiler warning; in it: $tests"

version=$(dpkg-parsechangelog -l debian/changelog -S Version)
want=$(sed -n 's/^set(NEBULOR_VERSION \(.*\))$/\1/p' CMakeLists.txt)+$(sed -n 's/^set(QUORREL_VERSION \(.*\))$/\1/p' CMakeLists.txt)
[ "$version" = "$want" ] || fail "debian/changelog's version is $version; the programs' versions make $want"
changes=$dir/nebulor-quorrel_${version}_$(dpkg-architecture -q DEB_HOST_ARCH).changes
[ -f "$changes" ] || fail "no $(basename "$changes")"
ok "debian/changelog: $version, the versions in CMakeLists.txt"

# The .changes names every package built; lintian checks them all with it.
status=0
report=$(lintian --pedantic --info --fail-on error,warning "$changes" 2>&1) || status=$?
report=$(grep -v "running with root privileges" <<<"$report" || true)
[ -z "$report" ] || echo "$report"
[ "$status" = 0 ] || fail "lintian --pedantic reports errors or warnings (status $status)"
ok "lintian --pedantic on $(basename "$changes") and its packages: no error or warning, $(grep -c "^[IPX]:" <<<"$report" || true) other tags"

holder=$(sed -n 's/^Copyright (c) [0-9]* //p' LICENSE)
grep -qx "Copyright: [0-9]* $holder" debian/copyright || fail "debian/copyright does not name LICENSE's holder, $holder"

debs=()
for game in "${games[@]}"; do
    deb=$dir/${game}_${version}_$(dpkg-architecture -q DEB_HOST_ARCH).deb
    [ -f "$deb" ] || fail "no $(basename "$deb")"
    debs+=("$deb")
    name=$(basename "$deb")
    [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "$name: Section is not games"
    maintainer=$(dpkg-deb -f "$deb" Maintainer)
    [ "${maintainer%% <*}" = "$holder" ] || fail "$name: Maintainer $maintainer is not LICENSE's holder, $holder"
    depends=$(dpkg-deb -f "$deb" Depends)
    # The Qt libraries come from dpkg-shlibdeps; the fonts are opened by path.
    for need in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 fonts-wine; do
        grep -qE "(^|, )$need( |,|$)" <<<"$depends" || fail "$name: Depends lacks $need: $depends"
    done
    ok "$name: Section games, Maintainer $maintainer, Depends: $depends"

    root=$tmp/$game
    dpkg-deb -x "$deb" "$root"
    other=$(printf '%s\n' "${games[@]}" | grep -vx "$game")
    ! (cd "$root" && find . | grep "$other") || fail "$name holds $other's files"
    share=$root/usr/share
    desktop=$(echo "$share"/applications/*."$game".desktop)
    id=$(basename "$desktop" .desktop)
    metainfo=$share/metainfo/$id.metainfo.xml
    man=$share/man/man6/$game.6.gz
    for f in "$root/usr/games/$game" "$desktop" "$metainfo" "$man" \
        "$share/icons/hicolor/scalable/apps/$id.svg" "$share/doc/$game/copyright"; do
        [ -f "$f" ] || fail "$name: no ${f#"$root"}"
    done
    cmp -s "$share/doc/$game/copyright" debian/copyright || fail "$name: its copyright is not debian/copyright"
    for n in "${sizes[@]}"; do
        png=$share/icons/hicolor/${n}x$n/apps/$id.png
        [ -f "$png" ] || fail "$name: no ${png#"$root"}"
        file -b "$png" | grep -q "^PNG image data, $n x $n," || fail "${png#"$root"} is not a $n x $n PNG"
    done
    ok "$name: /usr/games/$game, its desktop entry, metainfo, compressed manual page, copyright, SVG icon and PNG icons at ${sizes[*]} px, nothing of $other's"

    desktop-file-validate "$desktop" || fail "desktop-file-validate $id.desktop"
    # The menu starts the program and shows the icon under these names.
    grep -qx "Exec=$game" "$desktop" || fail "$id.desktop: Exec is not $game"
    grep -qx "Icon=$id" "$desktop" || fail "$id.desktop: Icon is not $id"
    # A launcher's right click offers the original speed.
    grep -qx "Exec=$game --exact-timers" "$desktop" ||
        fail "$id.desktop: no action that starts $game --exact-timers"
    ok "$id.desktop: desktop-file-validate, Exec=$game, Icon=$id, the exact-timers action"

    appstreamcli validate --no-net "$metainfo" >/dev/null ||
        { appstreamcli validate --no-net "$metainfo" || true; fail "appstreamcli validate $id.metainfo.xml"; }
    grep -q "<developer_name>$holder</developer_name>" "$metainfo" ||
        fail "$id.metainfo.xml: developer_name is not LICENSE's holder, $holder"
    ok "$id.metainfo.xml: appstreamcli validate --no-net, developer $holder"

    warnings=$(zcat "$man" | LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 -Tutf8 2>&1)
    [ -z "$warnings" ] || fail "$game.6: $warnings"
    ok "$game.6.gz: groff reads it without a warning"

    # The distribution's flags: bind now and fortified functions among them.
    # Control-flow protection is not among Debian 12's flags.
    hardening-check --quiet --nocfprotection "$root/usr/games/$game" ||
        { hardening-check "$root/usr/games/$game" || true; fail "hardening-check $game"; }
    ok "$game: hardening-check (PIE, stack protector, fortify, RELRO, bind now)"

    # The version the metainfo announces is the one the program reports.
    release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
    got=$("$root/usr/games/$game" --version) || fail "$game --version from the package failed"
    [ "$got" = "$game $release" ] || fail "$game --version says '$got'; the metainfo's release is $release"
    ok "$game --version from the unpacked package: $got"
done
# Across files: each metainfo's launchable names a desktop entry installed.
both=$tmp/both
for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$both"; done
appstreamcli validate-tree --no-net "$both/usr" >/dev/null ||
    { appstreamcli validate-tree --no-net "$both/usr" || true; fail "appstreamcli validate-tree"; }
ok "both packages' files: appstreamcli validate-tree --no-net"

# Installed with apt and removed again: nothing else comes or stays, and no
# file is left behind. Recommends are left out, so that only these two arrive.
roots=()
for d in /usr /etc /opt /var/games /var/lib; do [ -d "$d" ] && roots+=("$d"); done
files() {
    find "${roots[@]}" -xdev \( -path /var/lib/apt -o -path /var/lib/dpkg -o -path /var/lib/systemd \) \
        -prune -o -print | sort
}
packages() { dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' | sort; }
files >"$tmp/files.before"
packages >"$tmp/packages.before"
# As apt installs by default, with Recommends: no sound server or daemon
# comes along. The sounds play through ALSA's default device, which a
# desktop's PipeWire or PulseAudio points at itself with its ALSA plugin.
would=$(apt-get install -s "${debs[@]}" 2>/dev/null | sed -n 's/^Inst \([^ ]*\) .*/\1/p' | tr '\n' ' ') ||
    fail "apt-get install -s ${debs[*]}"
servers=$(tr ' ' '\n' <<<"$would" | grep -xE 'pulseaudio|pipewire(-[a-z0-9-]+)?|wireplumber|rtkit|jackd2?' | tr '\n' ' ' || true)
[ -z "$servers" ] || fail "installed with Recommends, the games would bring sound servers or daemons: $servers"
ok "apt-get install with Recommends would add no sound server or daemon, only: $would"
installed=("${games[@]}")
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${debs[@]}" >/dev/null ||
    fail "apt-get install ${debs[*]}"
new=$(comm -13 "$tmp/packages.before" <(packages) | cut -d' ' -f1 | tr '\n' ' ')
[ "$new" = "nebulor quorrel " ] || fail "apt installed more than the two games: $new"
added=$(comm -13 "$tmp/files.before" <(files) | wc -l)
ok "apt-get install ./nebulor_*.deb ./quorrel_*.deb: these two packages and $added new paths"

for game in "${games[@]}"; do
    [ "$(PATH=/usr/local/bin:/usr/bin:/bin:/usr/games command -v "$game")" = "/usr/games/$game" ] ||
        fail "$game is not found as /usr/games/$game on a user's PATH"
    got=$("/usr/games/$game" --version) || fail "/usr/games/$game --version failed"
    # Still playing when it is stopped: it started and did not fall over.
    status=0
    QT_QPA_PLATFORM=offscreen timeout 3 "/usr/games/$game" >/dev/null 2>&1 || status=$?
    [ "$status" = 124 ] || fail "/usr/games/$game ended with status $status within 3 seconds"
    ok "/usr/games/$game: $got, and runs (offscreen) until stopped"
done

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "${games[@]}" >/dev/null || fail "apt-get remove ${games[*]}"
installed=()
packages | cmp -s "$tmp/packages.before" - || fail "the packages installed differ after the removal"
files >"$tmp/files.after"
diff "$tmp/files.before" "$tmp/files.after" >&2 ||
    fail "the files under ${roots[*]} differ after the removal"
ok "apt-get remove nebulor quorrel: the same packages and the same $(wc -l <"$tmp/files.after") paths as before"

echo "check_package: passed (packages in $dir)"
printf '  %s\n' "${checked[@]}"
