#!/bin/sh
# The repository holds no fuzzer artifacts or Python caches, and .gitignore
# keeps new ones out (a crash file of libFuzzer and two __pycache__ folders
# were once committed). Skipped outside a git checkout.
#   repository_check.sh SOURCE_DIR
set -u
cd "$1" || exit 1
git rev-parse --git-dir > /dev/null 2>&1 || { echo "Skipped: not a git checkout"; exit 77; }
status=0
committed=$(git ls-files | grep -E '(^|/)((crash|leak|timeout|oom|slow-unit)-[0-9a-f]{40}|__pycache__/)|\.pyc$')
[ -z "$committed" ] || { echo "committed by mistake:"; echo "$committed"; status=1; }
for path in crash-366a4a2f2a652ec23b8920e1b68b8e7ad7d42077 fuzz/timeout-0123 bench/__pycache__/x.cpython-311.pyc; do
  git check-ignore -q --no-index "$path" || { echo ".gitignore does not cover $path"; status=1; }
done
exit $status
