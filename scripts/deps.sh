#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need.
# As root it installs what is missing; otherwise it prints the install line.
#   scripts/deps.sh [--package | --chroot]
#     --package: also what building the Debian packages and checking them needs
#     --chroot: what building them in a clean chroot and piuparts need
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgtest-dev fonts-wine fonts-dejavu-core)
# The translation catalogues: lupdate and lrelease, and their CMake functions.
packages+=(qt6-l10n-tools qt6-tools-dev)
# Narrow faces that stand in where the bundled ones are missing.
packages+=(fonts-liberation fonts-dejavu-extra)
# The desktop's alert sound and its theme.
packages+=(libcanberra-dev sound-theme-freedesktop)
# tests/desktop: pytest; a real X server, clicks on it and a window manager.
packages+=(python3 python3-pytest xvfb x11-utils xdotool openbox)
# A Wayland compositor on that X server, Qt's Wayland platform, and
# screenshots read back (libX11) or kept (imagemagick).
packages+=(weston qt6-wayland libx11-6 imagemagick)
# A session bus, the accessibility bus and registry, and a client.
packages+=(dbus dbus-x11 at-spi2-core python3-pyatspi)
# CI's style gates: scripts/check_format.sh and scripts/check_tidy.sh.
packages+=(clang-format clang-tidy)
# scripts/check_package.sh: the validators.
packages+=(desktop-file-utils appstream groff-base file)
if [ "${1:-}" = --chroot ]; then
    # scripts/check_chroot_build.sh: the chroots, made by this machine's root
    # in a user namespace (uidmap), and the source package (dpkg-dev).
    packages=(mmdebstrap uidmap sbuild piuparts dpkg-dev)
fi
if [ "${1:-}" = --package ]; then
    # dpkg-buildpackage, lintian and hardening-check; debian/control's
    # Build-Depends come after.
    packages+=(dpkg-dev build-essential debhelper lintian devscripts)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} > 0)); then
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "These packages are missing. Install them, then run this again:" >&2
        echo "  sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
fi
[ "${1:-}" = --package ] || exit 0

# Exactly what the package build asks for, from its own list.
dpkg-checkbuilddeps 2>/dev/null && exit 0
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing the Build-Depends of debian/control"
    DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq --no-install-recommends ./
else
    dpkg-checkbuilddeps || true
    echo "Install them with: sudo apt-get build-dep ./" >&2
    exit 1
fi
