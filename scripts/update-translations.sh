#!/usr/bin/env bash
# Refreshes the translation sources from the code (run after changing texts).
#   scripts/update-translations.sh             refreshes resources/translations/*.ts
#   scripts/update-translations.sh --into DIR  refreshes copies of them made in
#                                              DIR instead, leaving the sources
#                                              as they are (the tests compare)
# LUPDATE names the lupdate to run (the tests pass their build's); otherwise
# the one on PATH, else Qt 6's, else Qt 5's.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-}
if [[ -z "$lupdate" ]]; then
  for candidate in "$(command -v lupdate || true)" /usr/lib/qt6/bin/lupdate /usr/lib/qt5/bin/lupdate; do
    if [[ -n "$candidate" && -x "$candidate" ]]; then
      lupdate=$candidate
      break
    fi
  done
fi
[[ -n "$lupdate" ]] || { echo "update-translations.sh: no lupdate found (set LUPDATE)" >&2; exit 1; }
translations=resources/translations
if [[ "${1:-}" == "--into" ]]; then
  into=${2:?--into needs a folder}
  mkdir -p "$into"
  cp "$translations/Translation_QEN_en.ts" "$translations/Translation_QEN_fr.ts" "$into/"
  translations=$into
fi
"$lupdate" -no-obsolete -locations none launcher update upgrader \
  -ts "$translations/Translation_QEN_en.ts" "$translations/Translation_QEN_fr.ts"
