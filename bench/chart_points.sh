#!/usr/bin/env bash
# Peak memory, time and chart size of hygrian-chart as the points grow: 20,
# 2,000 (the last count drawn as markers), 10,000 and 1,000,000 labelled logger
# readings spread over the usual chart; then the same as the browser page
# (--html), when make web has built it. Fails when the million points take more
# than 8 MB of memory above the 20 points' peak, or give a chart over 4 MB, or a
# page over 2 MB or 20 MB of memory: all must stay bounded, whatever the number
# of points.
# Usage: bench/chart_points.sh [PROGRAM]   (default build/release/chart/hygrian-chart)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/chart/hygrian-chart}
[ -x "$program" ] || { echo "chart_points: build $program first (make build)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# N rows of dry_bulb, relative_humidity, label: a deterministic spread over
# 0 to 32 degrees C and 20 to 80 %, all on the plot.
points() {
  awk -v n="$1" 'BEGIN { print "dry_bulb,relative_humidity,label";
    for (i = 0; i < n; i++) printf "%.2f,%.1f,r%d\n", (i * 7919 % 3200) / 100, 20 + (i * 104729 % 600) / 10, i }'
}

printf '%-10s %9s %9s %10s\n' points seconds "peak KB" "chart KB"
for n in 20 2000 10000 1000000; do
  points "$n" >"$work/points.csv"
  /usr/bin/time -f '%e %M' -o "$work/time" "$program" "$work/points.csv" >"$work/chart.svg" \
    2>"$work/err" || { cat "$work/err" >&2; exit 1; }
  read -r seconds peak <"$work/time"
  size=$(( $(stat -c %s "$work/chart.svg") / 1024 ))
  printf '%-10s %9s %9s %10s\n' "$n" "$seconds" "$peak" "$size"
  echo "$peak $size" >"$work/at.$n"
done
read -r least _ <"$work/at.20"
read -r peak size <"$work/at.1000000"
if (( peak - least > 8192 || size > 4096 )); then
  echo "chart_points: a million points took $((peak - least)) KB more than 20, chart $size KB" >&2
  exit 1
fi

[ -f build/web/hygrian.html ] || { echo "(no page: make web builds it)"; exit 0; }
printf '%-10s %9s %9s %10s\n' "--html" seconds "peak KB" "page KB"
for n in 0 2000 100000 1000000; do
  points "$n" >"$work/points.csv"
  /usr/bin/time -f '%e %M' -o "$work/time" "$program" --html "$work/points.csv" \
    >"$work/page.html" 2>"$work/err" || [ "$n" = 0 ] || { cat "$work/err" >&2; exit 1; }
  read -r seconds peak < <(tail -n 1 "$work/time")  # after time's line about the status
  size=$(( $(stat -c %s "$work/page.html") / 1024 ))
  printf '%-10s %9s %9s %10s\n' "$n" "$seconds" "$peak" "$size"
done
if (( peak > 20480 || size > 2048 )); then
  echo "chart_points: a million points made a page of $size KB in $peak KB of memory" >&2
  exit 1
fi
