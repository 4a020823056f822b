#!/usr/bin/env bash
# Takes README's pictures of LibreOffice Calc at work with varizav: a sheet of
# varizav formulas with their results, and the Function Wizard on one of them.
#
#   docs/screenshots.sh [OXT] [OUT_DIR]
#
# OXT is the built extension (default build/calc-extension/varizav.oxt, made by
# make oxt); the pictures go to OUT_DIR (default docs/img). Calc runs with its
# GUI on a virtual X display (Xvfb) in a fresh profile with the extension
# installed, English user interface, UTC. Needs (Debian): xvfb, xdotool,
# x11-apps (xwd), imagemagick, libreoffice-calc with a GUI plug-in
# (libreoffice-gtk3), and setpriv (util-linux) when run as root, because
# unopkg refuses to run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
oxt=$(realpath "${1:-build/calc-extension/varizav.oxt}")
out=$(realpath -m "${2:-docs/img}")
display=:${VARIZAV_SHOT_DISPLAY:-77}
for tool in Xvfb xdotool xwd convert soffice unopkg; do
  command -v "$tool" >/dev/null || { echo "screenshots.sh needs $tool" >&2; exit 1; }
done
[ -f "$oxt" ] || { echo "no extension at $oxt: run make oxt" >&2; exit 1; }
mkdir -p "$out"

home=$(mktemp -d /tmp/varizav-shots-XXXXXX)
xvfb_pid='' office_pid=''
cleanup() {
  [ -n "$office_pid" ] && kill "$office_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

# A fresh profile: English UI, no tip of the day, and the build id that keeps
# the installed extension on the first start.
profile=$home/profile
mkdir -p "$profile/user/extensions" "$home/tmp"
grep '^buildid=' "$(dirname "$(realpath "$(command -v soffice)")")/versionrc" | cut -d= -f2 \
  > "$profile/user/extensions/buildid"
item() { printf '<item oor:path="%s"><prop oor:name="%s" oor:op="fuse"><value>%s</value></prop></item>\n' "$@"; }
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">'
  item /org.openoffice.Office.Linguistic/General UILocale en-US
  item /org.openoffice.Setup/L10N ooSetupSystemLocale en-US
  item /org.openoffice.Office.Common/Misc ShowTipOfTheDay false
  item /org.openoffice.Office.Common/Misc FirstRun false
  item /org.openoffice.Setup/Product LastTimeDonateShown 9999999999
  item /org.openoffice.Setup/Product LastTimeGetInvolvedShown 9999999999
  item /org.openoffice.Office.Calc/Formula/Load ODFRecalcMode 0
  echo '</oor:items>'
} > "$profile/user/registrymodifications.xcu"
cp "$oxt" "$home/varizav.oxt"

