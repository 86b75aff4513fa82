#!/bin/sh
# Writes the translators' template: every text of the game, its page, its desktop entry and its
# metainfo, in one catalogue. Usage: extract.sh SOURCE_DIR OUTPUT.pot
set -eu
src=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$src"

# The program's texts: Tr(english), TrN(singular, plural) and N_(english) where a text is named
# before it is said. Files listed in a fixed order so that the template is the same on every run.
find app about game platform controls language tools/artbuilder \
  \( -name '*.cpp' -o -name '*.h' \) -print | LC_ALL=C sort >"$work/cpp"
xgettext --from-code=UTF-8 -L C++ --keyword= --keyword=Tr --keyword=TrN:1,2 --keyword=N_ \
  --add-comments=TRANSLATORS: --package-name=zeltoria --msgid-bugs-address=https://zeltoria.example.org/ \
  -f "$work/cpp" -o "$work/program.pot"
xgettext --from-code=UTF-8 -L JavaScript --keyword= --keyword=tr --add-comments=TRANSLATORS: \
  -o "$work/page.pot" app/web/page.js
xgettext -L Desktop --keyword= --keyword=GenericName --keyword=Comment --keyword=Keywords \
  -o "$work/desktop.pot" data/org.example.zeltoria.desktop
xgettext --its=/usr/share/gettext/its/metainfo.its -o "$work/metainfo.pot" \
  data/org.example.zeltoria.metainfo.xml
# The page's web app manifest says what the page does in the desktop entry's words.

msgcat --use-first "$work/program.pot" "$work/page.pot" "$work/desktop.pot" "$work/metainfo.pot" |
  sed -e 's/^"Content-Type: text\/plain; charset=CHARSET\\n"/"Content-Type: text\/plain; charset=UTF-8\\n"/' \
      -e '/^"POT-Creation-Date:/d' >"$out"
