#!/usr/bin/env bash
# Installs what is needed, builds, and runs the whole test suite through CTest.
# TREVANTO_SANITIZE=1 builds and runs it under AddressSanitizer (leak checking on) and UBSan
# instead; leaks inside system libraries are listed in scripts/lsan.supp, ours fail the run.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
if [ "${TREVANTO_SANITIZE:-0}" = 1 ]; then
    folder=build-asan
    bash "$here/scripts/build.sh" "$folder" Debug -DTREVANTO_SANITIZE=ON -DTREVANTO_BUILD_BENCH=OFF
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
    export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    folder=build
    bash "$here/scripts/build.sh" "$folder" RelWithDebInfo
fi
cd "$here/$folder"
ctest --output-on-failure -j2 --timeout 300
