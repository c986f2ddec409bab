#!/usr/bin/env bash
# The whole test run: installs what is missing, then builds and tests every
# preset. Each stage prints a header, its output and its time; the run goes
# on after a failed stage and exits non-zero when any stage failed.
#
# The dialog's tests under Wine mostly wait (for windows, keys, the
# program's end): a stage may start such tests in the background once it
# has passed, to run beside the stages that follow, which give them the
# processor first (they run at a lower priority). Each background run is
# reported at the end as a stage of its own.
#
#   bash scripts/test.sh                 every stage
#   bash scripts/test.sh native windows  only the stages so named
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
jobs=${T482_JOBS:-2}
# Every CTest run appends its summary here, for the closing count.
ctest_log=$(mktemp)
background=()  # "name|log|pid|start" of each run in the background
stop_background() {
  local job pid
  for job in "${background[@]}"; do
    IFS='|' read -r _ _ pid _ <<<"$job"
    kill -- "-$pid" 2>/dev/null
  done
}
trap 'stop_background; rm -f "$ctest_log"' EXIT

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

# CTest of a Windows preset under Wine (the toolchain's emulator picks each
# program's loader), with one wineserver kept up for the whole batch.
wine_ctest() {
  (
    # shellcheck source=wine-env.sh
    . "$root/scripts/wine-env.sh"
    t482_wine_ensure_prefix || exit 1
    trap t482_wineserver_stop EXIT
    t482_wineserver_start || exit 1
    run_ctest --preset "$@" -j "$jobs" --no-tests=error
  )
}

# The dialog's tests of a Windows preset (label e2e). They bring up their
# own display and wineserver.
dialog() {
  ctest --preset "$1" -L e2e --no-tests=error
}
export -f dialog

# Where 32-bit programs cannot run, the 32-bit builds make their programs
# only (not the test programs, which could not run), and of their tests run
# those that run no Windows program: the format, subsystem and imports of
# t482.exe.
programs=(--target t482 t482-batch)
not_running='^windows\.imports$'

# Which build runs the Windows programs (scripts/windows-arch.sh): decided
# once, before anything else, and inherited by every script the run starts.
# shellcheck source=windows-arch.sh
. "$root/scripts/windows-arch.sh"
t482_windows_arch_decide || exit 2
echo "test: $T482_WINDOWS_ARCH_WHY"
if [ "$T482_WINDOWS_ARCH" = x64 ]; then
  windows_note="32-bit build checked, 64-bit build run under wine64"
else
  windows_note="32-bit build run under wine"
fi

# The Windows build (32-bit), tested under 32-bit Wine, or where that
# cannot run, built and checked, and its 64-bit twin tested under wine64.
# The differential test compares a batch runner with the native one.
windows() {
  cmake --preset windows || return 1
  if [ "$T482_WINDOWS_ARCH" = x86 ]; then
    cmake --build --preset windows -j "$jobs" || return 1
    up_to_date native --target t482-batch || return 1
    wine_ctest windows -LE e2e
    return
  fi
  cmake --build --preset windows -j "$jobs" "${programs[@]}" || return 1
  run_ctest --preset windows -R "$not_running" --no-tests=error || return 1
  up_to_date native --target t482-batch || return 1
  cmake --preset windows-x64 || return 1
  cmake --build --preset windows-x64 -j "$jobs" || return 1
  wine_ctest windows-x64 -LE e2e
}

