#!/bin/bash
# Expression evaluator benchmark: ours against muParser on typical value-field
# entries, nanoseconds and heap allocations per evaluation.
#   bench/evaluator.sh [benchmark options, e.g. --benchmark_repetitions=5]
# Release build without sanitizers in $KELD_BUILD_ROOT/evaluator-bench.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KELD_BUILD_ROOT:-$root/build}/evaluator-bench

packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev libmuparser-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKELD_SANITIZE=OFF -DKELD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target evaluator_bench
"$build/bench/evaluator/evaluator_bench" "$@"
