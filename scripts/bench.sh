#!/usr/bin/env bash
# Runs the benchmarks under Wine and prints their figures. Not part of the test command.
#   scripts/bench.sh [ini|explorer|editor|find|history|host|all] [arguments for the benchmark]
#   scripts/bench.sh find [FILES [MISSING]]   tree size and missing slides (100000 and 1000)
#   scripts/bench.sh host [--sizes 1000,10000] [--runs 3] [--rows open,test] [--profile 30000] ...
#     (options: bench/host_bench.cpp; with none, the whole table, under ten minutes)
#   Wine's window work wanders between cores, so the host rows of a few milliseconds vary by
#   as much again from run to run; `taskset -c 1 scripts/bench.sh host ...` gives steady figures
#   (with no second core for the editor's thread that frees a closing table).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MORVEL_BUILD:-$root/build}"
bash "$root/scripts/bootstrap.sh" >/dev/null
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" >/dev/null
which="${1:-all}"; shift || true
case "$which" in ini|explorer|editor|find|history|host|all) ;; *) echo "unknown benchmark: $which" >&2; exit 2 ;; esac
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
def make(folder, files, ext, stem="Holiday slide"):
    os.makedirs(folder, exist_ok=True)
    for i in range(files):
        open(os.path.join(folder, "%s %d%s" % (stem, i * 7919 % 1000003, ext)), "w").close()
    for i in range(max(1, files // 500)):
        os.makedirs(os.path.join(folder, "Folder %d" % i), exist_ok=True)
        open(os.path.join(folder, "notes %d.txt" % i), "w").close()
    open(os.path.join(folder, "ready-%d" % files), "w").close()
for n in sizes:
    make(os.path.join(root, "bench-listing-%d" % n), n, ".avl")
make(os.path.join(root, "bench-listing-10000-bmp"), 10000, ".bmp")
# Names the code page cannot hold: listed through their short names and drawn as they are.
make(os.path.join(root, "bench-listing-10000-greek"), 10000, ".avl", "\u0394\u03b9\u03b1\u03ba\u03bf\u03c0\u03ad\u03c2")
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
  find|all)
    ninja -C "$build/win" find_missing_bench >/dev/null
    files=100000; missing=1000
    if [ "$which" = find ]; then files="${1:-$files}"; missing="${2:-$missing}"; fi
    echo "== Editor: finding $missing missing slide files in a tree of $files files (Wine)"
    bench_root="$(mktemp -d "${TMPDIR:-/tmp}/morvel-bench.XXXXXX")"
    # The tree is made here, outside Wine. A hundred files a folder, two levels of folders; every
    # other file has a long name (the system gives it a short "~" name of its own). The missing
    # slides name, by turns, an 8.3 file, a long file by the "~" name another computer gave it,
    # a long file by its long name, and a file that is nowhere.
    python3 - "$bench_root" "$files" "$missing" <<'PY'
import os, sys
root, files, missing = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
tree = os.path.join(root, "tree")
def name(i):
    return "hs%06d.bmp" % i if i % 2 == 0 else "Q%05d of the trip.jpg" % (i // 2)
for i in range(files):
    j = i // 100
    folder = tree if j == 0 else os.path.join(tree, "Album %03d" % (j // 10), "Roll %02d" % (j % 10))
    if i % 100 == 0: os.makedirs(folder, exist_ok=True)
    open(os.path.join(folder, name(i)), "w").close()
step = max(1, files // max(1, missing))
lines, found = [], 0
for k in range(missing):
    i = (k * step) % files
    i -= i % 2
    kind = k % 4
    if kind == 0: lines.append("c:\\old show\\" + name(i))
    elif kind == 1 and i + 1 < files: lines.append("c:\\oldsho~1\\q%05d~1.jpg" % ((i + 1) // 2))
    elif kind == 2 and i + 1 < files: lines.append("c:\\old show\\" + name(i + 1).lower())
    else: lines.append("c:\\old show\\zz%06d.bmp" % k); found -= 1
    found += 1
with open(os.path.join(root, "missing.txt"), "w") as f:
    f.write("%d\n" % found + "\n".join(lines) + "\n")
PY
    win() { printf 'Z:%s' "$1" | tr '/' '\\'; }
    "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$build/win/bin/find_missing_bench.exe" \
      "$(win "$bench_root/tree")" "$(win "$bench_root/missing.txt")"
    rm -rf "$bench_root" ;;
esac
case "$which" in
  history|all)
    ninja -C "$build/win" editor_history_bench >/dev/null
    echo "== Editor: the undo history, 100 Globals on 10,000 slides (Wine)"
    "$root/scripts/with-xvfb.sh" "$root/scripts/wine-run.sh" "$build/win/bin/editor_history_bench.exe" "$@" ;;
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
