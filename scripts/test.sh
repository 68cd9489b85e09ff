#!/usr/bin/env bash
# The whole test command: installs what is missing, builds, and runs every test — native unit
# tests under AddressSanitizer/UBSan, a short fuzzing run, the Windows tests under Wine inside
# an Xvfb of its own, and the package built a second time elsewhere (the same bytes, the DLL's
# size). Ends with one line "N passed, M failed".
#   MORVEL_FUZZ_SECONDS  length of the fuzzing run (default 5)
#   MORVEL_BUILD         build folder (default build/ in the checkout)
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MORVEL_BUILD:-$root/build}"
fuzz_seconds="${MORVEL_FUZZ_SECONDS:-5}"
results="$build/results"
jobs="$(nproc 2>/dev/null || echo 2)"

bash "$root/scripts/bootstrap.sh" || { echo "bootstrap failed"; echo "0 passed, 1 failed"; exit 1; }

rm -rf "$results"
mkdir -p "$results/xml" "$results/ctest"
failures=0
step() { echo; echo "== $*"; }

step "native build (ASan, UBSan)"
if cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVEL_SANITIZE=ON >"$results/native-configure.log" 2>&1 &&
   ninja -C "$build/native" -j"$jobs" >"$results/native-build.log" 2>&1; then
  step "native tests"
  MORVEL_TOOL_DIR="$build/native/bin" GTEST_OUTPUT="xml:$results/xml/" \
    ctest --test-dir "$build/native" --output-on-failure --output-junit "$results/ctest/native.xml" -j"$jobs"
else
  echo "native build failed:"; tail -40 "$results/native-build.log" "$results/native-configure.log"
  echo "native-build" >> "$results/broken"
fi

step "fuzzing the INI parser for ${fuzz_seconds}s and the AVL reader"
if command -v clang++ >/dev/null &&
   cmake -S "$root" -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVEL_FUZZ=ON \
     -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$results/fuzz-configure.log" 2>&1 &&
   ninja -C "$build/fuzz" -j"$jobs" ini_fuzz >"$results/fuzz-build.log" 2>&1; then
  seeds="$build/fuzz/seeds"
  rm -rf "$seeds"; mkdir -p "$seeds"
  cases="$root/../shared/ini-conformance/cases.jsonl"
  [ -f "$cases" ] || cases="$root/tests/data/ini-conformance/cases.jsonl"
  python3 "$root/fuzz/make_seeds.py" "$cases" "$seeds" >/dev/null &&
  python3 "$root/fuzz/make_seeds.py" "$root/tests/data/ini-extra/cases.jsonl" "$seeds" >/dev/null || echo "fuzz-seeds" >> "$results/broken"
  if "$build/fuzz/bin/ini_fuzz" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$seeds" \
       >"$results/fuzz.log" 2>&1; then
    grep -E 'stat::number_of_executed_units|Done' "$results/fuzz.log" | tail -2
    echo "fuzz ok" >> "$results/extra-passed"
  else
    tail -40 "$results/fuzz.log"; echo "fuzz" >> "$results/extra-failed"
  fi
  # The AVL slideshow reader, seeded with the editor's test files, for a short run as well.
  avl_seeds="$build/fuzz/avl-seeds"
  rm -rf "$avl_seeds"; mkdir -p "$avl_seeds"; cp "$root"/fuzz/avl_seeds/* "$avl_seeds"/
  if ninja -C "$build/fuzz" -j"$jobs" avl_fuzz >>"$results/fuzz-build.log" 2>&1 &&
     "$build/fuzz/bin/avl_fuzz" -max_total_time="$(( (fuzz_seconds + 1) / 2 ))" -max_len=65536 -print_final_stats=1 \
       "$avl_seeds" >"$results/avl-fuzz.log" 2>&1; then
    grep -E 'stat::number_of_executed_units|Done' "$results/avl-fuzz.log" | tail -2
    echo "avl fuzz ok" >> "$results/extra-passed"
  else
    tail -40 "$results/avl-fuzz.log" "$results/fuzz-build.log"; echo "avl-fuzz" >> "$results/extra-failed"
  fi
else
  echo "fuzz build failed:"; tail -40 "$results/fuzz-build.log" "$results/fuzz-configure.log" 2>/dev/null
  echo "fuzz-build" >> "$results/broken"
fi

step "Windows build (mingw-w64 i686)"
if cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
     -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw.cmake" >"$results/win-configure.log" 2>&1 &&
   ninja -C "$build/win" -j"$jobs" >"$results/win-build.log" 2>&1; then
  step "Windows tests under Wine"
  "$root/scripts/wine-prefix.sh" >/dev/null
  MORVEL_GTEST_XML_DIR="$results/xml" "$root/scripts/with-xvfb.sh" \
    ctest --test-dir "$build/win" --output-on-failure --output-junit "$results/ctest/win.xml" -j"$jobs"
  # The package from this build and from a copy of the checkout built elsewhere: the same bytes,
  # and a DLL within its size.
  step "package: two builds in two folders"
  if MORVEL_BUILD="$build" bash "$root/scripts/check-package.sh" >"$results/package.log" 2>&1; then
    grep '^package:' "$results/package.log"
    echo "package ok" >> "$results/extra-passed"
  else
    tail -40 "$results/package.log"; echo "package" >> "$results/extra-failed"
  fi
else
  echo "Windows build failed:"; tail -40 "$results/win-build.log" "$results/win-configure.log"
  echo "win-build" >> "$results/broken"
fi

step "summary"
python3 "$root/scripts/summarize.py" "$results"
