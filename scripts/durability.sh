#!/usr/bin/env bash
# Durability of captures: Add Vertex through Terralevel's real handlers, killed with SIGKILL.
#
#   scripts/durability.sh [CYCLES [SEED]]      (CYCLES defaults to 1000)
#
# Builds capture-drill and runs CYCLES kill cycles on one area file: each cycle starts the drill,
# which loads flatten.txt, continues it with New Area and Add Vertex and reports every Add Vertex
# that has returned; the drill is killed with SIGKILL the moment a report arrives or at a random
# moment after the first one, and flatten.txt is judged before the next cycle continues it.
# A cycle passes when every line ends in CR LF, the file loads by the area-file rules, its bytes
# are exactly what the commands wrote (every vertex recomputed from its number), it holds every
# vertex that was reported, nothing beyond the one command in flight, and the size the drill saw
# after its last report is exactly where that vertex ends.
#
# What this proves: a process killed at any point of the capture path (inside write, inside
# fsync, between a command and the next) leaves no torn line and loses no line of a command that
# returned, earlier lines are never damaged, and the next start loads the file and goes on.
# Before the cycles, one drill runs under strace (when strace is installed) to show the order of
# the system calls: each capture is written in one write, fsync'ed and closed before its command
# returns. What it cannot prove: after SIGKILL the kernel's page cache still holds every byte
# written, fsync'ed or not, so surviving a power loss or a system crash (fsync reaching the disk)
# is beyond what a user-space test can show.
#
# Exit status 0 when every cycle passed; otherwise the first failure and its evidence are printed,
# the files are kept, and the status is non-zero.
set -euo pipefail

cycles="${1:-1000}"
seed="${2:-}"
if ! [[ "$cycles" =~ ^[1-9][0-9]*$ && "$seed" =~ ^[0-9]*$ ]]; then
    echo "usage: scripts/durability.sh [CYCLES [SEED]]" >&2
    exit 2
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset default >/dev/null
cmake --build --preset default --target capture-drill
drill="$root/build/default/tests/capture-drill"

# On the project's own file system rather than a memory-backed /tmp, so that fsync meets a disk.
work="$(mktemp -d "$root/build/durability-XXXXXX")"

if command -v strace >/dev/null; then
    mkdir "$work/traced"
    # The drill ends by SIGPIPE once head has taken its reports.
    strace -o "$work/trace" -e trace=openat,write,fsync,close \
        "$drill" capture "$work/traced" 512 | head -n 50 >/dev/null || true
    if ! awk '
        {
            call = $0; sub(/\(.*/, "", call)
            fd = $0; sub(/^[a-z]+\(/, "", fd); sub(/[,)].*/, "", fd)
        }
        call == "openat" && /flatten\.txt"/ && /O_APPEND/ { file = $NF; state = "open"; next }
        call == "write" && fd == file && state == "open" { state = "written"; next }
        call == "fsync" && fd == file && state == "written" { state = "synced"; next }
        call == "close" && fd == file {
            if (state != "synced") { print "flatten.txt closed before fsync: " $0; bad = 1; exit }
            state = "closed"; file = ""; next
        }
        call == "write" && fd == "1" {
            ++reports
            if (state != "closed") {
                print "report " reports " came before flatten.txt was written, fsync'"'"'ed and closed: " $0
                bad = 1; exit
            }
            state = ""
        }
        END {
            if (bad) exit 1
            if (reports < 50) { print "the traced drill made only " reports " reports"; exit 1 }
            print reports " traced captures: one write, fsync and close before each command returned"
        }' "$work/trace"; then
        echo "trace kept in $work/trace" >&2
        exit 1
    fi
else
    echo "strace is not installed: the order of write, fsync and close is not traced"
fi

if "$drill" cycles "$cycles" "$work/cycles" 512 $seed; then
    rm -rf "$work"
else
    status=$?
    echo "files kept in $work" >&2
    exit "$status"
fi
