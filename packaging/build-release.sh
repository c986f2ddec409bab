#!/usr/bin/env bash
# Builds t482.exe (the windows preset) and packs dist/t482.zip: the stripped
# program, the batch file Jw_cad starts, the read-me and the notices of the
# libraries linked into the program (NOTICES.txt). Refuses a program that
# needs any DLL beyond the system's own, notices that do not name the
# toolchain in use, and a zip that does not hold exactly these four files.
#   packaging/build-release.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

cmake --preset windows >/dev/null
cmake --build --preset windows --target t482

stage=$(mktemp -d "${TMPDIR:-/tmp}/t482-release-XXXXXX")
trap 'rm -rf "$stage"' EXIT
x86_64-w64-mingw32-strip -o "$stage/t482.exe" build/windows/win32/t482.exe
files=(t482.exe t482.bat README.txt NOTICES.txt)
cp packaging/t482.bat packaging/README.txt packaging/NOTICES.txt "$stage/"

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
for text in t482.bat README.txt NOTICES.txt; do
  if ! iconv -f CP932 -t UTF-8 "$stage/$text" >/dev/null 2>&1; then
    echo "build-release: $text is not Shift-JIS" >&2
    exit 1
  fi
  if LC_ALL=C grep -q $'[^\r]$' "$stage/$text"; then
    echo "build-release: $text has a line without CR LF" >&2
    exit 1
  fi
done

# The program is linked statically with the runtime of the mingw-w64 GCC
# (the mingw-w64 runtime, winpthreads, libstdc++ and libgcc): their notices
# travel with it, for the versions it was built with.
fail_notices() {
  echo "build-release: NOTICES.txt: $*" >&2
  exit 1
}
for part in 'mingw-w64 runtime' winpthreads libstdc++ libgcc \
  'GCC RUNTIME LIBRARY EXCEPTION' 'GNU GENERAL PUBLIC LICENSE'; do
  grep -qF "$part" packaging/NOTICES.txt || fail_notices "nothing about $part"
done
if command -v dpkg-query >/dev/null; then
  gcc_version=$(dpkg-query -W -f='${Version}' \
    gcc-mingw-w64-x86-64-posix-runtime 2>/dev/null | sed 's/-.*//')
  mingw_version=$(dpkg-query -W -f='${Version}' mingw-w64-common \
    2>/dev/null | sed 's/-.*//')
  for version in "GCC $gcc_version" "mingw-w64 $mingw_version"; do
    grep -qF "$version," packaging/NOTICES.txt ||
      fail_notices "written for another toolchain than $version"
  done
fi
grep -qF NOTICES.txt <(iconv -f CP932 -t UTF-8 packaging/README.txt) ||
  fail_notices "README.txt does not point to it"

mkdir -p dist
rm -f dist/t482.zip
if command -v zip >/dev/null; then
  (cd "$stage" && zip -q -X "$root/dist/t482.zip" "${files[@]}")
else
  python3 - "$stage" "$root/dist/t482.zip" "${files[@]}" <<'PY'
import os, sys, zipfile
stage, out, names = sys.argv[1], sys.argv[2], sys.argv[3:]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
    for name in names:
        z.write(os.path.join(stage, name), name)
PY
fi

# The zip holds exactly the staged files, byte for byte.
python3 - "$stage" dist/t482.zip "${files[@]}" <<'PY' || exit 1
import os, sys, zipfile
stage, path, names = sys.argv[1], sys.argv[2], sys.argv[3:]
with zipfile.ZipFile(path) as z:
    held = z.namelist()
    if sorted(held) != sorted(names):
        sys.exit("build-release: t482.zip holds %s, expected %s" % (held, names))
    for name in names:
        with open(os.path.join(stage, name), "rb") as f:
            if z.read(name) != f.read():
                sys.exit("build-release: %s in t482.zip differs" % name)
PY
echo "dist/t482.zip: $(stat -c %s dist/t482.zip) bytes" \
  "(t482.exe $(stat -c %s "$stage/t482.exe") bytes; imports:" $imports")"
