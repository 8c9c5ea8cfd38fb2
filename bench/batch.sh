#!/usr/bin/env bash
# Throughput and memory of hygrian-batch: generates three tables of 1,000,000 rows
# (dry-bulb uniform in 0 to 45 degrees C with two decimals, and wet-bulb up to
# 12 K below it, dew point up to 20 K below it, or relative humidity uniform in
# 5 to 100 percent), runs the release build on each, and prints rows per second
# of CPU time (user + system, the whole run) and the peak resident memory,
# against the floors. With --big it also runs a table of about 1 GB to show that
# memory stays flat. With --units it also counts the instructions (callgrind, as
# bench/floor.sh counts them) of the first 50,000 wet-bulb rows written in SI and
# with --units ip: the IP output may cost at most 5 % more.
#
#   bench/batch.sh [--big] [--units] [BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."

big=0
units=0
if [ "${1:-}" = "--big" ]; then big=1; shift; fi
if [ "${1:-}" = "--units" ]; then units=1; shift; fi
binary=${1:-build/release/batch/hygrian-batch}
if [ ! -x "$binary" ]; then
  cmake --preset release >&2
  cmake --build --preset release --target hygrian-batch >&2
fi
rows=1000000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One table: the header, then rows from awk's generator with a fixed seed.
generate() {  # name header expression-for-the-second-value
  awk -v rows="$rows" -v header="$2" 'BEGIN {
    srand(20261207); print header
    for (i = 0; i < rows; i++) {
      t = int(rand() * 4501) / 100
      '"$3"'
      printf "%.2f,%.2f\n", t, v
    }
  }' >"$work/$1.csv"
}
generate wet "dry_bulb,wet_bulb" 'v = t - int(rand() * 1201) / 100'
generate dew "dry_bulb,dew_point" 'v = t - int(rand() * 2001) / 100'
generate rh "dry_bulb,relative_humidity" 'v = 5 + int(rand() * 9501) / 100'

# Runs the program once on a file; prints CPU seconds and peak kB.
measure() {
  /usr/bin/time -f '%U %S %M' -o "$work/time" "$binary" -q "$1" >/dev/null || true
  read -r user system peak <"$work/time"
  echo "$user $system $peak"
}

status=0
printf '%-20s %10s %12s %12s %10s\n' pair rows cpu-seconds rows/s peak-MB
for pair in wet:1000000 dew:500000 rh:500000; do
  name=${pair%%:*}
  floor=${pair##*:}
  read -r user system peak < <(measure "$work/$name.csv")
  rate=$(awk -v r="$rows" -v u="$user" -v s="$system" 'BEGIN { printf "%d", r / (u + s) }')
  verdict=ok
  if [ "$rate" -lt "$floor" ]; then verdict="BELOW $floor"; status=1; fi
  printf '%-20s %10d %12.2f %12d %10.1f  %s\n' "$name" "$rows" "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" \
    "$rate" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "$verdict"
done

if [ "$big" = 1 ]; then
  # About 1 GB: the wet-bulb rows over and over under one header.
  copies=$(( (1000000000 + $(stat -c %s "$work/wet.csv") - 1) / $(stat -c %s "$work/wet.csv") ))
  {
    head -n 1 "$work/wet.csv"
    for _ in $(seq "$copies"); do tail -n +2 "$work/wet.csv"; done
  } >"$work/big.csv"
  size=$(stat -c %s "$work/big.csv")
  read -r user system peak < <(measure "$work/big.csv")
  printf '%-20s %10d %12.2f %12d %10.1f  (%d bytes)\n' big $((rows * copies)) \
    "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" \
    "$(awk -v r=$((rows * copies)) -v u="$user" -v s="$system" 'BEGIN { printf "%d", r / (u + s) }')" \
    "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "$size"
fi
if [ "$units" = 1 ]; then
  command -v valgrind >/dev/null || { echo "batch.sh: valgrind is needed (.ci/install)" >&2; exit 2; }
  head -n 50001 "$work/wet.csv" >"$work/units.csv"
  instructions() {  # options...
    nice valgrind --tool=callgrind --callgrind-out-file=/dev/null "$binary" -q "$@" \
      "$work/units.csv" 2>&1 >/dev/null | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
  }
  si=$(instructions)
  ip=$(instructions --units ip)
  ratio=$(awk -v a="$ip" -v b="$si" 'BEGIN { printf "%.4f", a / b }')
  verdict=ok
  if awk -v r="$ratio" 'BEGIN { exit !(r > 1.05) }'; then verdict="ABOVE 1.05"; status=1; fi
  echo "50,000 rows, instructions: si $si, --units ip $ip: ${ratio}x (goal <= 1.05)  $verdict"
fi
exit $status
