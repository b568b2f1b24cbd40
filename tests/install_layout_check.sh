#!/bin/sh
# Installs the built game into a throw-away root and checks what a desktop
# needs: the binary, a valid desktop entry, valid AppStream data, the icon at
# every size, the man page; that the installed binary answers --version; and
# that each language of po/LINGUAS is installed where the installed game finds
# it, and in the desktop entry and the AppStream data.
set -eu
build="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null
test -x "$root/usr/games/kelvo"
"$root/usr/games/kelvo" --version | grep -q "Kelvo 1.0.0.1 (D608)"
gzip -dc "$root/usr/share/man/man6/kelvo.6.gz" | grep -q "Kelvo 1.0.0.1"
grep -q "release version=\"1.0.0.1\"" "$root/usr/share/metainfo/io.github.kelvo.Kelvo.metainfo.xml"
desktop-file-validate "$root/usr/share/applications/io.github.kelvo.Kelvo.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/io.github.kelvo.Kelvo.metainfo.xml" >/dev/null || \
  appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.kelvo.Kelvo.metainfo.xml"
for size in 16 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/kelvo.png"
  test -s "$png"
  file "$png" | grep -q "$size x $size" || { echo "wrong size: $png" >&2; exit 1; }
done
test -s "$root/usr/share/icons/hicolor/scalable/apps/kelvo.svg"
gzip -dc "$root/usr/share/man/man6/kelvo.6.gz" | grep -q '^.SH NAME'
# LANGUAGE counts under a locale other than C and, with newer glibc (2.41),
# other than C.UTF-8: the build's copy of C.UTF-8 under a name of its own.
locale=C.UTF-8
if [ -d "$build/test-locale/kelvo_TEST.UTF-8" ]; then
  locale=kelvo_TEST.UTF-8
  export LOCPATH="$build/test-locale"
fi
english=$(LANGUAGE= LC_ALL=$locale "$root/usr/games/kelvo" --help)
for language in $(grep -v '^#' "$(dirname "$0")/../po/LINGUAS"); do
  test -s "$root/usr/share/locale/$language/LC_MESSAGES/kelvo.mo"
  [ "$(LANGUAGE=$language LC_ALL=$locale "$root/usr/games/kelvo" --help)" != "$english" ] ||
    { echo "the installed game speaks no $language" >&2; exit 1; }
  grep -q "^Comment\[$language\]=" "$root/usr/share/applications/io.github.kelvo.Kelvo.desktop"
  # (gettext 0.23 and later write the language as BCP 47 does: pt-BR.)
  grep -Eq "<summary xml:lang=\"($language|$(echo "$language" | tr _ -))\">" \
    "$root/usr/share/metainfo/io.github.kelvo.Kelvo.metainfo.xml"
done
echo "install layout fine"
