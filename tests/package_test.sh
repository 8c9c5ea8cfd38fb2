#!/usr/bin/env bash
# Checks an installed tree the way a user meets it: every program in bin/ runs
# (hygrian through a scripted session, compared byte for byte; the others answer
# --version and --help), every program has a manual page that man renders, and
# the README, the licence and the copyright file are in the documentation.
#
#   package_test.sh install BUILD_DIR VERSION   cmake --install into a temporary prefix
#   package_test.sh deb PACKAGE_DIR VERSION     the .deb in PACKAGE_DIR, extracted with
#                                               dpkg-deb -x, and its metadata
set -euo pipefail
mode=$1 source=$2 version=$3

status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $mode in
  install)
    cmake --install "$source" --prefix "$work/prefix" >"$work/install.log" ||
      { cat "$work/install.log" >&2; exit 1; }
    root=$work/prefix
    ;;
  deb)
    debs=("$source"/hygrian_"$version"_*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single package in $source" >&2; exit 1; }
    deb=${debs[0]}
    dpkg-deb -x "$deb" "$work/root"
    root=$work/root/usr
    ;;
  *)
    echo "usage: $0 install|deb DIR VERSION" >&2
    exit 2
    ;;
esac

# A program linked against a shared library of the tree finds it there.
libdirs=$(find "$root" -name '*.so*' -printf '%h:' 2>/dev/null | sort -u | tr -d '\n')
export LD_LIBRARY_PATH="${libdirs}${LD_LIBRARY_PATH:-}"

# The dialogue of a scripted session, redirected: CR LF line ends, no echo, and the
# final extra line end of a redirected run.
session_input='1\n25 20\n2\n'
session_output='PROGRAM HYGRIAN\r
\r
COMPUTATION OF PSYCHROMETRIC DATA IN SI UNITS.\r
\r
THIS PROGRAM CALCULATES SELECTED PSYCHROMETRIC PARAMETERS FROM COMBINATIONS\r
OF THE INPUT PARAMETERS WET AND DRY-BULB TEMPERATURES, DEW POINT, AND\r
RELATIVE HUMIDITY.\r
\r
ENTER THE DATA AS REQUESTED.\r
\r
WHAT TYPE OF DATA DO YOU HAVE?  TYPE THE CORRECT NUMBER AND PRESS ENTER.\r
     1) DRY-BULB AND WET-BULB TEMPERATURES\r
     2) DRY-BULB AND DEW POINT TEMPERATURES\r
     3) DRY-BULB TEMPERATURE AND RELATIVE HUMIDITY\r
\r
\r
ENTER THE DRY-BULB AND WET-BULB TEMPERATURES IN DEGREES C.\r
\r
\r
\r
\r
THE RESULTS ARE:\r
     DRY-BULB TEMPERATURE:  25.00 DEGREES C\r
     WET-BULB TEMPERATURE:  20.00 DEGREES C\r
     DEW POINT TEMPERATURE:  17.56 DEGREES C\r
     RELATIVE HUMIDITY: 63.48 PERCENT\r
     ENTHALPY:   57.22 J/G\r
     HUMIDITY RATIO:   .1260E-01\r
     DEGREE OF SATURATION:     .6274\r
     SPECIFIC VOLUME:   .862 CU. M/KG\r
     VAPOR PARTIAL PRESSURE:  2.012 KPA\r
\r
\r
\r
DO YOU WANT TO RUN AGAIN?  ENTER THE APPROPRIATE NUMBER.  1)YES  2)NO.\r
\r
Stop - Program terminated.\r
\r
'

