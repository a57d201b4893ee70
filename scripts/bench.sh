#!/usr/bin/env bash
# Installs what is missing, builds, and runs every benchmark (build/bench/bench_*).
# Exits non-zero when any benchmark fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_and_build

# benchmarks that create widgets need no screen
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

shopt -s nullglob
benches=()
for b in "$BUILD_DIR"/bench/bench_*; do
  if [ -f "$b" ] && [ -x "$b" ]; then benches+=("$b"); fi
done
if [ ${#benches[@]} -eq 0 ]; then
  echo "No benchmarks built yet (bench/bench_*.cpp): nothing to run."
  exit 0
fi

failed=0
for b in "${benches[@]}"; do
  echo "=== $(basename "$b")"
  if ! "$b" "$@"; then
    echo "*** $(basename "$b") failed"
    failed=1
  fi
done
exit $failed
