#!/usr/bin/env bash
# Builds and runs the C and C++ examples of the documents given (README.md's
# indented code blocks, a manual page's .EX blocks) that include a hygrian
# header (in a manual page, those of EXAMPLES), against the built library: a fragment without main is wrapped in one,
# and an example that ends with comment lines ("// dew point 13.87, ...") must
# print exactly that one line.
# Usage: code_examples_test.sh INCLUDE_DIRS LIBRARY_DIR DOCUMENT...
#   INCLUDE_DIRS: colon-separated; LIBRARY_DIR: the folder of libhygrian.so.
set -euo pipefail
IFS=: read -r -a includes <<<"$1"
libdir=$2
shift 2
flags=()
for dir in "${includes[@]}"; do flags+=(-I"$dir"); done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
count=0

# The examples of a document, each into $work/example-N.txt.
extract() {
  case $1 in
    *.md)
      # A block runs to the first line that is neither indented nor blank.
      awk -v out="$work/example-" '
        /^    #include <hygrian\// && !inside { inside = 1; n++ }
        inside && !/^    / && !/^$/ { inside = 0 }
        inside { print substr($0, 5) > (out n ".txt") }' "$1" ;;
    *)
      # A manual page: the .EX blocks of EXAMPLES that open with a hygrian
      # header, the fonts and escapes undone.
      awk -v out="$work/example-" '
        /^\.SH / { examples = $0 == ".SH EXAMPLES" }
        /^\.EX$/ && examples { block = 1; first = 1; next }
        /^\.EE$/ { block = 0; inside = 0; next }
        block && first { first = 0; if ($0 ~ /^#include <hygrian\//) { inside = 1; n++ } }
        inside { print > (out n ".txt") }' "$1" |
        true
      for file in "$work"/example-*.txt; do
        [ -f "$file" ] || continue
        sed -i -e 's/\\e/\\/g' -e 's/\\-/-/g' -e "s/\\\\(aq/'/g" -e 's/\\(dq/"/g' \
          -e 's/\\f[BIRP]//g' -e 's/\\&//g' "$file"
      done ;;
  esac
}

for document in "$@"; do
  rm -f "$work"/example-*.txt
  extract "$document"
  for example in "$work"/example-*.txt; do
    [ -f "$example" ] || continue
    count=$((count + 1))
    sed -i -e :a -e '/^\n*$/{$d;N;ba' -e '}' "$example"  # no blank lines at the end
    name="$(basename "$document") $(basename "$example" .txt)"
    if grep -q 'hygrian::\|<cstdio>' "$example"; then
      source=$work/app.cpp compiler=(c++ -std=c++20) main='int main() {'
    else
      source=$work/app.c compiler=(cc -std=c11) main='int main(void) {'
    fi
    # The comment lines that end the example, one line of output.
    expected=$(tac "$example" | sed -n '/^ *\/\/ /!q; s|^ *// ||p' | tac | paste -sd ' ')
    if grep -q 'int main' "$example"; then
      cp "$example" "$source"
    else
      { grep '^#include' "$example"; echo "$main"; grep -v '^#include' "$example"; echo '}'; } \
        >"$source"
    fi
    if ! "${compiler[@]}" "${flags[@]}" "$source" -L"$libdir" -lhygrian -lm -o "$work/app" \
      2>"$work/err"; then
      echo "FAIL $name: does not build: $(cat "$work/err")" >&2
      status=1
      continue
    fi
    printed=$(LD_LIBRARY_PATH=$libdir "$work/app")
    if [ -n "$expected" ] && [ "$printed" != "$expected" ]; then
      echo "FAIL $name: prints '$printed', the document shows '$expected'" >&2
      status=1
      continue
    fi
    echo "ok $name"
  done
done
[ $count -gt 0 ] || { echo "FAIL: no example found" >&2; status=1; }
exit $status