# The sheet: a question, the formula as Calc shows it, its result, and the
# date or time a serial date stands for.
row() {  # label, stored formula, optional format of the date column
  local shown=''
  [ -n "${3:-}" ] && shown="<table:table-cell table:formula=\"of:=TEXT([.C$n];&quot;$3&quot;)\"/>"
  printf '<table:table-row><table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' "$1"
  printf '<table:table-cell table:formula="of:=FORMULA([.C%d])"/>' "$n"
  printf '<table:table-cell table:formula="of:=ORG.VARIZAV.CALENDAR.%s"/>%s</table:table-row>\n' "$2" "$shown"
  n=$((n + 1))
}
n=2
{
  cat <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
 <style:style style:name="question" style:family="table-column"><style:table-column-properties style:column-width="2.1in"/></style:style>
 <style:style style:name="formula" style:family="table-column"><style:table-column-properties style:column-width="4.6in"/></style:style>
 <style:style style:name="result" style:family="table-column"><style:table-column-properties style:column-width="2.3in"/></style:style>
 <style:style style:name="shown" style:family="table-column"><style:table-column-properties style:column-width="1.5in"/></style:style>
 <style:style style:name="bold" style:family="table-cell"><style:text-properties fo:font-weight="bold"/></style:style>
</office:automatic-styles>
<office:body><office:spreadsheet><table:table table:name="varizav">
<table:table-column table:style-name="question"/><table:table-column table:style-name="formula"/>
<table:table-column table:style-name="result"/><table:table-column table:style-name="shown"/>
<table:table-row>
 <table:table-cell table:style-name="bold" office:value-type="string"><text:p>Question</text:p></table:table-cell>
 <table:table-cell table:style-name="bold" office:value-type="string"><text:p>Formula</text:p></table:table-cell>
 <table:table-cell table:style-name="bold" office:value-type="string"><text:p>Result</text:p></table:table-cell>
 <table:table-cell table:style-name="bold" office:value-type="string"><text:p>As a date</text:p></table:table-cell>
</table:table-row>
EOF
  row "Easter 2024" 'HOLIDAY(&quot;gregorian&quot;;&quot;Easter&quot;;&quot;2024&quot;)' YYYY-MM-DD
  row "When 15 Nisan 5784 begins" 'HEBREW(5784;&quot;Nisan&quot;;15)' 'YYYY-MM-DD HH:MM'
  row "31 March 2024 in Hebrew" 'CALENDAR(&quot;hebrew&quot;;45382;1)'
  row "... in Islamic" 'CALENDAR(&quot;islamic&quot;;45382;1)'
  row "... in Chinese" 'CALENDAR(&quot;chinese&quot;;45382;1)'
  row "... as a Mayan long count" 'CALENDAR(&quot;mayan&quot;;45382;1)'
  row "Chinese New Year 78-41" 'HOLIDAY(&quot;chinese&quot;;&quot;New Year&apos;s Day&quot;;&quot;78-41&quot;)' YYYY-MM-DD
  row "Next lunar eclipse" 'HOLIDAY2(&quot;astronomical&quot;;&quot;Lunar Eclipse&quot;;45292)' 'YYYY-MM-DD HH:MM'
  row "Full Moon on Friday the 13th" 'WHEN(&quot;astronomical&quot;;&quot;Full Moon&quot;;&quot;Friday&quot;;13;&quot;&quot;;45292)' 'YYYY-MM-DD HH:MM'
  row "Second Sunday in May" 'EVENT(2;&quot;Sunday&quot;;&quot;May&quot;;2024)' YYYY-MM-DD
  row "Hebrew leap year 5784?" 'LEAPYEAR(&quot;hebrew&quot;;&quot;5784&quot;)'
  row "Dominical letter of 2024" 'CHRONOLOGY(&quot;Dominical Letter&quot;;2024)'
  row "A day that does not exist" 'GREGORIAN(2001;&quot;February&quot;;32)'
  echo '</table:table></office:spreadsheet></office:body></office:document>'
} > "$home/varizav.fods"

env_office=(env -i PATH=/usr/bin:/bin HOME="$home" TMPDIR="$home/tmp" LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
  DISPLAY="$display" SAL_USE_VCLPLUGIN="${SAL_USE_VCLPLUGIN:-gtk3}" NO_AT_BRIDGE=1)
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody:nogroup "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${as_user[@]}" "${env_office[@]}" unopkg add -f -s "-env:UserInstallation=file://$profile" "$home/varizav.oxt"

Xvfb "$display" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 2
"${as_user[@]}" "${env_office[@]}" soffice --calc --norestore --nologo --nolockcheck \
  "-env:UserInstallation=file://$profile" "$home/varizav.fods" >/dev/null 2>&1 &
office_pid=$!

export DISPLAY=$display
window=$(timeout 120 xdotool search --sync --onlyvisible --name 'varizav.fods' | head -n 1)
xdotool windowmove "$window" 0 0 windowsize "$window" 1600 900
sleep 8  # the first recalculation and the redraw at the new size

shot() { xwd -root -silent | convert xwd:- -crop "$2" +repage "$out/$1"; }
shot calc-sheet.png 1120x430+0+0

# The Function Wizard on the lunar eclipse formula: C9 typed into the Name Box
# (a click gives Calc the focus; there is no window manager), then Ctrl+F2
# opens the wizard on the cell's function, with each argument's description.
xdotool mousemove 60 122 click 1
sleep 1
xdotool type --delay 50 C9
xdotool key Return
sleep 1
xdotool key ctrl+F2
xdotool mousemove 1590 890  # no tooltip in the picture
sleep 5
shot calc-function-wizard.png 1180x770+0+0
echo "wrote $out/calc-sheet.png and $out/calc-function-wizard.png"
