#!/usr/bin/env bash
# Builds Dolmex and opens the bundled sample dialog (or the file given as argument).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh build -DDOLMEX_BUILD_TESTS=OFF -DDOLMEX_BUILD_BENCH=OFF
dialog="${1:-$root/samples/Greywater/dlg/00001Ferryman.dlg}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): describing $dialog instead."
  exec "$root/build/bin/dolmex-cli" describe "$dialog"
fi
exec "$root/build/bin/dolmex" "$dialog"
