#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The ordinary build and all its tests on the other supported Debian release (13 on a Debian 12
# machine, 12 on a Debian 13 one), in a root made with mmdebstrap. The root is kept in a cache
# beside Qt for Windows and made again when its package list changes. It runs in mount, process
# and network namespaces of its own, so that nothing stays mounted or running afterwards,
# whatever fails, and its displays never meet the machine's. As root.
# Usage: other-release.sh [build folder inside the root, default build-test]
# The tests run side by side, MORIV_TEST_JOBS at a time (by default three more than there are
# cores, as in scripts/test.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-test}
test_jobs=${MORIV_TEST_JOBS:-$(($(nproc) + 3))}

[ "$(id -u)" -eq 0 ] || { echo "other-release.sh: making a root needs root" >&2; exit 1; }
host=$(. /etc/os-release && echo "${VERSION_ID:-}")
case "$host" in
    12) other=13 suite=trixie ;;
    13) other=12 suite=bookworm ;;
    *) echo "other-release.sh: runs on Debian 12 or 13, not on '$host'" >&2; exit 1 ;;
esac
cache=${MORIV_CACHE:-$HOME/.cache/moriv}
root=$cache/debian-$other-root
stamp=$root.stamp

# One run at a time uses the root: another test command on this machine waits here.
mkdir -p "$cache"
exec 9> "$root.lock"
flock 9

mapfile -t packages < <(MORIV_RELEASE=$other bash "$top/scripts/install-deps.sh" --list linux-test)
recipe=$(echo "$suite" "${packages[@]}" | sha256sum | cut -d' ' -f1)
if [ ! -d "$root" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$recipe" ]; then
    echo "Making a Debian $other root in $root"
    rm -rf "$root" "$root.new" "$stamp"
    include=$(IFS=,; echo "${packages[*]}")
    started=$SECONDS
    mmdebstrap --quiet --variant=apt --include="$include" "$suite" "$root.new"
    mv "$root.new" "$root"
    echo "$recipe" > "$stamp"
    echo "Debian $other root made in $((SECONDS - started)) s"
fi

# The sources as they are in the work tree, without build folders; the build folder is kept
# between runs.
rm -rf "$root/moriv/source"
mkdir -p "$root/moriv/source"
if git -C "$top" rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    (cd "$top" && git ls-files -z --cached --others --exclude-standard \
         | xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh \
         | tar --null -T - -cf -) | tar -xf - -C "$root/moriv/source"
else
    tar -C "$top" --exclude='./build*' -cf - . | tar -xf - -C "$root/moriv/source"
fi

inner="cd /moriv/source
echo \"== Debian \$(cat /etc/debian_version): the ordinary build and its tests\"
cmake -S . -B /moriv/$build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORIV_WARNINGS_AS_ERRORS=ON \
      > /dev/null
cmake --build /moriv/$build --parallel $(nproc)
ctest --test-dir /moriv/$build -j $test_jobs --output-on-failure"

# /dev is the machine's, with a shared-memory folder of the root's own; /proc shows only the
# root's processes. When the namespace's first process ends, the kernel ends every other one
# in it and drops its mounts. Inside a chroot "/" is no mount point and cannot be made
# private; the mounts are then taken down on the way out as well, in case they reached the
# namespace around it.
propagation=private
if ! mountpoint -q /; then
    propagation=unchanged
    trap 'umount -R "$root/dev" "$root/sys" "$root/proc" 2> /dev/null || true' EXIT
fi
unshare --mount --propagation "$propagation" --pid --fork --net --kill-child -- bash -c '
    set -euo pipefail
    root=$1
    ip link set lo up 2> /dev/null || true
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
    exec chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        LANG=C.UTF-8 TERM=dumb ${CI:+CI=$CI} bash -euo pipefail -c "$2"
' other-release "$root" "$inner"
