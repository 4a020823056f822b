"""Call corpora for the conformance tests of the Python package and the
database extensions, and their reference results from the host tool.

The Calc corpus is tests/host/libreoffice/calls.tsv; the sweep is a seeded,
reproducible set of calls of every function (the idea of the npm package's
bindings/js/test/sweep.js: names the library accepts, numbers at and past
their bounds, malformed input). The reference is always `varizav batch` on
the same calls, run with the same settings.
"""
import math
import os
import re
import struct
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
CALC_CORPUS = os.path.join(HERE, "..", "host", "libreoffice", "calls.tsv")

MONTHS = ["January", "March", "Mar", "december", "Februar", "M\u00e4rz", "Nisan", "Adar II", "Tishri", "Ramadan",
          "Muharram", "Thoth", "Pachon", "Nivose", "Sansculottides", "Pausa", "Dey", "Farvardin", "Kanun II",
          "Tishrin I", "Margasirsha", "Dhanu", "Chaitra", "1st", "13th", "Kiyahk", "Shahrivar", "Januarius",
          "Aprilis", "1", "12", "13", "14", "0", "-1", "", "x", " 3", "3x"]
WEEKDAYS = ["Monday", "Friday", "Sunday", "Sat", "Sonntag", "Freitag", "Mo", "1", "7", "8", "0", "", "Funday"]
ERAS = ["Heisei", "Showa", "Meiji", "Taisho", "Reiwa", "Jimmu", "1", "16", "17", "", "Nara"]
DIVISIONS = ["Kalendas", "Nonas", "Idus", "Kal", "Id", "1", "2", "3", "4", "", "Ides"]
ROMAN_COUNTS = ["", "pridie", "III", "IV", "VI", "XIV", "XIX", "bis VI", "XX", "0", "2", "20", "21", "nonsense"]
CYCLES = ["Epact", "Indiction", "Regent", "Golden Number", "Solar Cycle", "Dominical Letter", "Sonntagsbuchstabe",
          "1", "6", "7", "", "Cycle"]
YEAR_TEXTS = ["2024", "2000", "1582", "1752", "5784", "1445", "78-17", "78-18", "77/60", "1", "0", "-500", "4000",
              "1403", "", "abc", "78-", "2024.5", " 1999", "+33", "99999999999"]
CALENDARS = ["gregorian", "julian", "hebrew", "islamic", "persian", "chinese", "coptic", "astronomical", "civil",
             "JEWISH", "gregor", "none"]
EVENTS = ["Easter", "Christmas", "Pentecost", "Ascencion Day", "Passover", "Yom Kippur", "Rosh Hashanah",
          "Ramadan", "New Year", "Full Moon", "New Moon", "Vernal Equinox", "Winter Solstice", "Lunar Eclipse",
          "Nowruz", "Diwali", "x"]
ODD_NUMBERS = ["nan", "inf", "-inf", "1e300", "-1e300", "4.9e-324", "2147483648", "-2147483649", "1e15", "0.0001",
               "-0", "TRUE", "FALSE", "wahr"]


