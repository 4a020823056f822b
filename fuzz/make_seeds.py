#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets (fuzz/corpus/<target>/) in the
input layout that fuzz/fuzz_support.h describes: one meaningful call of every
worksheet function (in German and in English settings), and registration
sequences. Run from anywhere; the files are checked in. The files named
regression_* beside them are inputs the fuzzer found (slow far-date searches),
kept so that every fuzz run starts from them."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Names of the known-name table of fuzz_support.cpp (tag 0x40 + index).
KNOWN = [
    "gregorian", "julian", "hebrew", "islamic", "chinese", "astronomical", "mayan", "hindu", "hindu2",
    "french", "persian", "coptic", "ethiopic", "egyptian", "armenian", "latin", "iso8601", "gengou",
    "indian", "yazdegerd", "buddhist", "byzantine", "seleucid", "syrian", "taiwanese", "gregorianisch",
    "j\u00fcdisch", "Easter", "Ostern", "Christmas", "New Year", "Advent Sunday", "Passover", "Yom Kippur",
    "Ramadan", "Full Moon", "New Moon", "Eclipse", "Solar Eclipse", "Lunar Eclipse", "Spring", "Winter",
    "Zodiac", "Pisces", "Perigee", "North Point", "Ascending Node", "Julian Year", "Besselian Year",
    "Mars Opposition", "Mercury West Elongation", "Neptune Conjunction", "Epact", "Dominical Letter",
    "Golden Number", "Solar Cycle", "Indiction", "Regent", "Friday", "Sunday", "February", "December",
    "Meiji", "Heisei",
    "gregorianisch", "julianisch", "islamisch", "chinesisch", "astronomisch", "maya", "franz\u00f6sisch",
    "persisch", "koptisch", "\u00e4thiopisch", "lateinisch", "indisch", "jezdegerd", "seleukiden", "Weihnachten",
    "Neujahr", "Passah", "Jom Kippur", "Pfingsten", "Vollmond", "Neumond", "Finsternis", "Fr\u00fchlingsanfang",
    "Sternzeichen", "Epakte", "Sonntagsbuchstabe", "Goldene Zahl", "Freitag", "Sonntag", "Februar", "M\u00e4rz",
    "Dezember",
]
assert len(KNOWN) == 96


def num(x):
    """A number argument: small integers, 16-bit, 32-bit plus fraction, or any double."""
    if isinstance(x, int) and -32 <= x <= 31:
        return bytes([x + 0x60])
    if isinstance(x, int) and -32768 <= x <= 32767:
        return bytes([0x80]) + struct.pack("<h", x)
    if float(x).is_integer() and -2**31 <= x < 2**31:
        return bytes([0xC0]) + struct.pack("<iB", int(x), 0)
    return bytes([0xE0]) + struct.pack("<d", float(x))


def txt(s):
    """A text argument: a known name by index, else raw bytes."""
    if s in KNOWN:
        return bytes([0x40 + KNOWN.index(s)])
    b = s.encode("latin-1")
    return bytes([0xA0, len(b)]) + b


def hostile_number(i):
    return bytes([i])


def hostile_text(i):
    return bytes([i])


def call(number, *args):
    return bytes([number]) + b"".join(args)


GERMAN = bytes([0x00])
ENGLISH = bytes([0x01])  # SetLanguage(English) after GetFunctionCount
# Every setting present: VARIZAV_LANGUAGE "en", reform 17520902, delta T 65 s,
# time zone -3600 s, MAX_LOOP 40, LANG C.UTF-8, TZ Europe/Berlin.
EVERYTHING = (bytes([0xF8, 0x07]) + bytes([2]) + b"en" + bytes([0]) + struct.pack("<i", 17520902) +
              bytes([0]) + struct.pack("<i", 65) + bytes([0]) + struct.pack("<i", -3600) +
              bytes([40, 2, 2]))

D2000 = 36526  # serial date of 1 January 2000

