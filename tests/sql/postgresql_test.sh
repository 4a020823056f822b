#!/bin/sh
# The PostgreSQL extension's tests: builds and installs the extension into the
# server pg_config names (make install-postgresql: root, or write access to
# the server's directories), then runs postgresql_test.py in a throw-away
# cluster that Debian's pg_virtualenv makes and drops.
#   postgresql_test.sh SOURCE_DIR BUILD_DIR
# A missing host skips the test (exit 77), or fails it with VARIZAV_REQUIRE_HOSTS=1.
source_dir=$1
build_dir=$2
missing() {
  if [ "${VARIZAV_REQUIRE_HOSTS:-0}" = 1 ]; then
    echo "Missing: $1 (run .ci/packages test)"
    exit 1
  fi
  echo "Skipped: $1 (set VARIZAV_REQUIRE_HOSTS=1 to make this a failure)"
  exit 77
}
command -v pg_virtualenv >/dev/null || missing "pg_virtualenv (postgresql-common) is not installed"
command -v pg_config >/dev/null && [ -f "$(pg_config --pgxs)" ] || missing "PGXS (postgresql-server-dev-all) is not installed"
/usr/bin/python3 -c "import pytest" 2>/dev/null || missing "Python module pytest is not installed"
[ -w "$(pg_config --pkglibdir)" ] && [ -w "$(pg_config --sharedir)/extension" ] ||
  missing "no write access to the server's directories to install the extension"
log=$build_dir/postgresql_install.log
make -C "$source_dir" install-postgresql BUILD="$build_dir" SQL_BUILD="$build_dir/build-sql" >"$log" 2>&1 || {
  tail -n 30 "$log"
  echo "make install-postgresql failed"
  exit 1
}
cd "$(dirname "$0")" && exec pg_virtualenv /usr/bin/python3 -m pytest -q -p no:cacheprovider postgresql_test.py
