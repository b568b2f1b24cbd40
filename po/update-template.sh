#!/bin/sh
# Makes po/kelvo.pot, the template of every catalogue, from the texts marked
# in the sources po/POTFILES lists: the program's (_(), N_(), C_(), NC_(),
# TranslatedCount()), the desktop entry's and the AppStream data's.
#   po/update-template.sh [--check] [PROJECT_DIR]
# The template is rewritten only when an entry changed, not for its date
# alone.  --check writes nothing and fails when the template is not up to
# date with the sources.
set -eu
check=""
if [ "${1:-}" = "--check" ]; then
  check=yes
  shift
fi
cd "${1:-$(dirname "$0")/..}"
version=$(sed -n 's/^project(Kelvo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
new=$(mktemp)
trap 'rm -f "$new"' EXIT
sources=$(grep -v '^#' po/POTFILES | grep -v '^$')
program=$(echo "$sources" | grep -v '^dist/' || true)
desktop=$(echo "$sources" | grep '^dist/' || true)
# shellcheck disable=SC2086  # one source a word
xgettext --from-code=UTF-8 --language=C++ --add-comments=TRANSLATORS \
  --keyword=_ --keyword=N_ --keyword=C_:1c,2 --keyword=NC_:1c,2 \
  --keyword=TranslatedCount:1,2 --flag=FormattedText:1:c-format \
  --flag=_:1:pass-c-format --flag=C_:2:pass-c-format \
  --flag=TranslatedCount:1:pass-c-format --flag=TranslatedCount:2:pass-c-format \
  --package-name=Kelvo --package-version="$version" \
  --copyright-holder="the Kelvo authors" --msgid-bugs-address="kelvo@example.org" \
  -o "$new" $program
sed -i 's/charset=CHARSET/charset=UTF-8/' "$new"
# The desktop entry and the AppStream data, by their own rules (AppStream's
# come with the appstream package).
[ -z "$desktop" ] || xgettext --join-existing --add-comments=TRANSLATORS \
  --package-name=Kelvo --package-version="$version" \
  --copyright-holder="the Kelvo authors" --msgid-bugs-address="kelvo@example.org" \
  -o "$new" $desktop
sed -i '1s/.*/# The texts of Kelvo, the template of every language'"'"'s catalogue./' "$new"
# Everything but the date of making.
same() { diff -q -I '^"POT-Creation-Date:' "$1" "$2" >/dev/null 2>&1; }
# The entries alone, for --check: where each text stands in its source is
# left out, as xgettext versions count a desktop entry's lines differently.
entries() {
  msgcat --no-location --no-wrap --sort-output "$1" | awk 'BEGIN { RS = ""; ORS = "\n\n" } NR > 1'
}
if [ -n "$check" ]; then
  [ "$(entries "$new")" != "$(entries po/kelvo.pot)" ] || exit 0
  echo "po/kelvo.pot is not up to date with the sources; make it afresh with" >&2
  echo "  cmake --build build --target kelvo-pot   (or po/update-template.sh)" >&2
  entries po/kelvo.pot >"$new.was"
  entries "$new" >"$new.now"
  diff -u "$new.was" "$new.now" >&2 || true
  rm -f "$new.was" "$new.now"
  exit 1
fi
same "$new" po/kelvo.pot || cp "$new" po/kelvo.pot
