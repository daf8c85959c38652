#!/usr/bin/env bash
# Installs what is needed, builds, and runs the whole test suite through CTest.
# TREVANTO_SANITIZE=1 builds and runs it under AddressSanitizer and UBSan instead.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
if [ "${TREVANTO_SANITIZE:-0}" = 1 ]; then
    folder=build-asan
    bash "$here/scripts/build.sh" "$folder" Debug -DTREVANTO_SANITIZE=ON -DTREVANTO_BUILD_BENCH=OFF
    export ASAN_OPTIONS=detect_leaks=0
else
    folder=build
    bash "$here/scripts/build.sh" "$folder" RelWithDebInfo
fi
cd "$here/$folder"
ctest --output-on-failure -j2 --timeout 300
