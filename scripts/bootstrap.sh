#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and is not there yet.
# Idempotent: a second run only checks. Runs as root, or through sudo when it is available.
set -euo pipefail

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

packages=(
  wine wine32:i386 wine64
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32
  xvfb x11-utils xauth
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev
  clang libclang-rt-14-dev llvm lld
  imagemagick
  fonts-wine fonts-liberation
  python3
  e2fsprogs
  zip
)

need_arch=0
dpkg --print-foreign-architectures | grep -qx i386 || need_arch=1
if [ "$need_arch" -eq 1 ]; then
  echo "bootstrap: enabling the i386 architecture"
  $SUDO dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ] || [ "$need_arch" -eq 1 ]; then
  echo "bootstrap: installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The posix thread model gives std::thread and friends to the cross-built tests.
for tool in i686-w64-mingw32-gcc i686-w64-mingw32-g++; do
  if [ -x "/usr/bin/$tool-posix" ] && [ "$(readlink -f "/usr/bin/$tool")" != "$(readlink -f "/usr/bin/$tool-posix")" ]; then
    : # the toolchain file names the -posix compilers directly; alternatives stay as the system has them
  fi
done
echo "bootstrap: ready"
