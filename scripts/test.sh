#!/usr/bin/env bash
# Builds and runs every test twice: a normal build, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer; between them the Windows registry code under wine, where
# installed. Exits non-zero when anything fails.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/setup.sh || exit 1

export QT_QPA_PLATFORM=offscreen
status=0

echo "== formatting"
bash scripts/format.sh --check || status=1

echo "== normal build"
if bash scripts/build.sh build -DDOLMEX_WERROR=ON; then
  ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 300 || status=1
else
  status=1
fi

echo "== Windows half: registry code under wine"
bash scripts/windows-check.sh --if-available || status=1

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
if bash scripts/build.sh build-asan -DDOLMEX_SANITIZE=ON -DDOLMEX_BUILD_BENCH=OFF -DDOLMEX_WERROR=ON; then
  ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" --timeout 600 || status=1
else
  status=1
fi

echo "== fuzzing every parser of outside text"
bash scripts/fuzz.sh 20 || status=1

if [ $status -ne 0 ]; then
  echo "FAILED"
else
  echo "All tests passed in both builds."
fi
exit $status