WORKSHEET_CALLS = {
    "armenian": call(0, num(1449), txt("3"), num(15)),
    "astronomy": call(1, num(2451545.0)),
    "buddhist": call(2, num(2543), txt("February"), num(29)),
    "byzantine": call(3, num(7508), txt("9"), num(1)),
    "calendar_hebrew": call(4, txt("hebrew"), num(D2000 + 0.75), num(1)),
    "calendar_chinese": call(4, txt("chinese"), num(D2000), num(0)),
    "calendar_mayan": call(4, txt("mayan"), num(D2000), num(-1)),
    "calendar_hindu": call(4, txt("hindu"), num(D2000), num(1)),
    "calendar_bounds": call(4, txt("french"), hostile_number(39), num(1)),
    "chinese": call(5, num(78), num(17), txt("1"), num(0), num(1)),
    "chronology": call(6, txt("Dominical Letter"), num(2000)),
    "coptic": call(7, num(1716), txt("4"), num(22)),
    "egyptian": call(8, num(2749), txt("1"), num(1)),
    "event": call(9, num(2), txt("Sunday"), txt("May"), num(2000)),
    "ethiopic": call(10, num(1992), txt("4"), num(22)),
    "french": call(11, num(208), txt("Sansculottides"), num(6)),
    "gengou": call(12, txt("Heisei"), num(12), txt("1"), num(1)),
    "gnomon": call(13, num(D2000 + 0.5)),
    "gregorian": call(14, num(2000), txt("February"), num(29)),
    "hebrew": call(15, num(5760), txt("Adar II"), num(1)),
    "hindu": call(16, num(5100), txt("1"), num(0), num(1)),
    "hindu2": call(17, num(5100), txt("1"), num(1)),
    "holiday": call(18, txt("gregorian"), txt("Easter"), txt("2000")),
    "holiday_chinese": call(18, txt("chinese"), txt("New Year"), txt("78-17")),
    "holiday_astro": call(18, txt("astronomical"), txt("Full Moon"), txt("2000")),
    "holiday2": call(19, txt("hebrew"), txt("Passover"), num(D2000)),
    "holiday2_eclipse": call(19, txt("astronomical"), txt("Eclipse"), num(D2000)),
    "indian": call(20, num(1921), txt("10"), num(11)),
    "islamic": call(21, num(1420), txt("Ramadan"), num(1)),
    "iso8601": call(22, num(2000), num(52), txt("Friday")),
    "julian": call(23, num(1582), txt("10"), num(4)),
    "leapyear": call(24, txt("hebrew"), txt("5760")),
    "leapyear2": call(25, txt("chinese"), num(D2000)),
    "mayan": call(26, num(12), num(19), num(6), num(15), num(2)),
    "persian": call(27, num(1378), txt("10"), num(11)),
    "latin": call(28, num(2000), txt("3"), txt("Ides"), txt("pridie")),
    "seleucid": call(29, num(2311), txt("4"), num(1)),
    "syrian": call(30, num(2311), txt("1"), num(1)),
    "taiwanese": call(31, num(89), txt("1"), num(1)),
    "when": call(32, txt("astronomical"), txt("Full Moon"), txt("Friday"), num(13), txt(""), num(D2000)),
    "when_days": call(32, txt("gregorian"), txt(""), txt("Friday"), num(13), txt(""), num(D2000)),
    "when2": call(33, txt("gregorian"), txt("Easter"), txt("hebrew"), txt("Passover"), num(D2000)),
    "yazdegerd": call(34, num(1369), txt("1"), num(1)),
}

# The same searches with the German names (the add-in starts in German).
GERMAN_CALLS = {
    "holiday_de": call(18, txt("gregorianisch"), txt("Ostern"), txt("2000")),
    "holiday_astro_de": call(18, txt("astronomisch"), txt("Vollmond"), txt("2000")),
    "holiday2_de": call(19, txt("j\u00fcdisch"), txt("Passah"), num(D2000)),
    "calendar_chinese_de": call(4, txt("chinesisch"), num(D2000), num(1)),
    "when_de": call(32, txt("astronomisch"), txt("Vollmond"), txt("Freitag"), num(13), txt(""), num(D2000)),
    "when2_de": call(33, txt("gregorianisch"), txt("Ostern"), txt("j\u00fcdisch"), txt("Passah"), num(D2000)),
    "chronology_de": call(6, txt("Sonntagsbuchstabe"), num(2000)),
}

