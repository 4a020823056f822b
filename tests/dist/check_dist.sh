#!/bin/sh
# Looks inside the release files of make dist: each holds what README says,
# the licence included; the Linux libraries need no C++ runtime of the
# system; the host tool of the tar.gz and of the Debian package runs from
# where it is unpacked. As root with LibreOffice installed, the Debian package
# is installed, gives Calc the functions in an existing and in a new profile,
# and is purged again. Prints each file's size.
#   check_dist.sh DIST_DIR
set -eu
dist=$(cd "$1" && pwd)
version=$(sed -n '/^project/s/.*VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
work=$(mktemp -d)
installed=
cleanup() {
  [ -z "$installed" ] || dpkg --purge varizav > /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
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
if grep -q "^$top/lib/libreoffice" "$work/tgz.list"; then fail "the tar.gz holds LibreOffice's bundled extension"; fi
tar -xzf "$tgz" -C "$work"
no_cxx_runtime "$work/$top/lib/libvarizav.so"
# independent: 31 March 2024 is serial day 45382 (days since 1899-12-30)
[ "$("$work/$top/bin/varizav" --lang en call SC_gregorian 2024 March 31 | cut -f 1)" = 45382 ] ||
  fail "the tar.gz's tool does not run"

gnumeric_plugin() {  # LISTING PREFIX: the Gnumeric plugin folder is in the listing
  folder=$(grep -x -- "$2lib/gnumeric/[0-9.]*/plugins/varizav" "$1" | head -n 1)
  [ -n "$folder" ] || { fail "$(basename "$1" .list) lacks the Gnumeric plugin"; return; }
  has "$1" "$folder/plugin.xml" "$folder/varizav_plugin.py" "$folder/varizav_registry.py" "$folder/libvarizav.so"
}
gnumeric_plugin "$work/tgz.list" "$top/"
[ -f "$dist/varizav-$version-google-sheets.gs" ] || fail "no varizav-$version-google-sheets.gs"
python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' \
  "$dist/varizav-$version-excel-addin.zip" > "$work/excel.list"
has "$work/excel.list" excel/manifest.xml excel/functions.json excel/functions.js excel/functions.html excel/varizav.wasm

deb=$dist/varizav_${version}_amd64.deb
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||; s|/$||' > "$work/deb.list"
has "$work/deb.list" usr/lib/libvarizav.so usr/include/varizav/addin.h usr/bin/varizav \
  usr/libexec/varizav/varizav usr/share/man/man1/varizav.1.gz usr/share/doc/varizav/copyright
bundled=usr/lib/libreoffice/share/extensions/varizav
has "$work/deb.list" $bundled/META-INF/manifest.xml $bundled/description.xml $bundled/XCalendar.rdb \
  $bundled/varizav.components $bundled/libvarizav_calc.so $bundled/libvarizav.so
gnumeric_plugin "$work/deb.list" usr/
dpkg-deb -x "$deb" "$work/deb"
[ "$("$work/deb/usr/bin/varizav" --lang en call SC_gregorian 2024 March 31 | cut -f 1)" = 45382 ] ||
  fail "the Debian package's tool does not run"
# Python, SQLite and PostgreSQL: the wheel, and the extensions in both archives.
pg_lib=$(pg_config --pkglibdir | sed 's|^/usr/||')
pg_share=$(pg_config --sharedir | sed 's|^/usr/||')
for package in tgz:$top/ deb:usr/; do
  has "$work/${package%%:*}.list" "${package#*:}lib/varizav/varizav_sqlite.so" \
    "${package#*:}lib/python3/dist-packages/varizav/__init__.py" "${package#*:}lib/python3/dist-packages/varizav/_varizav.so" \
    "${package#*:}lib/python3/dist-packages/varizav/_texts.so" \
    "${package#*:}$pg_lib/varizav.so" "${package#*:}$pg_share/extension/varizav.control" \
    "${package#*:}$pg_share/extension/varizav--$version.sql" "${package#*:}include/varizav/columns.h"
done
[ -f "$dist/varizav-$version-py3-none-linux_x86_64.whl" ] || fail "dist/ lacks the Python wheel"
no_cxx_runtime "$work/deb/usr/lib/varizav/varizav_sqlite.so"
[ "$(PYTHONPATH=$work/deb/usr/lib/python3/dist-packages /usr/bin/python3 -c \
  'import varizav; print(varizav.gregorian(2024, "March", 31), varizav._texts is not None)')" = "45382.0 True" ] ||
  fail "the Debian package's Python module does not run"
[ "$(readlink -f "$work/deb/$bundled/libvarizav.so")" = "$work/deb/usr/lib/libvarizav.so" ] ||
  fail "the bundled extension's libvarizav.so is not the package's library"

# calc_cell PROFILE_HOME: the cell of a one-formula spreadsheet as headless
# Calc shows it, in the default profile of a user whose home is PROFILE_HOME.
cat > "$work/sheet.fods" <<'FODS'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet><table:table table:name="T"><table:table-row>
<table:table-cell table:formula="of:=ORG.VARIZAV.CALENDAR.GREGORIAN(2024;&quot;March&quot;;31)"/>
</table:table-row></table:table></office:spreadsheet></office:body></office:document>
FODS
calc_cell() {
  rm -rf "$work/out"
  HOME=$1 LC_ALL=C.UTF-8 soffice --headless --norestore --convert-to csv --outdir "$work/out" "$work/sheet.fods" \
    > /dev/null 2>&1 || true
  cat "$work/out/sheet.csv" 2> /dev/null || echo "(no result)"
}
if [ "$(id -u)" -ne 0 ] || ! command -v soffice > /dev/null; then
  echo "SKIPPED: the Debian package in Calc (needs root and LibreOffice Calc)"
elif dpkg -s varizav > /dev/null 2>&1; then
  echo "SKIPPED: the Debian package in Calc (a varizav package is installed on this machine already)"
else
  # A profile that exists before the package, and one made after it.
  mkdir -p "$work/home-before" "$work/home-after"
  HOME=$work/home-before soffice --headless --terminate_after_init > /dev/null 2>&1 || fail "soffice did not start"
  installed=yes
  dpkg -i "$deb" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i of the Debian package failed"; }
  # independent: 31 March 2024 is serial day 45382 (days since 1899-12-30)
  for home in home-before home-after; do
    cell=$(calc_cell "$work/$home")
    [ "$cell" = 45382 ] || fail "with the Debian package installed, Calc in a $home profile shows $cell"
  done
  dpkg --purge varizav > /dev/null
  installed=
  [ ! -e /$bundled ] || fail "dpkg --purge leaves /$bundled"
  cell=$(calc_cell "$work/home-before")
  [ "$cell" = "#NAME?" ] || fail "with the Debian package purged, Calc shows $cell"
fi

ls -l "$oxt" "$zip" "$tgz" "$deb" | awk '{printf "%10d  %s\n", $5, $NF}'
if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "release files: complete"
