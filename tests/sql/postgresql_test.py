"""The PostgreSQL extension against `varizav batch`, in a throw-away cluster
(postgresql_test.sh runs this under pg_virtualenv after installing the
extension): the Calc corpus in both languages and a sweep of every function,
the settings as PostgreSQL settings, dates and timestamps, parallel workers.
"""
import datetime
import math
import os
import subprocess
import sys
from collections import defaultdict

import pytest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import corpus  # noqa: E402
from registration import read_registration  # noqa: E402

TOOL = os.environ["VARIZAV_TOOL"]
REGISTRATION = read_registration(os.environ["VARIZAV_LIBRARY"])
SWEEP_CALLS = 21000
NULL = "\x01NULL"


def psql(sql):
    """Rows of the last statement's output, fields split at tabs; NULL as NULL."""
    out = subprocess.run(["psql", "-X", "-q", "-A", "-t", "-F", "\t", "-v", "ON_ERROR_STOP=1", "-P", f"null={NULL}"],
                         input=sql, capture_output=True, text=True)
    assert out.returncode == 0, out.stderr[-2000:]
    return [line.split("\t") for line in out.stdout.splitlines()]


@pytest.fixture(scope="module", autouse=True)
def extension():
    psql("DROP EXTENSION IF EXISTS varizav; CREATE EXTENSION varizav;")


def literal(text, is_text):
    if is_text:
        return "'" + text.replace("'", "''") + "'"
    value = corpus.number_argument(text)
    if value is None:
        return None
    if value[0] == "iso":
        y, m, d, hh, mm, ss = value[1]
        try:
            delta = datetime.datetime(y, m, d, hh, mm, ss) - datetime.datetime(1899, 12, 30)
        except ValueError:
            return None
        number = delta.days + delta.seconds / 86400.0
    else:
        number = value[1]
    return f"'{number!r}'::double precision" if math.isfinite(number) else f"'{number}'::double precision"


def conformance(calls, language, settings_sql="", environment=None):
    expected = corpus.reference(TOOL, language, calls, environment)
    groups = defaultdict(list)
    for k, ((name, args), want) in enumerate(zip(calls, expected)):
        if want.startswith("#BADCALL") or any("\0" in a for a in args):
            continue
        parameters, _ = REGISTRATION[name]
        values = [literal(a, p[1]) for a, p in zip(args, parameters)]
        if None in values:
            continue
        groups[name].append((k, values))
    sql = [f"SET varizav.language = '{language}';", settings_sql]
    for name, rows in groups.items():
        n = len(REGISTRATION[name][0])
        columns = ", ".join(f"a{i}" for i in range(n))
        values = ",\n".join(f"({k}, {', '.join(v)})" for k, v in rows)
        sql.append(f"SELECT n, varizav.{name[3:].lower()}({columns}) FROM (VALUES {values}) AS v(n, {columns});")
    mismatches = []
    checked = 0
    for n, value in psql("\n".join(sql)):
        name, args = calls[int(n)]
        text_result = REGISTRATION[name][1]
        got = None if value == NULL else value if text_result else float(value)
        checked += 1
        if not corpus.same(expected[int(n)], got, text_result):
            mismatches.append((name, args, expected[int(n)], value))
    assert not mismatches[:10]
    return checked


@pytest.mark.parametrize("language", ["en", "de"])
def test_calc_corpus(language):
    calls = corpus.calc_corpus(language)
    checked = conformance(calls, language)
    print(f"postgresql calc corpus ({language}): {checked} calls equal to varizav batch")
    assert checked >= 70


def test_sweep_of_every_function():
    functions = [(name, params) for name, (params, _) in REGISTRATION.items()]
    calls = corpus.sweep(2027, SWEEP_CALLS, functions)
    checked = conformance(calls, "en")
    print(f"postgresql sweep: {checked} calls equal to varizav batch")
    assert checked >= 20000


def test_settings_are_postgresql_settings():
    calls = [c for c in corpus.calc_corpus("en") if c[0] in ("SC_holiday", "SC_holiday2", "SC_when", "SC_calendar")]
    cases = [
        ("SET varizav.timezone_seconds = -3600;", {"VARIZAV_TIMEZONE": "-3600"}),
        ("SET varizav.delta_t = 65;", {"VARIZAV_DELTA_T": "65"}),
        ("SET varizav.calendar_reform = 15821004;", {"VARIZAV_CALREFORM": "15821004"}),
        ("SET varizav.max_loop = 10;", {"VARIZAV_MAX_LOOP": "10"}),
    ]
    for sql, environment in cases:
        conformance(calls, "en", sql, environment)


def test_dates_timestamps_and_nulls():
    cases = [
        ("SELECT varizav.gregorian(2024, 'March', 31)", "45382"),  # worked example
        ("SELECT varizav.calendar('hebrew', date '2024-04-23', 1)", "yom shelishi, 15 Nisan 5784"),  # worked example
        ("SELECT varizav.calendar('hebrew', timestamp '2024-04-23 12:00', 1)", "yom shelishi, 15 Nisan 5784"),
        ("SELECT varizav.holiday2('gregorian', 'Easter', date '2024-01-01')", "2024-03-31 00:00:00"),
        # The Hebrew day begins at 18:00 the evening before (serial .75).
        ("SELECT varizav.holiday2('hebrew', 'Passover', date '2024-01-01')", "2024-04-22 18:00:00"),
        ("SELECT varizav.gregorian(2024, 'Smarch', 31) IS NULL", "t"),
        ("SELECT varizav.gregorian(NULL, 'March', 31) IS NULL", "t"),
        ("SELECT varizav.timestamp_of(45382.75)", "2024-03-31 18:00:00"),
        ("SELECT varizav.serial(date '2024-03-31')", "45382"),
    ]
    for sql, want in cases:
        assert psql(sql + ";") == [[want]], sql


def test_volatility_and_parallel_workers():
    volatility = dict(psql("SELECT p.proname, p.provolatile FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
                           "WHERE n.nspname = 'varizav' AND p.proname IN ('astronomy', 'mayan', 'gregorian', 'when');"))
    assert volatility == {"astronomy": "i", "mayan": "i", "gregorian": "s", "when": "s"}
    assert psql("SELECT count(*) FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
                "WHERE n.nspname = 'varizav' AND p.proparallel <> 's';") == [["0"]]
    # 'März' selects a month in German only: a worker without the session's setting would give NULL.
    query = "SELECT sum(varizav.gregorian(y, 'März', 1)), count(varizav.gregorian(y, 'März', 1)) FROM years;"
    setup = ("SET varizav.language = 'de'; DROP TABLE IF EXISTS years; "
             "CREATE TABLE years AS SELECT y::double precision AS y FROM generate_series(1, 200000) y; ANALYZE years;")
    parallel = ("SET max_parallel_workers_per_gather = 2; SET parallel_setup_cost = 0; SET parallel_tuple_cost = 0; "
                "SET min_parallel_table_scan_size = 0;")
    serial = psql(setup + "SET max_parallel_workers_per_gather = 0;" + query)
    plan = psql("SET varizav.language = 'de';" + parallel + "EXPLAIN (ANALYZE, COSTS OFF) " + query)
    assert any("Workers Launched: 2" in row[0] for row in plan), plan
    assert psql("SET varizav.language = 'de';" + parallel + query) == serial
    assert serial[0][1] == "200000"
