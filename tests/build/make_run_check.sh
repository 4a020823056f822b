#!/bin/sh
# make run builds the library and the host tool only, never the whole tree
# with its test programs: every build step of its dry run names its targets,
# and they are varizav and varizav_tool.
#   make_run_check.sh SOURCE_DIR BUILD_DIR
set -eu
steps=$(make --no-print-directory -n -C "$1" run BUILD="$2" | grep -e '--build' || true)
[ -n "$steps" ] || { echo "make run builds nothing"; exit 1; }
echo "$steps" | while IFS= read -r step; do
  targets=$(echo "$step" | sed -n 's/.*--target //p')
  [ "$targets" = "varizav varizav_tool" ] || { echo "make run builds more than the library and the tool: $step"; exit 1; }
done
