#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, test, package and regenerate its assets.
# Only touches apt when something is actually missing, so a ready machine starts at once.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-l10n-tools
    libsdl2-dev libsdl2-mixer-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation
    xvfb xauth
    # Wayland and a headless compositor, to see the windows with their own title bar
    weston qt6-wayland
    orca at-spi2-core dbus-daemon openbox xdotool x11-utils procps
    clang libclang-rt-14-dev
    desktop-file-utils appstream
    debhelper dpkg-dev fakeroot lintian
)
here=$(dirname "$0")
if [ -f "$here/asset-deps.txt" ]; then
    while read -r p; do
        [ -n "$p" ] && [ "${p#\#}" = "$p" ] && packages+=("$p")
    done <"$here/asset-deps.txt"
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Asennetaan puuttuvat paketit: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
