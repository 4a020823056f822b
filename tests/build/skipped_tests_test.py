#!/usr/bin/python3
"""The summary at the end of make test names each skipped test and its reason."""
import pathlib
import subprocess
import sys
import tempfile

SCRIPT = pathlib.Path(__file__).with_name('skipped_tests.py')

# The JUnit file of a run as ctest 3.25 writes it: a host test that exited
# with 77, a GoogleTest case that called GTEST_SKIP(), and a test that ran.
JUNIT = '''<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="(empty)" tests="3" failures="0" disabled="0" skipped="2" hostname="" time="0" timestamp="">
 <testcase name="libreoffice_oxt" classname="libreoffice_oxt" time="0.1" status="notrun">
  <skipped message="SKIP_RETURN_CODE=77"/>
  <system-out>Skipped: LibreOffice (soffice) is not installed (set VARIZAV_REQUIRE_HOSTS=1 to make this a failure)
</system-out>
 </testcase>
 <testcase name="Configuration.GermanLocale" classname="Configuration.GermanLocale" time="0" status="notrun">
  <skipped message="Regular Expression Skipped"/>
  <system-out>[ RUN      ] Configuration.GermanLocale
tests/host/configuration_test.cpp:200: Skipped
the de_DE locale source is missing

[  SKIPPED ] Configuration.GermanLocale (0 ms)
</system-out>
 </testcase>
 <testcase name="rexx" classname="rexx" time="0.1" status="run"><system-out>all checks passed</system-out></testcase>
</testsuite>
'''

CASES = [
    # (JUnit text, lines the summary must hold, texts it must not hold)
    (JUNIT, ['[normal] libreoffice_oxt: LibreOffice (soffice) is not installed',
             '[normal] Configuration.GermanLocale: the de_DE locale source is missing',
             '2 test(s) SKIPPED'], ['rexx']),
    (JUNIT.replace('status="notrun"', 'status="run"').replace('<skipped', '<x'), ['none was skipped'], ['SKIPPED']),
]

failures = 0
with tempfile.TemporaryDirectory() as work:
    for i, (junit, wanted, unwanted) in enumerate(CASES):
        path = pathlib.Path(work) / f'{i}.xml'
        path.write_text(junit)
        out = subprocess.run([sys.executable, SCRIPT, f'normal={path}'], capture_output=True, text=True).stdout
        for text in wanted:
            if text not in out:
                print(f'case {i}: the summary lacks "{text}":\n{out}')
                failures += 1
        for text in unwanted:
            if text in out:
                print(f'case {i}: the summary names "{text}":\n{out}')
                failures += 1
sys.exit(1 if failures else 0)
