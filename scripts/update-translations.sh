#!/usr/bin/env bash
# Refreshes the translation sources from the code (run after changing texts).
#   scripts/update-translations.sh             refreshes resources/translations/*.ts
#   scripts/update-translations.sh --into DIR  refreshes copies of them made in
#                                              DIR instead, leaving the sources
#                                              as they are (the tests compare)
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt5/bin/lupdate)
translations=resources/translations
if [[ "${1:-}" == "--into" ]]; then
  into=${2:?--into needs a folder}
  mkdir -p "$into"
  cp "$translations/Translation_QEN_en.ts" "$translations/Translation_QEN_fr.ts" "$into/"
  translations=$into
fi
"$lupdate" -no-obsolete -locations none launcher update upgrader \
  -ts "$translations/Translation_QEN_en.ts" "$translations/Translation_QEN_fr.ts"
