#!/usr/bin/env bash
# The dialogue against its cost floor. Builds the released (static) calculator and
# three small static C programs (bench/floor/), then prints four figures:
#   1. instructions of a whole one-pass session (callgrind), against a minimal
#      static program that reads its input and writes 1.5 KB;
#   2. user-space instructions per pass: a 2,000-pass session minus a 1,000-pass
#      session, divided by 1,000 (callgrind);
#   3. CPU time of the one-pass session against that minimal program;
#   4. CPU time of a 20,000-pass piped session against a static program that makes
#      the same system calls per pass and computes nothing.
# Instruction counts are deterministic for a given environment (the C library's
# start-up scans the environment, so a larger one adds to both sides of figure 1);
# the CPU figures are medians over ROUNDS rounds of RUNS runs each, the two
# programs side by side in every round.
set -euo pipefail
cd "$(dirname "$0")/.."

ROUNDS=${ROUNDS:-7}
RUNS=${RUNS:-200}
PASS_ROUNDS=${PASS_ROUNDS:-7}
PASS_RUNS=${PASS_RUNS:-3}
CC=${CC:-cc}

command -v valgrind >/dev/null || { echo "floor.sh: valgrind is needed (.ci/install)" >&2; exit 2; }

cmake --preset release >&2
cmake --build --preset release --target hygrian >&2
program=build/release/hygrian

work=build/floor
mkdir -p "$work"
$CC -O2 -static -Wall -Wextra -Werror -o "$work/floor_startup" bench/floor/floor_startup.c
$CC -O2 -static -Wall -Wextra -Werror -o "$work/floor_passes" bench/floor/floor_passes.c
$CC -O2 -Wall -Wextra -Werror -o "$work/cpu_ratio" bench/floor/cpu_ratio.c

# A session of n passes of choice 1 with 25 and 20, the last answering 2.
session() {
  local n=$1 k
  for ((k = 1; k < n; ++k)); do printf '1\n25 20\n1\n'; done
  printf '1\n25 20\n2\n'
}
for n in 1 1000 2000 20000; do session "$n" >"$work/passes$n.txt"; done

# The one-pass session's output must not have moved.
cmp -s <("$program" <"$work/passes1.txt") <("$work/floor_passes" <"$work/passes1.txt") ||
  { echo "floor.sh: the one-pass output differs from the floor's copy of it" >&2; exit 1; }

instructions() {  # program input
  nice valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" <"$2" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

one=$(instructions "$program" "$work/passes1.txt")
floorOne=$(instructions "$work/floor_startup" "$work/passes1.txt")
p1000=$(instructions "$program" "$work/passes1000.txt")
p2000=$(instructions "$program" "$work/passes2000.txt")
f1000=$(instructions "$work/floor_passes" "$work/passes1000.txt")
f2000=$(instructions "$work/floor_passes" "$work/passes2000.txt")
perPass=$(((p2000 - p1000) / 1000))
floorPerPass=$(((f2000 - f1000) / 1000))

read -r cpuOne cpuFloorOne ratioOne < <(nice "$work/cpu_ratio" "$ROUNDS" "$RUNS" \
  "$work/passes1.txt" "$program" "$work/floor_startup")
read -r cpuMany cpuFloorMany ratioMany < <(nice "$work/cpu_ratio" "$PASS_ROUNDS" "$PASS_RUNS" \
  "$work/passes20000.txt" "$program" "$work/floor_passes")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.3f ms", s * 1000 }'; }

echo "1. one-pass session, instructions:     $one (floor $floorOne, $(ratio "$one" "$floorOne")x; goal <= 66,800)"
echo "2. instructions per pass:              $perPass (floor $floorPerPass; goal <= 10,000)"
echo "3. one-pass session, CPU time:         $(ms "$cpuOne") against $(ms "$cpuFloorOne"): ${ratioOne}x (goal <= 1.2x)"
echo "4. 20,000-pass piped session, CPU:     $(ms "$cpuMany") against $(ms "$cpuFloorMany"): ${ratioMany}x (information)"
