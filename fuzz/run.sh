#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan in build/fuzz
# and runs each for a while on a scratch copy of its seed corpus and kept
# regressions. An input that breaks a target is copied into
# fuzz/regressions/<target>/ and the script fails.
#
#   fuzz/run.sh [SECONDS-PER-TARGET] [TARGET...]     (default 10 s, all)
#   T482_FUZZ_RUNS=N fuzz/run.sh 0 numbers           (N executions instead)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-10}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(jwc_reader settings_run numbers sjis)
build=$root/build/fuzz

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found; skipped"
  exit 0
fi
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null ||
  exit 1
cmake --build "$build" -j "${T482_JOBS:-2}" >/dev/null || {
  cmake --build "$build" -j1
  exit 1
}

failed=0
for t in "${targets[@]}"; do
  work=$build/work/$t
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -n "$root/fuzz/corpus/$t/"* "$work/corpus/" 2>/dev/null
  cp -n "$root/fuzz/regressions/$t/"* "$work/corpus/" 2>/dev/null
  rm -f "$work/corpus/README.md" "$work/artifacts/"*
  limit=(-max_total_time="$seconds")
  [ -n "${T482_FUZZ_RUNS:-}" ] && limit=(-runs="$T482_FUZZ_RUNS")
  log=$work/log.txt
  "$build/fuzz_$t" "${limit[@]}" -timeout=20 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    "$work/corpus" >"$log" 2>&1
  rc=$?
  stats=$(grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" |
          sed 's/stat:://' | tr '\n' ' ')
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
  echo "fuzz $t: exit $rc; $cov; $stats"
  new=("$work/artifacts/"*)
  if [ $rc -ne 0 ] || [ -e "${new[0]}" ]; then
    failed=1
    mkdir -p "$root/fuzz/regressions/$t"
    for f in "${new[@]}"; do
      [ -e "$f" ] && cp "$f" "$root/fuzz/regressions/$t/" &&
        echo "  kept $(basename "$f") in fuzz/regressions/$t/"
    done
    grep -E '^(==[0-9]+==ERROR|SUMMARY|[a-z_]+: )' "$log" | head -5
  fi
done
exit $failed
