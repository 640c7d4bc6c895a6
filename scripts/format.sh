#!/usr/bin/env bash
# Applies the repository's .clang-format to every C++ source: format.sh. With --check it
# changes nothing and fails, listing the files, when any differs from the declared style.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -co --exclude-standard \
    'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
else
  mapfile -t files < <(find src tests bench fuzz -name '*.cpp' -o -name '*.h')
fi
if [ "${1:-}" != "--check" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
differing=()
for file in "${files[@]}"; do
  [ -f "$file" ] || continue
  clang-format "$file" | cmp -s - "$file" || differing+=("$file")
done
if [ ${#differing[@]} -ne 0 ]; then
  echo "Not formatted as .clang-format declares (run: bash scripts/format.sh):"
  printf '  %s\n' "${differing[@]}"
  exit 1
fi
