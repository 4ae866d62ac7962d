#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, build-fuzz/) and runs each one for a bounded time from its
# seed corpus, two at a time, after replaying the inputs that once made it fail
# (fuzz/regressions/<target>/). Fails when any target crashes, leaks, hangs or breaks a check;
# the failing input is kept in build-fuzz/fuzz-artifacts/.
#   FUZZ_SECONDS  seconds per target (default 25: the 17 targets take about 4 minutes on 2 cores)
#   FUZZ_JOBS     targets run at once (default 2)
#   FUZZ_TARGETS  the targets to run, separated by spaces (default all)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELVAR_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-25}"
jobs="${FUZZ_JOBS:-2}"
all="slide_line slide_list ini settings base64 table_text users recent command_line rtf gif png
     jpeg bmp ico wmf audio_input"
targets="${FUZZ_TARGETS:-$all}"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
        -DPELVAR_FUZZ=ON -DPELVAR_BUILD_TESTS=OFF
fi
build_targets=""
for t in $targets; do build_targets="$build_targets fuzz_$t"; done
# shellcheck disable=SC2086
cmake --build "$build" --parallel "$jobs" --target $build_targets

artifacts="$build/fuzz-artifacts"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts"
# The only leak allowed: fontconfig's caches, never freed at exit. A leak anywhere else fails.
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=0:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

run_one() {
    local t="$1" bin="$build/fuzz/fuzz_$1" log="$work/$1.log"
    local regressions="$root/fuzz/regressions/$t" dict="$root/fuzz/$t.dict"
    local dict_arg=()
    # The picture decoders accept up to 64 Mpixels, some hundreds of megabytes under the
    # sanitizers; a single allocation above 1 GB is still a fault.
    local limits=(-rss_limit_mb=4096 -malloc_limit_mb=1024)
    [ -f "$dict" ] && dict_arg=(-dict="$dict")
    {
        if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
            echo "== $t: replaying $(find "$regressions" -type f | wc -l) regression inputs"
            "$bin" -timeout=10 "${limits[@]}" "$regressions"/* || {
                echo "FAIL $t (regression input)"
                return 1
            }
        fi
        # A copy of the seeds: what the run adds is not kept.
        mkdir -p "$work/corpus-$t"
        cp -r "$root/fuzz/corpus/$t/." "$work/corpus-$t/"
        "$bin" "$work/corpus-$t" "${dict_arg[@]}" -max_total_time="$seconds" -timeout=10 \
            "${limits[@]}" -print_final_stats=1 -artifact_prefix="$artifacts/$t-" || {
            echo "FAIL $t"
            return 1
        }
    } >"$log" 2>&1
    local ok=$?
    grep -h "stat::number_of_executed_units" "$log" | sed "s/^/$t: /" || true
    return $ok
}
export -f run_one
export build root work artifacts seconds

failed=0
# shellcheck disable=SC2086
printf '%s\n' $targets | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} || failed=1
if [ "$failed" -ne 0 ]; then
    for log in "$work"/*.log; do
        if grep -q "^FAIL" "$log"; then
            echo "---- $(basename "$log" .log)"
            tail -n 60 "$log"
        fi
    done
    echo "fuzz smoke: failed (inputs in $artifacts)"
    exit 1
fi
echo "fuzz smoke: every target ran ${seconds}s without a fault"
