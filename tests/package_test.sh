#!/usr/bin/env bash
# Checks an installed tree the way a user meets it: every program in bin/ runs
# (hygrian through a scripted session, compared byte for byte; the others answer
# --version and --help), every program has a manual page that man renders, and
# the README, the licence and the copyright file are in the documentation.
#
#   package_test.sh install BUILD_DIR VERSION   cmake --install into a temporary prefix
#   package_test.sh deb PACKAGE_DIR VERSION LIBDIR
#                                               the set of .deb files in PACKAGE_DIR,
#                                               extracted together with dpkg-deb -x,
#                                               and each package's metadata; the
#                                               library is in /usr/LIBDIR
set -euo pipefail
mode=$1 source=$2 version=$3 package_libdir=${4:-}

status=0
declare -A debs=()
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
    # The programs, the shared library and the development files always; the
    # Python module where the tree builds it.
    declare -A section=([hygrian]=science [libhygrian1]=libs [libhygrian-dev]=libdevel
                        [python3-hygrian]=python)
    packages=()
    for deb in "$source"/*_"$version"_*.deb; do
      [ -f "$deb" ] || continue
      name=$(dpkg-deb --field "$deb" Package)
      [ -n "${section[$name]:-}" ] || { echo "FAIL: unexpected package $deb" >&2; exit 1; }
      packages+=("$name")
      debs[$name]=$deb
    done
    for name in hygrian libhygrian1 libhygrian-dev; do
      [ -n "${debs[$name]:-}" ] || { echo "FAIL: no package $name in $source" >&2; exit 1; }
    done
    for name in "${packages[@]}"; do
      dpkg-deb -x "${debs[$name]}" "$work/root"
    done
    root=$work/root/usr
    ;;
  *)
    echo "usage: $0 install BUILD_DIR VERSION | deb PACKAGE_DIR VERSION LIBDIR" >&2
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
  for name in "${packages[@]}"; do
    deb=${debs[$name]}
    field() { dpkg-deb --field "$deb" "$1"; }
    expect() {
      [ "$(field "$1")" = "$2" ] || fail "$name: $1 is '$(field "$1")', not '$2'"
    }
    dpkg-deb --info "$deb" >/dev/null || fail "$name: dpkg-deb --info fails"
    expect Version "$version"
    expect Maintainer "hygrian developers <maintainers@hygrian.invalid>"
    expect Section "${section[$name]}"
    expect Priority optional
    expect Architecture "$(dpkg --print-architecture)"
    # A synopsis of its own and a long description.
    [ "$(field Description | wc -l)" -gt 2 ] || fail "$name: no long Description"
    # Its own copyright file and changelog; the native version is the changelog's
    # first entry.
    doc=usr/share/doc/$name
    files=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
    grep -qx "\./$doc/copyright" <<<"$files" || fail "$name: no $doc/copyright"
    [ "$(gzip -dc "$work/root/$doc/changelog.gz" | head -1)" = \
      "hygrian ($version) unstable; urgency=medium" ] || fail "$name: $doc/changelog.gz lacks $version"
    # Nothing lies outside /usr.
    outside=$(grep -v -e '^\./usr/' -e '^\./$' <<<"$files" || true)
    [ -z "$outside" ] || fail "$name: files outside /usr: $outside"
    echo "ok metadata: $name $(field Version) $(field Architecture) $(field Section), Depends: $(field Depends)"
  done
  # Dependencies come from the binaries: a dynamically linked program needs libc6.
  deb=${debs[hygrian]}
  if file -L "$root"/bin/* | grep -q 'dynamically linked'; then
    case "$(field Depends)" in
      *libc6*) ;;
      *) fail "hygrian: Depends '$(field Depends)' does not name libc6" ;;
    esac
  fi
  # hygrian-chart's PDF and PNG: librsvg and cairo, from its links.
  for lib in librsvg2-2 libcairo2; do
    case "$(field Depends)" in
      *"$lib"*) ;;
      *) fail "hygrian: Depends '$(field Depends)' does not name $lib" ;;
    esac
  done
  # The library: registered by the ldconfig trigger, with a shlibs file that gives
  # packages built against it a lower bound; the development files need this very
  # version of it.
  deb=${debs[libhygrian1]}
  [ "$(dpkg-deb --info "$deb" triggers)" = "activate-noawait ldconfig" ] ||
    fail "libhygrian1: no ldconfig trigger"
  [ "$(dpkg-deb --info "$deb" shlibs)" = "libhygrian 1 libhygrian1 (>= $version)" ] ||
    fail "libhygrian1: shlibs is '$(dpkg-deb --info "$deb" shlibs)'"
  case "$(dpkg-deb --field "${debs[libhygrian-dev]}" Depends)" in
    *"libhygrian1 (= $version)"*) ;;
    *) fail "libhygrian-dev does not depend on libhygrian1 (= $version)" ;;
  esac
  grep -qx "\./usr/$package_libdir/libhygrian\.so\.1" <<<"$(dpkg-deb --contents "$deb" | awk '{ print $6 }')" ||
    fail "libhygrian1: the library is not in /usr/$package_libdir"
  # Manual pages are compressed.
  if find "$root/share/man" -type f ! -name '*.gz' | grep -q .; then
    fail "uncompressed manual page in the packages"
  fi
  # The Python module, where there is one, imports from the extracted tree and
  # carries its type stubs.
  if [ -n "${debs[python3-hygrian]:-}" ]; then
    PYTHONPATH=$root/lib/python3/dist-packages /usr/bin/python3 -c 'import hygrian' ||
      fail "python3-hygrian: the module does not import"
    echo "ok python3-hygrian imports"
    for file in py.typed __init__.pyi _ufuncs.pyi; do
      [ -f "$root/lib/python3/dist-packages/hygrian/$file" ] || fail "python3-hygrian: no $file"
    done
  fi
fi

exit $status
