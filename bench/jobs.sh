#!/usr/bin/env bash
# hygrian-batch on one thread and on two: generates a table of 10,000,000 rows
# (dry-bulb uniform in 0 to 45 degrees C and relative humidity uniform in 5 to
# 100 percent, two decimals; the default pressure, 101.325 kPa, and the default
# handbook model), runs the release build with --jobs 1 and --jobs 2 in turn,
# three times each, output to /dev/null, and prints the least wall time of each,
# their ratio (goal: at least 1.8 on two idle cores) and the load average before
# and after. With --check it also compares the two outputs' checksums.
#
#   bench/jobs.sh [--check] [ROWS] [BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
if [ "${1:-}" = "--check" ]; then check=1; shift; fi
rows=${1:-10000000}
binary=${2:-build/release/batch/hygrian-batch}
if [ ! -x "$binary" ]; then
  cmake --preset release >&2
  cmake --build --preset release --target hygrian-batch >&2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v rows="$rows" 'BEGIN {
  srand(20261208); print "dry_bulb,relative_humidity"
  for (i = 0; i < rows; i++) printf "%.2f,%.2f\n", int(rand() * 4501) / 100, 5 + int(rand() * 9501) / 100
}' >"$work/in.csv"

echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores"
echo "load average before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
declare -A best
for _ in 1 2 3; do
  for jobs in 1 2; do
    /usr/bin/time -f '%e' -o "$work/time" "$binary" -q --jobs "$jobs" "$work/in.csv" >/dev/null
    wall=$(cat "$work/time")
    best[$jobs]=$(awk -v a="${best[$jobs]:-}" -v b="$wall" 'BEGIN { print (a == "" || b < a) ? b : a }')
  done
done
echo "load average after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
ratio=$(awk -v a="${best[1]}" -v b="${best[2]}" 'BEGIN { printf "%.2f", a / b }')
printf '%s rows: --jobs 1 %s s, --jobs 2 %s s (least wall time of 3): %sx (goal >= 1.8)\n' \
  "$rows" "${best[1]}" "${best[2]}" "$ratio"
if [ "$check" = 1 ]; then
  one=$("$binary" -q --jobs 1 "$work/in.csv" | cksum)
  two=$("$binary" -q --jobs 2 "$work/in.csv" | cksum)
  echo "checksums: --jobs 1 $one, --jobs 2 $two"
  [ "$one" = "$two" ]
fi
