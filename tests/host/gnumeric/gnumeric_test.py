#!/usr/bin/python3
"""Gnumeric as the host: the plugin answers formulas as varizav batch does.

    gnumeric_test.py TOOL PLUGIN_DIR CALLS WORK_DIR

The plugin is installed where Gnumeric looks for a user's plugins (under a
private HOME), a workbook of formulas (the English calls of CALLS, the Calc
corpus) is written as Gnumeric XML, and ssconvert --recalc writes the
values. Each must equal the host tool's result for the same call: numbers
to 15 significant digits (the CSV export writes no more), texts byte for
byte, the error value as #NUM!. Exits 77 (skipped) when Gnumeric or its
Python loader is missing, unless VARIZAV_REQUIRE_HOSTS=1.
"""
import csv
import math
import os
import re
import shutil
import subprocess
import sys
from xml.sax.saxutils import escape

SKIPPED = 77
PLAIN_NUMBER = re.compile(r'^-?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?$')
SIGNIFICANT_DIGITS = 15
# What the host adds, after the corpus: 31 March 2024 is day 45382 (days
# since 1899-12-30, counted independently); the first shows that the plugin
# was loaded at all.
HOST_CASES = [
    ('=GREGORIAN(2024,"March",31)', '45382'),
    ('=gregorian(2024,3,31)', '45382'),  # any case; a number for a text argument counts as its digits
    ('=GREGORIAN(2024,REPT("x",256),31)', '#NUM!'),  # longer than the library's 255-byte texts
    ('=CALENDAR(REPT("x",300),45382,1)', '#NUM!'),
]


def skip_or_fail(reason):
    if os.environ.get('VARIZAV_REQUIRE_HOSTS') == '1':
        print('FAILED: ' + reason)
        sys.exit(1)
    print('SKIPPED: ' + reason)
    sys.exit(SKIPPED)


def english_calls(path):
    calls = []
    with open(path, encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\n')
            if not line or line.startswith('#'):
                continue
            fields = line.split('\t')
            if fields[0] in ('en', '*'):
                calls.append(fields[1:])
    return calls


def registration(plugin_dir):
    """Exported name -> (display name, 't' or 'n' per argument), from the plugin's generated table."""
    sys.dont_write_bytecode = True  # the plugin folder stays as the build wrote it
    sys.path.insert(0, plugin_dir)
    import varizav_registry
    return {entry[0]: (entry[1], ''.join('n' if p[2] == 0 else 't' for p in entry[4]))
            for entry in varizav_registry.FUNCTIONS}


def tool_environment():
    return {'PATH': os.environ.get('PATH', ''), 'LC_ALL': 'C.UTF-8', 'TZ': 'UTC'}


def formula(display_name, args, types):
    written = []
    for value, kind in zip(args, types):
        if kind == 't':
            written.append('"' + value.replace('"', '""') + '"')
        elif PLAIN_NUMBER.match(value):
            written.append(value)
        else:
            return None  # NaN, infinities or ISO dates cannot be typed into a cell
    return '=%s(%s)' % (display_name, ','.join(written))


def workbook(formulas):
    cells = ''.join('<gnm:Cell Row="%d" Col="0">%s</gnm:Cell>\n' % (row, escape(text))
                    for row, text in enumerate(formulas))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">\n'
            '<gnm:SheetNameIndex><gnm:SheetName>Calls</gnm:SheetName></gnm:SheetNameIndex>\n'
            '<gnm:Sheets><gnm:Sheet>\n<gnm:Name>Calls</gnm:Name>\n'
            '<gnm:MaxCol>0</gnm:MaxCol><gnm:MaxRow>%d</gnm:MaxRow>\n'
            '<gnm:Cells>\n%s</gnm:Cells>\n</gnm:Sheet></gnm:Sheets>\n</gnm:Workbook>\n'
            % (len(formulas) - 1, cells))


def same(got, want):
    """A cell against a batch result line."""
    if want in ('NaN', '#NUM!'):
        return got == '#NUM!'
    try:
        w = float(want)
        g = float(got)
    except ValueError:
        return got == want
    if not math.isfinite(w):
        return False
    return ('%.*g' % (SIGNIFICANT_DIGITS, g)) == ('%.*g' % (SIGNIFICANT_DIGITS, w))


def main():
    tool, plugin_dir, calls_path, work = sys.argv[1:5]
    ssconvert = shutil.which('ssconvert')
    if ssconvert is None:
        skip_or_fail('no ssconvert (apt-get install gnumeric)')
    version = subprocess.run([ssconvert, '--version'], capture_output=True, text=True).stdout
    m = re.search(r"'([0-9]+\.[0-9]+\.[0-9]+)'", version)
    if m is None:
        skip_or_fail('no Gnumeric version in: ' + version)
    if not os.path.exists('/usr/lib/gnumeric/%s/plugins/python-loader' % m.group(1)):
        skip_or_fail('no Python loader for Gnumeric (apt-get install gnumeric-plugins-extra)')

    home = os.path.join(work, 'home')
    shutil.rmtree(home, ignore_errors=True)
    shutil.copytree(plugin_dir, os.path.join(home, '.gnumeric', m.group(1), 'plugins', 'varizav'))

    functions = registration(plugin_dir)
    calls, formulas = [], []
    for exported, *args in english_calls(calls_path):
        if exported not in functions or len(functions[exported][1]) != len(args):
            continue
        text = formula(functions[exported][0], args, functions[exported][1])
        if text is not None:
            calls.append([exported] + args)
            formulas.append(text)
    formulas += [case[0] for case in HOST_CASES]

    batch = ''.join('\t'.join(c) + '\n' for c in calls).encode('utf-8')
    r = subprocess.run([tool, '--lang', 'en', 'batch'], input=batch, capture_output=True,
                       env=tool_environment())
    want = r.stdout.decode('utf-8').split('\n')[:len(calls)] + [case[1] for case in HOST_CASES]

    os.makedirs(work, exist_ok=True)
    book = os.path.join(work, 'calls.gnumeric')
    out = os.path.join(work, 'values.csv')
    with open(book, 'w', encoding='utf-8') as f:
        f.write(workbook(formulas))
    env = {'PATH': os.environ.get('PATH', ''), 'HOME': home, 'LC_ALL': 'C', 'TZ': 'UTC'}
    r = subprocess.run([ssconvert, '--recalc', book, out], capture_output=True, env=env)
    if r.returncode != 0 or not os.path.exists(out):
        print('ssconvert failed (%d): %s' % (r.returncode, r.stderr.decode('utf-8', 'replace')))
        return 1
    with open(out, encoding='utf-8', newline='') as f:
        got = [row[0] if row else '' for row in csv.reader(f)]

    failures = 0
    for i, formula_text in enumerate(formulas):
        g = got[i] if i < len(got) else '<missing>'
        if not same(g, want[i]):
            failures += 1
            if failures <= 20:
                print('%s: Gnumeric %r, varizav batch %r' % (formula_text, g, want[i]))
    print('%d formulas of %d functions, %d differ' % (len(formulas), len({c[0] for c in calls}), failures))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
