#!/bin/sh
# The Windows host tool and varizav.dll under Wine against the Linux build:
# every call of the showcase and of the Calc test corpus, in
# English and German, must give the same bytes. Also checks that the DLL and
# the tool need only system DLLs and that the DLL exports exactly the names of
# exports.map.
#   batch_test.sh LINUX_TOOL WINDOWS_BUILD_DIR
set -eu
linux_tool=$1
windows_build=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
run=$here/cmake/wine-run.sh
work=$windows_build/batch-test
mkdir -p "$work"
export WINEPREFIX=${WINEPREFIX:-$windows_build/wineprefix}
dll=$windows_build/tools/varizav/varizav.dll
exe=$windows_build/tools/varizav/varizav.exe
failures=0

# Only Windows system DLLs may be imported.
for file in "$dll" "$exe"; do
  imports=$(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\tDLL Name: //p' | sort -u | tr '\n' ' ')
  for name in $imports; do
    case $(echo "$name" | tr 'A-Z' 'a-z') in
      kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll|ws2_32.dll|api-ms-win-*) ;;
      *) echo "FAIL: $(basename "$file") imports $name"; failures=$((failures + 1)) ;;
    esac
  done
  echo "$(basename "$file") imports: $imports"
done

# The export table: exports.map's names, undecorated, nothing else.
sed -n 's/^ *\([A-Za-z_][A-Za-z0-9_]*\);$/\1/p' "$here/src/host/exports.map" | sort > "$work/exports.want"
x86_64-w64-mingw32-objdump -p "$dll" |
  awk '/^\[Ordinal\/Name Pointer\] Table/ {t = 1; next} t && /^\t\[/ {print $NF; next} t && !/^\t\[/ {t = 0}' |
  sort > "$work/exports.got"
if cmp -s "$work/exports.want" "$work/exports.got"; then
  echo "exports: $(wc -l < "$work/exports.got") names as in exports.map"
else
  echo "FAIL: exports differ from exports.map"; diff "$work/exports.want" "$work/exports.got" || true
  failures=$((failures + 1))
fi

# One corpus in one language through both builds. Both run with the plain
# C conventions, so texts are Windows-1252 bytes on both sides (code page 1252).
compare() {
  name=$1 lang=$2 input=$3
  # The exit status (1 when a call is refused) is part of the result.
  linux_status=0 windows_status=0
  env -i PATH="$PATH" "$linux_tool" --lang "$lang" batch --echo < "$input" > "$work/$name.linux" 2>&1 ||
    linux_status=$?
  env -i PATH="$PATH" HOME="$work" WINEPREFIX="$WINEPREFIX" WINEDEBUG=-all \
    "$run" "$exe" --lang "$lang" batch --echo < "$input" > "$work/$name.windows" 2>&1 || windows_status=$?
  calls=$(grep -c -- '->' "$work/$name.linux" || true)
  if cmp -s "$work/$name.linux" "$work/$name.windows" && [ "$linux_status" = "$windows_status" ]; then
    echo "same bytes: $name ($calls calls)"
  else
    echo "FAIL: $name differs (exit status $linux_status on Linux, $windows_status on Windows)"; diff "$work/$name.linux" "$work/$name.windows" | head -20
    failures=$((failures + 1))
  fi
}
grep -v '^#' "$here/tests/host/libreoffice/calls.tsv" | awk -F '\t' '$1 == "en" || $1 == "*"' | cut -f 2- > "$work/calls-en.tsv"
grep -v '^#' "$here/tests/host/libreoffice/calls.tsv" | awk -F '\t' '$1 == "de" || $1 == "*"' | cut -f 2- > "$work/calls-de.tsv"
compare showcase-en en "$here/examples/showcase.tsv"
compare showcase-de de "$here/examples/showcase.tsv"
compare calls-en en "$work/calls-en.tsv"
compare calls-de de "$work/calls-de.tsv"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "Windows build: same results as the Linux build"
