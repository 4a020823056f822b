#!/bin/sh
# Looks inside the release files of make dist: each holds what README says,
# the licence included; the Linux libraries need no C++ runtime of the
# system; the host tool of the tar.gz and of the Debian package runs from
# where it is unpacked. Prints each file's size.
#   check_dist.sh DIST_DIR
set -eu
dist=$(cd "$1" && pwd)
version=$(sed -n '/^project/s/.*VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# has LISTING NAME...: every NAME is a line of the listing (a path).
has() {
  listing=$1
  shift
  for name in "$@"; do
    grep -qx -- "$name" "$listing" || fail "$(basename "$listing" .list) lacks $name"
  done
}

# No libstdc++ or libgcc_s among a Linux library's needed libraries.
no_cxx_runtime() {
  if objdump -p "$1" | grep NEEDED | grep -q -e libstdc++ -e libgcc_s; then
    fail "$(basename "$1") needs the system's C++ runtime"
  fi
}

oxt=$dist/varizav-$version.oxt
python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$oxt" > "$work/oxt.list"
has "$work/oxt.list" META-INF/manifest.xml description.xml description-en.txt description-de.txt LICENSE \
  XCalendar.rdb varizav.components libvarizav_calc.so libvarizav.so varizav-python.components varizav_calc.py \
  pythonpath/varizav_functions.py varizav.dll
mkdir "$work/oxt" && (cd "$work/oxt" && python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall()' "$oxt")
grep -q 'platform=Linux_x86_64' "$work/oxt/META-INF/manifest.xml" || fail "the manifest lacks Linux_x86_64"
grep -q 'platform=Windows_x86_64' "$work/oxt/META-INF/manifest.xml" || fail "the manifest lacks Windows_x86_64"
grep -q '<platform value="linux_x86_64,windows_x86_64"/>' "$work/oxt/description.xml" ||
  fail "description.xml does not list both platforms"
grep -q "<version value=\"$version\"/>" "$work/oxt/description.xml" || fail "description.xml has another version"
no_cxx_runtime "$work/oxt/libvarizav.so"
no_cxx_runtime "$work/oxt/libvarizav_calc.so"

zip=$dist/varizav-$version-windows-x86_64.zip
python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip" > "$work/zip.list"
top=varizav-$version-windows-x86_64
has "$work/zip.list" "$top/varizav.dll" "$top/varizav.exe" "$top/README.md" "$top/LICENSE"

tgz=$dist/varizav-$version-linux-x86_64.tar.gz
tar -tzf "$tgz" | sed 's|/$||' > "$work/tgz.list"
top=varizav-$version-linux-x86_64
has "$work/tgz.list" "$top/lib/libvarizav.so" "$top/include/varizav/addin.h" "$top/bin/varizav" \
  "$top/libexec/varizav/varizav" "$top/libexec/varizav/libvarizav.so" "$top/share/doc/varizav/copyright"
tar -xzf "$tgz" -C "$work"
no_cxx_runtime "$work/$top/lib/libvarizav.so"
# independent: 31 March 2024 is serial day 45382 (days since 1899-12-30)
[ "$("$work/$top/bin/varizav" --lang en call SC_gregorian 2024 March 31 | cut -f 1)" = 45382 ] ||
  fail "the tar.gz's tool does not run"

deb=$dist/varizav_${version}_amd64.deb
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||; s|/$||' > "$work/deb.list"
has "$work/deb.list" usr/lib/libvarizav.so usr/include/varizav/addin.h usr/bin/varizav \
  usr/libexec/varizav/varizav usr/share/man/man1/varizav.1.gz usr/share/doc/varizav/copyright
dpkg-deb -x "$deb" "$work/deb"
[ "$("$work/deb/usr/bin/varizav" --lang en call SC_gregorian 2024 March 31 | cut -f 1)" = 45382 ] ||
  fail "the Debian package's tool does not run"

ls -l "$oxt" "$zip" "$tgz" "$deb" | awk '{printf "%10d  %s\n", $5, $NF}'
if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "release files: complete"
