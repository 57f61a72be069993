#!/usr/bin/env bash
# Sets up the machine, builds Terralevel and starts it beside the stand-in simulator flying its demo circuit.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target terralevel tilebound fsuipc-sim
bin=build/default/bin

# A first start gets the default settings and an empty coverage list; existing files are kept.
[ -e "$bin/flatten.ini" ] || cp app/data/flatten.ini "$bin/flatten.ini"
[ -e "$bin/Tilebound.dat" ] || : > "$bin/Tilebound.dat"

"$bin/fsuipc-sim" --demo &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 1

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$bin/terralevel"
else
    echo "No display: running Terralevel under Xvfb."
    xvfb-run -a -s "-screen 0 1024x768x24" "$bin/terralevel"
fi
