#!/bin/bash
# Runs every test: the native unit tests (AddressSanitizer and UBSan) and the
# Windows modules' tests under Wine. Installs the Debian packages it lacks.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
set -e
ensure_packages

configure_native_build
cmake --build "$build_root/native" -j2
configure_fuzz_build
cmake --build "$build_root/fuzz" -j2 --target evaluator_fuzz
configure_windows_build
cmake --build "$build_root/win" -j2
set +e

status=0
passed=0
failed=0
run_ctest() {
    local dir=$1 log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure -j2 --timeout 600 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
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

# The fuzz run (a minute, one core) goes on beside the Wine tests.
fuzz_log=$(mktemp)
ctest --test-dir "$build_root/fuzz" -R '^evaluator_fuzz$' --output-on-failure >"$fuzz_log" 2>&1 &
fuzz_pid=$!

echo "== Windows tests under Wine =="
run_ctest "$build_root/win"

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

echo "$passed passed, $failed failed"
exit $status
