#!/usr/bin/python3
"""Lists the tests a ctest run skipped, and why, for the end of make test.

A real-host test (LibreOffice Calc, REXX, the astronomy-engine comparison)
exits with 77 when its host is missing, and a GoogleTest case may skip itself;
ctest shows only "Skipped", the reason sits in the test's output. This reads
the JUnit files that ctest --output-junit wrote and prints one line per
skipped test with its reason, in a block that cannot be overlooked.

    skipped_tests.py LABEL=JUNIT_XML...
"""
import re
import sys
import xml.etree.ElementTree as ElementTree

RULE = '=' * 78


def reason_of(output):
    """The reason a skipped test gives in its output."""
    lines = [line.strip() for line in output.splitlines() if line.strip()]
    for i, line in enumerate(lines):
        # The host tests: "Skipped: <what is missing> (set VARIZAV_REQUIRE_HOSTS=1 ...)".
        match = re.match(r'Skipped: (.*?)(?: \(set VARIZAV_REQUIRE_HOSTS=1.*)?$', line)
        if match:
            return match.group(1)
        # GoogleTest: "<file>:<line>: Skipped" and the message on the next line.
        if line.endswith(': Skipped') and i + 1 < len(lines):
            return lines[i + 1]
    return lines[-1] if lines else 'no reason given'


def skipped(junit_path):
    """(test name, reason) of each test the run did not run or that skipped itself."""
    try:
        suite = ElementTree.parse(junit_path).getroot()
    except (OSError, ElementTree.ParseError):
        return [('(all)', f'no test results in {junit_path}: the tests did not run')]
    found = []
    for case in suite.iter('testcase'):
        if case.get('status') in ('notrun', 'disabled') or case.find('skipped') is not None:
            found.append((case.get('name'), reason_of(case.findtext('system-out') or '')))
    return found


def main():
    rows = []
    for argument in sys.argv[1:]:
        label, _, path = argument.partition('=')
        rows += [(label, name, reason) for name, reason in skipped(path)]
    if not rows:
        print('make test: every test ran, none was skipped.')
        return 0
    print(RULE)
    print(f'make test: {len(rows)} test(s) SKIPPED, not run:')
    for label, name, reason in rows:
        print(f'  [{label}] {name}: {reason}')
    print('Install what is missing (.ci/packages test does), or run with VARIZAV_REQUIRE_HOSTS=1 to fail instead.')
    print(RULE)
    return 0


if __name__ == '__main__':
    sys.exit(main())
