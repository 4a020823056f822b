#!/usr/bin/env python3
"""Per-cell cost of the extension's components in headless LibreOffice Calc.

Flat spreadsheets of CELLS and of CELLS/10 formulas (a date written as text
in the Gregorian calendar, the stored name ORG.VARIZAV.CALENDAR.CALENDAR) are
converted to csv in a fresh profile with each extension installed; the time
difference per added cell is the cost of one cell: Calc's own work (reading,
computing, writing the csv) plus the call through the component. The same
with a built-in function (WEEKDAY, in a profile without the extension) shows
Calc's own share.

Both the real time and the CPU time of the office process (all its threads,
user and system) are given: on a machine shared with other work the CPU time
is the steadier figure, as other processes stretch only the real time.

  calc_cell_cost.py CELLS NAME=EXTENSION.oxt ...
"""

import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

CSV = "csv:Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,true"
# A date conversion with a number and a text argument; days vary per row.
FORMULA = 'of:=ORG.VARIZAV.CALENDAR.CALENDAR("gregorian";{day};1)'
BUILT_IN = "of:=WEEKDAY({day})"


def fods(cells, formula=FORMULA):
    rows = "".join(
        '<table:table-row><table:table-cell table:formula="%s"/></table:table-row>\n'
        % formula.format(day=30000 + i % 20000).replace('"', "&quot;")
        for i in range(cells)
    )
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
        'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
        'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
        'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" '
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
            '<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse">'
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


def convert_seconds(work, profile_dir, document, csv_name):
    out = os.path.join(work, "out")
    env = environment(work)
    start = time.monotonic()
    cpu_start = _children_cpu_seconds()
    subprocess.run(
        ["soffice", "--headless", "--norestore", "--nolockcheck", "-env:UserInstallation=file://" + profile_dir,
         "--convert-to", CSV, "--outdir", out, document],
        env=env, check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    seconds = time.monotonic() - start
    cpu_seconds = _children_cpu_seconds() - cpu_start
    with open(os.path.join(out, csv_name), encoding="utf-8") as f:
        first = f.readline().strip()
    return seconds, cpu_seconds, first


def _children_cpu_seconds():
    """User and system time of the finished child processes and of theirs
    (soffice waits for soffice.bin)."""
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def environment(home):
    os.makedirs(os.path.join(home, "tmp"), exist_ok=True)
    # The system's PATH: LibreOffice's Python finds its standard library
    # through the python3 on PATH, which must not be another installation's.
    return {"PATH": "/usr/bin:/bin", "HOME": home, "TMPDIR": os.path.join(home, "tmp"), "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8", "TZ": "UTC"}


def measure(cells, oxt, formula=FORMULA):
    """Seconds to open and convert sheets of cells and of cells/10 formulas;
    the profile (owned by nobody when run as root, for unopkg) and the work
    folder are separate."""
    home = tempfile.mkdtemp(prefix="varizav-cost-")
    work = tempfile.mkdtemp(prefix="varizav-cost-work-")
    try:
        profile_dir = profile(home, shutil.which("soffice", path="/usr/bin:/bin"))
        if oxt:
            shutil.copy(oxt, os.path.join(home, "varizav.oxt"))
            if os.geteuid() == 0:
                subprocess.run(["chown", "-R", "nobody:nogroup", home], check=True)
            subprocess.run(as_nobody(["unopkg", "add", "-f", "-s", "-env:UserInstallation=file://" + profile_dir,
                                      os.path.join(home, "varizav.oxt")]), env=environment(home), check=True,
                           stdin=subprocess.DEVNULL)
        results = []
        # The first start of a fresh profile sets it up: not part of the cost.
        for name, count in (("warm-up", 1), ("small", cells // 10), ("large", cells)):
            document = os.path.join(work, name + ".fods")
            with open(document, "w", encoding="utf-8") as f:
                f.write(fods(count, formula))
            results.append(convert_seconds(work, profile_dir, document, name + ".csv"))
        return results[1], results[2]
    finally:
        shutil.rmtree(home, ignore_errors=True)
        shutil.rmtree(work, ignore_errors=True)


def main():
    cells = int(sys.argv[1])
    runs = [("built-in", None, BUILT_IN)] + [tuple(a.split("=", 1)) + (FORMULA,) for a in sys.argv[2:]]
    for name, oxt, formula in runs:
        (small, small_cpu, _), (large, large_cpu, shown) = measure(cells, oxt, formula)
        added = cells - cells // 10
        print("%-9s %7.2f s for %d cells, %6.2f s for %d  first cell %-30s %6.1f us per cell, %6.1f us CPU"
              % (name, large, cells, small, cells // 10, shown, (large - small) / added * 1e6,
                 (large_cpu - small_cpu) / added * 1e6))


if __name__ == "__main__":
    main()
