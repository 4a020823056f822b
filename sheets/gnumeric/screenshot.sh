#!/bin/sh
# The README's picture of Gnumeric with varizav formulas: Gnumeric on a
# virtual screen (Xvfb) with the plugin under a private HOME, captured with
# ImageMagick's import (apt-get install xvfb x11-apps imagemagick).
#   screenshot.sh PLUGIN_DIR OUT.png
set -eu
plugin=$(cd "$1" && pwd)
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(ssconvert --version | sed -n "s/.*version '\([0-9.]*\)'.*/\1/p")
mkdir -p "$work/home/.gnumeric/$version/plugins"
cp -r "$plugin" "$work/home/.gnumeric/$version/plugins/varizav"

# Each formula twice: as text in column A, computed in column B.
row=1
cells=''
for formula in '=GREGORIAN(2024,"March",31)' '=CALENDAR("hebrew",45405,1)' '=CALENDAR("chinese",45332,1)' \
    '=HOLIDAY("julian","Easter","2025")' '=HOLIDAY2("astronomical","Lunar Eclipse",45292)' \
    '=WHEN("gregorian","","Friday",13,"",45292)' '=CHRONOLOGY("dominical letter",2024)' \
    '=GREGORIAN(2001,"February",32)'; do
  escaped=$(printf '%s' "$formula" | sed 's/&/\&amp;/g; s/</\&lt;/g')
  cells="$cells<gnm:Cell Row=\"$row\" Col=\"0\" ValueType=\"60\">$escaped</gnm:Cell>
<gnm:Cell Row=\"$row\" Col=\"1\">$escaped</gnm:Cell>
"
  row=$((row + 1))
done
cat > "$work/demo.gnumeric" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">
<gnm:SheetNameIndex><gnm:SheetName>varizav</gnm:SheetName></gnm:SheetNameIndex>
<gnm:Sheets><gnm:Sheet>
<gnm:Name>varizav</gnm:Name>
<gnm:MaxCol>1</gnm:MaxCol><gnm:MaxRow>$((row - 1))</gnm:MaxRow>
<gnm:Cols DefaultSizePts="48"><gnm:ColInfo No="0" Unit="250"/><gnm:ColInfo No="1" Unit="250"/></gnm:Cols>
<gnm:Cells>
<gnm:Cell Row="0" Col="0" ValueType="60">Formula</gnm:Cell>
<gnm:Cell Row="0" Col="1" ValueType="60">Result</gnm:Cell>
$cells</gnm:Cells>
</gnm:Sheet></gnm:Sheets>
</gnm:Workbook>
XML
# Gnumeric needs a few seconds to start and compute on a virtual screen.
HOME=$work/home LC_ALL=C.UTF-8 TZ=UTC xvfb-run -a -s "-screen 0 900x520x24" sh -c \
  "gnumeric --geometry=900x520+0+0 '$work/demo.gnumeric' >/dev/null 2>&1 & sleep 12; import -window root '$work/shot.png'; kill \$! 2>/dev/null || true"
cp "$work/shot.png" "$out"
echo "$out"
