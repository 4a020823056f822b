#!/bin/sh
# Runs one pytest file of the Python package or a database extension with
# Debian's Python, after checking that its host is installed:
#   run_host_test.sh TEST_FILE CHECK...
# each CHECK a command (sqlite3, pg_virtualenv), a Python module (py:numpy) or
# a file the build makes only when a package is there (file:PATH=PACKAGE).
# A missing host skips the test (exit 77), or fails it with VARIZAV_REQUIRE_HOSTS=1.
test_file=$1
shift
for check in "$@"; do
  case $check in
    py:*) /usr/bin/python3 -c "import ${check#py:}" 2>/dev/null && continue; what="Python module ${check#py:}" ;;
    file:*=*) path=${check#file:}; [ -e "${path%%=*}" ] && continue; what="${path#*=} (for ${path%%=*})" ;;
    *) command -v "$check" >/dev/null && continue; what="$check" ;;
  esac
  if [ "${VARIZAV_REQUIRE_HOSTS:-0}" = 1 ]; then
    echo "Missing: $what is not installed (run .ci/packages test)"
    exit 1
  fi
  echo "Skipped: $what is not installed (set VARIZAV_REQUIRE_HOSTS=1 to make this a failure)"
  exit 77
done
exec /usr/bin/python3 -m pytest -q -p no:cacheprovider "$test_file"
