#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing. Usage: install-deps.sh run|test|windows
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-tools-dev qt6-l10n-tools libxcb1-dev libxcb-keysyms1-dev
          qt6-translations-l10n fonts-dseg fonts-noto-cjk gzip libglib2.0-dev pkg-config)
windows=(g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev patch xz-utils zip nsis)
case "${1:-run}" in
    test) packages+=(xvfb xdotool x11-utils dbus at-spi2-core python3-pyatspi
                     clang libclang-rt-14-dev openbox imagemagick libxcb-composite0-dev
                     desktop-file-utils lintian man-db xfwm4 x11-xserver-utils sway xwayland
                     wtype grim qt6-wayland appstream python3-gi dconf-service
                     dconf-gsettings-backend dconf-cli
                     gnome-settings-daemon-common "${windows[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
esac

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
