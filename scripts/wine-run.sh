#!/usr/bin/env bash
# Runs one Windows program under Wine in a fresh prefix copied from the pristine one, and
# returns its exit code. The build uses it as the cross-compiling emulator, so ctest runs every
# Windows test through it.
#   MORVEL_DESKTOP=WxH    run on a Wine virtual desktop of that size
#   MORVEL_DPI=N          the screen at N pixels per inch (the prefix's LogPixels, as the Display
#                         settings set it); the program's own Xvfb then is the desktop's size
#   MORVEL_KEEP_PREFIX=1  keep the prefix afterwards (its path is printed) for a look inside
#   MORVEL_SHARED_DISPLAY=1  run on $DISPLAY instead of an Xvfb of the program's own. By default
#                         every program gets its own X server: programs run side by side then
#                         never take each other's activation, pointer or keyboard.
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
pristine="$("$here/wine-prefix.sh")" || { echo "wine-run: no Wine prefix" >&2; exit 125; }

prefix="$(mktemp -d "${TMPDIR:-/tmp}/morvel-wine.XXXXXX")"
rmdir "$prefix"
# Program files are shared by hard links (Wine never writes them); everything Wine may change in
# place (registry, ini files) is copied.
cp -al "$pristine" "$prefix"
find "$prefix" -type f ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' ! -iname '*.sys' \
  ! -iname '*.nls' ! -iname '*.acm' ! -iname '*.ocx' ! -iname '*.cpl' ! -iname '*.tlb' \
  ! -iname '*.vxd' ! -iname '*.ttf' ! -iname '*.fon' -print0 |
  while IFS= read -r -d '' f; do cp "$f" "$f.copy" && mv -f "$f.copy" "$f"; done

if [ -n "${MORVEL_DESKTOP:-}" ]; then
  # The virtual desktop is set up in the registry, so the program runs as itself (its exit code
  # comes back) while GetSystemMetrics reports the desktop's size.
  stamp=$(date +%s)
  printf '\n[Software\\\\Wine\\\\Explorer] %s\n"Desktop"="Default"\n\n[Software\\\\Wine\\\\Explorer\\\\Desktops] %s\n"Default"="%s"\n' \
    "$stamp" "$stamp" "$MORVEL_DESKTOP" >> "$prefix/user.reg"
fi

if [ -n "${MORVEL_DPI:-}" ]; then
  # Both places the system reads the resolution from; a key given again in a .reg file replaces
  # the values it had.
  stamp=$(date +%s)
  logpixels=$(printf 'dword:%08x' "$MORVEL_DPI")
  printf '\n[Control Panel\\\\Desktop] %s\n"LogPixels"=%s\n' "$stamp" "$logpixels" >> "$prefix/user.reg"
  printf '\n[System\\\\CurrentControlSet\\\\Hardware Profiles\\\\Current\\\\Software\\\\Fonts] %s\n"LogPixels"=%s\n' \
    "$stamp" "$logpixels" >> "$prefix/system.reg"
  if [ -n "${MORVEL_DESKTOP:-}" ] && [ -z "${MORVEL_SCREEN:-}" ]; then export MORVEL_SCREEN="${MORVEL_DESKTOP}x24"; fi
fi

export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
# Test results written as gtest XML go to a Unix folder named by the runner.
if [ -n "${MORVEL_GTEST_XML_DIR:-}" ]; then
  xml="$MORVEL_GTEST_XML_DIR/${MORVEL_TEST_NAME:-$(basename "$1" .exe)}.xml"
  export GTEST_OUTPUT="xml:Z:$(printf '%s' "$xml" | tr '/' '\\')"
fi

program="$1"; shift
if [ -n "${MORVEL_SHARED_DISPLAY:-}" ]; then
  wine "$program" "$@"
else
  "$here/with-xvfb.sh" wine "$program" "$@"
fi
status=$?
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
if [ -n "${MORVEL_KEEP_PREFIX:-}" ]; then
  echo "wine-run: prefix kept at $prefix" >&2
else
  # A test that died while a file was immutable must not leave its prefix behind.
  chattr -R -i "$prefix" >/dev/null 2>&1 || true
  rm -rf "$prefix"
fi
exit "$status"
