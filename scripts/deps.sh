#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need.
# As root it installs what is missing; otherwise it prints the install line.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgtest-dev fonts-wine fonts-dejavu-core)
# Narrow faces that stand in where the bundled ones are missing.
packages+=(fonts-liberation fonts-dejavu-extra)
# The desktop's alert sound and its theme.
packages+=(libcanberra-dev sound-theme-freedesktop)
# scripts/smoke_x11.sh: a real X server, clicks on it and a window manager.
packages+=(xvfb x11-utils xdotool openbox)
# scripts/smoke_atspi.sh: a session bus, the accessibility bus and registry, and a client.
packages+=(dbus dbus-x11 at-spi2-core python3-pyatspi)
# scripts/check_package.sh: the validators, and what cpack needs to find the libraries.
packages+=(desktop-file-utils appstream groff-base dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]} == 0)) && exit 0

if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "These packages are missing. Install them, then run this again:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
