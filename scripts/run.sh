#!/usr/bin/env bash
# Installs what is missing, builds Tolvane and starts it. Arguments go to the
# browser, e.g. `scripts/run.sh --data-dir ~/tolvane-data`.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTOLVANE_BUILD_TESTS=OFF -DTOLVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/release" --target tolvane tolvanectl
exec "$root/build/release/ui/tolvane" "$@"
