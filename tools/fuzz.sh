#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each one for SECONDS (default 20)
# on a working copy of its seeds (tests/fuzz/corpus). An input that crashes, leaks, breaks a
# sanitizer check or takes longer than a second is a finding: it is saved under
# build-fuzz/findings/ and the script fails. FUZZ_PARALLEL=1 runs all targets at once.
# FUZZ_TIMEOUT=N allows N seconds per input instead: a long campaign of every target at once
# under nice on a busy machine can starve one input past a second without any fault.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
dir=build-fuzz
extra=()
if command -v ccache >/dev/null; then
    extra=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DTAMBORIX_FUZZ=ON -DTAMBORIX_BUILD_TESTS=OFF \
    -DTAMBORIX_BUILD_BENCHMARKS=OFF "${extra[@]}" >/dev/null
cmake --build "$dir" --target fuzzers -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$dir/findings" "$dir/logs"
run() { # target
    local name=$1 work="$dir/corpus/$1"
    mkdir -p "$work"
    "$dir/tests/fuzz/$name" -max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-1}" -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$dir/findings/$name-" \
        "$work" "tests/fuzz/corpus/$name" >"$dir/logs/$name.log" 2>&1
}

targets=()
for seeds in tests/fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
declare -A status
if [ "${FUZZ_PARALLEL:-0}" = 1 ]; then
    declare -A pids
    for t in "${targets[@]}"; do run "$t" & pids[$t]=$!; done
    for t in "${targets[@]}"; do if wait "${pids[$t]}"; then status[$t]=ok; else status[$t]=FINDING; fi; done
else
    for t in "${targets[@]}"; do if run "$t"; then status[$t]=ok; else status[$t]=FINDING; fi; done
fi

failed=0
printf '%-20s %-8s %12s %8s %8s\n' target result execs cov ft
for t in "${targets[@]}"; do
    log="$dir/logs/$t.log"
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo -)
    line=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    cov=$(grep -o 'cov: [0-9]*' <<<"$line" | grep -o '[0-9]*' || echo -)
    ft=$(grep -o 'ft: [0-9]*' <<<"$line" | grep -o '[0-9]*' || echo -)
    printf '%-20s %-8s %12s %8s %8s\n' "$t" "${status[$t]}" "$execs" "$cov" "$ft"
    if [ "${status[$t]}" != ok ]; then
        failed=1
        tail -30 "$log" >&2
    fi
done
exit $failed
