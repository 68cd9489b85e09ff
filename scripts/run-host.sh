#!/usr/bin/env bash
# The main job: builds the DLL and the reference host and runs the host under Wine.
# With $DISPLAY set, the host opens on that display for a person to use. Without it, the host
# runs its scripted tour inside an Xvfb started (and stopped) here, prints what it received, and
# saves PNG screenshots to the folder it names (MORVEL_TOUR_DIR, default build/tour).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MORVEL_BUILD:-$root/build}"

bash "$root/scripts/bootstrap.sh"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" >/dev/null
ninja -C "$build/win" morvel32 morvel-host >/dev/null
"$root/scripts/wine-prefix.sh" >/dev/null
host="$build/win/bin/morvel-host.exe"

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting the reference host on $DISPLAY"
  MORVEL_SHARED_DISPLAY=1 exec "$root/scripts/wine-run.sh" "$host"
fi

tour="${MORVEL_TOUR_DIR:-$build/tour}"
rm -rf "$tour"; mkdir -p "$tour"
tour_win="Z:$(printf '%s' "$tour" | tr '/' '\\')"
echo "No display: running the reference host's tour in Xvfb"
status=0
MORVEL_DESKTOP="${MORVEL_DESKTOP:-1024x768}" \
  MORVEL_SHARED_DISPLAY=1 "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$host" --tour "$tour_win" || status=$?
shopt -s nullglob
for bmp in "$tour"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "Screenshots in $tour:"
ls -1 "$tour"
exit "$status"
