#!/usr/bin/env bash
# Builds the benchmarks as the presets build (the native preset; the windows
# preset, from which the release is built, for t482.exe) and runs them:
#   - reading: ReadJwcTemp of generated host files of 10, 100 and 400 MB
#     against a minimal tokenizer, with the reader's peak memory;
#   - writing: WriteJwcTemp of a million output lines against fwrite;
#   - start-up: t482.exe under Wine in Xvfb until its dialog is mapped, with
#     a few-KB host file and with the 100 MB file, against an empty window
#     and against an empty window with as many standard controls as the
#     dialog has (the target: t482.exe with the small file within 15 % of
#     the latter, in median time and in CPU time). Where the machine runs
#     no 32-bit programs (scripts/windows-arch.sh), t482.exe and the floors
#     are the windows-x64 preset's, run by wine64, and a note says so.
# Prints one table of medians and a line per target. Reading and writing
# are measured in CPU time (the machine may be shared), start-up in
# wall-clock time. A build's messages are shown only when it fails.
#
#   bench/run.sh [--reps N] [--small] [--only read|write|startup]
#
# --small uses files of 1, 10 and 40 MB (a quick check of the script);
# --only runs one group of benchmarks.
# Generated files live in a scratch folder that is removed at the end. The
# Wine prefix is kept in $T482_WINE_CACHE/prefix-bench between runs.
set -u

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
reps=5
scale=1000000  # bytes per "MB" of the file sizes below
only=
while [ $# -gt 0 ]; do
  case "$1" in
    --reps) reps=$2; shift 2 ;;
    --small) scale=100000; shift ;;
    --only)
      case "${2:-}" in
        read | write | startup) only=$2; shift 2 ;;
        *) echo "$0: --only takes read, write or startup" >&2; exit 2 ;;
      esac
      ;;
    *) echo "usage: $0 [--reps N] [--small] [--only read|write|startup]" >&2; exit 2 ;;
  esac
done

# True when the group of benchmarks is to run.
wanted() {
  [ -z "$only" ] || [ "$only" = "$1" ]
}

build=$root/build/bench
scratch=$(mktemp -d "${TMPDIR:-/tmp}/t482-bench-XXXXXX") || exit 1
results=$scratch/results.tsv
: >"$results"

