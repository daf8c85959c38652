#!/usr/bin/env bash
# Configures and builds into a build folder: build.sh FOLDER BUILD_TYPE [cmake options...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="$1"; type="$2"; shift 2
cmake -S "$here" -B "$here/$folder" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
cmake --build "$here/$folder" -j2
