#!/usr/bin/env bash
# What an integrator downloads: builds the Windows library, installs it into a folder named for
# its version and zips that folder. Prints the path of the zip.
#   MORVEL_BUILD  build folder (default build/ in the checkout)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MORVEL_BUILD:-$root/build}"

bash "$root/scripts/bootstrap.sh" >/dev/null
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" >/dev/null
ninja -C "$build/win" morvel32 morvel32_dist morvel32_implib morvel-ini >/dev/null

version="$(sed -n 's/^project(morvel32 VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }
name="morvel32-$version-win32"
stage="$build/package"
rm -rf "$stage/$name" "$stage/$name.zip"
mkdir -p "$stage"
cmake --install "$build/win" --prefix "$stage/$name" >/dev/null
(cd "$stage" && zip -qr -X "$name.zip" "$name")
echo "$stage/$name.zip"
