#!/bin/sh
# The check a translator and CI both run: po/kelvo.pot is up to date with
# the sources (and every source with a marked text is in po/POTFILES), and
# every language of po/LINGUAS is complete: each entry of the template
# translated, none fuzzy, none left over, and msgfmt's checks of formats,
# plural forms, header and menu accelerators clean.
#   tests/translations_check.sh [PROJECT_DIR]
set -eu
cd "${1:-$(dirname "$0")/..}"
status=0
fail() {
  echo "$*" >&2
  status=1
}

# (translation.h defines the marks, and shows them in its comments.)
for file in $(grep -rlE '\b(_|N_|C_|NC_|TranslatedCount)\("' \
  --include='*.cpp' --include='*.h' app game screen certificate sound res platform |
  grep -v '^platform/language/translation\.h$'); do
  grep -qx "$file" po/POTFILES || fail "$file has texts marked for translation but is not in po/POTFILES"
done
sh po/update-template.sh --check . || status=1

for language in $(grep -v '^#' po/LINGUAS); do
  po="po/$language.po"
  if ! statistics=$(LC_ALL=C msgfmt --check --check-accelerators='&' --statistics -o /dev/null "$po" 2>&1); then
    fail "$po: $statistics"
    continue
  fi
  case "$statistics" in
    *fuzzy* | *untranslated*) fail "$po is not complete: $statistics" ;;
  esac
  # Every entry of the template is there, and nothing the template lacks.
  msgcmp "$po" po/kelvo.pot 2>/dev/null ||
    fail "$po lacks entries of the template: msgmerge --update $po po/kelvo.pot, then translate them"
  msgcmp --use-untranslated po/kelvo.pot "$po" 2>/dev/null ||
    fail "$po has entries the template no longer has: msgmerge --update $po po/kelvo.pot"
  echo "$language: $statistics"
done
exit $status