wine_started=
cleanup() {
  if [ -n "$wine_started" ]; then
    t482_wineserver_stop
    t482_xvfb_stop
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

log() {
  echo "bench: $*" >&2
}

note() {
  printf 'note\t%s\n' "$*" >>"$results"
}

# --- Build ------------------------------------------------------------------
# Each build is configured from its preset in CMakePresets.json (the native
# one here, the Windows one for start-up, from which
# packaging/build-release.sh builds the shipped t482.exe), in a folder of
# its own and without the tests: what is measured is built as the presets
# build it.

# Runs a build step with its output kept back; shows the output when the
# step fails.
quietly() {
  local out=$scratch/build.log
  "$@" >"$out" 2>&1 && return 0
  cat "$out" >&2
  return 1
}

# Configures PRESET into FOLDER and builds TARGET...:
#   build_preset PRESET FOLDER TARGET...
build_preset() {
  local preset=$1 folder=$2
  shift 2
  (cd "$root" && quietly cmake --preset "$preset" -B "$folder" \
    -DT482_TESTS=OFF) &&
    quietly cmake --build "$folder" -j2 --target "$@"
}

log "building the benchmarks (the native preset's configuration) in $build"
build_preset native "$build" jwc_gen read_bench write_bench startup_bench || {
  log "the build failed"
  exit 1
}
bin=$build/bench

# --- Files --------------------------------------------------------------------
log "generating host files in $scratch"
small=$((10 * scale))
main=$((100 * scale))
large=$((400 * scale))
sizes=$main
wanted read && sizes="$small $main $large"
for size in $sizes; do
  "$bin/jwc_gen" "$scratch/host-$size.txt" "$size" 482 || exit 1
done
"$bin/jwc_gen" "$scratch/typical.txt" 4000 7 || exit 1
# The generated files are written back to disk before anything is timed:
# the write-back would otherwise take CPU from the first measurements.
sync

# --- Reading ------------------------------------------------------------------
if wanted read; then
  log "reading ($reps repetitions of each measurement)"
  "$bin/read_bench" --reps "$reps" "$scratch/host-$small.txt" \
    "$scratch/host-$main.txt" "$scratch/host-$large.txt" >>"$results" ||
    log "the reading benchmark failed"
  rm -f "$scratch/host-$large.txt" "$scratch/host-$small.txt"
fi

# --- Writing ------------------------------------------------------------------
if wanted write; then
  log "writing"
  mkdir -p "$scratch/write"
  "$bin/write_bench" --reps "$reps" "$scratch/write" >>"$results" ||
    log "the writing benchmark failed"
fi

# --- Start-up -----------------------------------------------------------------
startup() {
  local exe preset build_win strip loader
  if [ ! -f "$root/scripts/wine-env.sh" ] || ! command -v Xvfb >/dev/null; then
    note "start-up not measured: no Wine set-up (scripts/wine-env.sh) or Xvfb"
    return
  fi
  # shellcheck source=../scripts/windows-arch.sh
  . "$root/scripts/windows-arch.sh"
  t482_windows_arch_decide || {
    note "start-up not measured: T482_WINDOWS_ARCH is neither x86 nor x64"
    return
  }
  # Where no 32-bit program runs, the 64-bit twin of the shipped program is
  # measured, and its floors are built for x86-64 too.
  preset=$(t482_windows_preset windows)
  build_win=$root/build/bench-win${preset#windows}
  if [ "$T482_WINDOWS_ARCH" = x64 ]; then
    note "start-up measured as the 64-bit build (t482.exe and the floors" \
      "from the $preset preset, under wine64): $T482_WINDOWS_ARCH_WHY." \
      "Its figures and ratios are not those of the shipped 32-bit t482.exe."
  fi
  log "building t482.exe and the floors (the $preset preset's" \
    "configuration) in $build_win"
  # The floors are targets of the same build as t482.exe: the toolchain
  # file's flags, the static runtime and the manifest are the same for all.
  if ! build_preset "$preset" "$build_win" t482 floor_window floor_controls
  then
    note "start-up not measured: t482.exe or the floors did not build"
    return
  fi
  exe=$build_win/win32/t482.exe
  mkdir -p "$scratch/floor" "$scratch/controls" "$scratch/typical" \
    "$scratch/large"
  # Stripped, as the release ships t482.exe: Wine reads every section of a
  # program into memory, the debugging information of the static runtime
  # too. Each floor runs as floor.exe, in a folder of its own.
  # The build's own strip, which knows the programs' format.
  strip=$(sed -n 's/^CMAKE_STRIP:[A-Z]*=//p' "$build_win/CMakeCache.txt")
  "$strip" -o "$scratch/floor/floor.exe" "$build_win/floor_window.exe" &&
    "$strip" -o "$scratch/controls/floor.exe" \
      "$build_win/floor_controls.exe" || {
    note "start-up not measured: the floors could not be stripped"
    return
  }
  for dir in typical large; do
    "$strip" -o "$scratch/$dir/t482.exe" "$exe" || {
      note "start-up not measured: t482.exe could not be stripped"
      return
    }
    cp "$root/tests/runs/right_extension/in/t207.dat" "$scratch/$dir/"
  done

  # shellcheck source=../scripts/wine-env.sh
  . "$root/scripts/wine-env.sh"
  t482_xvfb_start || {
    note "start-up not measured: Xvfb did not start"
    return
  }
  wine_started=1
  t482_wine_use_display "$T482_WINE_DISPLAY" "$T482_WINE_CACHE/prefix-bench"
  log "start-up under Wine (prefix $WINEPREFIX, display $DISPLAY)"
  if ! t482_wine_ensure_prefix || ! t482_wineserver_start; then
    note "start-up not measured: the Wine prefix could not be set up"
    return
  fi
  local kb
  kb=$(($(stat -c %s "$scratch/typical.txt") / 1000))
  loader=$(t482_wine_loader_for "$scratch/typical/t482.exe")
  # Start-up times are wall-clock times of several processes and vary
  # more: four times the repetitions.
  # Run as a user of the prefix: another run's t482_wineserver_stop waits
  # for it to end.
  t482_wine_as_user "$bin/startup_bench" --reps $((4 * reps + 1)) \
    --loader "$loader" --title "ハルカゼ" \
    --case "empty window" "$scratch/floor" floor.exe \
    --case "empty window + 50 standard controls" "$scratch/controls" \
    floor.exe --reference \
    --case "t482.exe, $kb KB host file" "$scratch/typical" t482.exe \
    "$scratch/typical.txt" --limit 1.15 \
    --case "t482.exe, $((main / 1000000)) MB host file" "$scratch/large" \
    t482.exe "$scratch/host-$main.txt" >>"$results" ||
    log "the start-up benchmark failed"
}
wanted startup && startup

# --- Table --------------------------------------------------------------------
echo
awk -F '\t' '
  $1 == "row" {
    rows[++n] = $0
    if (length($2) > w) w = length($2)
  }
  $1 == "target" { targets[++t] = $0 }
  $1 == "note" { notes[++k] = $2 }
  END {
    fmt = "%-" w "s  %10s  %10s  %6s  %s\n"
    printf fmt, "figure", "median", "baseline", "ratio", "peak RSS"
    line = ""
    for (i = 0; i < w + 50; i++) line = line "-"
    print line
    for (i = 1; i <= n; i++) {
      split(rows[i], f, "\t")
      printf fmt, f[2], f[3], f[4], f[5], f[6]
    }
    print ""
    for (i = 1; i <= t; i++) {
      split(targets[i], f, "\t")
      printf "%-8s %s\n", f[3] == "met" ? "met" : "NOT MET", f[2]
    }
    if (k > 0) print ""
    for (i = 1; i <= k; i++) print notes[i]
  }' "$results"
