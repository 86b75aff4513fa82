#!/bin/sh
# hardening.sh EXECUTABLE...: fails unless each executable was built as a distribution builds
# its own: position-independent, read-only relocations bound at start, a stack protector, and
# checked string and memory functions (fortified) in at least one of them, since an executable
# whose copies all have sizes the compiler cannot know links no checked variant at all.
set -eu
fail() {
  echo "hardening: $*"
  exit 1
}
fortified=0
for exe in "$@"; do
  [ -f "$exe" ] || fail "no $exe"
  name=$(basename "$exe")
  readelf -h "$exe" | grep -q 'Type: *DYN' || fail "$name is not position-independent"
  readelf -lW "$exe" | grep -q GNU_RELRO || fail "$name has no read-only relocations (relro)"
  readelf -dW "$exe" | grep -Eq 'BIND_NOW|FLAGS.*\bNOW\b' || fail "$name is not bound at start (now)"
  symbols=$(readelf --dyn-syms -W "$exe")
  echo "$symbols" | grep -q '__stack_chk_fail' || fail "$name has no stack protector"
  if echo "$symbols" | grep -Eq '__[a-z0-9_]+_chk(@|$| )'; then fortified=$((fortified + 1)); fi
done
[ "$fortified" -gt 0 ] || fail "none of $* uses fortified functions"
