#!/usr/bin/env bash
# The release check must look at every function an executable imports. For each import, as
# objdump reads the import table (apart from the check's own reader), a list of allowed imports
# without that one function must make the check fail and name it: an import that Windows XP lacks
# cannot slip through wherever it stands in its DLL's table.
# Usage: every_import_checked_test.sh RELEASE_CHECK OBJDUMP ALLOWED_LIST EXECUTABLE
set -euo pipefail
check=$1 objdump=$2 allowed=$3 executable=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "DLL!function" for every import, one a line.
"$objdump" -p "$executable" | awk '
  /^\tDLL Name: / { dll = $3; next }
  /^\tvma:/ { next }
  dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print dll "!" $3; next }
  NF == 0 { dll = "" }' >"$work/imports"
count=$(wc -l <"$work/imports")
[ "$count" -gt 0 ] || { echo "objdump found no imports in $executable" >&2; exit 1; }

missed=0
while read -r import; do
  awk -v import="$import" '{ entry = $1; sub(/#.*/, "", entry) } tolower(entry) != tolower(import)' \
    "$allowed" >"$work/list"
  if "$check" "$work/list" "$executable" >"$work/report" 2>&1; then
    echo "the check passed $executable with $import missing from the list" >&2
    missed=$((missed + 1))
  elif ! grep -qiF "imports $import, which is not on the list" "$work/report"; then
    echo "the check failed without naming $import:" >&2
    cat "$work/report" >&2
    missed=$((missed + 1))
  fi
done <"$work/imports"
[ "$missed" -eq 0 ] || exit 1
echo "each of the $count imports of $(basename "$executable") is checked against the list"
