#!/usr/bin/env bash
# Puts on a Debian 12 machine every package the build and the tests need.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  gcc-mingw-w64-i686-posix gcc-mingw-w64-x86-64-posix
  libz-mingw-w64-dev libpng-dev
  wine wine32:i386 wine64
  xvfb xauth x11-utils xdotool fonts-wine imagemagick
  ffmpeg sox lame libjpeg-turbo-progs libturbojpeg0-dev
  googletest libbenchmark-dev clang clang-format
  dpkg-dev python3 nasm
)

missing=()
have_i386() { dpkg --print-foreign-architectures | grep -qx i386; }
have_i386 || missing+=(arch)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
have_i386 || "${sudo_cmd[@]}" dpkg --add-architecture i386
# Source lines are needed for the dependency builds (apt-get source).
if ! grep -rqs '^deb-src\|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    "${sudo_cmd[@]}" sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  else
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | "${sudo_cmd[@]}" tee -a /etc/apt/sources.list >/dev/null
  fi
fi
# A mirror in the middle of a sync answers with index files of the wrong
# size for a while: the update is tried again, and the install goes ahead on
# the indexes that did arrive (it fails by itself if a package is missing).
for try in 1 2 3; do
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null && break
  echo "apt-get update failed (try $try of 3)" >&2
  sleep $((try * 20))
done
"${sudo_cmd[@]}" apt-get install -y -qq "${packages[@]}" >/dev/null
