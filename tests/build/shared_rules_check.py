#!/usr/bin/python3
"""Finds build steps that two targets of a Makefile build may run at once.

CMake's Makefile generator copies a custom command into every target that
uses one of its outputs. Two such targets that do not depend on each other
are built in parallel under make -j, and both run the command: the second
may delete or half-write a file the first is reading (make bench once failed
with "No such file .../calc-extension/XCalendar.rdb" this way). Every output
whose rule appears in several targets must therefore have those targets
ordered by their dependencies.

    shared_rules_check.py BUILD_DIR
"""
import itertools
import pathlib
import re
import sys

# A rule's first line: "output: dependency..." (no tab, no variable assignment).
RULE = re.compile(r'^([^\s#:=][^:=]*):(?!=)')
# Recipe lines that only print or touch what another line of the rule wrote.
BOOKKEEPING = ('cmake_echo_color', 'touch_nocreate')


def rules_of(build_make):
    """Outputs of the rules in one target's build.make that run commands."""
    outputs, current, runs = set(), None, False
    for line in build_make.read_text().splitlines() + ['']:
        if line.startswith('\t'):
            runs = runs or not any(word in line for word in BOOKKEEPING)
            continue
        if current and runs:
            outputs.add(current)
        match = RULE.match(line)
        current, runs = (match.group(1).strip(), False) if match else (None, False)
    return {o for o in outputs if not o.endswith(('.o', '.obj')) and '/CMakeFiles/' not in o and not o.startswith('.')}


def dependencies(makefile2):
    """Target directory -> the target directories it depends on (Makefile2)."""
    deps = {}
    for line in makefile2.read_text().splitlines():
        match = re.match(r'^(\S+\.dir)/all: (\S+\.dir)/all$', line)
        if match:
            deps.setdefault(match.group(1), set()).add(match.group(2))
    return deps


def closure(deps, target):
    seen, todo = set(), [target]
    while todo:
        for d in deps.get(todo.pop(), ()):
            if d not in seen:
                seen.add(d)
                todo.append(d)
    return seen


def main():
    build = pathlib.Path(sys.argv[1])
    deps = dependencies(build / 'CMakeFiles' / 'Makefile2')
    owners = {}
    for build_make in build.rglob('CMakeFiles/*.dir/build.make'):
        target = str(build_make.parent.relative_to(build))
        for output in rules_of(build_make):
            owners.setdefault(output, set()).add(target)
    races = []
    for output, targets in sorted(owners.items()):
        for a, b in itertools.combinations(sorted(targets), 2):
            if a not in closure(deps, b) and b not in closure(deps, a):
                races.append(f'{output}: made by both {a} and {b}, which may run at once')
    print('\n'.join(races) if races else f'{len(owners)} generated files, each made by one step at a time')
    return 1 if races else 0


if __name__ == '__main__':
    sys.exit(main())
