#!/usr/bin/env bash
# Lets the shipped program make its real, forced request in a throwaway copy of the test prefix
# and checks that it ends every process there (the program, the driving test, the Wine server)
# within a few seconds of the set time. Under Wine a forced ExitWindowsEx runs wineboot --kill
# --shutdown on its own prefix and touches nothing outside it.
# Arguments: e2e_tests.exe Sutremo.exe. Needs WINEPREFIX (a ready prefix) and DISPLAY.
set -u
E2E=$1
PROGRAM=$2
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
: "${WINEPREFIX:?a ready Wine prefix}"

work=$(mktemp -d)
throwaway="$work/prefix"
cleanup() {
    WINEPREFIX="$throwaway" "$WINESERVER" -k >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
cp -a "$WINEPREFIX" "$throwaway"

WINEPREFIX="$throwaway" SUTREMO_THROWAWAY_PREFIX=1 \
    "$WINE" "$E2E" "$PROGRAM" --gtest_filter='ScheduleRealRequest.*' >"$work/out" 2>&1 &
driver=$!
# The driver ends with the prefix; past 40 s something is wrong.
for _ in $(seq 400); do kill -0 "$driver" 2>/dev/null || break; sleep 0.1; done
driver_end=$(date +%s.%N)
kill -0 "$driver" 2>/dev/null && { echo "the driver is still running"; cat "$work/out"; exit 1; }
WINEPREFIX="$throwaway" timeout 20 "$WINESERVER" -w
server_end=$(date +%s.%N)

cat "$work/out"
armed=$(sed -n 's/^armed unix=\([0-9]*\).*/\1/p' "$work/out")
[ -n "$armed" ] || { echo "FAIL: the program was never switched on"; exit 1; }
if grep -q -e '\[  FAILED  \]' -e '\[       OK \]' -e '\[  SKIPPED \]' "$work/out"; then
    echo "FAIL: the test ran to its end, so the request did not end the prefix"
    exit 1
fi
awk -v a="$armed" -v d="$driver_end" -v s="$server_end" 'BEGIN {
    printf "set time +%.1f s: processes gone; +%.1f s: Wine server gone\n", d - a, s - a
    exit !(d - a >= 0 && d - a < 5 && s - a < 15)
}' || { echo "FAIL: not ended within a few seconds of the set time"; exit 1; }
echo "PASS"
