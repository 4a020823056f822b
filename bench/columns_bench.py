#!/usr/bin/python3
"""Python and SQLite over 1,000,000 rows, side by side with their peers, for
make bench-data (process CPU time, best of five; the package and the SQLite
engine both run in this process):

- Python: the Hebrew texts of 1,000,000 serial dates from a NumPy array,
  against the native column call of the same rows (the library's column entry
  point called once through ctypes, with the texts left in the storage);
- SQLite: sum(varizav_gregorian(y, m, d)) against
  sum(julianday(printf('%04d-%02d-%02d', y, m, d))) over the same rows.

    columns_bench.py PACKAGE_PARENT_DIR SQLITE_EXTENSION
Prints one TSV line per comparison: name, ours ms, peer ms.
"""
import ctypes
import sqlite3
import sys
import time

sys.path.insert(0, sys.argv[1])
import numpy as np  # noqa: E402

import varizav  # noqa: E402

ROWS = 1000000


def best_of_pair(ours, peer, runs=7):
    """Best CPU time of each in ms, the two run alternately so that a busy
    moment of the machine weighs on both alike."""
    times = ([], [])
    for _ in range(runs):
        for body, spent in zip((ours, peer), times):
            start = time.process_time()
            body()
            spent.append(time.process_time() - start)
    return min(times[0]) * 1000, min(times[1]) * 1000


def python_hebrew():
    serials = np.arange(-100000.0, -100000.0 + ROWS)
    lib = varizav._lib
    storage = np.empty(ROWS * 48 + 256, dtype=np.uint8)
    calendar = (ctypes.c_char_p * 1)(b"hebrew")
    mode = np.array([1.0])
    columns = (varizav._Column * 3)()
    columns[0].texts, columns[0].length = ctypes.cast(calendar, ctypes.c_void_p), 1
    columns[1].numbers, columns[1].length = serials.ctypes.data, ROWS
    columns[2].numbers, columns[2].length = mode.ctypes.data, 1
    result = varizav._Result(None, storage.ctypes.data, storage.size, None)
    number = next(f.number for f in varizav._FUNCTIONS if f.exported_name == "SC_calendar")

    def native():
        assert lib.VarizavCallColumns(number, columns, 3, 0, ROWS, ctypes.byref(result)) == ROWS

    def package():
        texts = varizav.calendar("hebrew", serials, 1)
        assert len(texts) == ROWS

    return best_of_pair(package, native)


def sqlite_gregorian(extension):
    db = sqlite3.connect(":memory:")
    db.enable_load_extension(True)
    db.load_extension(extension)
    db.execute("CREATE TABLE t (y INTEGER, m INTEGER, d INTEGER)")
    db.execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
               "INSERT INTO t SELECT 1600 + i % 800, 1 + i % 12, 1 + i % 28 FROM n", (ROWS - 1,))
    ours, peer = best_of_pair(lambda: db.execute("SELECT sum(varizav_gregorian(y, m, d)) FROM t").fetchone(),
                              lambda: db.execute("SELECT sum(julianday(printf('%04d-%02d-%02d', y, m, d))) FROM t").fetchone())
    # The same days: julianday is the Julian Day, 2415018.5 above the serial date.
    a = db.execute("SELECT sum(varizav_gregorian(y, m, d)) FROM t").fetchone()[0]
    b = db.execute("SELECT sum(julianday(printf('%04d-%02d-%02d', y, m, d)) - 2415018.5) FROM t").fetchone()[0]
    assert abs(a - b) < 1e-3 * ROWS, (a, b)
    return ours, peer


if __name__ == "__main__":
    ours, peer = python_hebrew()
    print(f"python: 1,000,000 Hebrew texts from a NumPy array vs the native column call\t{ours:.1f}\t{peer:.1f}")
    ours, peer = sqlite_gregorian(sys.argv[2])
    print(f"sqlite: sum(varizav_gregorian) vs sum(julianday(printf(...))) over 1,000,000 rows\t{ours:.1f}\t{peer:.1f}")
