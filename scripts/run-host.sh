#!/usr/bin/env bash
# The main job: builds the DLL and the reference host and runs the host under Wine.
# With $DISPLAY set, the host opens on that display for a person to use. Without it, the host
# runs its scripted tour inside an Xvfb started (and stopped) here, prints what it received, and
# saves PNG screenshots to the folder it names (MORVEL_TOUR_DIR, default build/tour).
# MORVEL_TOUR_DPI=144 or 192 runs the tour on a screen of that resolution (the prefix's LogPixels)
# and size (1920x1440, 2560x1920); its screenshots then go to build/tour-144 or build/tour-192.
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

dpi="${MORVEL_TOUR_DPI:-96}"
case "$dpi" in
  96) desktop=1024x768; tour_default="$build/tour" ;;
  144) desktop=1920x1440; tour_default="$build/tour-144" ;;
  192) desktop=2560x1920; tour_default="$build/tour-192" ;;
  *) echo "run-host: MORVEL_TOUR_DPI is 96, 144 or 192" >&2; exit 2 ;;
esac
tour="${MORVEL_TOUR_DIR:-$tour_default}"
rm -rf "$tour"; mkdir -p "$tour"
tour_win="Z:$(printf '%s' "$tour" | tr '/' '\\')"
echo "No display: running the reference host's tour in Xvfb at $dpi dpi"
status=0
desktop="${MORVEL_DESKTOP:-$desktop}"
MORVEL_DESKTOP="$desktop" MORVEL_DPI="$dpi" MORVEL_SCREEN="${desktop}x24" \
  MORVEL_SHARED_DISPLAY=1 "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$host" --tour "$tour_win" || status=$?
shopt -s nullglob
for bmp in "$tour"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "Screenshots in $tour:"
ls -1 "$tour"
exit "$status"
