#!/usr/bin/env bash
# Processor time of an idle Terralevel over ten seconds (target: under 0.1 s).
# Terralevel starts without a simulator, the connection-failed box is closed, and the main loop then
# waits for window events. Needs a build (cmake --build --preset default), xvfb-run and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/default/bin}
seconds=${IDLE_SECONDS:-10}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/terralevel" "$bin/h_move.cur" "$work/"
cp app/data/flatten.ini "$work/"
: > "$work/Tilebound.dat"
mkdir -m 700 "$work/ipc"  # an empty rendezvous folder: no simulator

FSUIPC_IPC_DIR="$work/ipc" IDLE_SECONDS=$seconds WORK=$work xvfb-run -a -s "-screen 0 800x900x24" bash -c '
    "$WORK/terralevel" &
    pid=$!
    sleep 2
    xdotool key Return   # closes "Connection to Flight Simulator failed!"
    sleep 1
    ticks() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
    before=$(ticks)
    sleep "$IDLE_SECONDS"
    after=$(ticks)
    kill $pid
    hz=$(getconf CLK_TCK)
    used=$(awk -v t=$((after - before)) -v hz=$hz "BEGIN { printf \"%.3f\", t / hz }")
    echo "idle Terralevel: $used s of processor time in $IDLE_SECONDS s"
'