# The checked Windows build: the programs with undefined-behaviour traps,
# library assertions and stack protection, every test under Wine's heap
# checking. Its test programs are linked from the plain build's test
# objects. Where 32-bit programs cannot run, the 32-bit checked build makes
# its programs only, and the 64-bit one is tested.
checked() {
  local plain=$1 checked=$1-checked targets=()
  [ "$(t482_windows_preset windows)" = "$plain" ] || targets=("${programs[@]}")
  up_to_date "$plain" "${targets[@]}" || return 1
  cmake --preset "$checked" || return 1
  cmake --build --preset "$checked" -j "$jobs" "${targets[@]}" || return 1
  [ ${#targets[@]} -eq 0 ] || return 0
  up_to_date native --target t482-batch || return 1
  wine_ctest "$checked" -LE e2e
}

# Where 32-bit programs run, the 64-bit path is still kept working: its
# build, its unit tests and the differential test.
x64_smoke() {
  cmake --preset windows-x64 || return 1
  cmake --build --preset windows-x64 -j "$jobs" --target support_tests \
    interchange_tests tool_tests windows_tests t482-batch || return 1
  up_to_date native --target t482-batch || return 1
  wine_ctest windows-x64 -R '_tests$|^differential\.'
}

# ---- stages: name, the command, then what it starts in the background ----
# The Windows stages come first, so that their dialog tests run beside the
# longest builds.
# Where 32-bit programs run, the 64-bit path gets a stage of its own;
# elsewhere both checked builds are made in the checked stage.
preset_run=$(t482_windows_preset windows)
stages=(
  "setup|bash scripts/setup-deps.sh"
  "windows|windows|dialog $preset_run"
)
if [ "$T482_WINDOWS_ARCH" = x86 ]; then
  stages+=("checked|checked windows|dialog windows-checked"
    "windows-x64|x64_smoke")
else
  stages+=("checked|checked windows && checked windows-x64|dialog windows-x64-checked")
fi
stages+=(
  "native|preset native"
  "asan|preset asan"
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

# Which Windows build a stage ran, for its header and its summary line.
build_note() {
  case $1 in
    windows | checked | windows-dialog | checked-dialog) echo "$windows_note" ;;
    windows-x64) echo "64-bit build run under wine64" ;;
  esac
}

header() {
  local note
  note=$(build_note "$1")
  echo
  echo "================================================================"
  echo "== stage: $1  ($2)"
  [ -z "$note" ] || echo "== $note"
  echo "================================================================"
}

# The end of a stage: its result, and its line in the summary.
ended() {
  local name=$1 rc=$2 took=$3 result=passed
  if [ "$rc" -ne 0 ]; then
    result="FAILED (exit $rc)"
    failed=1
  fi
  echo "== stage $name: $result in ${took} s"
  summary+=("$(printf '%-16s %-18s %5d s  %s' "$name" "$result" "$took" \
    "$(build_note "$name")")")
}

wanted=("$@")
summary=()
failed=0
total_start=$SECONDS
for entry in "${stages[@]}"; do
  IFS='|' read -r name command after <<<"$entry"
  selected "$name" || continue
  header "$name" "$command"
  start=$SECONDS
  if [ ${#background[@]} -eq 0 ]; then
    eval "$command" </dev/null
  else
    (renice -n 10 -p "$BASHPID" >/dev/null 2>&1; eval "$command") </dev/null
  fi
  rc=$?
  ended "$name" $rc $((SECONDS - start))
  if [ $rc -eq 0 ] && [ -n "$after" ]; then
    log=$(mktemp)
    # A process group of its own, so that it can be stopped as a whole; it
    # notes its own time.
    setsid -w bash -c "$after"'; rc=$?; echo $SECONDS >"$0.took"; exit $rc' \
      "$log" >"$log" 2>&1 </dev/null &
    background+=("$name-dialog|$log|$!|$SECONDS")
    echo "== started in the background: $name-dialog ($after)"
  fi
done

for job in "${background[@]}"; do
  IFS='|' read -r name log pid start <<<"$job"
  header "$name" "in the background since $((start - total_start)) s"
  wait "$pid"
  rc=$?
  cat "$log"
  cat "$log" >>"$ctest_log"
  took=$(cat "$log.took" 2>/dev/null || echo $((SECONDS - start)))
  rm -f "$log" "$log.took"
  ended "$name" $rc "$took"
done
background=()

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
