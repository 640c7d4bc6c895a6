#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time:
# fuzz.sh [SECONDS]. Fails on any crash, leak, hang or sanitizer report.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-20}"
bash scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DDOLMEX_BUILD_FUZZ=ON \
  -DDOLMEX_SANITIZE=ON -DDOLMEX_BUILD_TESTS=OFF -DDOLMEX_BUILD_BENCH=OFF
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
status=0
for seeds in fuzz/corpus/*/; do
  kind="$(basename "$seeds")"
  target="$(ls build-fuzz/bin/fuzz_"$kind"_* | head -n 1)"
  work="build-fuzz/corpus-$kind"
  mkdir -p "$work"
  echo "== $(basename "$target") for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="build-fuzz/" "$work" "$seeds" 2>&1 | tail -n 3 || status=1
done
exit $status
