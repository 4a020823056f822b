#!/usr/bin/python3
"""Cost per cell of the worksheet functions in headless LibreOffice Calc.

One headless Calc process (driven through UNO) loads, for each function
family, a sheet of CELLS formulas (a different argument in every row, fixed
seed), then recalculates every sheet completely (calculateAll), in RUNS
rounds over all families; the fastest recalculation over CELLS is the
family's cost per cell, set against the cost of Calc's own DATE in the same
process. Start-up and loading are not counted.

    calc_bench.py [--cells N] [--runs R] path/to/libvarizav.so

Needs Debian's python3 with the UNO bridge (python3-uno) and headless Calc
(libreoffice-calc-nogui). Run by `make bench-calc`, by hand.
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue

# Serial dates: 1 January 1600 .. 31 December 2400 (Gregorian).
SERIAL_1600 = -109572
SERIAL_2400 = 182622


def families(rng):
    """(label, row formula) of each family; row(i) builds the formula of row i."""
    def year():
        return rng.randint(1600, 2400)

    def serial():
        return rng.randint(SERIAL_1600, SERIAL_2400)

    return [
        ("DATE", lambda: f"=DATE({year()};{rng.randint(1, 12)};{rng.randint(1, 28)})"),
        # One subtraction in the add-in: what Calc's legacy add-in call itself costs.
        ("ASTRONOMICAL (no work)", lambda: f"=ASTRONOMICAL({serial() + 2415018.5})"),
        ("GREGORIAN", lambda: f'=GREGORIAN({year()};"{rng.randint(1, 12)}";{rng.randint(1, 28)})'),
        ("CALENDAR hebrew text", lambda: f'=CALENDAR("hebrew";{serial()};1)'),
        ("CALENDAR gregorian text", lambda: f'=CALENDAR("gregorian";{serial()};1)'),
        ("HOLIDAY fixed (Christmas)", lambda: f'=HOLIDAY("gregorian";"Christmas";"{year()}")'),
        ("HOLIDAY moving (Easter)", lambda: f'=HOLIDAY("gregorian";"Easter";"{year()}")'),
        ("HOLIDAY2 chinese New Year", lambda: f'=HOLIDAY2("chinese";"New Year\'s Day";{serial()})'),
        ("HOLIDAY2 Full Moon", lambda: f'=HOLIDAY2("astronomical";"Full Moon";{serial()})'),
        ("LEAPYEAR", lambda: f'=LEAPYEAR("hebrew";"{rng.randint(5300, 6200)}")'),
        ("CHRONOLOGY", lambda: f'=CHRONOLOGY("epact";{year()})'),
    ]


def file_url(path):
    return "file://" + os.path.abspath(path)


def write_profile(profile, addin_dir):
    """A fresh profile whose add-in folder holds only the library; en-US
    pins the full stop and the semicolon of the formulas."""
    os.makedirs(os.path.join(profile, "user"))
    with open(os.path.join(profile, "user", "registrymodifications.xcu"), "w", encoding="utf-8") as f:
        f.write(
            '<?xml version="1.0" encoding="UTF-8"?>\n'
            '<oor:items xmlns:oor="http://openoffice.org/2001/registry" '
            'xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">\n'
            '<item oor:path="/org.openoffice.Office.Paths/Paths/org.openoffice.Office.Paths:NamedPath[\'Addin\']">'
            f'<prop oor:name="WritePath" oor:op="fuse"><value>{file_url(addin_dir)}</value></prop></item>\n'
            '<item oor:path="/org.openoffice.Office.Linguistic/General"><prop oor:name="UILocale" oor:op="fuse">'
            "<value>en-US</value></prop></item>\n"
            '<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse">'
            "<value>en-US</value></prop></item>\n"
            "</oor:items>\n")


def property_values(**values):
    result = []
    for name, value in values.items():
        p = PropertyValue()
        p.Name = name
        p.Value = value
        result.append(p)
    return tuple(result)


def start_calc(soffice, work):
    """Headless Calc with the fresh profile, and its desktop through UNO."""
    pipe = "varizav_calc_bench_%d" % os.getpid()
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": work, "LANG": "C.UTF-8",
           "LC_ALL": "C.UTF-8", "TZ": "UTC", "TMPDIR": os.path.join(work, "tmp")}
    process = subprocess.Popen(
        [soffice, "--headless", "--norestore", "--nolockcheck", "--nodefault",
         "-env:UserInstallation=" + file_url(os.path.join(work, "profile")),
         "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe],
        env=env, cwd=work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    deadline = time.monotonic() + 300
    while True:
        try:
            context = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            break
        except Exception:  # not listening yet
            if process.poll() is not None or time.monotonic() > deadline:
                sys.exit("headless Calc did not start")
            time.sleep(0.5)
    desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    return process, desktop


def load_sheet(desktop, work, name, lines):
    """The sheet of formulas, loaded (and evaluated once) in a hidden document."""
    sheet = os.path.join(work, name + ".tsv")
    with open(sheet, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    # Tab-separated, UTF-8 (76), en-US (1033), formulas evaluated (last token).
    return desktop.loadComponentFromURL(
        file_url(sheet), "_blank", 0,
        property_values(Hidden=True, FilterName="Text - txt - csv (StarCalc)",
                        FilterOptions="9,34,76,1,,1033,false,false,false,false,false,-1,true"))


def cells_without_value(doc, count):
    cells = [row[0] for row in doc.Sheets.getByIndex(0).getCellRangeByPosition(0, 0, 0, count - 1).getDataArray()]
    return sum(1 for c in cells if c == "" or (isinstance(c, str) and c.startswith(("Err:", "#"))))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("library")
    parser.add_argument("--cells", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if soffice is None:
        sys.exit("calc_bench needs headless LibreOffice Calc: apt-get install libreoffice-calc-nogui")

    work = tempfile.mkdtemp(prefix="varizav_calc_bench_")
    process = None
    try:
        for sub in ("addin", "tmp"):
            os.makedirs(os.path.join(work, sub))
        shutil.copy(args.library, os.path.join(work, "addin", "libvarizav.so"))
        write_profile(os.path.join(work, "profile"), os.path.join(work, "addin"))
        process, desktop = start_calc(soffice, work)
        rng = random.Random(20261208)
        labels, docs = [], []
        for index, (label, formula) in enumerate(families(rng)):
            labels.append(label)
            docs.append(load_sheet(desktop, work, "family%d" % index, [formula() for _ in range(args.cells)]))
        # Rounds over all families, so that a busy moment of the machine
        # falls on every family alike; the fastest round of each counts.
        best = [None] * len(docs)
        for _ in range(args.runs):
            for k, doc in enumerate(docs):
                start = time.perf_counter()
                doc.calculateAll()
                seconds = time.perf_counter() - start
                best[k] = seconds if best[k] is None else min(best[k], seconds)
        results = []
        for label, doc, seconds in zip(labels, docs, best):
            errors = cells_without_value(doc, args.cells)
            if errors == args.cells:
                sys.exit("%s: no cell has a value: is the add-in loaded?" % label)
            results.append((label, seconds / args.cells * 1e6, errors))
            doc.close(True)
        date_us = results[0][1]
        print("headless Calc, %d cells per family, fastest of %d rounds of full recalculations" % (args.cells, args.runs))
        print("%-28s %12s %8s  %s" % ("family", "us per cell", "/ DATE", "cells without a value"))
        for label, us, errors in results:
            print("%-28s %12.2f %7.2fx  %d" % (label, us, us / date_us, errors))
    finally:
        if process is not None:
            try:
                desktop.terminate()
            except Exception:  # the bridge goes down with the process
                pass
            try:
                process.wait(timeout=60)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
