#!/usr/bin/env bash
# Writes README's appendix of names from the library's own tables:
#   docs/readme_names.sh TOOL README          replaces the appendix in README
#   docs/readme_names.sh TOOL README --check  fails when README's appendix is out of date
# TOOL is the built host tool (build/tools/varizav/varizav); the appendix is
# what `varizav names --markdown` prints, between the two marker lines.
set -euo pipefail
tool=$1 readme=$2 mode=${3:-write}
begin='<!-- names: written by make readme from the library'"'"'s tables; do not edit by hand -->'
end='<!-- end of names -->'

grep -qxF "$begin" "$readme" && grep -qxF "$end" "$readme" || { echo "$readme lacks the marker lines of the names appendix" >&2; exit 1; }
appendix=$(mktemp) updated=$(mktemp)
trap 'rm -f "$appendix" "$updated"' EXIT
LC_ALL=C.UTF-8 "$tool" --lang en names --markdown > "$appendix"
awk -v begin="$begin" -v end="$end" -v appendix="$appendix" '
  $0 == begin { print; print ""; while ((getline line < appendix) > 0) print line; skipping = 1; next }
  $0 == end { skipping = 0 }
  !skipping { print }' "$readme" > "$updated"

if [ "$mode" = --check ]; then
  diff -u "$readme" "$updated" >&2 || { echo "README's names appendix is out of date: run make readme" >&2; exit 1; }
else
  cp "$updated" "$readme"
fi
