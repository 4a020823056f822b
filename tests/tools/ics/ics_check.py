"""varizav ics read back by an independent parser (Debian's python3-icalendar).

Usage: /usr/bin/python3 ics_check.py TOOL

Writes files with `varizav ics`, parses them with icalendar and checks every
event against the library's own SC_holiday2 (and SC_holiday for the Gregorian
feasts), called through `varizav batch`: each event's civil day is the
occurrence that SC_holiday2 finds after the one before it, and after the last
event the next occurrence lies beyond the span, so the number of events equals
the number of occurrences. Exit 77 (skipped) without icalendar.
"""
import math
import os
import subprocess
import sys
from collections import defaultdict
from datetime import date, datetime, timedelta, timezone

try:
    import icalendar
except ImportError:
    print("Skipped: python3-icalendar is not installed")
    sys.exit(1 if os.environ.get("VARIZAV_REQUIRE_HOSTS") == "1" else 77)

TOOL = sys.argv[1]
EPOCH = date(1899, 12, 30)  # serial day 0
SPANS = [
    (["--calendars", "hebrew,islamic", "--events", "Full Moon,New Moon,Solar Eclipse",
      "--from", "2025", "--to", "2027"], "en"),
    (["--calendars", "gregorian,coptic,chinese,hindu", "--from", "2024", "--to", "2025"], "de"),
]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(args, stdin=""):
    env = {"PATH": "/usr/bin:/bin", "LANG": "C.UTF-8", "SOURCE_DATE_EPOCH": "1767225600"}
    done = subprocess.run([TOOL] + args, input=stdin.encode(), capture_output=True, env=env, check=False)
    return done.returncode, done.stdout, done.stderr.decode(errors="replace")


def serial(day):
    return (day - EPOCH).days


def civil_day(when):
    """The civil day of a holiday date: the day after the eve for the
    calendars whose day begins at 18:00 (.75), else the day itself."""
    return math.floor(when + 0.25)


def check_file(args, lang):
    status, data, err = run(["--lang", lang, "ics"] + args)
    check(status == 0, f"ics {args} failed: {err}")
    lines = data.split(b"\r\n")
    check(lines[-1] == b"", "the file ends with CRLF")
    check(all(b"\n" not in line and b"\r" not in line for line in lines), "every line ends with CRLF")
    check(all(len(line) <= 75 for line in lines), "lines are folded at 75 octets")
    calendar = icalendar.Calendar.from_ical(data)
    events = list(calendar.walk("VEVENT"))
    check(len(events) > 0, f"events in {args}")
    uids = [str(e["UID"]) for e in events]
    check(len(set(uids)) == len(uids), "UIDs are unique")

    first = serial(date(int(args[args.index("--from") + 1]), 1, 1))
    end = serial(date(int(args[args.index("--to") + 1]) + 1, 1, 1))
    groups = defaultdict(list)
    for e in events:
        check("DTSTAMP" in e, f"{e['UID']} has a DTSTAMP")
        start = e["DTSTART"].dt
        key = (str(e["X-VARIZAV-CALENDAR"]), str(e["X-VARIZAV-EVENT"]))
        if isinstance(start, datetime):
            check(start.tzinfo is not None and start.utcoffset() == timedelta(0), f"{e['UID']} is in UTC")
            moment = (start - datetime(1899, 12, 30, tzinfo=timezone.utc)) / timedelta(days=1)
            groups[key].append(("timed", moment, e))
        else:
            check(e["DTEND"].dt == start + timedelta(days=1), f"{e['UID']} lasts one day")
            groups[key].append(("day", serial(start), e))

    # One batch: per feast, the call for each event and one more past the last.
    calls, expected = [], []
    for (cal, entry), found in sorted(groups.items()):
        found.sort(key=lambda f: f[1])
        start = first
        for kind, value, e in found:
            calls.append(f"SC_holiday2\t{cal}\t{entry}\t{start}")
            expected.append((kind, value, e, None))
            start = value + (1 / 1440 if kind == "timed" else 0.5)
        calls.append(f"SC_holiday2\t{cal}\t{entry}\t{start}")
        expected.append(("beyond", end, None, f"{cal} {entry}"))
    for e in events:
        if str(e["X-VARIZAV-CALENDAR"]) == "gregorian":
            calls.append(f"SC_holiday\tgregorian\t{e['X-VARIZAV-EVENT']}\t{e['DTSTART'].dt.year}")
            expected.append(("day", serial(e["DTSTART"].dt), e, None))
    status, out, err = run(["--lang", "en", "batch"], "\n".join(calls) + "\n")
    results = out.decode().splitlines()
    check(status == 0 and len(results) == len(calls), f"batch: {err}")
    for (kind, value, e, label), result in zip(expected, results):
        when = float(result.split("\t")[0])
        if kind == "beyond":
            check(not when < value, f"{label}: an occurrence at {when} is missing from the file")
        elif kind == "timed":
            check(abs(when - value) <= 0.5 / 86400, f"{e['UID']}: {value} in the file, {when} from SC_holiday2")
        else:
            check(civil_day(when) == value, f"{e['UID']}: {value} in the file, {when} from the library")
            if when % 1 == 0.75:
                check("18:00" in str(e.get("DESCRIPTION", "")), f"{e['UID']} says that it begins on the eve")
    return len(events)


counts = [check_file(args, lang) for args, lang in SPANS]
for failure in failures[:40]:
    print("FAIL:", failure)
print(f"icalendar {icalendar.__version__}: {sum(counts)} events in {len(counts)} files ({counts}), "
      f"{len(failures)} failures")
sys.exit(1 if failures else 0)
