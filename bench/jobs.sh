#!/usr/bin/env bash
# hygrian-batch on one thread and on two: generates a table of 10,000,000 rows
# (dry-bulb uniform in 0 to 45 degrees C and relative humidity uniform in 5 to
# 100 percent, two decimals; the default pressure, 101.325 kPa, and the default
# handbook model), runs the release build with --jobs 1 and --jobs 2 in turn,
# three times each, output to /dev/null (with --file, to a file beside the
# table), and prints the least wall time of each, their ratio (goal: at least
# 1.8 on two idle cores) and the load average before and after. With --against
# OLD, the binary OLD (another build) takes its turn in every round too, and its
# figures are printed beside. With --check it also compares the two outputs'
# checksums.
#
#   bench/jobs.sh [--check] [--file] [--against OLD] [ROWS] [BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
file=0
against=
while [ $# -gt 0 ]; do
  case "$1" in
    --check) check=1; shift ;;
    --file) file=1; shift ;;
    --against) against=$2; shift 2 ;;
    *) break ;;
  esac
done
rows=${1:-10000000}
binary=${2:-build/release/batch/hygrian-batch}
if [ ! -x "$binary" ]; then
  cmake --preset release >&2
  cmake --build --preset release --target hygrian-batch >&2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=/dev/null
if [ "$file" = 1 ]; then out="$work/out.csv"; fi

awk -v rows="$rows" 'BEGIN {
  srand(20261208); print "dry_bulb,relative_humidity"
  for (i = 0; i < rows; i++) printf "%.2f,%.2f\n", int(rand() * 4501) / 100, 5 + int(rand() * 9501) / 100
}' >"$work/in.csv"

echo "cpu: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores"
echo "load average before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
builds=("$binary")
if [ -n "$against" ]; then builds=("$against" "$binary"); fi
declare -A best
for _ in 1 2 3; do
  for build in "${builds[@]}"; do
    for jobs in 1 2; do
      /usr/bin/time -f '%e' -o "$work/time" "$build" -q --jobs "$jobs" "$work/in.csv" >"$out"
      wall=$(cat "$work/time")
      key="$build $jobs"
      best[$key]=$(awk -v a="${best[$key]:-}" -v b="$wall" 'BEGIN { print (a == "" || b < a) ? b : a }')
    done
  done
done
echo "load average after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
for build in "${builds[@]}"; do
  one=${best[$build 1]}
  two=${best[$build 2]}
  ratio=$(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.2f", a / b }')
  printf '%s: %s rows to %s: --jobs 1 %s s, --jobs 2 %s s (least wall time of 3): %sx (goal >= 1.8)\n' \
    "$build" "$rows" "$([ "$file" = 1 ] && echo a file || echo /dev/null)" "$one" "$two" "$ratio"
done
if [ "$check" = 1 ]; then
  one=$("$binary" -q --jobs 1 "$work/in.csv" | cksum)
  two=$("$binary" -q --jobs 2 "$work/in.csv" | cksum)
  echo "checksums: --jobs 1 $one, --jobs 2 $two"
  [ "$one" = "$two" ]
fi
