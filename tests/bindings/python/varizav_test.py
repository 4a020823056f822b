"""The Python package against `varizav batch`: the Calc corpus in both
languages and a sweep of every function, each call as scalars and again as
columns (NumPy arrays through the library's column entry point).

Run by CTest with the build's package on PYTHONPATH; VARIZAV_TOOL and
VARIZAV_LIBRARY name the host tool and the library.
"""
import datetime
import math
import os
import sys
from collections import defaultdict

import numpy as np
import pytest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "sql"))
import corpus  # noqa: E402
from registration import read_registration  # noqa: E402

import varizav  # noqa: E402

TOOL = os.environ["VARIZAV_TOOL"]
SWEEP_CALLS = 21000
REGISTRATION = read_registration(os.environ["VARIZAV_LIBRARY"])


def python_argument(text, is_text):
    """The corpus's argument as a Python value; a date for ISO date texts. None: not representable."""
    if is_text:
        return text
    value = corpus.number_argument(text)
    if value is None:
        return None
    if value[0] == "iso":
        y, m, d, hh, mm, ss = value[1]
        try:
            return datetime.datetime(y, m, d, hh, mm, ss) if (hh or mm or ss) else datetime.date(y, m, d)
        except ValueError:
            return None
    return value[1]


def prepared(calls, expected):
    """(name, python args, want) of the calls the tool made and Python can express."""
    out = []
    for (name, args), want in zip(calls, expected):
        if want.startswith("#BADCALL"):
            continue
        parameters, _ = REGISTRATION[name]
        values = [python_argument(a, p[1]) for a, p in zip(args, parameters)]
        if any(v is None for v in values) or any(isinstance(v, str) and "\0" in v for v in values):
            continue
        out.append((name, values, want))
    return out


def check(calls, expected, arrays=True):
    """Scalar calls and column calls against the tool; returns the count compared."""
    rows = prepared(calls, expected)
    mismatches = []
    by_function = defaultdict(list)
    for name, values, want in rows:
        got = varizav.call(name, *values)
        if not corpus.same(want, got, REGISTRATION[name][1]):
            mismatches.append(("scalar", name, values, want, got))
        by_function[name].append((values, want))
    if arrays:
        for name, items in by_function.items():
            parameters, text_result = REGISTRATION[name]
            columns = []
            for k, (_, is_text) in enumerate(parameters):
                column = [v[k] for v, _ in items]
                if not is_text and all(isinstance(c, float) for c in column):
                    columns.append(np.array(column, dtype=np.float64))
                else:
                    columns.append(np.array(column, dtype=object))
            got = varizav.call(name, *columns)
            assert len(got) == len(items)
            for (values, want), g in zip(items, got):
                if not corpus.same(want, g, text_result):
                    mismatches.append(("column", name, values, want, g))
    assert not mismatches[:10]
    return len(rows)


@pytest.fixture(autouse=True)
def english():
    varizav.configure(language="en")
    yield
    varizav.configure(language="en")


@pytest.mark.parametrize("language", ["en", "de"])
def test_calc_corpus(language):
    varizav.configure(language=language)
    calls = corpus.calc_corpus(language)
    count = check(calls, corpus.reference(TOOL, language, calls))
    print(f"python calc corpus ({language}): {count} calls equal to varizav batch")
    assert count >= 70


def test_sweep_of_every_function():
    functions = [(name, params) for name, (params, _) in REGISTRATION.items()]
    calls = corpus.sweep(2026, SWEEP_CALLS, functions)
    count = check(calls, corpus.reference(TOOL, "en", calls))
    print(f"python sweep: {count} calls equal to varizav batch, as scalars and as columns")
    assert count >= 20000


def test_settings_as_the_tool_reads_them_from_the_environment():
    # Each setting changes some results; the tool with the same variables is the reference.
    cases = [
        ({"calendar_reform": 17520902}, {"VARIZAV_CALREFORM": "17520902"}, "de"),
        ({"delta_t": 65}, {"VARIZAV_DELTA_T": "65"}, "en"),
        ({"timezone_seconds": -3600}, {"VARIZAV_TIMEZONE": "-3600"}, "en"),
        ({"max_loop": 10}, {"VARIZAV_MAX_LOOP": "10"}, "en"),
    ]
    calls = [c for c in corpus.calc_corpus("en") if c[0] in ("SC_holiday", "SC_holiday2", "SC_when", "SC_when2",
                                                               "SC_calendar", "SC_leapyear2", "SC_chinese")]
    for settings, environment, language in cases:
        varizav.configure(language=language, **settings)
        check(calls, corpus.reference(TOOL, language, calls, environment), arrays=False)


