#!/usr/bin/env bash
# The two commands on a fresh machine: a minimal Debian 12 root (debootstrap
# --variant=minbase, with git and make and nothing else), this repository cloned
# into it, and in a chroot a scripted `make run` (the results block must appear,
# status 0), then `make test` (must pass). Prints each step's time.
#
#   tests/fresh_machine.sh [run|test]    run: only the make run half; test: both
#
# Needs root and debootstrap. The pristine root is made once and kept as a tarball
# in HYGRIAN_FRESH_CACHE (default /var/cache/hygrian-fresh) with the packages that
# apt downloads; each check unpacks it into a new temporary folder, which is
# removed at the end with everything mounted in it. The Debian mirror is the one
# this machine's apt uses, or HYGRIAN_FRESH_MIRROR.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
halves=${1:-test}
case $halves in run | test) ;; *)
  echo "usage: $0 [run|test]" >&2
  exit 2
  ;;
esac
cache=${HYGRIAN_FRESH_CACHE:-/var/cache/hygrian-fresh}
suite=bookworm
tarball=$cache/$suite-minbase.tar

[ "$(id -u)" -eq 0 ] || { echo "fresh-check: needs root (debootstrap, chroot, mount)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "fresh-check: needs debootstrap" >&2; exit 2; }

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
# step NAME START: prints how long the step took.
step() { printf 'fresh-check: %-11s %7s s\n' "$1" "$(seconds "$2")"; }

# The first Debian archive named in apt's sources (one-line or deb822 form).
mirror() {
  local files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
  { cat "${files[@]}" 2>/dev/null || true; } |
    sed -n -e 's#^URIs:[[:space:]]*\(https\{0,1\}://[^[:space:]]*/debian\)/\{0,1\}\([[:space:]].*\)\{0,1\}$#\1#p' \
      -e 's#^deb[[:space:]]\{1,\}\(\[[^]]*\][[:space:]]\{1,\}\)\{0,1\}\(https\{0,1\}://[^[:space:]]*/debian\)/\{0,1\}[[:space:]].*#\2#p' |
    head -n 1 || true
}

work=$(mktemp -d "${TMPDIR:-/tmp}/hygrian-fresh.XXXXXX")
root=$work/root
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
  done
  if findmnt -rn -o TARGET | grep -q "^$root/"; then
    echo "fresh-check: something is still mounted in $root; left in place" >&2
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
mount_in() {  # mount_in TARGET MOUNT-ARGUMENTS...
  local target=$root$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}

# The pristine root, made once: debootstrap, then apt's downloaded packages away.
mkdir -p "$cache/archives/partial"
if [ ! -f "$tarball" ]; then
  start=$(now)
  url=${HYGRIAN_FRESH_MIRROR:-$(mirror)}
  [ -n "$url" ] || { echo "fresh-check: no Debian mirror in apt's sources; set HYGRIAN_FRESH_MIRROR" >&2; exit 2; }
  debootstrap --variant=minbase --include=git,make "$suite" "$work/base" "$url" \
    >"$work/debootstrap.log" 2>&1 || { tail -n 30 "$work/debootstrap.log" >&2; exit 1; }
  rm -f "$work/base/var/cache/apt/archives/"*.deb
  tar -C "$work/base" -cf "$tarball.new" . && mv "$tarball.new" "$tarball"
  rm -rf --one-file-system "$work/base"
  step debootstrap "$start"
fi

start=$(now)
mkdir "$root"
tar -C "$root" -xf "$tarball"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_in /proc -t proc proc
mount_in /dev/pts -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts
mount_in /dev/shm -t tmpfs -o mode=1777 tmpfs
# apt's downloads are kept between checks; installing them is done afresh.
mount_in /var/cache/apt/archives --bind "$cache/archives"
git clone --quiet --no-hardlinks "$source_dir" "$root/root/hygrian"
step unpack "$start"

# in_root COMMAND [CHROOT-OPTION]: runs a shell command in the clone, in the
# chroot, with a plain environment and two build jobs; as root unless the option
# names another user.
in_root() {
  chroot ${2:+"$2"} "$root" /usr/bin/env -i HOME=/root TERM=dumb CMAKE_BUILD_PARALLEL_LEVEL=2 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c "cd /root/hygrian && $1"
}
# fail MESSAGE STEP: fails with the end of the step's standard error.
fail() {
  echo "fresh-check: FAIL: $1" >&2
  tail -n 40 "$work/$2.err" >&2
  exit 1
}

# A user who can neither install nor sudo is told what to install, and nothing
# is built.
chmod 755 "$root/root"
in_root "printf '1\n' | make run" --userspec=65534:65534 >"$work/user.out" 2>"$work/user.err" &&
  fail "make run as a user without root succeeded" user
grep -qx '  apt-get install g++ gcc cmake ninja-build libhwy-dev' "$work/user.err" ||
  fail "make run as a user without root does not name the packages to install" user
[ ! -s "$work/user.out" ] && [ ! -e "$root/root/hygrian/build" ] ||
  fail "make run as a user without root wrote to standard output or built" user

start=$(now)
in_root "printf '1\n25 20\n2\n' | make run" >"$work/run.out" 2>"$work/run.err" ||
  fail "make run exited with $?" run
step "make run" "$start"
# Standard output is the calculator's alone: the banner first, then the results
# of 25 C dry bulb and 20 C wet bulb at sea level, as README shows them.
[ "$(head -c 17 "$work/run.out")" = "$(printf 'PROGRAM HYGRIAN\r\n')" ] ||
  fail "make run's standard output does not begin with the banner" run
for line in 'THE RESULTS ARE:' 'DEW POINT TEMPERATURE:  17.56 DEGREES C' \
  'RELATIVE HUMIDITY: 63.48 PERCENT' 'Stop - Program terminated.'; do
  grep -qF "$line" "$work/run.out" || fail "no '$line' in make run's standard output" run
done

if [ "$halves" = test ]; then
  start=$(now)
  in_root "make test" >"$work/test.out" 2>"$work/test.err" || {
    tail -n 40 "$work/test.out" >&2
    fail "make test failed" test
  }
  step "make test" "$start"
  grep -E '^[0-9]+% tests passed' "$work/test.out" | sed 's/^/fresh-check: /'
fi

# With everything there, the dependency step is silent and quick.
start=$(now)
in_root "tools/install-dependencies $halves" >"$work/again.out" 2>"$work/again.err" ||
  fail "the dependency step failed with everything installed" again
[ ! -s "$work/again.out" ] && [ ! -s "$work/again.err" ] ||
  fail "the dependency step printed something with nothing missing" again
step "deps again" "$start"
