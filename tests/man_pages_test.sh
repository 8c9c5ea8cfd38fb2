#!/usr/bin/env bash
# Checks each manual page given: groff reads it without a single warning, man
# renders it, and its title line carries the project version.
# Usage: man_pages_test.sh VERSION PAGE...
set -euo pipefail
version=$1
shift
status=0
fail() {
  echo "FAIL $page: $*" >&2
  status=1
  page_ok=0
}
for page in "$@"; do
  page_ok=1
  warnings=$(groff -man -ww -z "$page" 2>&1) || fail "groff exited with $?"
  [ -z "$warnings" ] || fail "groff warns: $warnings"
  rendered=$(MANWIDTH=80 MAN_KEEP_FORMATTING= man --warnings -l "$page" 2>&1) || fail "man -l failed"
  case $rendered in
    *warning*) fail "man warns: $(grep warning <<<"$rendered")" ;;
  esac
  case $page in
    *.3) sections=(NAME SYNOPSIS DESCRIPTION "RETURN VALUE" EXAMPLES "SEE ALSO") ;;
    *) sections=(NAME SYNOPSIS DESCRIPTION "EXIT STATUS" EXAMPLES "SEE ALSO") ;;
  esac
  for section in "${sections[@]}"; do
    grep -q "^$section\$" <<<"$rendered" || fail "no $section section"
  done
  title=$(grep -m1 '^\.TH ' "$page")
  case $title in
    *"$version"*) ;;
    *) fail "title line does not name version $version: $title" ;;
  esac
  [ $page_ok -eq 0 ] || echo "ok $page"
done
exit $status
