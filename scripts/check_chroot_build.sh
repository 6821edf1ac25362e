#!/usr/bin/env bash
# The source package built as Debian builds it: in a clean chroot of this
# machine's Debian release that holds nothing but its Build-Depends (made by
# mmdebstrap from the mirror apt uses here, then sbuild in unshare mode), its
# tests included; then piuparts installs and purges the packages in a minimal
# chroot. Also the same build with the nocheck profile, which needs none of
# the tests' build dependencies. Prints how long each step took. Needs root.
#   scripts/check_chroot_build.sh [folder]    (default: build-chroot; the
#                                              chroots, logs and packages stay there)
# The chroots are made afresh when older than a day.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "check_chroot_build: $*" >&2
    exit 1
}
begin=$SECONDS
mark=$SECONDS
times=()
took() {
    times+=("$(printf '%4d s  %s' $((SECONDS - mark)) "$*")")
    echo "check_chroot_build: $* ($((SECONDS - mark)) s)"
    mark=$SECONDS
}

[ "$(id -u)" -eq 0 ] || fail "needs root (piuparts makes real chroots)"
scripts/deps.sh --chroot
# Unshare mode maps the chroot's users to root's subordinate ids.
grep -q "^root:" /etc/subuid || usermod --add-subuids 100000-165535 root
grep -q "^root:" /etc/subgid || usermod --add-subgids 100000-165535 root
unshare --user --map-root-user true || fail "this machine gives no user namespaces"

suite=$(sed -n "s/^VERSION_CODENAME=//p" /etc/os-release)
# Debian's archive as apt has it here: each sources file that names the release.
sources=()
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && grep -qE "^[^#]*\b$suite\b" "$f" && sources+=("$f")
done
((${#sources[@]} > 0)) || fail "no apt sources for $suite in /etc/apt"

dir=${1:-build-chroot}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
# sbuild's, with what building any package needs; piuparts', the least that
# runs apt (piuparts unpacks it with tar -z).
buildd=$dir/$suite-buildd.tar
minbase=$dir/$suite-minbase.tar.gz
for variant in buildd minbase; do
    tarball=${!variant}
    [ -n "$(find "$tarball" -mmin -1440 2>/dev/null)" ] && continue
    mmdebstrap --mode=unshare --variant="$variant" "$suite" "$tarball" "${sources[@]}" \
        >"$dir/$variant.log" 2>&1 || { tail -n 20 "$dir/$variant.log" >&2; fail "mmdebstrap $variant"; }
    took "mmdebstrap: a clean $suite chroot ($variant)"
done

# The source package, from a clean clone of the committed tree.
rm -rf "$dir/src" "$dir/out" "$dir/nocheck"
mkdir -p "$dir/out" "$dir/nocheck"
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "check_chroot_build: note: uncommitted changes are not in the clone that is built" >&2
git clone --quiet --no-local . "$dir/src"
version=$(dpkg-parsechangelog -l debian/changelog -S Version)
(cd "$dir/out" && dpkg-source --build ../src >/dev/null)
dsc=$dir/out/nebulor-quorrel_$version.dsc
[ -f "$dsc" ] || fail "dpkg-source made no $(basename "$dsc")"

# build: DEB_BUILD_OPTIONS, sbuild's options, output folder
build() {
    local out=$1 options=$2
    shift 2
    (cd "$out" && DEB_BUILD_OPTIONS=$options sbuild --chroot-mode=unshare --chroot="$buildd" \
        --dist="$suite" --no-run-lintian --no-run-piuparts --no-run-autopkgtest --no-apt-upgrade \
        --no-apt-distupgrade --jobs="$(nproc)" --nolog "$@" "$dsc") >"$out/build.log" 2>&1 ||
        { tail -n 60 "$out/build.log" >&2; fail "sbuild failed (whole log: $out/build.log)"; }
}
build "$dir/out" ""
tests=$(grep -o "^100% tests passed, 0 tests failed out of [0-9]*" "$dir/out/build.log") ||
    fail "no passing test run in the chroot build ($dir/out/build.log)"
took "sbuild in a clean chroot: $tests"

build "$dir/nocheck" nocheck --profiles=nocheck
! grep -qE "Building CXX object tests/|Test project" "$dir/nocheck/build.log" ||
    fail "the nocheck build built or ran tests ($dir/nocheck/build.log)"
for dep in libgtest-dev qt6-wayland fonts-wine; do
    ! grep -qE "^Unpacking $dep(:[a-z0-9]+)? " "$dir/nocheck/build.log" ||
        fail "the nocheck build installed $dep ($dir/nocheck/build.log)"
done
took "sbuild with nocheck: no test built, none of the tests' build dependencies"

# The games, not their debug symbols.
arch=$(dpkg-architecture -q DEB_HOST_ARCH)
debs=("$dir/out/nebulor_${version}_$arch.deb" "$dir/out/quorrel_${version}_$arch.deb")
for deb in "${debs[@]}"; do [ -f "$deb" ] || fail "sbuild made no $(basename "$deb")"; done
# Installed with their dependencies from the mirror, then purged: nothing may
# be left behind or fail.
piuparts --basetgz="$minbase" --keep-sources-list --distribution="$suite" \
    --log-file="$dir/piuparts.log" "${debs[@]}" >/dev/null 2>&1 ||
    { tail -n 40 "$dir/piuparts.log" >&2; fail "piuparts failed (whole log: $dir/piuparts.log)"; }
grep -q "PASS: All tests." "$dir/piuparts.log" || fail "piuparts did not pass ($dir/piuparts.log)"
took "piuparts: $(basename -a "${debs[@]}" | tr '\n' ' ')installed and purged"

echo "check_chroot_build: passed in $((SECONDS - begin)) s (packages and logs in $dir)"
printf '  %s\n' "${times[@]}"
