#!/usr/bin/env bash
# Runs Windows-side test programs with the display at another scale, in a throwaway copy of the
# test prefix whose LogPixels is the dpi given: the shared prefix keeps 96 dpi for the other
# suites. The programs find the dpi in SUTREMO_DPI, to check that it took.
#   AtDpi.sh DPI program.exe [argument...] [-- program.exe [argument...]]...
# Needs WINEPREFIX (a ready prefix) and DISPLAY. Fails when any of the programs fails.
set -u
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
DPI=$1
shift
SOURCE_PREFIX=${WINEPREFIX:?a ready Wine prefix}
SUTREMO_WINEPREFIX=$SOURCE_PREFIX . "$ROOT/scripts/wine-env"

work=$(mktemp -d)
export WINEPREFIX=$work/prefix
trap '"$WINESERVER" -k >/dev/null 2>&1; "$WINESERVER" -w >/dev/null 2>&1; rm -rf "$work"' EXIT
cp -a "$SOURCE_PREFIX" "$WINEPREFIX"
wine_set_dpi "$WINEPREFIX" "$DPI" || exit 1
export SUTREMO_DPI=$DPI

status=0
command=()
run() {
    [ ${#command[@]} -gt 0 ] || return 0
    "$WINE" "${command[@]}" || status=1
    command=()
}
for arg in "$@"; do
    if [ "$arg" = -- ]; then run; else command+=("$arg"); fi
done
run
exit $status
