#!/usr/bin/env bash
# Runs the dialog's whole-program tests: a private Xvfb display, a Wine
# prefix of its own for window programs (never shared with console runs),
# one wineserver for all cases, then dialog_e2e.py.
#   tests/e2e/run-e2e.sh T482_EXE T482_BATCH_EXE [dialog_e2e.py options...]
# Runs one at a time on a machine (a lock), since all cases share the
# prefix's wineserver.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -lt 2 ]; then
  echo "usage: $0 t482.exe t482-batch.exe [options...]" >&2
  exit 2
fi
exe=$(realpath "$1")
batch=$(realpath -m "$2")
shift 2

# shellcheck source=../../scripts/wine-env.sh
. "$root/scripts/wine-env.sh"
work=${T482_E2E_WORK:-${TMPDIR:-/tmp}/t482-e2e-$$}
mkdir -p "$T482_WINE_CACHE"
(
  flock -w 1200 9 || { echo "e2e: another run holds the lock" >&2; exit 1; }
  t482_xvfb_start || exit 1
  t482_wine_use_display "$T482_WINE_DISPLAY" "$T482_WINE_CACHE/prefix-e2e"
  cleanup() {
    t482_wineserver_stop
    t482_xvfb_stop
  }
  trap cleanup EXIT
  t482_wine_ensure_prefix || exit 1
  t482_wineserver_start || exit 1
  T482_E2E_LOADER=$(t482_wine_loader_for "$exe")
  export T482_E2E_LOADER
  python3 "$here/dialog_e2e.py" --exe "$exe" --batch "$batch" \
    --source "$root" --work "$work" "$@"
) 9>"$T482_WINE_CACHE/e2e.lock"
