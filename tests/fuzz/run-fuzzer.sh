#!/bin/sh
# One libFuzzer harness as a test: runs it for a bounded time from its
# corpus and ends with one line, "NAME: N inputs in S s, no findings", or,
# after a finding (a crash, a sanitizer report, a broken invariant, a hang),
# with the tail of libFuzzer's log and "NAME: FINDING, input kept in ...",
# and a failure. The same text is left in BUILD/fuzz-NAME.result for
# scripts/test-fuzz.sh; the whole log is BUILD/fuzz-NAME.log.
#
#   run-fuzzer.sh NAME HARNESS MAX_LEN CORPUS BUILD SECONDS
#
# KVR27_FUZZ_SECONDS in the environment, when set, replaces SECONDS.
set -eu
name=$1
harness=$2
max_len=$3
corpus=$4
build=$5
seconds=${KVR27_FUZZ_SECONDS:-$6}
case $seconds in
'' | *[!0-9]* | 0)
    echo "$name: KVR27_FUZZ_SECONDS must be a whole number of seconds, not \"$seconds\"" >&2
    exit 2
    ;;
esac

findings=$build/findings
# New inputs go to a scratch folder; the corpus in the tree is only read.
new_inputs=$build/new-inputs/$name
log=$build/fuzz-$name.log
result=$build/fuzz-$name.result
rm -rf "$new_inputs" "$result"
mkdir -p "$findings" "$new_inputs"

if "$harness" -max_total_time="$seconds" -timeout=10 -max_len="$max_len" -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$new_inputs" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$name: ${runs:-?} inputs in $seconds s, no findings" >"$result"
    cat "$result"
else
    {
        tail -n 40 "$log"
        echo "$name: FINDING, input kept in $findings/"
    } >"$result"
    cat "$result"
    exit 1
fi
