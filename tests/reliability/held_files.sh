#!/usr/bin/env bash
# Whole runs of t482-batch.exe under Wine while another program holds the
# folder's files open with read sharing only, as virus scanners, indexers
# and sync clients do for a moment (hold_files.exe; each hold lasts from
# the start of the run until the run has begun writing one of the held
# files, and the given time longer):
#   - both files held for 0.5 s: the run waits and succeeds, and both files
#     are what the native runner writes for the same folder (the golden
#     files of the run "dim_figure"); the settings file was seen waiting;
#   - both files held for 3 s, past the 2 s the run waits: the settings
#     cannot be saved (reported, exit 3, old settings kept); the answer,
#     written later, goes through once the files are let go;
#   - only the answer held for 3 s: reported, exit 3; the settings are
#     saved, and the host's file is deleted once it is let go, so that the
#     host never reads its own input back as drawing commands.
#
#   held_files.sh T482-BATCH.EXE HOLD_FILES.EXE SOURCE-DIR
set -uo pipefail

batch=$1
hold=$2
src=$3
case_dir=$src/tests/runs/dim_figure
work=$(mktemp -d "${TMPDIR:-/tmp}/t482-held.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL $case_name: $*"
  failures=$((failures + 1))
}

winpath() {
  local p=$1
  printf 'Z:%s' "${p//\//\\}"
}

# run NAME MS FILE...: holds the named files of a fresh folder for MS ms
# while t482-batch.exe runs in it.
run() {
  case_name=$1
  local ms=$2 f
  shift 2
  dir=$work/$case_name
  mkdir -p "$dir"
  cp "$case_dir/in/JWC_TEMP.TXT" "$case_dir/in/t207.dat" "$dir/"
  local held=()
  for f in "$@"; do held+=("$(winpath "$dir/$f")"); done
  "$src/scripts/wine-run.sh" "$hold" "$ms" "${held[@]}" -- \
    "$(winpath "$batch")" "$(winpath "$dir")" >"$work/out" 2>"$work/err"
  rc=$?
  out=$(tr -d '\r' <"$work/out")
  pending=$(tr -d '\r' <"$work/err" | grep '^pending' | sed 's/.*\\//')
  tr -d '\r' <"$work/err" | grep -v '^pending' >&2
  grep -q 'no write seen' "$work/err" && fail "the run never wrote a held file"
  echo "$case_name: '$out', exit $rc, held $ms ms${pending:+, waiting: $pending}"
}

expect() {  # OUTPUT STATUS
  [ "$out" = "$1" ] || fail "printed '$out', expected '$1'"
  [ "$rc" -eq "$2" ] || fail "exit $rc, expected $2"
  local left
  left=$(find "$dir" -name '*.t482-tmp' | head -1)
  [ -z "$left" ] || fail "temporary file left: $left"
}
same() {  # FILE in|expected
  cmp -s "$case_dir/$2/$1" "$dir/$1" || fail "$1 is not the $2 file"
}

run held_briefly 500 JWC_TEMP.TXT t207.dat
expect drawn 0
same JWC_TEMP.TXT expected
same t207.dat expected
# Otherwise the run was not slowed by the hold, and proves nothing.
case "$pending" in
  *t207.dat*) ;;
  *) fail "the run did not wait for the held settings file" ;;
esac

run held_too_long 3000 JWC_TEMP.TXT t207.dat
expect "write-failed t207.dat" 3
same t207.dat in
same JWC_TEMP.TXT expected

run answer_held_too_long 3000 JWC_TEMP.TXT
expect "write-failed JWC_TEMP.TXT" 3
same t207.dat expected
[ ! -e "$dir/JWC_TEMP.TXT" ] || fail "the host's file is still there"

if [ $failures -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all held-file cases passed"
