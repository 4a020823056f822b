"""The SQLite extension against `varizav batch`: the Calc corpus in both
languages and a sweep of every function, through SQL with bound values.

Run by CTest: VARIZAV_TOOL (the host tool) and VARIZAV_SQLITE (the
extension without its .so suffix) name what to test.
"""
import math
import os
import sqlite3
import subprocess
import sys

import pytest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import corpus  # noqa: E402

TOOL = os.environ["VARIZAV_TOOL"]
EXTENSION = os.environ["VARIZAV_SQLITE"]
SWEEP_CALLS = 21000


def connect():
    db = sqlite3.connect(":memory:")
    db.enable_load_extension(True)
    db.load_extension(EXTENSION)
    return db


def sql_argument(text, is_text):
    if is_text:
        return text
    value = corpus.number_argument(text)
    if value is None:
        return None
    if value[0] == "iso":
        return text  # the extension reads the ISO text itself
    # SQLite has no NaN: a bound NaN arrives as NULL.
    return None if math.isnan(value[1]) else value[1]


def run(db, name, args, is_text):
    values = [sql_argument(a, t) for a, t in zip(args, is_text)]
    if any(v is None for v in values):
        return "skip"
    sql_name = "varizav_" + name[3:].lower()
    row = db.execute(f"SELECT {sql_name}({', '.join('?' * len(values))})", values).fetchone()
    return row[0]


def conformance(db, calls, language, registration, environment=None):
    expected = corpus.reference(TOOL, language, calls, environment)
    checked = 0
    mismatches = []
    for (name, args), want in zip(calls, expected):
        if want.startswith("#BADCALL"):
            continue
        parameters, text_result = registration[name]
        got = run(db, name, args, [p[1] for p in parameters])
        if got == "skip":
            continue
        checked += 1
        if not corpus.same(want, got, text_result):
            mismatches.append((name, args, want, got))
    return checked, mismatches


@pytest.fixture(scope="module")
def registration():
    from registration import read_registration

    return read_registration(os.environ["VARIZAV_LIBRARY"])


def test_calc_corpus_in_both_languages(registration):
    for language in ("en", "de"):
        env = {"VARIZAV_LANGUAGE": language}
        out = subprocess.run([sys.executable, __file__, "--calc", language], env={**os.environ, **env},
                             capture_output=True, text=True)
        assert out.returncode == 0, out.stdout + out.stderr


def test_sweep_of_every_function(registration):
    functions = [(name, params) for name, (params, _) in registration.items()]
    calls = corpus.sweep(2025, SWEEP_CALLS, functions)
    checked, mismatches = conformance(connect(), calls, "en", registration)
    print(f"sqlite sweep: {checked} calls equal to varizav batch")
    assert not mismatches[:10]
    assert checked >= 20000
    assert {c[0] for c in calls} == set(registration)


def test_examples_and_sql_idioms():
    db = connect()
    cases = [
        ("SELECT varizav_gregorian(2024, 'March', 31)", 45382.0),            # worked example of the issue
        ("SELECT varizav_gregorian(2024, 3, 31)", 45382.0),                  # a month number as SQL integer
        ("SELECT varizav_calendar('hebrew', '2024-04-23', 1)", "yom shelishi, 15 Nisan 5784"),  # ISO date text
        ("SELECT varizav_gregorian(2024, 'Smarch', 31)", None),              # the error value is NULL
        ("SELECT varizav_gregorian(NULL, 'March', 31)", None),               # NULL in, NULL out
        ("SELECT typeof(varizav_calendar('hebrew', 45405, 1))", "text"),
    ]
    for sql, want in cases:
        assert db.execute(sql).fetchone()[0] == want, sql
    with pytest.raises(sqlite3.OperationalError, match="must be a number or a date"):
        db.execute("SELECT varizav_gregorian('twenty', 'March', 31)").fetchone()


def test_deterministic_functions_can_be_indexed():
    db = connect()
    db.execute("CREATE TABLE t (jd REAL, serial REAL GENERATED ALWAYS AS (varizav_astronomy(jd)))")
    db.execute("CREATE INDEX t_mayan ON t (varizav_mayan(13, 0, 0, 0, jd))")
    db.execute("INSERT INTO t (jd) VALUES (2451545)")
    assert db.execute("SELECT serial FROM t").fetchone()[0] == 36526.5  # J2000.0: 2451545 - 2415018.5
    # A function whose names depend on the language setting cannot stand in an index.
    with pytest.raises(sqlite3.OperationalError, match="non-deterministic"):
        db.execute("CREATE INDEX t_bad ON t (varizav_gregorian(2024, 'March', jd))")


def test_the_sqlite3_shell_loads_it():
    out = subprocess.run(["sqlite3", ":memory:", f".load {EXTENSION}", "SELECT varizav_gregorian(2024, 'March', 31);"],
                         capture_output=True, text=True, check=True).stdout
    assert out.strip() == "45382.0"


def calc_main(language):
    from registration import read_registration

    registration = read_registration(os.environ["VARIZAV_LIBRARY"])
    calls = corpus.calc_corpus(language)
    checked, mismatches = conformance(connect(), calls, language, registration, {"VARIZAV_LANGUAGE": language})
    print(f"sqlite calc corpus ({language}): {checked} calls equal to varizav batch")
    for m in mismatches[:10]:
        print("mismatch:", m)
    sys.exit(1 if mismatches or checked < 70 else 0)


if __name__ == "__main__" and len(sys.argv) == 3 and sys.argv[1] == "--calc":
    calc_main(sys.argv[2])
