#!/usr/bin/env bash
# One run of the tool on the demo folder, without a window: builds the
# native programs, copies samples/demo (a host-written JWC_TEMP.TXT and the
# t207.dat a sibling tool left) to a scratch folder, runs t482-batch there
# (the dialog's settings as the settings file leaves them, then OK) and
# shows the outcome, the files the run wrote and (with t482-preview) a
# picture of the result.
#
#   bash scripts/run.sh [FOLDER]    FOLDER defaults to samples/demo
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
sample=${1:-samples/demo}

bash scripts/setup-deps.sh

echo "== building (preset native)"
cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target t482-batch >/dev/null
# The picture of the result is optional; a failed build of it only skips it.
cmake --build --preset native -j 2 --target t482-preview >/dev/null 2>&1 || true

scratch=$(mktemp -d "${TMPDIR:-/tmp}/t482-run-XXXXXX")
cp -r "$sample"/. "$scratch"/

# Shift-JIS file with CR LF, shown as UTF-8 lines.
show() {
  iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | sed 's/^/    /'
}

batch=$(find build/native -name t482-batch -type f -perm -u+x | head -n1)
if [ -z "$batch" ]; then
  echo "t482-batch is not built yet; the host's file as it stands:" >&2
  show "$scratch/JWC_TEMP.TXT"
  exit 1
fi

echo "== t482-batch $scratch"
set +e
"$batch" "$scratch"
rc=$?
set -e
echo "   (exit code $rc)"
echo
echo "== records written to JWC_TEMP.TXT"
show "$scratch/JWC_TEMP.TXT"
echo
echo "== t207.dat after the run (changed lines: before -> after)"
paste -d '\t' <(tr -d '\r' <"$sample/t207.dat") <(tr -d '\r' <"$scratch/t207.dat") |
  awk -F '\t' '$1 != $2 { printf "    line %2d: %s -> %s\n", NR, $1, $2 }'
preview=build/native/preview/t482-preview
if [ -x "$preview" ]; then
  "$preview" "$scratch" -o "$scratch/preview.png" --before "$sample/JWC_TEMP.TXT" \
    >/dev/null 2>&1 && echo && echo "== picture of the result: $scratch/preview.png"
fi
echo
echo "files are in $scratch"
exit $rc
