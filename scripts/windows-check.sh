#!/usr/bin/env bash
# The Windows half on a Linux machine: cross-compiles the registry code with mingw-w64 and runs
# tests/windows/RegistryCheck.cpp under wine in a throw-away prefix, and compiles the Windows
# branch of the file-type registration (syntax only, against the Linux Qt headers).
# windows-check.sh [--if-available]: without mingw-w64 or wine it fails, or with the flag says
# so and succeeds.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

if_available=0
case "${1:-}" in
  --if-available) if_available=1 ;;
  "") ;;
  *) echo "usage: $0 [--if-available]" >&2; exit 2 ;;
esac

cxx=x86_64-w64-mingw32-g++
wine=""
for candidate in wine64 /usr/lib/wine/wine64; do
  if command -v "$candidate" >/dev/null 2>&1; then
    wine="$(command -v "$candidate")"
    break
  fi
done
wineserver=""
for candidate in wineserver /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
  if command -v "$candidate" >/dev/null 2>&1; then
    wineserver="$(command -v "$candidate")"
    break
  fi
done
missing=()
command -v "$cxx" >/dev/null 2>&1 || missing+=("mingw-w64 ($cxx)")
[ -n "$wine" ] && [ -n "$wineserver" ] || missing+=("wine64")
if [ ${#missing[@]} -ne 0 ]; then
  echo "windows-check: missing ${missing[*]}; install them with: bash scripts/setup.sh"
  [ $if_available -eq 1 ] && exit 0
  exit 1
fi

out="$root/build-windows"
mkdir -p "$out"
# UNICODE as Qt's Windows builds define it; -static so that wine needs no mingw DLLs.
flags=(-std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -DUNICODE -D_UNICODE -I"$root/src")
"$cxx" "${flags[@]}" -static -o "$out/RegistryCheck.exe" \
  tests/windows/RegistryCheck.cpp src/shell/WindowsRegistry.cpp -ladvapi32

qt_headers="$(pkg-config --variable=includedir Qt6Core 2>/dev/null || true)"
if [ -n "$qt_headers" ] && [ -d "$qt_headers/QtCore" ]; then
  # Qt's own headers as system headers: only warnings in our code count.
  "$cxx" "${flags[@]}" -fsyntax-only -isystem "$qt_headers" -isystem "$qt_headers/QtCore" \
    src/shell/FileTypeRegistration.cpp
else
  echo "windows-check: no Qt headers, the Windows branch of FileTypeRegistration.cpp is not compiled"
fi

prefix="$(mktemp -d)"
cleanup() {
  WINEPREFIX="$prefix" "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start=$SECONDS
# The prefix's first start; its complaints about the 32-bit half wine64 lacks are noise.
if ! timeout 300 "$wine" wineboot -i >"$out/wineboot.log" 2>&1; then
  cat "$out/wineboot.log"
  echo "windows-check: wine could not set up a prefix"
  exit 1
fi
status=0
timeout 300 "$wine" "$out/RegistryCheck.exe" || status=1
"$wineserver" -w || true
echo "windows-check: wine took $((SECONDS - start)) s"
exit $status
