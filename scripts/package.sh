#!/usr/bin/env bash
# What an integrator downloads: builds the Windows library, installs it into a folder named for
# its version and zips that folder. Prints the path of the zip.
#   MORVEL_BUILD       build folder (default build/ in the checkout)
#   SOURCE_DATE_EPOCH  the date of every entry of the zip (default: the checkout's last commit)
# Two runs on one commit give the same zip, whatever the folders: the binaries carry no path or
# time of the build, and the entries are sorted, dated from the commit and carry no extra fields.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MORVEL_BUILD:-$root/build}"

bash "$root/scripts/bootstrap.sh" >/dev/null
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" >/dev/null
ninja -C "$build/win" morvel32 morvel32_dist morvel32_implib morvel-ini >/dev/null

version="$(sed -n 's/^#define MORVEL32_VERSION_\(MAJOR\|MINOR\|PATCH\) \([0-9]*\).*/\2/p' "$root/include/morvel32.h" |
  paste -sd.)"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package: no version in include/morvel32.h" >&2; exit 1; }
date="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}"
name="morvel32-$version-win32"
stage="$build/package"
rm -rf "${stage:?}/$name" "$stage/$name.zip"
mkdir -p "$stage"
cmake --install "$build/win" --prefix "$stage/$name" >/dev/null
find "$stage/$name" -exec touch -h -d "@$date" {} +
(cd "$stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D "$name.zip" -@)
echo "$stage/$name.zip"
