#!/usr/bin/env bash
# Installs what is missing, builds Tolvane and runs every test:
#   1. the core and UI suites (ctest; UI suites on the offscreen platform),
#   2. the core suites again under AddressSanitizer + UndefinedBehaviorSanitizer,
#   3. each fuzz target for a short while over its kept inputs,
#   4. the benchmarks once each, as a smoke run (figures: bench/README.md),
#      and a search and a start as a user sees them, on a private X server:
#      figures to compare, never a failure.
# FUZZ_SECONDS (default 15) sets how long each fuzz target runs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

echo "== style"
cd "$root"
unformatted="$(git ls-files '*.cpp' '*.h' | grep -v '^core/text/cp932_tables.cpp$' |
  xargs clang-format --dry-run 2>&1 | grep -o '^[^:]*:[0-9]*' | sort -u || true)"
if [ -n "$unformatted" ]; then
  echo "not formatted with .clang-format:"; echo "$unformatted"; exit 1
fi

echo "== build and test"
cmake -S "$root" -B "$root/build/test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/test" -j "$jobs"
ctest --test-dir "$root/build/test" --output-on-failure -j "$jobs"

echo "== benchmarks (smoke)"
for b in "$root"/build/test/bench/*_bench; do
  [ -x "$b" ] || continue
  # Baselines named Slow_ take seconds each; the figures come from full runs.
  "$b" --benchmark_min_time=0.01 --benchmark_filter='-^Slow_' >/dev/null
done

echo "== search and start as a user sees them (figures only)"
# Ten shops and one shop from Enter to the first request and page loaded;
# start to window shown with 20 000 favorites and history items.
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
(unset QT_QPA_PLATFORM
 python3 "$root/bench/search_latency.py" --program "$root/build/test/ui/tolvane" \
   --cases ten,one --rounds 3 --display "$display" | tail -n 4 ||
   echo "(search latency not measured)"
 DISPLAY="$display" python3 "$root/bench/startup_measure.py" --program "$root/build/test/ui/tolvane" \
   --ctl "$root/build/test/tools/tolvanectl" --runs 3 --display "$display" |
   grep -E "tolvanectl|start -> window" || echo "(start not measured)")
kill "$xvfb" 2>/dev/null || true

echo "== fuzz targets"
CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLVANE_FUZZ=ON -DTOLVANE_BUILD_UI=OFF -DTOLVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/fuzz" -j "$jobs"
for f in "$root"/build/fuzz/fuzz/*_fuzz; do
  [ -x "$f" ] || continue
  name="$(basename "$f")"
  corpus="$(mktemp -d)"
  seeds="$root/fuzz/corpus/${name%_fuzz}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  echo "-- $name"
  "$f" -max_total_time="${FUZZ_SECONDS:-15}" -print_final_stats=0 "$corpus" 2>&1 | tail -n 1
  rm -rf "$corpus"
done

echo "== core suites under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=ON \
  -DTOLVANE_BUILD_UI=OFF -DTOLVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs" -L core
