#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, running and testing need on a Debian machine (12 and 13 are tested).
# Safe to run again. Names are the unversioned ones each release maps to its own versions.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool
  dbus dbus-x11 at-spi2-core python3-gi gir1.2-atspi-2.0 orca
  clang libclang-rt-dev
  procps
  libc-l10n locales
  valgrind time
  appstream desktop-file-utils dpkg-dev lintian man-db
  emscripten chromium websockify socat
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
updated=""
apt_install() {
  echo "Installing: $*"
  if [ -z "$updated" ]; then
    $sudo apt-get update -qq
    updated=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}

# The fuzz run links libFuzzer and the sanitizers' runtimes of whichever clang is installed;
# linking a stub is the one test that does not depend on where a release keeps them.
fuzzer_links() {
  local dir status=0
  dir=$(mktemp -d)
  printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' \
    >"$dir/stub.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$dir/stub.cpp" -o "$dir/stub" 2>"$dir/log" || status=$?
  [ "$status" -eq 0 ] || last_link_error=$(cat "$dir/log")
  rm -rf "$dir"
  return "$status"
}

# scripts/check-windows.sh needs only these: a MinGW-w64 cross compiler (posix threads), Wine
# to run what it builds, and GoogleTest's sources (libgtest-dev) to build them with.
if [ "${1:-}" = "--windows" ]; then
  missing=()
  for p in cmake make g++-mingw-w64-x86-64-posix wine64 libgtest-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] || apt_install "${missing[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] || apt_install "${missing[@]}"

# The page's browser tests run under Node; a Node from elsewhere brings its own npm.
command -v npm >/dev/null || apt_install nodejs npm

last_link_error=""
if ! fuzzer_links; then
  # clang chosen by hand (alternatives, PATH) may be another version than libclang-rt-dev's.
  apt_install "libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev"
  if ! fuzzer_links; then
    echo "setup-deps: clang++ cannot link a fuzz target:" >&2
    echo "$last_link_error" >&2
    exit 1
  fi
fi
