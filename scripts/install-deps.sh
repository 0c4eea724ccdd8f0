#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing, the ones of the release it runs on.
# Usage: install-deps.sh [--list] run|test|linux-test|windows
#   run         what builds and starts the program
#   test        everything scripts/test.sh needs: the tests, the fuzzer, the sanitizers, the
#               package check, the Windows build and Wine
#   linux-test  the ordinary build and its tests only (the other release's root)
#   windows     what builds the Windows program
#   --list      print the packages, one a line, and install nothing
set -euo pipefail

list=no
if [ "${1:-}" = --list ]; then list=yes; shift; fi
mode=${1:-run}

# MORIV_RELEASE=12|13 names the Debian release to list the packages of (another release's root).
release=unknown
if [ -n "${MORIV_RELEASE:-}" ]; then
    release="debian $MORIV_RELEASE"
elif [ -r /etc/os-release ]; then
    release=$(. /etc/os-release && echo "${ID:-unknown} ${VERSION_ID:-${VERSION_CODENAME:-}}")
fi
case "$release" in
    "debian 12"|"debian 13") ;;
    *) echo "install-deps.sh: $release is not Debian 12 or 13; install by hand: a C++20" \
            "compiler, CMake 3.25, Qt 6.4 or later (Core, Gui, Widgets, Network, DBus," \
            "LinguistTools), the xcb, xcb-keysyms, xcb-shape and libcanberra headers, GLib and" \
            "pkg-config" >&2
       exit 1 ;;
esac

packages=(cmake g++ make qt6-base-dev qt6-tools-dev qt6-l10n-tools libxcb1-dev libxcb-keysyms1-dev
          libxcb-shape0-dev libcanberra-dev qt6-translations-l10n fonts-dseg fonts-noto-cjk gzip
          libglib2.0-dev pkg-config qt6-httpserver-dev qt6-websockets-dev)
linux_test=(xvfb xdotool x11-utils dbus at-spi2-core python3-pyatspi openbox imagemagick xterm wmctrl
            libxcb-composite0-dev desktop-file-utils lintian man-db xfwm4 x11-xserver-utils
            sway xwayland wtype grim qt6-wayland appstream python3-gi dconf-service
            dconf-gsettings-backend dconf-cli gnome-settings-daemon-common shellcheck
            libcanberra0 libcanberra-pulse sound-theme-freedesktop pulseaudio pulseaudio-utils sox
            curl)
# The fuzzer and the sanitizers' leak checker: Debian's default clang and its runtime.
sanitizers=(clang libclang-rt-dev)
# Another release's root for the ordinary build (scripts/other-release.sh).
roots=(mmdebstrap)
windows=(g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev patch xz-utils zip nsis)
# Debian 13 has LayerShellQt: the timer floats on the overlay layer of KDE Plasma 6 and sway.
# Its sway test clicks through a VNC server's pointer (wayvnc): the headless seat has none.
# Its KWin test takes the shortcuts through KDE's portal, keys from KWin's fake input.
if [ "$release" = "debian 13" ]; then
    packages+=(liblayershellqtinterface-dev libwayland-dev)
    linux_test+=(wayvnc kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde
                 plasma-wayland-protocols)
fi
case "$mode" in
    run) ;;
    linux-test) packages+=("${linux_test[@]}") ;;
    test) packages+=("${linux_test[@]}" "${sanitizers[@]}" "${roots[@]}" "${windows[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    *) echo "usage: install-deps.sh [--list] run|test|linux-test|windows" >&2; exit 2 ;;
esac

if [ "$list" = yes ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

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
