#!/usr/bin/env python3
"""Per-cell cost of the extension's components in headless LibreOffice Calc.

A flat spreadsheet of CELLS formulas (simple date conversions with a number
and a text argument, the stored names ORG.VARIZAV.CALENDAR.*) is converted to
csv in a fresh profile with each extension installed and in one without it;
the difference per cell is the cost of calling through the component.

  calc_cell_cost.py CELLS NAME=EXTENSION.oxt ...
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

CSV = "csv:Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,true"
# A date conversion with a number and a text argument; days vary per row.
FORMULA = 'of:=ORG.VARIZAV.CALENDAR.CALENDAR("gregorian";{day};1)'


def fods(cells):
    rows = "".join(
        '<table:table-row><table:table-cell table:formula="%s"/></table:table-row>\n'
        % FORMULA.format(day=30000 + i % 20000).replace('"', "&quot;")
        for i in range(cells)
    )
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
        'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
        'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2" '
        'office:mimetype="application/vnd.oasis.opendocument.spreadsheet">\n'
        '<office:body><office:spreadsheet><table:table table:name="Cells">\n'
        + rows
        + "</table:table></office:spreadsheet></office:body></office:document>\n"
    )


def profile(home, soffice):
    """A fresh profile: English UI, recalculation on load, the build id kept."""
    user = os.path.join(home, "profile", "user")
    os.makedirs(os.path.join(user, "extensions"))
    versionrc = os.path.join(os.path.dirname(os.path.realpath(soffice)), "versionrc")
    build_id = next(line[8:].strip() for line in open(versionrc) if line.startswith("buildid="))
    with open(os.path.join(user, "extensions", "buildid"), "w") as f:
        f.write(build_id)
    with open(os.path.join(user, "registrymodifications.xcu"), "w") as f:
        f.write(
            '<?xml version="1.0" encoding="UTF-8"?>\n<oor:items xmlns:oor="http://openoffice.org/2001/registry" '
            'xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">\n'
            '<item oor:path="/org.openoffice.Office.Linguistic/General"><prop oor:name="UILocale" oor:op="fuse">'
            "<value>en-US</value></prop></item>\n"
            '<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" '
            'oor:op="fuse"><value>0</value></prop></item>\n</oor:items>\n'
        )
    return os.path.join(home, "profile")


def as_nobody(argv):
    """unopkg refuses to run as root."""
    if os.geteuid() != 0:
        return argv
    return ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"] + argv


def convert_seconds(home, profile_dir, document, env):
    out = os.path.join(home, "out")
    start = time.monotonic()
    subprocess.run(
        ["soffice", "--headless", "--norestore", "--nolockcheck", "-env:UserInstallation=file://" + profile_dir,
         "--convert-to", CSV, "--outdir", out, document],
        env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seconds = time.monotonic() - start
    with open(os.path.join(out, "cells.csv"), encoding="utf-8") as f:
        first = f.readline().strip()
    return seconds, first


def measure(cells, oxt):
    soffice = shutil.which("soffice")
    home = tempfile.mkdtemp(prefix="varizav-cost-")
    try:
        env = {"PATH": os.environ["PATH"], "HOME": home, "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", "TZ": "UTC"}
        profile_dir = profile(home, soffice)
        document = os.path.join(home, "cells.fods")
        with open(document, "w", encoding="utf-8") as f:
            f.write(fods(cells))
        if oxt:
            shutil.copy(oxt, os.path.join(home, "varizav.oxt"))
            subprocess.run(["chown", "-R", "nobody:nogroup", home], check=os.geteuid() == 0)
            subprocess.run(as_nobody(["unopkg", "add", "-f", "-s", "-env:UserInstallation=file://" + profile_dir,
                                      os.path.join(home, "varizav.oxt")]), env=env, check=True)
        return convert_seconds(home, profile_dir, document, env)
    finally:
        shutil.rmtree(home, ignore_errors=True)


def main():
    cells = int(sys.argv[1])
    bare, shown = measure(cells, None)
    print("%-10s %8.2f s  first cell %s" % ("none", bare, shown))
    for argument in sys.argv[2:]:
        name, oxt = argument.split("=", 1)
        seconds, shown = measure(cells, oxt)
        print("%-10s %8.2f s  first cell %s  %.2f us per cell" % (name, seconds, shown,
                                                                  (seconds - bare) / cells * 1e6))


if __name__ == "__main__":
    main()
