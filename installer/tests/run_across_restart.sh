#!/usr/bin/env bash
# Runs the steps of one Wine test in one prefix of its own, ending the Wine session between them:
# each step is a session of the same machine, and the next one starts as after a restart (Wine
# then carries out the renames and deletions scheduled for the restart). Each step is the test
# program with a gtest filter; the first failing step ends the run. The prefix goes at the end.
#
#   run_across_restart.sh WINE_RUN PROGRAM.exe [ARGUMENTS...] -- FILTER...
set -u
if [ $# -lt 4 ]; then
  echo "usage: run_across_restart.sh WINE_RUN PROGRAM.exe [ARGUMENTS...] -- FILTER..." >&2
  exit 2
fi
wine_run=$1
shift
command=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  command+=("$1")
  shift
done
shift

# Beside the program, in its build tree: the prefix is hard-linked from the tree's Wine template.
prefix=$(mktemp -d "$(dirname "${command[0]}")/restart-prefix.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
for filter in "$@"; do
  echo "== session: $filter"
  VERDELO_WINE_PREFIX=$prefix "$wine_run" "${command[@]}" --gtest_filter="$filter" || exit $?
done
