#!/usr/bin/env bash
# Long fuzzing runs: each target in turn for FUZZ_SECONDS (default 600), one at a time at low
# priority, with a corpus kept between runs in FUZZ_CORPUS_DIR/<target> (default
# ~/.cache/pelvar-fuzz), started from the committed seeds. Each run appends a line to
# fuzz/campaign.log (FUZZ_LOG chooses another file): date, target, seconds run, executions, and "ok"
# or the crash's file. The log is committed, so that the hours of every machine add up.
# Crashing inputs are kept in FUZZ_CORPUS_DIR/crashes/. The smoke run (fuzz-smoke.sh) builds
# the targets.
#   FUZZ_TARGETS  the targets to run (default all, least-run first)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELVAR_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-600}"
store="${FUZZ_CORPUS_DIR:-$HOME/.cache/pelvar-fuzz}"
all="slide_line slide_list ini settings base64 table_text users recent command_line rtf gif png
     jpeg bmp ico wmf audio_input"
mkdir -p "$store/crashes"
log="${FUZZ_LOG:-$root/fuzz/campaign.log}"
touch "$log"

# Least fuzzed first, so that the hours even out over several campaigns.
order() {
    for t in $all; do
        total=$(awk -v t="$t" '$2 == t { s += $3 } END { print s + 0 }' "$log")
        echo "$total $t"
    done | sort -n | awk '{ print $2 }'
}
targets="${FUZZ_TARGETS:-$(order)}"

export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=0:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

for t in $targets; do
    bin="$build/fuzz/fuzz_$t"
    [ -x "$bin" ] || { echo "no $bin: run scripts/fuzz-smoke.sh first" >&2; exit 2; }
    corpus="$store/$t"
    if [ ! -d "$corpus" ]; then
        mkdir -p "$corpus"
        cp -r "$root/fuzz/corpus/$t/." "$corpus/"
    fi
    dict=()
    [ -f "$root/fuzz/$t.dict" ] && dict=(-dict="$root/fuzz/$t.dict")
    # Each run its own output file: two runs of one target at once (one per processor) would
    # otherwise write over each other's output and lose the executions from the log line.
    out="$store/$t.last.$$.log"
    started=$SECONDS
    # At low priority beside builds, an input that takes a second alone can take ten: the time
    # limit, wall-clock, is set for a hang, not for a slow moment.
    nice -n 19 "$bin" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=30 \
        -rss_limit_mb=4096 -malloc_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="$store/crashes/$t-" >"$out" 2>&1
    rc=$?
    ran=$((SECONDS - started)) # less than asked when a fault ended the run
    execs=$(grep -ah "stat::number_of_executed_units" "$out" | awk '{ print $2 }')
    verdict=ok
    if [ "$rc" -ne 0 ]; then
        verdict="$(grep -aho "Test unit written to [^ ]*" "$out" | tail -1 | sed 's/.* //')"
        verdict="${verdict:-failed($rc)}"
    fi
    echo "$(date -u +%FT%TZ) $t $ran ${execs:-0} $verdict" | tee -a "$log"
done
