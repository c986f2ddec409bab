#!/usr/bin/env bash
# The tool's main job on a sample folder: builds t482.exe (Windows, with
# mingw-w64; the 64-bit build where the machine runs no 32-bit programs) and
# the native helpers, copies the folder (samples/demo: a
# host-written JWC_TEMP.TXT with two picked points and the t207.dat a sibling
# tool left) to a scratch folder and runs t482.exe there under Wine, as
# Jw_cad would.
#   - With a desktop (DISPLAY set, not CI): the dialog opens on it; press
#     OK (or Enter) yourself.
#   - Without one: a private Xvfb display; the script waits for the dialog,
#     saves a screenshot of it, and presses OK.
# Then it prints the records the tool wrote to JWC_TEMP.TXT (as UTF-8), the
# lines of t207.dat that changed, and draws the result with t482-preview.
#
#   bash scripts/run.sh [FOLDER]    FOLDER defaults to samples/demo
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
sample=$(realpath "${1:-samples/demo}")

# The shipped 32-bit t482.exe, or where this machine runs no 32-bit
# programs, its 64-bit build under wine64 (scripts/windows-arch.sh).
. scripts/windows-arch.sh
t482_windows_arch_decide
bash scripts/setup-deps.sh
windows=$(t482_windows_preset windows)
[ "$T482_WINDOWS_ARCH" = x86 ] || echo "== $T482_WINDOWS_ARCH_WHY"

echo "== building t482.exe (preset $windows) and the native helpers"
log=$(mktemp)
quiet() { "$@" >"$log" 2>&1 || { cat "$log"; echo "failed: $*" >&2; exit 1; }; }
quiet cmake --preset "$windows"
quiet cmake --build --preset "$windows" -j 2 --target t482
quiet cmake --preset native
quiet cmake --build --preset native -j 2 --target t482-preview
rm -f "$log"
exe=$root/build/$windows/win32/t482.exe

scratch=$(mktemp -d "${TMPDIR:-/tmp}/t482-run-XXXXXX")
cp -r "$sample"/. "$scratch"/
cp "$exe" "$scratch/"

# Shift-JIS file with CR LF, shown as UTF-8 lines.
show() {
  iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | sed 's/^/    /'
}

interactive=0
if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  interactive=1
fi

(
  desktop=${DISPLAY:-}
  . scripts/wine-env.sh
  if [ $interactive -eq 1 ]; then
    t482_wine_use_display "$desktop"
  else
    t482_xvfb_start
    t482_wine_use_display
  fi
  cleanup() {
    t482_wineserver_stop
    t482_xvfb_stop
  }
  trap cleanup EXIT
  t482_wine_ensure_prefix
  t482_wineserver_start

  echo "== t482.exe in $scratch"
  cd "$scratch"
  if [ $interactive -eq 1 ]; then
    echo "   the dialog is on your desktop: press OK or Cancel"
    t482_wine ./t482.exe
  else
    t482_wine ./t482.exe &
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^ハルカゼ$' | head -n1)
    sleep 0.5
    timeout 10 xdotool windowfocus --sync "$window" || true
    eval "$(xdotool getwindowgeometry --shell "$window")"
    timeout 30 import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" \
      "$scratch/dialog.png" || true
    echo "   screenshot of the dialog: $scratch/dialog.png"
    timeout 10 xdotool key --window "$window" Return
    wait "$pid"
  fi
)

echo
echo "== records written to JWC_TEMP.TXT"
show "$scratch/JWC_TEMP.TXT"
echo
echo "== t207.dat after the run (changed lines: before -> after)"
paste -d '\t' <(tr -d '\r' <"$sample/t207.dat") <(tr -d '\r' <"$scratch/t207.dat") |
  awk -F '\t' '$1 != $2 { printf "    line %2d: %s -> %s\n", NR, $1, $2 }'
echo
build/native/preview/t482-preview "$scratch" -o "$scratch/preview.png" \
  --before "$sample/JWC_TEMP.TXT"
echo "== picture of the result: $scratch/preview.png"
