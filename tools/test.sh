#!/bin/bash
# Runs every test: the native unit tests (AddressSanitizer and UBSan) and the
# Windows modules' tests under Wine. Installs the Debian packages it lacks.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
set -e
ensure_packages

configure_native_build
cmake --build "$build_root/native" -j2
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
echo "== Windows tests under Wine =="
run_ctest "$build_root/win"

echo "$passed passed, $failed failed"
exit $status
