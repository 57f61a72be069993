#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator of the mingw build, used by CTest and by the
# discovery of the tests. The Wine prefix is $TL_WINEPREFIX, else one per user in the temporary
# folder; it is made on first use, once, even when several runs start together.
set -euo pipefail

prefix=${TL_WINEPREFIX:-${TMPDIR:-/tmp}/terralevel-wine-$(id -u)}
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or HTML engines: nothing here needs them, and their installers would stall the boot.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            wine wineboot --init >/dev/null 2>&1
            wineserver -w
        fi
    ) 9>"$prefix.lock"
fi

# Wine starts its own services from the first program it runs, and they keep that program's
# standard output and error open for as long as they run. Through pipes, whoever reads them would
# wait for their end; through files, nobody waits.
output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
status=0
wine "$@" </dev/null >"$output" 2>"$errors" || status=$?
cat "$output"
cat "$errors" >&2
exit "$status"
