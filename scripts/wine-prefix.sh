#!/usr/bin/env bash
# Makes (once) and prints the path of the pristine 32-bit Wine prefix that every test run copies.
# The prefix has the crash debugger switched off, so a crashing program ends at once with an
# error code instead of waiting in a debugger, and it holds the faces the windows ask for:
# "MS Sans Serif" and "Tahoma" come with Wine's own fonts (fonts-wine), "Arial" is the
# metric-compatible Liberation Sans (fonts-liberation), put into the prefix's font folder and
# named by Wine's font replacements, so that every text is measured in the width it has on
# Windows. The cache key holds this script's own digest: a changed set-up never reuses an old
# prefix.
set -euo pipefail

cache="${MORVEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvel32}"
version="$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' '_')"
digest="$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-12)"
pristine="$cache/prefix-$version-$digest"
liberation=/usr/share/fonts/truetype/liberation

if [ ! -f "$pristine/.morvel-ready" ]; then
  mkdir -p "$cache"
  exec 9>"$cache/prefix.lock"
  flock 9
  if [ ! -f "$pristine/.morvel-ready" ]; then
    for face in LiberationSans-Regular LiberationSans-Bold LiberationSans-Italic LiberationSans-BoldItalic; do
      [ -f "$liberation/$face.ttf" ] || { echo "wine-prefix: $liberation/$face.ttf missing (run scripts/bootstrap.sh)" >&2; exit 1; }
    done
    [ -f /usr/share/wine/fonts/tahoma.ttf ] || { echo "wine-prefix: Wine's fonts missing (run scripts/bootstrap.sh)" >&2; exit 1; }
    rm -rf "$pristine"
    export WINEPREFIX="$pristine" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot -i >/dev/null 2>&1
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    cp /usr/share/wine/fonts/* "$liberation"/LiberationSans-{Regular,Bold,Italic,BoldItalic}.ttf \
      "$pristine/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
    wineserver -w
    touch "$pristine/.morvel-ready"
  fi
  flock -u 9
fi
echo "$pristine"
