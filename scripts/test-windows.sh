#!/usr/bin/env bash
# The Windows suite: builds the Qt-free parts for Windows with mingw-w64, runs their tests under
# Wine in a virtual display, and checks that tilebound.exe appends the same Tilebound.dat records
# as the Linux tilebound, byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# A scenery header: the 16-bit word 1, then the given north, south, east and west bounds as
# little-endian 32-bit integers.
header() {
    printf '\001\000'
    local value
    for value in "$@"; do
        value=$((value & 0xFFFFFFFF))
        # shellcheck disable=SC2059  # the format is made of the value's octal escapes
        printf "$(printf '\\%03o' $((value & 255)) $((value >> 8 & 255)) $((value >> 16 & 255)) \
            $((value >> 24 & 255)))"
    done
}

# Says what went wrong, with what the runs wrote.
fail() {
    echo "Tilebound golden: $*" >&2
    cat "$work/golden.log" >&2
}

# Runs both builds of Tilebound from another folder on the same scenery files in their own folders;
# every run must end alike and the lists must end up identical.
tilebound_golden() {
    local linux=$work/linux windows=$work/windows elsewhere=$work/elsewhere folder
    mkdir -p "$linux" "$windows" "$elsewhere"
    cp "$root/build/default/bin/tilebound" "$linux/"
    cp "$root/build/mingw/bin/tilebound.exe" "$windows/"
    for folder in "$linux" "$windows"; do
        header 5278702 5245000 102005473 101000000 >"$folder/zurich.bgl"
        header 5000875 -5000875 -1456355328 2147483647 >"$folder/my area.bgl"
        header 0 0 0 0 >"$folder/abcdefghijklmno.bgl"
        header 2147483647 -2147483648 -2147483648 1 >"$folder/abcdefghijklmnop.bgl"
        printf '\001\002\222\031\070\000\000\000' >"$folder/newer.bgl"
        header 1 2 >"$folder/short.bgl"
        header 1 2 3 4 >"$folder/quoted name.bgl"
    done
    # A file of the same name in the current folder plays no part.
    header 1 1 1 1 >"$elsewhere/zurich.bgl"

    # Each line is one command line; names of 19 and 20 characters, a name of two words, bounds
    # of 0 and at the ends of the range, a second run, and files that cannot be listed.
    local cases=("zurich.bgl" "my area.bgl" "abcdefghijklmno.bgl" "abcdefghijklmnop.bgl"
        "zurich.bgl" "missing.bgl" "newer.bgl" "short.bgl" "")
    # The same regional settings for both: the decimal point.
    local line arguments linux_status windows_status successes=0 LC_ALL=C
    export LC_ALL
    for line in "${cases[@]}"; do
        read -ra arguments <<<"$line"
        linux_status=0
        (cd "$elsewhere" && "$linux/tilebound" "${arguments[@]}") 2>>"$work/golden.log" ||
            linux_status=$?
        windows_status=0
        (cd "$elsewhere" && "$root/cmake/wine-run.sh" "$windows/tilebound.exe" "${arguments[@]}") \
            2>>"$work/golden.log" || windows_status=$?
        if [ "$linux_status" -ne "$windows_status" ]; then
            fail "'$line' ended with $linux_status on Linux, $windows_status on Windows"
            return 1
        fi
        if [ "$linux_status" -eq 0 ]; then
            successes=$((successes + 1))
        fi
    done
    if ! cmp "$linux/Tilebound.dat" "$windows/Tilebound.dat"; then
        fail "the lists differ"
        return 1
    fi
    # Five records, one of them on two lines.
    if [ "$successes" -ne 5 ] || [ "$(wc -l <"$linux/Tilebound.dat")" -ne 6 ]; then
        fail "expected 5 records on 6 lines, got $successes on $(wc -l <"$linux/Tilebound.dat")"
        return 1
    fi
    if [ -e "$elsewhere/Tilebound.dat" ]; then
        fail "a list was written in the current folder"
        return 1
    fi

    # Windows gives the raw command line: quotes stay in the name, so that no file of that name
    # exists even though one without the quotes does.
    local bat=$work/quoted.bat
    printf '@"%s" "quoted name.bgl"\r\n' "$(winepath -w "$windows/tilebound.exe")" >"$bat"
    windows_status=0
    "$root/cmake/wine-run.sh" cmd /c "$(winepath -w "$bat")" >/dev/null 2>"$work/quoted.log" ||
        windows_status=$?
    if [ "$windows_status" -ne 1 ] ||
        ! grep -q '\\"quoted name.bgl": File not found' "$work/quoted.log"; then
        fail "a quoted name was not kept whole: $(cat "$work/quoted.log")"
        return 1
    fi
    if ! cmp -s "$linux/Tilebound.dat" "$windows/Tilebound.dat"; then
        fail "a failed run changed the list"
        return 1
    fi
    echo "Tilebound golden: Linux and Windows lists identical ($successes records)"
}

# Under the virtual display: one Wine server for every program of the run.
windows_suite() {
    wineserver -p
    local started=$SECONDS status=0
    ctest --preset mingw -j "$(nproc)" || status=$?
    echo "Windows tests under Wine: $((SECONDS - started)) s"
    tilebound_golden || status=1
    wineserver -k
    return "$status"
}

# The second half, run by xvfb-run below.
if [ "${1:-}" = "--under-display" ]; then
    windows_suite
    exit
fi

cmake --preset mingw >/dev/null
cmake --build --preset mingw
# The Linux tilebound, to compare with.
cmake --preset default >/dev/null
cmake --build --preset default --target tilebound

# One Wine prefix for the whole run, made once, in a temporary folder.
work=$(mktemp -d "${TMPDIR:-/tmp}/terralevel-windows.XXXXXX")
export work TL_WINEPREFIX=$work/wine WINEPREFIX=$work/wine WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
started=$SECONDS
"$root/cmake/wine-run.sh" cmd /c exit
wineserver -w
echo "Wine prefix made in $((SECONDS - started)) s"

xvfb-run -a -s "-screen 0 1024x768x24" bash "$root/scripts/test-windows.sh" --under-display
