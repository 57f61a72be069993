#!/usr/bin/env bash
# Runs the fuzz targets, each on a working copy of its seed corpus, for a time or a number of runs.
#
#   fuzz/run.sh [-t seconds] [-n runs] [-b build-folder] [-w work-folder] [-j jobs] [target...]
#
# A target stops at whichever limit comes first; with neither given, after 60 seconds.
# Targets are named without "_fuzz" (area_file, build, ...); none named means all. The targets must
# be built (cmake --preset fuzz && cmake --build --preset fuzz). Each target first replays its
# regression inputs (fuzz/regressions/<target>/), then fuzzes. New inputs gather in
# <work>/<target>/corpus, findings in <work>/<target>/findings, the log in <work>/<target>/log.
# Targets that write files do so in a scratch folder under $FUZZ_SCRATCH (default /dev/shm when it
# is there: a memory file system makes them several times faster). Exits 1 on any finding.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"

seconds=""
runs=""
build="$root/build/fuzz"
work="${TMPDIR:-/tmp}/terralevel-fuzz"
jobs=1
while getopts "t:n:b:w:j:h" option; do
    case "$option" in
        t) seconds="$OPTARG" ;;
        n) runs="$OPTARG" ;;
        b) build="$(realpath "$OPTARG")" ;;
        w) work="$OPTARG" ;;
        j) jobs="$OPTARG" ;;
        *) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
limit=()
[ -n "$seconds" ] && limit+=(-max_total_time="$seconds")
[ -n "$runs" ] && limit+=(-runs="$runs")
[ ${#limit[@]} -eq 0 ] && limit=(-max_total_time=60)

scratch="${FUZZ_SCRATCH:-/dev/shm}"
if [ ! -d "$scratch" ] || [ ! -w "$scratch" ]; then
    scratch="${TMPDIR:-/tmp}"
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in "$here"/*_fuzz.cpp; do
        name="$(basename "$source" .cpp)"
        targets+=("${name%_fuzz}")
    done
fi

failed=()
for target in "${targets[@]}"; do
    program="$build/fuzz/${target}_fuzz"
    if [ ! -x "$program" ]; then
        echo "$target: $program is not built" >&2
        exit 2
    fi
    dir="$work/$target"
    mkdir -p "$dir/corpus" "$dir/findings"
    cp -n "$here/corpus/$target"/* "$dir/corpus/" 2>/dev/null || true

    status=0
    regressions=("$here/regressions/$target"/*)
    if [ -e "${regressions[0]}" ]; then
        TMPDIR="$scratch" "$program" "${regressions[@]}" >"$dir/regressions.log" 2>&1 || status=$?
        if [ $status -ne 0 ]; then
            echo "$target: a regression input fails again; see $dir/regressions.log"
            tail -n 40 "$dir/regressions.log"
            failed+=("$target")
            continue
        fi
    fi

    parallel=()
    if [ "$jobs" -gt 1 ]; then
        parallel=(-jobs="$jobs" -workers="$jobs")
    fi
    rm -f "$dir"/fuzz-*.log
    # With several jobs libFuzzer writes one log per job into the current folder; their stats add up.
    (cd "$dir" && TMPDIR="$scratch" "$program" "${limit[@]}" "${parallel[@]}" -print_final_stats=1 \
        -artifact_prefix="$dir/findings/" "$dir/corpus" >"$dir/log" 2>&1) || status=$?
    stats="$(cat "$dir/log" "$dir"/fuzz-*.log 2>/dev/null || true)"
    executed="$(grep -o 'stat::number_of_executed_units: [0-9]*' <<<"$stats" |
        awk '{ s += $2 } END { print s + 0 }')"
    coverage="$(grep -o 'cov: [0-9]*' <<<"$stats" | tail -1 | cut -d' ' -f2)"
    if [ $status -ne 0 ] || [ -n "$(ls -A "$dir/findings")" ]; then
        echo "$target: FINDING after $executed runs; inputs in $dir/findings, log in $dir/log"
        tail -n 40 "$dir/log"
        failed+=("$target")
    else
        echo "$target: $executed runs, coverage ${coverage:-?} edges, no finding"
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Findings in: ${failed[*]}"
    exit 1
fi
