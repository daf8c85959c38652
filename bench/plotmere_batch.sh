#!/usr/bin/env bash
# The batch conversion end to end, text in and text out: plotmere xy2bl on a million points
# of zone 9, and, when Debian's proj-bin is installed, proj -I on the same points (the same
# transverse Mercator inverse on GRS80, without the convergence).
# Usage: bench/plotmere_batch.sh [build folder] [points]
set -euo pipefail
build="${1:-build}"
count="${2:-1000000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
awk -v n="$count" 'BEGIN { srand(7); for (i = 0; i < n; i++) printf "9 %.3f %.3f\n", (rand() - 0.5) * 400000, (rand() - 0.5) * 300000 }' \
    > "$work/zxy.txt"
awk '{ print $3, $2 }' "$work/zxy.txt" > "$work/en.txt"
seconds() { local start end; start=$(date +%s.%N); "$@"; end=$(date +%s.%N); awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'; }
rate() { awk -v n="$1" -v t="$2" 'BEGIN { printf "%.0f", n / t }'; }
t=$(seconds sh -c "'$build/app/plotmere/plotmere' xy2bl < '$work/zxy.txt' > '$work/bl.txt'")
printf 'plotmere xy2bl: %d lines in %.3f s, %.0f lines/s\n' "$count" "$t" "$(rate "$count" "$t")"
if command -v proj >/dev/null; then
    t=$(seconds sh -c "proj -I -f '%.9f' +proj=tmerc +lat_0=36 +lon_0=139.8333333333333 +k=0.9999 +x_0=0 +y_0=0 +ellps=GRS80 +units=m \
        < '$work/en.txt' > '$work/lonlat.txt'")
    printf 'proj -I:        %d lines in %.3f s, %.0f lines/s\n' "$count" "$t" "$(rate "$count" "$t")"
    # The two answers side by side for the first point: plotmere's seconds, proj's degrees.
    head -1 "$work/bl.txt" | awk '{ printf "first point: plotmere %.9f %.9f\n", $1 / 3600, $2 / 3600 }'
    head -1 "$work/lonlat.txt" | awk '{ printf "first point: proj     %s %s\n", $2, $1 }'
fi
