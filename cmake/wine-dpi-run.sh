#!/bin/bash
# Runs the tests of a Windows test program that match FILTER in a Wine
# session of its own at another DPI, each test in a process of its own as
# CTest runs them, then ends that session:
#   wine-dpi-run.sh BUILD_DIR DPI PROGRAM FILTER
set -uo pipefail
build=$1 dpi=$2 program=$3 filter=$4
here=$(dirname "$(readlink -f "$0")")
export KELD_WINE_DPI=$dpi
tests=()
suite=
while IFS= read -r line; do
    line=${line%%#*}
    line=${line%"${line##*[![:space:]]}"}
    [ -z "$line" ] && continue
    if [[ $line != " "* ]]; then suite=$line; else tests+=("$suite${line##* }"); fi
done < <("$here/wine-run.sh" "$build" "$program" --gtest_list_tests "--gtest_filter=$filter")
status=0
if [ ${#tests[@]} -eq 0 ]; then
    echo "no test matches $filter" >&2
    status=1
fi
failed=()
for test in "${tests[@]}"; do
    "$here/wine-run.sh" "$build" "$program" "--gtest_filter=$test" || failed+=("$test")
done
"$here/wine-session.sh" stop "$build"
echo "at $dpi DPI: $((${#tests[@]} - ${#failed[@]})) of ${#tests[@]} passed"
for test in "${failed[@]}"; do echo "FAILED at $dpi DPI: $test"; done
[ ${#failed[@]} -eq 0 ] || status=1
exit $status
