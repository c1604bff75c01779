#!/usr/bin/env bash
# Checks that every archive the linker took code from into vantor.exe is
# covered by a row of the libraries' table, which ships its licence text (or
# says why none is needed):
#   packaging/windows/check-link-map.sh vantor.map packaging/windows/libraries.tsv
# Archives of the game's own build folder (relative paths in the map: its
# layers, libvantor_*.a) are under licences\VANTOR.txt.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 MAP TABLE" >&2; exit 2; }
map=$1 table=$2
# GNU ld lists them first: "Archive member included to satisfy reference by
# file (symbol)", then one "ARCHIVE(MEMBER)" line for each member taken.
archives=$(awk '/^Archive member included/ { on = 1; next } /^Discarded input sections/ { on = 0 }
    on && /^\/.*\.a\(/ { sub(/\(.*/, ""); print }' "$map" | sort -u)
[ -n "$archives" ] || { echo "FAILED: $map names no archive" >&2; exit 1; }
patterns=$(grep -v '^#' "$table" | awk 'NF && $5 != "-" && $5 !~ /^in:/ { print $5 }' | tr ',' '\n')
uncovered=0
while read -r archive; do
  name=${archive##*/}
  covered=0
  while read -r pattern; do
    # shellcheck disable=SC2053 # a shell pattern from the table
    [[ $name == $pattern ]] && covered=1 && break
  done <<<"$patterns"
  [ "$covered" = 1 ] || { echo "FAILED: no row of $table covers $archive" >&2; uncovered=1; }
done <<<"$archives"
[ "$uncovered" = 0 ] && echo "every archive in vantor.exe has its row: $(echo $archives | wc -w) archives"
