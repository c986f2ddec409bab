#!/usr/bin/env bash
# The whole test run: installs what is missing, then builds and tests every
# preset. Each stage prints a header, its output and its time; the run goes
# on after a failed stage and exits non-zero when any stage failed.
#
#   bash scripts/test.sh                 every stage
#   bash scripts/test.sh native windows  only the stages so named
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
jobs=${T482_JOBS:-2}
# Every CTest run appends its summary here, for the closing count.
ctest_log=$(mktemp)
trap 'rm -f "$ctest_log"' EXIT

# CTest, with its output also kept for the closing count.
run_ctest() {
  ctest "$@" 2>&1 | tee -a "$ctest_log"
}

# One preset: configure, build, run its tests with CTest.
preset() {
  local name=$1
  cmake --preset "$name" || return 1
  cmake --build --preset "$name" -j "$jobs" || return 1
  run_ctest --preset "$name" -j "$jobs" --no-tests=error
}

# Brings the build of a preset that an earlier stage made up to date, or
# makes it when the stage runs alone; further arguments go to the build.
up_to_date() {
  local name=$1
  shift
  { [ -f "build/$name/CMakeCache.txt" ] || cmake --preset "$name"; } &&
    cmake --build --preset "$name" -j "$jobs" "$@"
}

# CTest of a Windows preset under 32-bit Wine (the toolchain's emulator),
# with one wineserver kept up for the whole batch.
wine_ctest() {
  (
    # shellcheck source=wine-env.sh
    . "$root/scripts/wine-env.sh"
    t482_wine_ensure_prefix || exit 1
    trap t482_wineserver_stop EXIT
    t482_wineserver_start || exit 1
    run_ctest --preset "$1" -j "$jobs" --no-tests=error
  )
}

# The Windows build (32-bit), tested under 32-bit Wine. The differential
# test compares its batch runner with the native one.
windows() {
  cmake --preset windows || return 1
  cmake --build --preset windows -j "$jobs" || return 1
  up_to_date native --target t482-batch || return 1
  wine_ctest windows
}

# The checked Windows build: the programs with undefined-behaviour traps,
# library assertions and stack protection, every test under Wine's heap
# checking. Its test programs are linked from the windows build's test
# objects.
checked() {
  up_to_date windows || return 1
  cmake --preset windows-checked || return 1
  cmake --build --preset windows-checked -j "$jobs" || return 1
  up_to_date native --target t482-batch || return 1
  wine_ctest windows-checked
}

# ---- stages: name, then the command ---------------------------------------
stages=(
  "setup|bash scripts/setup-deps.sh"
  "native|preset native"
  "asan|preset asan"
  "windows|windows"
  "checked|checked"
  "release|bash packaging/check-reproducible.sh"
  "fuzz|bash fuzz/run.sh 3"
  "analyse|bash scripts/analyse.sh"
)
# -----------------------------------------------------------------------------

selected() {
  [ ${#wanted[@]} -eq 0 ] && return 0
  local w
  for w in "${wanted[@]}"; do [ "$w" = "$1" ] && return 0; done
  return 1
}

wanted=("$@")
summary=()
failed=0
total_start=$SECONDS
for entry in "${stages[@]}"; do
  name=${entry%%|*}
  command=${entry#*|}
  selected "$name" || continue
  echo
  echo "================================================================"
  echo "== stage: $name  ($command)"
  echo "================================================================"
  start=$SECONDS
  eval "$command" </dev/null
  rc=$?
  took=$((SECONDS - start))
  if [ $rc -eq 0 ]; then
    result=passed
  else
    result="FAILED (exit $rc)"
    failed=1
  fi
  echo "== stage $name: $result in ${took} s"
  summary+=("$(printf '%-10s %-18s %5d s' "$name" "$result" "$took")")
done

echo
echo "================================================================"
echo "== summary"
printf '%s\n' "${summary[@]}"
echo "total: $((SECONDS - total_start)) s"
if [ $failed -ne 0 ]; then
  echo "== SOME STAGES FAILED"
else
  echo "== all stages passed"
fi
# Last, the count over every CTest run ("N% tests passed, F tests failed out
# of T"); a stage that failed before its tests ran counts one failure.
awk -v stages_failed="$failed" '
  /tests passed, [0-9]+ tests? failed out of/ { failed += $4; total += $NF }
  END {
    if (stages_failed && failed == 0) { failed = 1; total += 1 }
    printf "tests: %d passed, %d failed\n", total - failed, failed
  }' "$ctest_log"
exit $failed
