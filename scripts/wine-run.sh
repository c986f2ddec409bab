#!/usr/bin/env bash
# Runs one Windows program under Wine and passes its exit code through.
# CTest uses it as the emulator of the Windows build:
#   scripts/wine-run.sh build/windows/tests/support_tests.exe --gtest_brief=1
# Console programs run without a display; set T482_WINE_DISPLAY for window
# programs (see wine-env.sh).
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"

if [ $# -eq 0 ]; then
  echo "usage: $0 program.exe [arguments...]" >&2
  exit 2
fi

t482_wine_ensure_prefix || exit 125

# When no persistent server runs (a lone ctest call), start one that ends a
# few seconds after its last program, and Wine's services, both detached
# from our output, so that the test runner never waits on a pipe they
# inherited.
t482_wineserver_start "${T482_WINESERVER_LINGER:-5}" || exit 125

run() {
  t482_wine "$@"
}
if [ -z "${T482_WINE_CHECK:-}" ]; then
  run "$@"
  exit
fi
# Under heap checking the error output is passed on as it comes, and a
# fault reported in it fails the run whatever the program's exit code.
{ run "$@" 2>&1 >&3 3>&- |
  awk -v faults="$T482_WINE_FAULTS" '
    { print > "/dev/stderr"; fflush("/dev/stderr") }
    $0 ~ faults { found = 1 }
    END { exit found }'; } 3>&1
status=("${PIPESTATUS[@]}")
if [ "${status[1]}" -ne 0 ]; then
  echo "wine-run: $1 faulted (exit ${status[0]})" >&2
  [ "${status[0]}" -ne 0 ] && exit "${status[0]}"
  exit 1
fi
exit "${status[0]}"