[ -x "$root/bin/hygrian" ] || fail "bin/hygrian is missing"
for program in "$root"/bin/*; do
  name=$(basename "$program")
  if [ "$name" = hygrian ]; then
    printf "$session_input" | "$program" >"$work/out" 2>"$work/err" && code=0 || code=$?
    printf '%b' "$session_output" | cmp -s - "$work/out" || fail "$name: the scripted session differs"
    [ ! -s "$work/err" ] || fail "$name: wrote to standard error: $(cat "$work/err")"
    [ $code -eq 0 ] || fail "$name: exit status $code"
  else
    "$program" --version >"$work/out" 2>&1 || fail "$name --version: exit status $?"
    grep -q "$version" "$work/out" || fail "$name --version does not say $version: $(cat "$work/out")"
    "$program" --help >"$work/out" 2>&1 || fail "$name --help: exit status $?"
    grep -q "$name" "$work/out" || fail "$name --help does not name the program"
  fi
  page=$root/share/man/man1/$name.1.gz
  if [ -f "$page" ]; then
    gzip -t "$page" || fail "$page is not a valid gzip file"
    MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^NAME$' || fail "man -l $page does not render"
  else
    fail "no manual page for $name"
  fi
  echo "ok $name"
done

# No manual page without its program.
for page in "$root"/share/man/man1/*; do
  [ -x "$root/bin/$(basename "$page" .1.gz)" ] || fail "manual page $page has no program"
done
# The library's page, where there is one.
for page in "$root"/share/man/man3/*.3.gz; do
  [ -e "$page" ] || continue
  MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^NAME$' || fail "man -l $page does not render"
  echo "ok $(basename "$page")"
done

# The library, where the tree has it: a C program built against the installed
# header and shared library computes a known state.
if [ -f "$root/include/hygrian/hygrian.h" ] && command -v cc >/dev/null; then
  cat >"$work/app.c" <<'PROGRAM'
#include <hygrian/hygrian.h>
#include <stdio.h>

int main(void) {
  hygrian_state s;
  int found;
  int status = hygrian_from_dry_bulb_relative_humidity(25.0, 50.0, HYGRIAN_STANDARD_PRESSURE,
                                                       &s, &found);
  if (status != HYGRIAN_OK) return 1;
  printf("dew point %.2f, wet bulb %.2f\n", s.dew_point, s.wet_bulb);
  return 0;
}
PROGRAM
  library=$(find "$root" -name 'libhygrian.so' | head -1)
  libdir=$(dirname "$library")
  if nm -D --undefined-only "$library" | grep -q '__asan\|__ubsan'; then
    # A sanitized library needs its sanitizers' run-time in the program too.
    echo "skip library: built with sanitizers"
  elif cc -I"$root/include" "$work/app.c" -L"$libdir" -lhygrian -o "$work/app" 2>"$work/err"; then
    [ "$("$work/app")" = "dew point 13.83, wet bulb 17.89" ] ||
      fail "the library gives another state: $("$work/app")"
    echo "ok library"
  else
    fail "a C program does not build against the library: $(cat "$work/err")"
  fi
fi

docs=$root/share/doc/hygrian
for file in README.md LICENSE copyright; do
  [ -s "$docs/$file" ] || fail "share/doc/hygrian/$file is missing"
done
grep -q '^License: Expat$' "$docs/copyright" || fail "copyright does not name the licence"

if [ "$mode" = deb ]; then
  field() { dpkg-deb --field "$deb" "$1"; }
  expect() {
    [ "$(field "$1")" = "$2" ] || fail "$1 is '$(field "$1")', not '$2'"
  }
  dpkg-deb --info "$deb" >/dev/null || fail "dpkg-deb --info fails"
  expect Package hygrian
  expect Version "$version"
  expect Maintainer "hygrian developers <maintainers@hygrian.invalid>"
  expect Section science
  expect Architecture "$(dpkg --print-architecture)"
  [ -n "$(field Description)" ] || fail "no Description"
  # Dependencies come from the binaries: a dynamically linked program needs libc6.
  if file -L "$root"/bin/* | grep -q 'dynamically linked'; then
    case "$(field Depends)" in
      *libc6*) ;;
      *) fail "Depends '$(field Depends)' does not name libc6" ;;
    esac
  fi
  # Manual pages are compressed; nothing lies outside /usr.
  if find "$root/share/man" -type f ! -name '*.gz' | grep -q .; then
    fail "uncompressed manual page in the package"
  fi
  [ "$(ls "$work/root")" = usr ] || fail "the package installs outside /usr: $(ls "$work/root")"
  echo "ok metadata: $(field Package) $(field Version) $(field Architecture), Depends: $(field Depends)"
fi

exit $status
