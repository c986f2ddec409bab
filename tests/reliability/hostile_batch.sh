#!/usr/bin/env bash
# The worst inputs through t482-batch, generated here and deleted
# afterwards: a 100 MB host line (text, digits, blanks), a million picked
# points, 100 000 fields, settings files of 10 000 lines, of 1 MB lines, of
# binary garbage, with CR line ends only. Each case states what the run
# prints; every case must end within its time, stay within its peak memory
# (resident set, measured by /usr/bin/time when present), leave only the
# two files, and write no infinity or NaN.
#
#   hostile_batch.sh T482-BATCH SOURCE-DIR [FACTOR [EMULATOR]]
# prints one line per case. FACTOR widens every limit of time and memory
# (sanitizer and checked builds). With EMULATOR (scripts/wine-run.sh) the
# program is the Windows t482-batch.exe, given the folder as a Z: path; its
# peak memory then includes Wine's own.
set -uo pipefail

batch=$1
src=$2
factor=${3:-1}
emulator=${4:-}
inputs=$src/tests/runs/dim_figure/in
work=$(mktemp -d "${TMPDIR:-/tmp}/t482-hostile.XXXXXX")
trap 'rm -rf "$work"' EXIT
timer=/usr/bin/time
[ -x "$timer" ] || timer=""

failures=0
fresh() {
  rm -rf "$work/c"
  mkdir -p "$work/c"
  cp "$inputs/JWC_TEMP.TXT" "$inputs/t207.dat" "$work/c/"
}
repeat_byte() {  # COUNT CHAR
  head -c "$1" /dev/zero | tr '\0' "$2"
}

# check NAME EXPECTED-OUTPUT-PREFIX MAX-SECONDS MAX-MB
check() {
  local name=$1 want=$2 max_s=$(($3 * factor)) max_mb=$(($4 * factor))
  local out rc secs kb
  local start=$(date +%s.%N)
  local run=(timeout $((60 * factor)) "$batch" "$work/c")
  [ -z "$emulator" ] ||
    run=(timeout $((60 * factor)) "$emulator" "$batch" "Z:${work//\//\\}\\c")
  if [ -n "$timer" ]; then
    out=$("$timer" -f '%M' -o "$work/mem" "${run[@]}" 2>&1)
    rc=$?
    kb=$(tail -1 "$work/mem")
  else
    out=$("${run[@]}" 2>&1)
    rc=$?
    kb=0
  fi
  secs=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
  local mb=$((kb / 1024)) problem=""
  case "$out" in "$want"*) ;; *) problem="printed '$out'" ;; esac
  [ $rc -le 1 ] || problem="$problem exit $rc"
  awk -v s="$secs" -v m="$max_s" 'BEGIN { exit !(s > m) }' &&
    problem="$problem took ${secs}s"
  [ $mb -le $max_mb ] || problem="$problem used ${mb} MB"
  local names
  names=$(cd "$work/c" && ls | tr '\n' ' ')
  [ "$names" = "JWC_TEMP.TXT t207.dat " ] || problem="$problem left: $names"
  if grep -aqiwE -- '-?(inf|nan|infinity)' <(cut -d'"' -f1 "$work/c/JWC_TEMP.TXT") \
     <(sed -n '1,7p;17,31p' "$work/c/t207.dat"); then
    problem="$problem non-finite number written"
  fi
  printf '%-34s %-14s %6.2f s %5d MB %s\n' "$name" "${out%% *}" "$secs" "$mb" \
    "${problem:-ok}"
  [ -z "$problem" ] || failures=$((failures + 1))
}

fresh
{ printf 'ch 0 0 1 0 "'; repeat_byte 100000000 x; printf '\r\n'; } >>"$work/c/JWC_TEMP.TXT"
check "100 MB text line" drawn 20 400
fresh
{ repeat_byte 100000000 7; printf '\r\n'; } >>"$work/c/JWC_TEMP.TXT"
check "100 MB line of digits" drawn 20 400
fresh
{ printf 'hk '; repeat_byte 100000000 1; printf '\r\n'; } >>"$work/c/JWC_TEMP.TXT"
check "a number of 100 MB digits" drawn 20 700
fresh
{ repeat_byte 100000000 ' '; printf 'x\r\n'; } >>"$work/c/JWC_TEMP.TXT"
check "100 MB line of blanks" drawn 20 400
fresh
{ repeat_byte 100000000 '\n'; } >>"$work/c/JWC_TEMP.TXT"
check "100 MB of empty lines" drawn 20 64
# Out of memory while reading: the lines before stay read, the run goes on.
# (Not in sanitizer builds, which need far more address space, nor under
# Wine, which does not start in so little.)
if [ "$factor" -eq 1 ] && [ -z "$emulator" ]; then
  fresh
  { printf 'ch 0 0 1 0 "'; repeat_byte 400000000 x; printf '\r\nhk 5\r\n'; } \
    >>"$work/c/JWC_TEMP.TXT"
  batch_plain=$batch
  printf '#!/bin/sh\nulimit -v 300000\nexec "%s" "$@"\n' "$batch_plain" >"$work/limited"
  chmod +x "$work/limited"
  batch=$work/limited
  check "400 MB line in 300 MB of memory" drawn 20 300
  batch=$batch_plain
fi
fresh
yes 'hp1 175 0' | head -n 1000000 >>"$work/c/JWC_TEMP.TXT"
check "a million picked points" drawn 20 64
fresh
{ printf 'hs'; seq -s ' ' 100000 | sed 's/^/ /'; printf '\r\n'; } >>"$work/c/JWC_TEMP.TXT"
check "100 000 fields" drawn 20 64
fresh
yes 'garbage line' | head -n 10000 >>"$work/c/t207.dat"
check "settings of 10 000 lines" drawn 20 64
fresh
for i in $(seq 31); do repeat_byte 1000000 5; printf '\r\n'; done >"$work/c/t207.dat"
check "settings of 1 MB lines" refused-focus 20 128
fresh
head -c 1000000 /dev/urandom >"$work/c/t207.dat"
check "settings of random bytes" "" 20 64
fresh
tr '\n' '\r' <"$inputs/t207.dat" | tr -d '\n' >"$work/c/t207.dat"
check "settings with CR line ends only" refused-focus 20 64

if [ $failures -ne 0 ]; then
  echo "$failures case(s) failed"
  exit 1
fi
echo "all hostile cases passed"
