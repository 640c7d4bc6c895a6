#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a bounded time,
# from a fixed seed so a run can be repeated: fuzz.sh [SECONDS]. Fails on any crash, leak,
# hang or sanitizer report; the input that caused it is left in build-fuzz/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-20}"
targets=()
for source in fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake -S "$root" -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DDOLMEX_BUILD_FUZZ=ON -DDOLMEX_SANITIZE=ON \
  -DDOLMEX_BUILD_TESTS=OFF -DDOLMEX_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]}"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for seeds in fuzz/corpus/*/; do
  kind="$(basename "$seeds")"
  target="$(ls build-fuzz/bin/fuzz_"$kind"_* 2>/dev/null | head -n 1)"
  if [ -z "$target" ]; then
    echo "no fuzz target for the corpus $seeds"
    status=1
    continue
  fi
  work="build-fuzz/corpus-$kind"
  mkdir -p "$work"
  echo "== $(basename "$target") for ${seconds}s"
  if ! "$target" -seed=20261208 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -artifact_prefix="build-fuzz/" "$work" "$seeds" >"$work.log" 2>&1; then
    tail -n 40 "$work.log"
    status=1
  else
    tail -n 1 "$work.log"
  fi
done
exit $status
