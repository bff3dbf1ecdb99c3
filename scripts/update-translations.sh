#!/usr/bin/env bash
# Refreshes the translation sources from the code (run after changing texts).
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt5/bin/lupdate)
"$lupdate" -no-obsolete -locations none launcher update upgrader \
  -ts resources/translations/Translation_QEN_en.ts resources/translations/Translation_QEN_fr.ts
