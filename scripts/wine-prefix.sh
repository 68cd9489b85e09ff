#!/usr/bin/env bash
# Makes (once) and prints the path of the pristine 32-bit Wine prefix that every test run copies.
# The prefix has the crash debugger switched off, so a crashing program ends at once with an
# error code instead of waiting in a debugger.
set -euo pipefail

cache="${MORVEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvel32}"
version="$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' '_')"
pristine="$cache/prefix-$version"

if [ ! -f "$pristine/.morvel-ready" ]; then
  mkdir -p "$cache"
  exec 9>"$cache/prefix.lock"
  flock 9
  if [ ! -f "$pristine/.morvel-ready" ]; then
    rm -rf "$pristine"
    export WINEPREFIX="$pristine" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot -i >/dev/null 2>&1
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$pristine/.morvel-ready"
  fi
  flock -u 9
fi
echo "$pristine"
