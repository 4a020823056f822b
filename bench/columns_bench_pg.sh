#!/bin/sh
# PostgreSQL over 1,000,000 rows, side by side with its built-ins, for make
# bench-data; runs inside pg_virtualenv (a throw-away cluster) with the
# extension installed. Time of the query as psql's \timing reports it, best of
# five, the two queries of a pair run alternately. Prints one TSV line per
# pair: name, ours ms, peer ms.
set -eu
psql -X -q -v ON_ERROR_STOP=1 <<'SQL'
CREATE EXTENSION IF NOT EXISTS varizav;
SET max_parallel_workers_per_gather = 0;
CREATE TABLE t AS
  SELECT 1600 + i % 800 AS y, 1 + i % 12 AS m, 1 + i % 28 AS d,
         (1600 + i % 800)::double precision AS yf, (1 + i % 12)::text AS mt, (1 + i % 28)::double precision AS df,
         date '1700-01-01' + i % 200000 AS day
  FROM generate_series(0, 999999) i;
VACUUM ANALYZE t;
SQL
# best_of_pair NAME OURS PEER
best_of_pair() {
  {
    echo 'SET max_parallel_workers_per_gather = 0;'
    printf '%s\n' '\timing on'
    for run in 1 2 3 4 5; do echo "$2"; echo "$3"; done
  } | psql -X -q -A -t 2>&1 | awk -v name="$1" '
    /^Time:/ { t = $2; if (n % 2 == 0) { if (!o || t < o) o = t } else { if (!p || t < p) p = t }; n++ }
    END { printf "%s\t%.1f\t%.1f\n", name, o, p }'
}
best_of_pair "postgresql: varizav.gregorian(y, m, d) vs make_date(y, m, d), 1,000,000 rows" \
  "SELECT count(varizav.gregorian(yf, mt, df)) FROM t;" "SELECT count(make_date(y, m, d)) FROM t;"
best_of_pair "postgresql: Hebrew text vs to_char(d, 'FMDay, DD Month YYYY'), 1,000,000 rows" \
  "SELECT count(varizav.calendar('hebrew', day, 1)) FROM t;" \
  "SELECT count(to_char(day, 'FMDay, DD Month YYYY')) FROM t;"
