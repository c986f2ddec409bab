#!/usr/bin/env bash
# Memory and static analysis of the native build (about two minutes):
#   valgrind  memcheck over the native test programs, on the tests that
#             handle files, streams, buffers and whole runs. Valgrind
#             computes long double in 64 bits, not with the x87's 80, so
#             tests of the extended arithmetic can fail under it: only
#             memcheck's own findings (exit 99), a crash or a leak fail
#             this stage; plain test failures are listed.
#   tidy      clang-tidy, bugprone-* and performance-* without the checks
#             that misfire here, over the sources of every layer.
#
#   scripts/analyse.sh [valgrind] [tidy]     (default: both)
#   T482_ANALYSE_BUILD=build/native          (the build to use; configured
#                                             when missing, brought up to date)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
build=${T482_ANALYSE_BUILD:-build/native}
jobs=${T482_JOBS:-2}
stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(valgrind tidy)

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
# Up to date after the native stage; rebuilt here when run on its own.
cmake --build "$build" -j "$jobs" --target support_tests interchange_tests \
  tool_tests >/dev/null || exit 1

failed=0

run_valgrind() {
  if ! command -v valgrind >/dev/null; then
    echo "valgrind: not installed; skipped"
    return 0
  fi
  # program|filter
  local runs=(
    "support_tests|AtomicFileWriterTest.*:PlatformFilesTest.*:LineReaderTest.*:FaultFileSystemTest.*:NumberEdges.*:*Sjis*:*StripBlanks*"
    "interchange_tests|ReaderFileTest.*:ReaderPlatformFiles.*:SampleTest.*:WriteJwcTemp*:RenderJwcTemp.*:*HostileInput*"
    "tool_tests|SettingsTest.*:*FormFault*:*FuzzReplay*:*HostileRun*:FormTest.*"
  )
  local entry program filter rc log
  for entry in "${runs[@]}"; do
    program=${entry%%|*}
    filter=${entry#*|}
    log=$(mktemp)
    (cd "$build/tests" &&
      valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
        --errors-for-leak-kinds=definite --show-leak-kinds=definite \
        --suppressions="$root/scripts/valgrind.supp" -q \
        "./$program" --gtest_brief=1 --gtest_filter="$filter") >"$log" 2>&1
    rc=$?
    local tests
    tests=$(grep -oE '[0-9]+ tests? from [0-9]+ test suites? ran' "$log" | head -1)
    if [ $rc -eq 0 ] || [ $rc -eq 1 ]; then
      echo "valgrind $program: no memory errors ($tests)"
      if [ $rc -eq 1 ]; then
        echo "  failing under valgrind's 64-bit long double (not memory errors):"
        grep -E '^\[  FAILED  \] [A-Za-z]' "$log" | sort -u | sed 's/, where.*//;s/^/    /'
      fi
    else
      echo "valgrind $program: FAILED (exit $rc)"
      grep -E '^==[0-9]+==' "$log" | head -40
      failed=1
    fi
    rm -f "$log"
  done
}

run_tidy() {
  if ! command -v clang-tidy >/dev/null; then
    echo "clang-tidy: not installed; skipped"
    return 0
  fi
  # Left out: swappable parameters and narrowing (every geometry routine
  # takes doubles side by side, and the extended arithmetic narrows on
  # purpose), widening of constant products (64 * 1024), and the null
  # terminator check, which takes memchr over byte buffers for strchr.
  local checks='-*,bugprone-*,performance-*'
  checks+=',-bugprone-easily-swappable-parameters,-bugprone-narrowing-conversions'
  checks+=',-bugprone-implicit-widening-of-multiplication-result'
  checks+=',-bugprone-not-null-terminated-result'
  local out
  out=$(ls support/*.cpp interchange/*.cpp tool/*.cpp batch/*.cpp |
        grep -v '_win32\.cpp$' |
        xargs -P "$jobs" -n 4 clang-tidy -p "$build" --quiet \
          --checks="$checks" 2>/dev/null | grep -E 'warning:|error:')
  if [ -n "$out" ]; then
    echo "clang-tidy: FAILED"
    echo "$out"
    failed=1
  else
    echo "clang-tidy: clean ($checks)"
  fi
}

for s in "${stages[@]}"; do
  case "$s" in
    valgrind) run_valgrind ;;
    tidy) run_tidy ;;
    *) echo "unknown stage $s"; exit 2 ;;
  esac
done
exit $failed
