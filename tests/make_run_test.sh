#!/usr/bin/env bash
# `make run` on an up-to-date build starts the calculator with nothing in front of
# it: standard output begins with the banner and standard error stays empty, also
# when LC_ALL names a locale the machine lacks.
# Usage: make_run_test.sh SOURCE_DIR PRESET
set -euo pipefail
cd "$1"
preset=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Choice 4 computes nothing; 2 stops.
printf '4\n2\n' | make --no-print-directory run PRESET="$preset" >/dev/null 2>&1 || true

printf '4\n2\n' | env LC_ALL=xx_XX.UTF-8 make --no-print-directory run PRESET="$preset" \
  >"$work/out" 2>"$work/err" && code=0 || code=$?
status=0
if [ -s "$work/err" ]; then
  echo "FAIL: make run wrote to standard error:" >&2
  cat "$work/err" >&2
  status=1
fi
if [ "$(head -c 17 "$work/out" | od -An -c | tr -s ' ')" != "$(printf 'PROGRAM HYGRIAN\r\n' | od -An -c | tr -s ' ')" ]; then
  echo "FAIL: standard output does not begin with the banner:" >&2
  head -c 200 "$work/out" | od -c | head >&2
  status=1
fi
[ $code -eq 0 ] || { echo "FAIL: make run exited with $code" >&2; status=1; }
[ $status -eq 0 ] && echo "ok: make run starts with the banner, nothing on standard error"
exit $status
