#!/bin/sh
# catalogues.sh SOURCE_DIR: every catalogue named in LINGUAS is there, valid and complete (no
# fuzzy or untranslated entry, every message of the template), and the template holds exactly
# what the sources say now.
set -eu
src=$1
po=$src/po
fail=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$src/tools/catalogues/extract.sh" "$src" "$work/fresh.pot"
msgcat --no-location --sort-output "$po/zeltoria.pot" >"$work/committed"
msgcat --no-location --sort-output "$work/fresh.pot" >"$work/extracted"
if ! diff -u "$work/committed" "$work/extracted"; then
  echo "po/zeltoria.pot is not what the sources say: run 'make pot' and translate what changed"
  fail=1
fi

# A note to translators is lost when its text does not start on the line below it.
written=$(cd "$src" && grep -r "TRANSLATORS:" app about game platform controls language tools/artbuilder | wc -l)
kept=$(grep -c "^#\. TRANSLATORS:" "$work/fresh.pot")
[ "$written" = "$kept" ] || { echo "$written notes to translators in the sources, $kept reach them"; fail=1; }

languages=$(grep -E '^[a-zA-Z_]+$' "$po/LINGUAS")
for file in "$po"/*.po; do
  code=$(basename "$file" .po)
  echo "$languages" | grep -qx "$code" || { echo "$code.po is not in LINGUAS"; fail=1; }
done
for code in $languages; do
  file=$po/$code.po
  [ -f "$file" ] || { echo "LINGUAS names $code, which has no catalogue"; fail=1; continue; }
  stats=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$file" 2>&1) || {
    echo "$stats"
    fail=1
    continue
  }
  case $stats in
    *fuzzy* | *untranslated* | *warning*) echo "$code: $stats"; fail=1 ;;
    *) echo "$code: $stats" ;;
  esac
  msgcmp "$file" "$po/zeltoria.pot" || { echo "$code lacks messages of the template"; fail=1; }
  if grep -q '^#~' "$file"; then
    echo "$code keeps messages the game no longer has"
    fail=1
  fi
done
exit $fail
