#!/usr/bin/env bash
# Brings the translation sources up to date with the texts in the code.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=$(command -v lupdate || echo /usr/lib/qt5/bin/lupdate)
dirs=(app lobby content game gui developers)
for code in cz de fr ru zh; do
  case $code in cz) lang=cs;; *) lang=$code;; esac
  "$LUPDATE" -silent -no-obsolete -locations none -target-language "$lang" "${dirs[@]}" -ts "resources/translations/quillmere_${code}.ts"
done
