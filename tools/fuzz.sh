#!/bin/sh
# Builds the fuzz preset and runs its libFuzzer targets, two at a time.
#   tools/fuzz.sh [seconds] [target ...]
# Each target runs for seconds (default 60); with no targets, all of them.
# Seeds come from tests/fuzz/corpus/<target>; what the fuzzer learns goes to
# build/fuzz/corpus/<target>; a crashing input and its log stay in
# build/fuzz/artifacts. Exits non-zero when any target fails.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-payload script users command_line naming format pack lzma}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/artifacts
export seconds
# The targets write small scratch files on every run: memory is many times faster.
[ -z "${TMPDIR:-}" ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
# Each run logs to a file of its own, so that runs side by side keep theirs.
printf '%s\n' $targets | xargs -P 2 -I{} sh -c '
    mkdir -p build/fuzz/corpus/{}
    log=$(mktemp build/fuzz/artifacts/{}-log.XXXXXX)
    if VANTREL_FUZZ_TARGET={} build/fuzz/vantrel_fuzz -max_total_time=$seconds -timeout=10 \
            -rss_limit_mb=1024 -artifact_prefix=build/fuzz/artifacts/{}- \
            build/fuzz/corpus/{} tests/fuzz/corpus/{} >$log 2>&1; then
        echo "fuzz {}: $seconds s, $(grep -a DONE $log | sed "s/^#\([0-9]*\).*DONE */\1 runs, /; s/ *lim:.*//"), no finding"
        rm -f $log
    else
        echo "fuzz {}: FAILED, see $log" >&2
        tail -n 30 $log >&2
        exit 1
    fi'
