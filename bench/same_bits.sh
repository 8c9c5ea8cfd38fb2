#!/bin/sh
# The library of this tree against another commit's, bit for bit, under the
# ice convention and the calculator model: every field, the status (19 read as
# the 13 it split) and wetBulbFound of random states of every pair, by the
# scalar functions and by ComputeStates on every instruction set.
#
#   bench/same_bits.sh COMMIT [SCALAR_STATES [ARRAY_STATES]]   (a pair and model each)
#
# Builds COMMIT's library in a temporary directory and this tree's in
# build/release; needs g++ and Highway. Exit status 1 when the bits differ.
set -eu
commit=$1
scalar=${2:-1000000}
arrays=${3:-300000}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/before" "$work/now"
git -C "$root" archive "$commit" | tar -x -C "$work/before"
(cd "$work/before" && cmake --preset release -DHYGRIAN_TESTS=OFF >/dev/null &&
  cmake --build build/release --target hygrian_air >/dev/null)
cmake --build "$root/build/release" --target hygrian_air >/dev/null
for side in before now; do
  tree=$root
  [ "$side" = before ] && tree=$work/before
  g++ -std=c++20 -O2 -ffp-contract=off -I"$tree/include" -I"$tree/build/release/include" \
    "$root/bench/same_bits.cpp" "$tree/build/release/air/libhygrian.a" -lhwy \
    -o "$work/$side/same_bits"
done
# The streams are gigabytes: their digests are compared.
digest() { "$work/$1/same_bits" "$2" "$3" 2>>"$work/$1.targets" | sha256sum; }
same=yes
[ "$(digest before "$scalar" s)" = "$(digest now "$scalar" s)" ] || same=no
[ "$(digest before "$arrays" a)" = "$(digest now "$arrays" a)" ] || same=no
targets=$(sort -u "$work/now.targets" | tr '\n' ' ')
count=$(grep -c . "$work/now.targets")
echo "$commit against this tree: $((scalar * 22)) states by the scalar functions and" \
  "$((arrays * count)) by ComputeStates ($targets): the same bits: $same"
[ "$same" = yes ]