# Registration operations (registration_fuzzer.cpp): 0 settings, 1 function
# data, 2 parameter description, 3 SetLanguage, 4 versioninfo, 5 VERSIONINFO.
REGISTRATION = {
    "every_function": b"".join(bytes([1]) + struct.pack("<H", k) for k in range(36)),
    "unknown_functions": bytes([1]) + struct.pack("<H", 35) + bytes([1]) + struct.pack("<H", 65535) +
    bytes([2]) + struct.pack("<H", 0) + bytes([4]) + bytes([2]) + struct.pack("<H", 34) + bytes([0xF0]) +
    struct.pack("<H", 65535),
    "descriptions_english": bytes([3]) + struct.pack("<H", 0x0409) +
    b"".join(bytes([2]) + struct.pack("<H", k) + bytes([s]) for k in (0, 4, 32, 33) for s in range(8)),
    "languages": b"".join(bytes([3]) + struct.pack("<H", x) for x in (0x0407, 0x0809, 0x0416, 0x040C, 0x0200)) +
    bytes([1]) + struct.pack("<H", 4),
    "versions": b"".join(bytes([4, e]) for e in range(13)) + bytes([4, 0x80]) + struct.pack("<i", -1) +
    bytes([5, 0, 0]) + bytes([5, 1, 1]) + b"3" + bytes([0, 255]) + bytes([5, 2, 0, 0, 0, 0, 8]),
    "settings_twice": bytes([0]) + EVERYTHING + bytes([1]) + struct.pack("<H", 14),
}


# Call sequences for the differential target: a far date fills a cache entry,
# then an ordinary date of the same low bits or of the same process is asked.
FAR_CHINESE = call(5, num(1170), num(33), txt("1"), num(0), num(1))  # year 70173: 4637 + 65536
NEAR_CHINESE = call(5, num(78), num(17), txt("1"), num(0), num(1))   # year 4636
DIFFERENTIAL = {
    "chinese_far_then_near": NEAR_CHINESE + FAR_CHINESE + NEAR_CHINESE + call(5, num(78), num(18), txt("1"), num(0),
                                                                              num(1)),
    "calendar_chinese_after_far": FAR_CHINESE + call(4, txt("chinese"), num(D2000 + 400), num(1)),
    "chinese_near_then_far": NEAR_CHINESE + FAR_CHINESE,
    "chinese_holiday_then_dates": call(19, txt("chinese"), txt("New Year"), num(D2000)) +
    call(24, txt("chinese"), txt("78-17")) + call(4, txt("chinese"), num(D2000 + 33), num(-1)),
    "language_texts": call(4, txt("hebrew"), num(D2000), num(1)) + call(4, txt("islamic"), num(D2000), num(1)) +
    call(4, txt("chinese"), num(D2000), num(1)) + call(4, txt("gengou"), num(43586), num(1)),
    "mayan_in_progress": call(18, txt("mayan"), txt("Haab"), txt("-2147483648")) +
    call(4, txt("mayan"), num(D2000), num(1)),
}


def write(directory, seeds):
    os.makedirs(directory, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)


def main():
    worksheet = {}
    for name, data in WORKSHEET_CALLS.items():
        worksheet[name] = GERMAN + data
        worksheet[name + "_en"] = ENGLISH + data
        worksheet[name + "_all_settings"] = EVERYTHING + data
    for name, data in GERMAN_CALLS.items():
        worksheet[name] = GERMAN + data
    write(os.path.join(HERE, "corpus", "worksheet"), worksheet)
    write(os.path.join(HERE, "corpus", "registration"), {k: GERMAN + v for k, v in REGISTRATION.items()})
    differential = {}
    for name, data in DIFFERENTIAL.items():
        differential[name] = GERMAN + data
        differential[name + "_en"] = ENGLISH + data
        differential[name + "_all_settings"] = EVERYTHING + data
    write(os.path.join(HERE, "corpus", "differential"), differential)


if __name__ == "__main__":
    main()
