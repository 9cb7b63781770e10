#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the two Debian packages, morvane-esc-config and morvane-esc-sim, for the Debian
# release this machine runs, and checks them: lintian must report no error and no warning,
# and the desktop entry and AppStream metadata they carry must validate. Prints the files.
#
#   scripts/package.sh [--fresh-root]
#     --fresh-root   then also install both in a fresh minimal root of this release (made with
#                    debootstrap, as root) with `apt-get install ./file.deb`, and start the
#                    programs there: --version, morvane-esc doctor (against the simulated ESC,
#                    a port another program holds, no adapter), and the window without a
#                    display for a few seconds against the simulated ESC, closed with SIGTERM
#   MORVANE_PACKAGE_BUILD=dir   build directory (default build/package; made anew)
#   MORVANE_PACKAGE_ROOT=dir    the fresh root (default /var/tmp/morvane-pkg-root; made anew)
#   MORVANE_CHECK_MIRROR=url    Debian mirror for the root (default http://deb.debian.org/debian)
set -euo pipefail
cd "$(dirname "$0")/.."

fresh_root=""
case "${1:-}" in
  "") ;;
  --fresh-root) fresh_root=1 ;;
  *)
    sed -n '2,15s/^# \{0,1\}//p' "$0" >&2
    exit 2
    ;;
esac

scripts/setup-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
build=${MORVANE_PACKAGE_BUILD:-build/package}
# Debian's own build flags alone, as its packages are built (build type None), hardened:
# fortified functions, stack protector, relro, bind now. NDEBUG as in every release build.
# CMake's Release would add -O3, at which GCC 12 warns falsely about std::string copies.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS) -DNDEBUG"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
rm -rf "$build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j"$jobs"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/morvane-esc-config_*.deb "$build"/morvane-esc-sim_*.deb)

status=0
for deb in "${debs[@]}"; do
  echo "== lintian $(basename "$deb")"
  lintian --fail-on error,warning --info "$deb" || status=1
done

# What the package installs, not only what the repository holds.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "${debs[0]}" "$unpacked"
echo "== desktop-file-validate, appstreamcli validate --no-net"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop || status=1
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml || status=1

if [ "$status" -ne 0 ]; then
  echo "package: the checks above FAILED" >&2
  exit "$status"
fi
echo "package: lintian and the validators report nothing; the packages:"
for deb in "${debs[@]}"; do echo "  $deb"; done

[ -n "$fresh_root" ] || exit 0

# The fresh root: a minimal system of this release, which has never seen the build.
if [ "$(id -u)" -ne 0 ]; then
  echo "package: --fresh-root needs root (debootstrap, chroot and mounts)" >&2
  exit 1
fi
command -v debootstrap >/dev/null || {
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}
# shellcheck disable=SC1091
release=$(. /etc/os-release && echo "$VERSION_CODENAME")
root=${MORVANE_PACKAGE_ROOT:-/var/tmp/morvane-pkg-root}
mirror=${MORVANE_CHECK_MIRROR:-http://deb.debian.org/debian}

mounts=()
unmount_all() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" || true
  done
  mounts=()
  rm -rf "$unpacked"
}
mount_in() {
  local target=$root/$1
  shift
  mount "$@" "$target"
  mounts+=("$target")
}
trap unmount_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A root is only removed with nothing mounted in it, and never across file systems.
while read -r stale; do umount -l "$stale" || true; done < <(
  awk -v r="$root/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r
)
rm -rf --one-file-system "$root"
echo "== a fresh $release root in $root"
debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.log" 2>&1 || {
  echo "package: debootstrap failed; see $root.log" >&2
  exit 1
}
{
  echo "deb $mirror $release main"
  echo "deb $mirror $release-updates main"
} >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir -p "$root/root/debs"
cp "${debs[@]}" "$root/root/debs/"

mount_in proc -t proc proc
mount_in sys -t sysfs sysfs
mount_in dev --bind /dev
# Private, so what is mounted below the root's /dev stays out of the machine's.
mount --make-private "$root/dev"
# A pseudo-terminal instance of its own, for the simulated ESC.
mount_in dev/pts -t devpts devpts -o newinstance,ptmxmode=0666,mode=0620,gid=5
mount_in dev/shm -t tmpfs shm

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    ${http_proxy:+http_proxy=$http_proxy} ${https_proxy:+https_proxy=$https_proxy} \
    /bin/bash -c "$1"
}

echo "== apt-get install ./*.deb in the fresh root"
in_root 'apt-get update -qq && cd /root/debs &&
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./morvane-esc-*.deb >/root/install.log'
echo "== the programs in the fresh root"
in_root 'set -euo pipefail
  morvane-esc-config --version | head -n1
  morvane-esc --version | head -n1
  cd /tmp
  morvane-esc-sim --link /tmp/esc --log /tmp/esc.log >/tmp/sim.out 2>/dev/null &
  sim=$!
  for _ in $(seq 100); do [ -s /tmp/sim.out ] && break; sleep 0.05; done
  morvane-esc read --port /tmp/esc | head -n2
  echo "udev rule: $(dpkg -L morvane-esc-config | grep /udev/rules.d/)"
  doctor() {
    local status=0
    echo "\$ $*"
    "$@" || status=$?
    echo "(exit status $status)"
    [ "$status" -eq "$expected" ]
  }
  expected=0 doctor morvane-esc doctor --port /tmp/esc
  # Another program holding the port and its lock: one process, so that one kill ends it.
  (exec 9</tmp/esc && flock --nonblock 9 && echo held >/tmp/held && exec sleep 60) &
  holder=$!
  for _ in $(seq 100); do [ -s /tmp/held ] && break; sleep 0.05; done
  expected=5 doctor morvane-esc doctor --port /tmp/esc
  kill "$holder"
  wait "$holder" || true
  expected=5 doctor env MORVANE_ESC_PORTS=/tmp/no-adapter/esc morvane-esc doctor
  window=0
  QT_QPA_PLATFORM=offscreen MORVANE_ESC_PORTS=/tmp/esc \
    timeout --preserve-status -s TERM 4 morvane-esc-config || window=$?
  kill "$sim"
  wait "$sim" || true
  last=$(grep " frame " /tmp/esc.log | tail -n1)
  echo "window: exit status $window after SIGTERM; last frame: ${last#* frame }"
  [ "$window" -eq 0 ] && [[ $last == *"41 53 04 00"* ]]'
echo "package: both packages install in a fresh $release root, and the programs run there"
