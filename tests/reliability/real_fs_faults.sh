#!/usr/bin/env bash
# Whole runs of t482-batch on real file systems that fail:
#   - a 64 KB tmpfs filled up to the last byte (no room for either file),
#   - a tmpfs remounted read-only,
#   - t207.dat or JWC_TEMP.TXT replaced by a folder,
# and it traces the system calls of a sound run: each file is synced before
# it replaces the old one.
# After each run it checks what the run printed and its exit status (a file
# that could not be written is reported, never "drawn") and what the folder
# holds: the settings file is the old one byte for byte, the answer is as
# stated, and no temporary file is left. The mount cases need root and mount; without them they are skipped
# (exit 77) with a message, and the folder cases still run.
#
#   real_fs_faults.sh T482-BATCH SOURCE-DIR
set -uo pipefail

batch=$1
src=$2
inputs=$src/tests/runs/dim_figure/in
work=$(mktemp -d "${TMPDIR:-/tmp}/t482-fs.XXXXXX")
mounted=()
cleanup() {
  local m
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
skipped=0
fail() {
  echo "FAIL $case_name: $*"
  failures=$((failures + 1))
}

# A fresh case folder (optionally a tmpfs of the given size) with the inputs.
setup() {
  case_name=$1
  dir=$work/$1
  mkdir -p "$dir"
  if [ -n "${2:-}" ]; then
    mount -t tmpfs -o "size=$2" tmpfs "$dir" || return 1
    mounted+=("$dir")
  fi
  cp "$inputs/JWC_TEMP.TXT" "$inputs/t207.dat" "$dir/"
}

run_batch() {
  out=$("$batch" "$dir" 2>&1)
  rc=$?
}

expect_out() {  # PREFIX [STATUS]
  case "$out" in
    "$1"*) ;;
    *) fail "printed '$out', expected '$1...'" ;;
  esac
  [ -z "${2:-}" ] || [ "$rc" -eq "$2" ] || fail "exit $rc, expected $2"
}
expect_same() {  # the file is byte for byte the input
  cmp -s "$inputs/$1" "$dir/$1" || fail "$1 changed"
}
expect_absent() {
  [ ! -e "$dir/$1" ] || fail "$1 is still there"
}
expect_no_temp() {
  local left
  left=$(find "$dir" -name '*.t482-tmp' | head -1)
  [ -z "$left" ] || fail "temporary file left: $left"
}

can_mount=0
if [ "$(id -u)" -eq 0 ] && command -v mount >/dev/null; then
  probe=$work/probe
  mkdir -p "$probe"
  if mount -t tmpfs -o size=64k tmpfs "$probe" 2>/dev/null; then
    umount "$probe"
    can_mount=1
  fi
fi

if [ $can_mount -eq 1 ]; then
  # Full disk: the settings keep their old bytes, the answer cannot be
  # written and the host's own file is deleted, so that the host never
  # reads its input back as drawing commands. The settings file failed
  # first.
  if setup full_disk 64k; then
    dd if=/dev/zero of="$dir/filler" bs=4k 2>/dev/null
    run_batch
    expect_out "write-failed t207.dat" 3
    expect_same t207.dat
    expect_absent JWC_TEMP.TXT
    expect_no_temp
    rm -f "$dir/filler"
  else
    fail "mount failed"
  fi

  # Read-only folder: nothing can be written or deleted; both files stay as
  # they were (the host then finds its own file unchanged).
  if setup read_only 64k && mount -o remount,ro "$dir"; then
    run_batch
    expect_out "write-failed t207.dat" 3
    expect_same t207.dat
    expect_same JWC_TEMP.TXT
    expect_no_temp
  else
    fail "read-only mount failed"
  fi
else
  echo "SKIP full disk and read-only folder: need root and tmpfs mounts"
  skipped=1
fi

# The settings file is a folder: the tool refuses to start; the folder
# stays, the answer is "hq".
setup settings_is_folder
rm "$dir/t207.dat" && mkdir "$dir/t207.dat"
run_batch
expect_out refused-start 1
[ -d "$dir/t207.dat" ] || fail "t207.dat folder gone"
[ "$(cat "$dir/JWC_TEMP.TXT")" = $'hq\r' ] || fail "answer is not hq"
expect_no_temp

# The host's file is a folder: no picked points to measure; the answer
# cannot replace the folder, which stays, and that failure outweighs the
# message; the settings are untouched.
setup answer_is_folder
rm "$dir/JWC_TEMP.TXT" && mkdir "$dir/JWC_TEMP.TXT"
run_batch
expect_out "write-failed JWC_TEMP.TXT" 3
[ -d "$dir/JWC_TEMP.TXT" ] || fail "JWC_TEMP.TXT folder gone"
expect_same t207.dat
expect_no_temp

# Temporary files left by a run that was killed are taken over and gone
# after the next run.
setup stale_temporaries
printf 'half a settings fi' >"$dir/t207.dat.t482-tmp"
printf 'hq\r\n0 0 1' >"$dir/JWC_TEMP.TXT.t482-tmp"
run_batch
expect_out drawn 0
expect_no_temp
cmp -s "$inputs/t207.dat" "$dir/t207.dat" && fail "settings not saved"

# Every temporary file reaches the disk before it replaces the old file, so
# that a power loss never leaves an empty file in place of a whole one.
if command -v strace >/dev/null && strace -o /dev/null true 2>/dev/null; then
  setup synced_before_replace
  strace -f -e trace=openat,open,fsync,fdatasync,rename,renameat,renameat2 \
    -o "$work/trace" "$batch" "$dir" >/dev/null 2>&1
  unsynced=$(awk '
    /t482-tmp/ && /open/ && /= [0-9]+$/ {
      match($0, /"[^"]*t482-tmp"/); path = substr($0, RSTART, RLENGTH)
      fd[$NF] = path; synced[path] = 0; next }
    /f(data)?sync\(/ {
      match($0, /\([0-9]+/); n = substr($0, RSTART + 1, RLENGTH - 1)
      if (n in fd) synced[fd[n]] = 1; next }
    /rename/ && /t482-tmp/ {
      match($0, /"[^"]*t482-tmp"/); path = substr($0, RSTART, RLENGTH)
      renames++; if (!synced[path]) print path }
    END { if (renames < 2) print "only " renames + 0 " replacement(s) seen" }
  ' "$work/trace")
  [ -z "$unsynced" ] || fail "replaced without sync: $unsynced"
else
  echo "SKIP sync before replace: strace unavailable"
fi

if [ $failures -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all real file-system cases passed"
[ $skipped -eq 1 ] && exit 77
exit 0
