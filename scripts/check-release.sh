#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's test command on a fresh minimal Debian RELEASE, as a new user would: makes
# the release's root with debootstrap from this machine's Debian mirror, copies the committed
# checkout (git archive HEAD) into it and runs scripts/test.sh there, then prints the result.
# The root is kept for the next run; the checkout in it is always copied anew.
#
#   scripts/check-release.sh RELEASE [COMMAND...]    e.g. bookworm, trixie
#     COMMAND        what to run in the checkout instead (default scripts/test.sh)
#   MORVANE_CHECK_ROOTS=dir    where roots are kept (default /var/cache/morvane-check)
#   MORVANE_CHECK_FRESH=1      make the root anew even when one is kept
#   MORVANE_CHECK_MIRROR=url   Debian mirror (default: the one this machine's apt sources use)
#
# Needs root (it asks sudo otherwise) for debootstrap, chroot and mounts.
set -euo pipefail

if [ $# -lt 1 ] || [[ $1 == -* ]]; then
  sed -n '2,13s/^# \{0,1\}//p' "$0" >&2
  exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=MORVANE_CHECK_ROOTS,MORVANE_CHECK_FRESH,MORVANE_CHECK_MIRROR -- "$0" "$@"
fi

release=$1
shift
[[ $release =~ ^[a-z][a-z0-9-]*$ ]] || {
  echo "check-release: a release is a Debian code name, e.g. trixie" >&2
  exit 2
}
command=("$@")
[ ${#command[@]} -gt 0 ] || command=(scripts/test.sh)
repo=$(cd "$(dirname "$0")/.." && pwd)
roots=${MORVANE_CHECK_ROOTS:-/var/cache/morvane-check}
root=$roots/$release
ready=$root/.morvane-check-ready
log=$roots/$release.log
start=$SECONDS

say() { echo "check-release: $*"; }
elapsed() {
  local s=$((SECONDS - start))
  printf '%dm%02ds' $((s / 60)) $((s % 60))
}

command -v debootstrap >/dev/null || {
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}

# URIs of the Debian archive for a suite, from one-line (.list) and deb822 (.sources) files.
apt_uris_for_suite() {
  local suite=$1 f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -r "$f" ] || continue
    awk -v s="$suite" '{ sub(/\[[^]]*\]/, "") } $1 == "deb" && $3 == s { print $2 }' "$f"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -r "$f" ] || continue
    awk -v s="$suite" 'BEGIN { RS = ""; FS = "\n" } {
        uris = ""; ok = 0; deb = 0
        for (l = 1; l <= NF; l++) {
          if ($l ~ /^URIs:/) { uris = $l; sub(/^URIs:[ \t]*/, "", uris) }
          if ($l ~ /^Types:/ && $l ~ /[ \t]deb([ \t]|$)/) deb = 1
          if ($l ~ /^Suites:/ && (" " $l " ") ~ ("[ \t]" s "[ \t]")) ok = 1
          if ($l ~ /^Enabled:[ \t]*no/) deb = 0
        }
        if (ok && deb) { split(uris, u, /[ \t]+/); print u[1] }
      }' "$f"
  done
}

# shellcheck disable=SC1091
host=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
mirror=${MORVANE_CHECK_MIRROR:-$(apt_uris_for_suite "$host" | head -n1)}
security=$(apt_uris_for_suite "$host-security" | head -n1)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian

mkdir -p "$roots"
exec 9>"$roots/$release.lock"
flock -n 9 || {
  say "another check of $release is running"
  exit 1
}

mounts=()
unmount_all() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" || true
  done
  mounts=()
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

# Mounts left by a run that was killed: the lock says no run uses them. A root is only ever
# removed with nothing mounted in it, and never across file systems.
mounted_in_root() { awk -v r="$root/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r; }
while read -r stale; do umount -l "$stale" || true; done < <(mounted_in_root)
if [ -n "$(mounted_in_root)" ]; then
  say "cannot unmount what is mounted under $root"
  exit 1
fi
if [ -n "${MORVANE_CHECK_FRESH:-}" ] || [ ! -e "$ready" ]; then
  rm -rf --one-file-system "$root"
  say "making a minimal $release root from $mirror in $root"
  debootstrap --variant=minbase "$release" "$root" "$mirror"
  {
    echo "deb $mirror $release main"
    echo "deb $mirror $release-updates main"
    if [ -n "$security" ]; then echo "deb $security $release-security main"; fi
  } >"$root/etc/apt/sources.list"
  touch "$ready"
  fresh="fresh root"
else
  say "reusing the $release root in $root"
  fresh="reused root"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The machine's trusted certificates too, as its name servers: where the machine reaches the
# npm registry through a proxy of its own, the root must trust what the machine trusts.
machine_ca=""
if [ -f /etc/ssl/certs/ca-certificates.crt ]; then
  mkdir -p "$root/etc/ssl/certs"
  cp /etc/ssl/certs/ca-certificates.crt "$root/etc/ssl/certs/machine-ca.crt"
  machine_ca=/etc/ssl/certs/machine-ca.crt
fi

commit=$(git -C "$repo" rev-parse --short HEAD)
rm -rf --one-file-system "$root/root/morvane-esc"
git -C "$repo" archive --prefix=morvane-esc/ HEAD | tar -x -C "$root/root"

mount_in proc -t proc proc
mount_in sys -t sysfs sysfs
mount_in dev --bind /dev
# Private, so what is mounted below the root's /dev stays out of the machine's.
mount --make-private "$root/dev"
# A pseudo-terminal instance of its own: the tests open the master through /dev/ptmx.
mount_in dev/pts -t devpts devpts -o newinstance,ptmxmode=0666,mode=0620,gid=5
mount_in dev/shm -t tmpfs shm

say "$release ($fresh), commit $commit: ${command[*]}"
status=0
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  ${http_proxy:+http_proxy=$http_proxy} ${https_proxy:+https_proxy=$https_proxy} \
  ${machine_ca:+NODE_EXTRA_CA_CERTS=$machine_ca} \
  /bin/bash -c 'cd /root/morvane-esc && exec "$@"' bash "${command[@]}" 2>&1 |
  tee "$log" || status=$?

result=$(grep -E '^tests: [0-9]+ passed, [0-9]+ failed' "$log" | tail -n1 || true)
if [ "$status" -eq 0 ]; then
  say "$release, commit $commit, $fresh: passed in $(elapsed)${result:+ ($result)}"
else
  say "$release, commit $commit, $fresh: FAILED (exit $status) after $(elapsed); log: $log"
fi
exit "$status"
