#!/usr/bin/env bash
# Installs what is needed, builds a Release build and starts trevanto on the demo district.
# Without a display it runs the command-line jobs on the bundled files instead.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" build-release Release -DTREVANTO_BUILD_TESTS=OFF -DTREVANTO_BUILD_BENCH=OFF
exe="$here/build-release/app/trevanto/trevanto"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$exe"
fi

echo "demo: no display here (DISPLAY and WAYLAND_DISPLAY are unset): running the command-line jobs instead."
"$exe" district
"$exe" calc list
"$exe" apa check "$here/data/demo/GENBA.APA"
home="${TREVANTO_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/Brandel/Trevanto}"
echo "demo: outputs are in $home"
