#!/usr/bin/env bash
# Runs the benchmarks under Wine and prints their figures. Not part of the test command.
#   scripts/bench.sh [ini|explorer|all] [arguments for the benchmark]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MORVEL_BUILD:-$root/build}"
bash "$root/scripts/bootstrap.sh" >/dev/null
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" >/dev/null
which="${1:-all}"; shift || true
case "$which" in
  ini|all)
    ninja -C "$build/win" ini_bench >/dev/null
    echo "== INI store against the profile functions (Wine)"
    "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$build/win/bin/ini_bench.exe" "$@" ;;
  explorer|all)
    ninja -C "$build/win" explorer_listing_bench >/dev/null
    echo "== Explorer listing against the bare searches (Wine)"
    "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$build/win/bin/explorer_listing_bench.exe" "$@" ;;
  *) echo "unknown benchmark: $which" >&2; exit 2 ;;
esac