class Random:
    """xorshift32: the same sequence for the same seed on every machine."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def unit(self):
        s = self.state
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.state = s
        return s / 4294967296.0

    def int(self, lo, hi):
        return lo + int(self.unit() * (hi - lo + 1))

    def pick(self, items):
        return items[int(self.unit() * len(items))]

    def chance(self, p):
        return self.unit() < p


def number_text(rng, name):
    if rng.chance(0.03):
        return rng.pick(ODD_NUMBERS)
    if name == "year":
        return str(rng.int(-3000, 6000) if rng.chance(0.8) else rng.int(-400000, 400000))
    if name in ("day", "week"):
        return str(rng.int(0, 33)) if rng.chance(0.85) else repr(rng.int(0, 3300) / 100)
    if name == "date":
        if rng.chance(0.15):
            return "%04d-%02d-%02dT%02d:%02d" % (rng.int(1, 2999), rng.int(1, 12), rng.int(1, 28), rng.int(0, 23),
                                                 rng.int(0, 59))
        serial = rng.int(-120000, 120000) if rng.chance(0.8) else rng.int(-80000000, 80000000)
        return str(serial) if rng.chance(0.5) else repr(serial + rng.int(0, 9999) / 10000)
    if name == "format mode":
        return rng.pick(["-1", "0", "1", "2", "0.5", "-0.5"])
    if name == "leap month":
        return rng.pick(["0", "1", "TRUE", "FALSE", "2", "-1"])
    if name in ("cycle", "ordinal", "baktun", "katun", "tun", "uinal", "kin"):
        return str(rng.int(-3, 60))
    if name == "julian day":
        return repr(rng.int(-1000000, 5000000) + rng.int(0, 3) / 4)
    return str(rng.int(-200, 200))


def text_value(rng, name):
    if rng.chance(0.02):
        return rng.pick(["", "x" * 255, "y" * 300, "Ostern\u20ac", "#1"])
    if "calendar" in name:
        return str(rng.int(0, 26)) if rng.chance(0.3) else rng.pick(CALENDARS)
    if "event" in name:
        return str(rng.int(0, 45)) if rng.chance(0.5) else rng.pick(EVENTS)
    if name == "epoch":
        return str(rng.int(-1000, 6000)) if rng.chance(0.6) else rng.pick(YEAR_TEXTS)
    if name == "month":
        return rng.pick(MONTHS)
    if name in ("name of day", "day"):
        return rng.pick(WEEKDAYS)
    if name == "gengou era":
        return rng.pick(ERAS)
    if name == "division point":
        return rng.pick(DIVISIONS)
    if name == "calendrical cycle":
        return rng.pick(CYCLES)
    if name == "year":
        return rng.pick(YEAR_TEXTS)
    return rng.pick(ROMAN_COUNTS)


def weight(name):
    # The searches scan many candidates per call.
    return {"SC_when": 0.15, "SC_when2": 0.15, "SC_holiday2": 0.6}.get(name, 1.0)


def sweep(seed, count, functions):
    """count calls (exported name, [argument texts]); functions: list of
    (exported name, [(English parameter name, is text)])."""
    rng = Random(seed)
    calls = []
    # Every function at least 100 times, then the rest by weight.
    order = [f for f in functions for _ in range(100)]
    total = sum(weight(f[0]) for f in functions)
    while len(order) < count:
        r = rng.unit() * total
        chosen = functions[-1]
        for f in functions:
            r -= weight(f[0])
            if r < 0:
                chosen = f
                break
        order.append(chosen)
    for name, parameters in order[:count]:
        args = [text_value(rng, p) if is_text else number_text(rng, p) for p, is_text in parameters]
        calls.append((name, args))
    return calls


def calc_corpus(language):
    """The Calc corpus's calls in one language ("en" or "de")."""
    calls = []
    with open(CALC_CORPUS, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if fields[0] in ("*", language):
                calls.append((fields[1], fields[2:]))
    return calls


def reference(tool, language, calls, environment=None):
    """`varizav --lang LANGUAGE batch` on the calls: one output line each."""
    env = {k: v for k, v in os.environ.items() if not k.startswith("VARIZAV_") and k not in ("TZ", "LC_ALL")}
    env.update({"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", "TZ": "UTC"})
    env.update(environment or {})
    text = "".join("\t".join([name] + args) + "\n" for name, args in calls)
    out = subprocess.run([tool, "--lang", language, "batch"], input=text.encode("utf-8"), capture_output=True,
                         env=env, check=False).stdout.decode("utf-8", "surrogateescape")
    lines = out.split("\n")[:-1]
    assert len(lines) == len(calls), (len(lines), len(calls))
    return lines


_DECIMAL = re.compile(r"^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$|^[+-]?(nan|inf|infinity)$", re.IGNORECASE)
_ISO = re.compile(r"^(\d{4})-(\d{2})-(\d{2})(T(\d{2}):(\d{2})(:(\d{2}))?)?$")


def number_argument(text):
    """A number argument as the tool reads it: ("number", float), ("iso",
    (y, m, d, H, M, S)) for an ISO date of years 1..9999, or None."""
    if _DECIMAL.match(text):
        return ("number", float(text.lstrip("+")))
    if text.upper() in ("TRUE", "WAHR"):
        return ("number", 1.0)
    if text.upper() in ("FALSE", "FALSCH"):
        return ("number", 0.0)
    m = _ISO.match(text)
    if m and int(m.group(1)) >= 1:
        return ("iso", tuple(int(g or 0) for g in m.group(1, 2, 3, 5, 6, 8)))
    return None


def same(expected, got, text_result):
    """Whether a binding's result (float, str, or None for SQL NULL) is the
    tool's output line, bit for bit."""
    if text_result:
        return (got or "") == expected
    if expected == "NaN":
        return got is None or (isinstance(got, float) and math.isnan(got))
    if got is None or isinstance(got, str):
        return False
    return struct.pack("<d", float(expected)) == struct.pack("<d", float(got))