def test_python_idioms():
    assert varizav.gregorian(2024, "March", 31) == 45382.0  # worked example
    assert varizav.calendar("hebrew", 45405, 1) == "yom shelishi, 15 Nisan 5784"  # worked example
    assert varizav.calendar("hebrew", datetime.date(2024, 4, 23), 1) == "yom shelishi, 15 Nisan 5784"
    assert varizav.call("GREGORIANISCH", 2024, 3, 31) == 45382.0  # German display name
    assert math.isnan(varizav.gregorian(2024, "Smarch", 31))
    years = np.array([2023, 2024, 2025])
    assert list(varizav.gregorian(years, "March", 31)) == [45016.0, 45382.0, 45747.0]  # 365 and 366 days apart
    dates = np.array(["2024-04-23", "2024-04-24"], dtype="datetime64[D]")
    assert list(varizav.calendar("hebrew", dates, 0)) == [varizav.calendar("hebrew", 45405, 0),
                                                          varizav.calendar("hebrew", 45406, 0)]
    assert varizav.gregorian(np.empty(0), "March", 1).shape == (0,)
    with pytest.raises(TypeError):
        varizav.gregorian(2024, "March")
    with pytest.raises(ValueError):
        varizav.gregorian(2024, "Ma\0rch", 1)
    assert "year" in str(__import__("inspect").signature(varizav.gregorian))
    assert varizav.gregorian.__doc__.startswith("GREGORIAN")
    assert varizav.names()[0] and len(varizav.names()) == 25
    assert any(name == "Easter" for _, name in varizav.names("gregorian"))


def test_long_text_columns_resume_in_fresh_storage():
    # 20,000 Hebrew texts: more than one block of the package's text storage
    # when the texts run long; every row equals its scalar call.
    serials = np.arange(-100000.0, 2900000.0, 150.0)
    texts = varizav.calendar("hebrew", serials, 1)
    assert all(t == varizav.calendar("hebrew", float(s), 1) for s, t in zip(serials[::997], texts[::997]))


def test_text_strings_made_in_c_and_in_python_alike(monkeypatch):
    # Umlauts, error values ("") and more rows than one block of storage.
    assert varizav._texts is not None  # built with Python's headers
    varizav.configure(language="de")
    serials = np.concatenate([np.arange(-800000.0, 800000.0, 11.0), [np.nan, 1e13]])
    made_in_c = varizav.calendar("gregorianisch", serials, 1)
    monkeypatch.setattr(varizav, "_texts", None)
    assert list(varizav.calendar("gregorianisch", serials, 1)) == list(made_in_c)
    assert made_in_c[-1] == "" and any("März" in t for t in made_in_c[:500])


def test_pandas_series_keep_their_index():
    pd = pytest.importorskip("pandas")
    s = pd.Series([2023, 2024], index=["a", "b"])
    out = varizav.gregorian(s, "March", 31)
    assert list(out.index) == ["a", "b"] and list(out) == [45016.0, 45382.0]


def test_wheel_installs_offline_into_a_virtual_environment(tmp_path):
    import subprocess

    package = os.path.dirname(varizav.__file__)
    builder = os.path.join(os.path.dirname(__file__), "..", "..", "..", "bindings", "python", "build_wheel.py")
    wheel = subprocess.run(["/usr/bin/python3", builder, package, "0.0.0", str(tmp_path)], check=True,
                           capture_output=True, text=True).stdout.strip()
    assert wheel.endswith("-py3-none-linux_x86_64.whl")
    venv = tmp_path / "venv"
    subprocess.run(["/usr/bin/python3", "-m", "venv", "--system-site-packages", str(venv)], check=True)
    subprocess.run([str(venv / "bin" / "pip"), "install", "-q", "--no-index", wheel], check=True)
    out = subprocess.run([str(venv / "bin" / "python"), "-c", "import varizav; print(varizav.gregorian(2024, 'March', 31))"],
                         check=True, capture_output=True, text=True, cwd=tmp_path, env={"PATH": "/usr/bin:/bin"}).stdout
    assert out.strip() == "45382.0"  # worked example


def test_text_columns_mixing_numbers_and_names():
    months = np.array(["March", 3, "Mar", 3.0], dtype=object)
    assert list(varizav.gregorian(2024, months, 31)) == [45382.0] * 4  # worked example, each month form


def test_functions_of_numbers_alone_ignore_every_setting():
    # SQLite registers these deterministic and PostgreSQL declares them IMMUTABLE.
    serials = np.linspace(-800000.0, 800000.0, 2001)
    calls = [("astronomy", (serials + 2415018.5,)), ("gnomon", (serials,)), ("mayan", (13, 0, 0, 0, serials % 400))]
    want = [varizav.call(name, *args) for name, args in calls]
    for settings in ({"language": "de"}, {"calendar_reform": 17520902}, {"delta_t": 65},
                     {"timezone_seconds": -3600}, {"max_loop": 0}):
        varizav.configure(**settings)
        for (name, args), w in zip(calls, want):
            assert np.array_equal(varizav.call(name, *args), w, equal_nan=True), (name, settings)
