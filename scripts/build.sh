#!/usr/bin/env bash
# Configures and builds one flavour of the tree: build.sh FOLDER [extra cmake arguments].
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="$1"
shift
cmake -S "$root" -B "$root/$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/$folder" --parallel "$(nproc)"
