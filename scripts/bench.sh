#!/usr/bin/env bash
# Runs the benchmarks under Wine and prints their figures. Not part of the test command.
#   scripts/bench.sh [ini|explorer|editor|host|all] [arguments for the benchmark]
#   scripts/bench.sh host [--sizes 1000,10000] [--runs 3] [--rows open,test] [--profile 30000] ...
#     (options: bench/host_bench.cpp; with none, the whole table, under ten minutes)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MORVEL_BUILD:-$root/build}"
bash "$root/scripts/bootstrap.sh" >/dev/null
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" >/dev/null
which="${1:-all}"; shift || true
case "$which" in ini|explorer|editor|host|all) ;; *) echo "unknown benchmark: $which" >&2; exit 2 ;; esac
case "$which" in
  ini|all)
    ninja -C "$build/win" ini_bench >/dev/null
    echo "== INI store against the profile functions (Wine)"
    "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$build/win/bin/ini_bench.exe" "$@" ;;
esac
case "$which" in
  explorer|all)
    ninja -C "$build/win" explorer_listing_bench >/dev/null
    echo "== Explorer listing against the bare searches (Wine)"
    # The folders are made here, outside Wine, where making 100,000 files takes seconds.
    bench_root="$(mktemp -d "${TMPDIR:-/tmp}/morvel-bench.XXXXXX")"
    python3 - "$bench_root" "$@" <<'PY'
import os, sys
root, sizes = sys.argv[1], [int(a) for a in sys.argv[2:]] or [1000, 10000, 30000, 100000]
def make(folder, files, ext):
    os.makedirs(folder, exist_ok=True)
    for i in range(files):
        open(os.path.join(folder, "Holiday slide %d%s" % (i * 7919 % 1000003, ext)), "w").close()
    for i in range(max(1, files // 500)):
        os.makedirs(os.path.join(folder, "Folder %d" % i), exist_ok=True)
        open(os.path.join(folder, "notes %d.txt" % i), "w").close()
    open(os.path.join(folder, "ready-%d" % files), "w").close()
for n in sizes:
    make(os.path.join(root, "bench-listing-%d" % n), n, ".avl")
make(os.path.join(root, "bench-listing-10000-bmp"), 10000, ".bmp")
PY
    # On a virtual desktop: closing an X11 top-level window waits for a window manager.
    MORVEL_DESKTOP="${MORVEL_DESKTOP:-1024x768}" MORVEL_BENCH_ROOT="Z:$(printf '%s' "$bench_root" | tr '/' '\\')" \
      "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$build/win/bin/explorer_listing_bench.exe" "$@"
    rm -rf "$bench_root" ;;
esac
case "$which" in
  editor|all)
    ninja -C "$build/win" editor_bench morvel32 >/dev/null
    echo "== Editor: 10,000-slide slideshow, store against the profile functions, reading, showing (Wine)"
    bench_root="$(mktemp -d "${TMPDIR:-/tmp}/morvel-bench.XXXXXX")"
    python3 - "$bench_root" <<'PY'
import os, sys
folder = os.path.join(sys.argv[1], "Holiday Slides")
os.makedirs(folder, exist_ok=True)
for i in range(10000):
    open(os.path.join(folder, "hs%05d.bmp" % i), "w").close()
PY
    MORVEL_DESKTOP="${MORVEL_DESKTOP:-1024x768}" "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" \
      "$build/win/bin/editor_bench.exe" "Z:$(printf '%s' "$bench_root/Holiday Slides" | tr '/' '\\')" "$@"
    rm -rf "$bench_root" ;;
esac
case "$which" in
  host|all)
    ninja -C "$build/win" host_bench morvel32 >/dev/null
    echo "== What the host's user waits for, timed from outside, against the bare system calls (Wine)"
    bench_root="$(mktemp -d "${TMPDIR:-/tmp}/morvel-bench.XXXXXX")"
    # The folders the rows list and the pictures the slideshows name, made here, outside Wine.
    python3 - "$bench_root" "$@" <<'PY'
import os, sys
root, args = sys.argv[1], sys.argv[2:]
sizes = [1000, 10000, 30000, 100000]
if "--sizes" in args:
    sizes = [int(s) for s in args[args.index("--sizes") + 1].split(",") if s]
if "--profile" in args:
    sizes.append(int(args[args.index("--profile") + 1]))
def make(folder, files, ext):
    os.makedirs(folder, exist_ok=True)
    for i in range(files):
        open(os.path.join(folder, "Holiday slide %d%s" % (i * 7919 % 1000003, ext)), "w").close()
    for i in range(max(1, files // 500)):
        os.makedirs(os.path.join(folder, "Folder %d" % i), exist_ok=True)
        open(os.path.join(folder, "notes %d.txt" % i), "w").close()
    open(os.path.join(folder, "ready-%d" % files), "w").close()
for n in sorted(set(sizes)):
    make(os.path.join(root, "bench-listing-%d" % n), n, ".avl")
os.makedirs(os.path.join(root, "bench-empty"))
slides = os.path.join(root, "bench-slides")
os.makedirs(slides)
for i in range(10000):
    open(os.path.join(slides, "hs%05d.bmp" % i), "w").close()
PY
    # Wine says once per drive listing that the Unix root has no volume label: not ours to print.
    MORVEL_DESKTOP="${MORVEL_DESKTOP:-1024x768}" MORVEL_BENCH_ROOT="Z:$(printf '%s' "$bench_root" | tr '/' '\\')" \
      "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$build/win/bin/host_bench.exe" "$@" \
      2> >(grep -v "FS volume label and serial are not available" >&2)
    rm -rf "$bench_root" ;;
esac
