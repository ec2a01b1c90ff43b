#!/bin/bash
# Runs every test: the native unit tests (AddressSanitizer and UBSan) and the
# Windows modules' tests under Wine. Installs the Debian packages it lacks.
#   tools/test.sh [FILTER]   FILTER: a CTest name regex (-R) for both builds
set -uo pipefail
filter=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
set -e
ensure_packages

configure_native_build
cmake --build "$build_root/native" -j2
configure_fuzz_build
cmake --build "$build_root/fuzz" -j2 --target evaluator_fuzz
configure_windows_build
cmake --build "$build_root/win" -j2
wine_build=$(wine_build_dir)
if [ "$wine_build" != "$build_root/win" ]; then
    echo "note: this machine cannot run 32-bit programs; the Wine tests run on an x86_64 build" >&2
    configure_wine_build
    cmake --build "$wine_build" -j2
fi
set +e

status=0
passed=0
failed=0
run_ctest() {
    local dir=$1 log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure -j2 --timeout 600 ${filter:+-R "$filter"} 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    if [ -n "$filter" ] && grep -q "No tests were found" "$log"; then
        rm -f "$log"
        return
    fi
    [ "$rc" -eq 0 ] || status=1
    local line
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
    if [ -n "$line" ]; then
        local f t
        f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+)/\1/' <<<"$line")
        t=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+)/\2/' <<<"$line")
        passed=$((passed + t - f))
        failed=$((failed + f))
    else
        status=1
    fi
    rm -f "$log"
}

echo "== native tests =="
run_ctest "$build_root/native"

# The fuzz run (a minute, one core) goes on beside the Wine tests; with a
# filter, only when the filter names it.
fuzz=0
if [ -z "$filter" ] || grep -qE -- "$filter" <<<"evaluator_fuzz"; then
    fuzz=1
    fuzz_log=$(mktemp)
    ctest --test-dir "$build_root/fuzz" -R '^evaluator_fuzz$' --output-on-failure >"$fuzz_log" 2>&1 &
    fuzz_pid=$!
fi

echo "== Windows modules (i686) =="
run_ctest "$build_root/win"
if [ "$wine_build" != "$build_root/win" ]; then
    echo "== Windows tests under Wine ($wine_build) =="
    run_ctest "$wine_build"
fi

if [ $fuzz -eq 1 ]; then
    echo "== evaluator fuzz run =="
    wait $fuzz_pid
    fuzz_rc=$?
    tail -n 40 "$fuzz_log"
    if [ $fuzz_rc -eq 0 ] && grep -q "100% tests passed" "$fuzz_log"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        status=1
    fi
    rm -f "$fuzz_log"
fi

echo "$passed passed, $failed failed"
exit $status
