#!/usr/bin/env bash
# Peak memory and time of the built program on large inputs through a pipe: one
# million passes, 100 MB of blank lines and a single 10 MB token, beside a short
# session for comparison. Fails when the peak memory of a large input is more
# than 1 MB above the short session's: the program's memory must stay flat.
# Usage: bench/stress.sh [PROGRAM]   (default build/release/hygrian)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/release/hygrian}
[ -x "$program" ] || { echo "stress: build $program first (make build)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs the program on the output of the generator (a shell snippet); prints one row.
measure() {
  local name=$1 generator=$2
  bash -c "$generator" 2>/dev/null |
    /usr/bin/time -f '%x %e %M' -o "$work/time" "$program" >/dev/null 2>"$work/err" || true
  read -r status seconds peak < <(tail -n 1 "$work/time")
  local report
  report=$(grep -o '[FM][0-9]\{4\}' "$work/err" | head -n 1 || true)
  printf '%-28s %6s %7s %9s %9s\n' "$name" "$status" "${report:--}" "$seconds" "$peak"
  echo "$peak" >"$work/peak.$name"
}

printf '%-28s %6s %7s %9s %9s\n' input status report seconds "peak KB"
measure short-session "printf '1\n25 20\n2\n'"
# 999,999 passes that ask to run again, then one that stops.
measure one-million-passes "{ yes \$'1\n25 20\n1' | head -n 2999997; printf '1\n25 20\n2\n'; }"
measure 100MB-of-blank-lines "head -c 100000000 /dev/zero | tr '\\0' '\\n'"
measure 10MB-token "head -c 10000000 /dev/zero | tr '\\0' '7'"

base=$(cat "$work/peak.short-session")
for name in one-million-passes 100MB-of-blank-lines 10MB-token; do
  peak=$(cat "$work/peak.$name")
  if [ "$peak" -gt $((base + 1024)) ]; then
    echo "stress: $name peaked at $peak KB, more than 1 MB above the short session's $base KB" >&2
    exit 1
  fi
done
echo "memory flat: every peak within 1 MB of the short session's $base KB"
