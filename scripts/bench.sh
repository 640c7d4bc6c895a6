#!/usr/bin/env bash
# Builds in Release and runs every benchmark in bench/, then prints one table: each
# operation, its baseline measured in the same run, the ratio and its target, the time or
# size and its limit.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
targets=()
for source in bench/bench_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake -S "$root" -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDOLMEX_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
rows=""
for target in "${targets[@]}"; do
  echo "== $target"
  output="$(build-release/bin/"$target" --benchmark_color=false 2>&1)"
  # The rows of each program's ratio table follow its header line.
  rows+="$(printf '%s\n' "$output" | sed -n '/^operation  *baseline/,$p' | tail -n +2)"$'\n'
done
echo
printf '%-24s %-24s %9s %9s %11s %11s\n' operation baseline ratio target "time/size" limit
printf '%s' "$rows" | sed '/^$/d'
