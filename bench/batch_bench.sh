#!/bin/sh
# Throughput of `varizav batch`: 100,000 mixed calls of the simple worksheet
# functions (calendar dates to serial dates, dates as numbers and text, leap
# years, cycles), fed through standard input; the best of three runs.
# Usage: bench/batch_bench.sh [path of the varizav tool]
set -eu
tool=${1:-build-bench/tools/varizav/varizav}
calls=100000
input=$(mktemp)
trap 'rm -f "$input"' EXIT

# Ten kinds of call, the dates and years varying from line to line.
awk -v n="$calls" 'BEGIN {
  for (i = 0; i < n; i++) {
    y = 1800 + i % 400; m = 1 + i % 12; d = 1 + i % 28; s = 2 + (i * 37) % 146000;
    k = i % 10;
    if (k == 0) printf "SC_gregorian\t%d\t%d\t%d\n", y, m, d;
    else if (k == 1) printf "SC_julian\t%d\t%d\t%d\n", y, m, d;
    else if (k == 2) printf "SC_calendar\tgregorian\t%d\t0\n", s;
    else if (k == 3) printf "SC_calendar\thebrew\t%d\t1\n", s;
    else if (k == 4) printf "SC_leapyear\tgregorian\t%d\n", y;
    else if (k == 5) printf "SC_islamic\t%d\t%d\t%d\n", 1200 + i % 400, m, d;
    else if (k == 6) printf "SC_persian\t%d\t%d\t%d\n", 1200 + i % 400, m, d;
    else if (k == 7) printf "SC_astronomy\t%d.5\n", 2400000 + s;
    else if (k == 8) printf "SC_chronology\tepact\t%d\n", y;
    else printf "SC_calendar\tjulian\t%d\t1\n", s;
  }
}' > "$input"

best=""
for run in 1 2 3; do
  start=$(date +%s.%N)
  "$tool" --lang en batch < "$input" > /dev/null
  end=$(date +%s.%N)
  best=$(echo "$start $end ${best:-1e9}" | awk '{ t = $2 - $1; print (t < $3 ? t : $3) }')
done
echo "$best" | awk -v n="$calls" '{ printf "varizav batch: %d mixed calls in %.3f s, %.2f million calls per second (target >= 1)\n", n, $1, n / $1 / 1e6 }'
