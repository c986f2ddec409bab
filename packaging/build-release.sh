#!/usr/bin/env bash
# Builds t482.exe (the windows preset) and packs dist/t482.zip: the stripped
# program, the batch file Jw_cad starts and the read-me. Refuses a program
# that needs any DLL beyond the system's own.
#   packaging/build-release.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

cmake --preset windows >/dev/null
cmake --build --preset windows --target t482

stage=$(mktemp -d "${TMPDIR:-/tmp}/t482-release-XXXXXX")
trap 'rm -rf "$stage"' EXIT
x86_64-w64-mingw32-strip -o "$stage/t482.exe" build/windows/win32/t482.exe
cp packaging/t482.bat packaging/README.txt "$stage/"

# Only DLLs every Windows has: the program is copied into a folder alone.
allowed='^(KERNEL32|USER32|GDI32|IMM32|msvcrt)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$stage/t482.exe" |
  awk '/DLL Name:/ { print $3 }')
for dll in $imports; do
  if ! [[ $dll =~ $allowed ]]; then
    echo "build-release: t482.exe imports $dll, which is not a system DLL" >&2
    exit 1
  fi
done

# The batch file and the read-me are Shift-JIS with CR LF line ends, as
# Jw_cad and Notepad on a Japanese system read them.
for text in t482.bat README.txt; do
  if ! iconv -f CP932 -t UTF-8 "$stage/$text" >/dev/null 2>&1; then
    echo "build-release: $text is not Shift-JIS" >&2
    exit 1
  fi
  if LC_ALL=C grep -q $'[^\r]$' "$stage/$text"; then
    echo "build-release: $text has a line without CR LF" >&2
    exit 1
  fi
done

mkdir -p dist
rm -f dist/t482.zip
if command -v zip >/dev/null; then
  (cd "$stage" && zip -q -X "$root/dist/t482.zip" t482.exe t482.bat README.txt)
else
  python3 - "$stage" "$root/dist/t482.zip" <<'PY'
import os, sys, zipfile
stage, out = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
    for name in ("t482.exe", "t482.bat", "README.txt"):
        z.write(os.path.join(stage, name), name)
PY
fi
echo "dist/t482.zip: $(stat -c %s dist/t482.zip) bytes" \
  "(t482.exe $(stat -c %s "$stage/t482.exe") bytes; imports:" $imports")"
