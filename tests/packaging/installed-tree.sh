#!/bin/sh
# installed-tree.sh BUILD TREE BINDIR PKGDIR DATADIR MANDIR: installs BUILD under TREE (prefix
# /usr) and checks what the desktop and the game need there.
set -eu
build=$1 tree=$2 bindir=$3 pkgdir=$4 datadir=$5 mandir=$6
id=org.example.zeltoria
fail() {
  echo "installed tree: $*"
  exit 1
}
case $bindir in /*) ;; *) bindir=/usr/$bindir ;; esac
case $pkgdir in /*) ;; *) pkgdir=/usr/$pkgdir ;; esac
case $datadir in /*) ;; *) datadir=/usr/$datadir ;; esac
case $mandir in /*) ;; *) mandir=/usr/$mandir ;; esac

rm -rf "$tree"
DESTDIR=$tree cmake --install "$build" --prefix /usr >"$tree.log" 2>&1 || {
  cat "$tree.log"
  fail "cmake --install failed"
}

link=$tree$bindir/zeltoria
[ -L "$link" ] || fail "$bindir/zeltoria is not a link"
case $(readlink "$link") in /*) fail "$bindir/zeltoria is an absolute link" ;; esac
game=$(readlink -f "$link")
[ "$game" = "$(readlink -f "$tree$pkgdir/zeltoria")" ] || fail "$bindir/zeltoria leads to $game"
[ -x "$game" ] || fail "$pkgdir/zeltoria is not an executable"
[ -s "$(dirname "$game")/zelto.vx8" ] || fail "no zelto.vx8 beside $pkgdir/zeltoria"
[ -x "$tree/usr/bin/vx8tool" ] || fail "no /usr/bin/vx8tool"
for po in "$(dirname "$0")"/../../po/*.po; do
  code=$(basename "$po" .po)
  [ -s "$(dirname "$game")/$code/zelto.vx8" ] || fail "no $code/zelto.vx8 beside $pkgdir/zeltoria"
  [ -s "$tree$datadir/locale/$code/LC_MESSAGES/zeltoria.mo" ] || fail "no $code catalogue"
  grep -q "^Comment\[$code\]=" "$tree$datadir/applications/$id.desktop" ||
    fail "the desktop entry has no $code comment"
done

exec_line=$(sed -n 's/^Exec=//p' "$tree$datadir/applications/$id.desktop")
[ "$exec_line" = zeltoria ] || fail "the desktop entry starts \"$exec_line\""
[ -s "$tree$datadir/metainfo/$id.metainfo.xml" ] || fail "no metainfo"
for size in 16 24 32 48 64 128 256; do
  icon=$tree$datadir/icons/hicolor/${size}x$size/apps/$id.png
  [ -s "$icon" ] || fail "no icon of $size pixels"
  # The PNG header's width and height, big-endian at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')
  [ "$dims" = "${size}x$size" ] || fail "icon-$size is $dims"
done
for page in man6/zeltoria.6 man1/vx8tool.1; do
  [ -s "$tree$mandir/$page" ] || fail "no $mandir/$page"
  grep -q '@' "$tree$mandir/$page" && fail "$page has an unfilled @VALUE@"
done
echo "installed tree: fine"
