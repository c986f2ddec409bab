#!/usr/bin/env bash
# Builds t482.exe (the windows preset: a 32-bit x86 program) and packs
# dist/t482.zip: the stripped program, the batch file Jw_cad starts, the
# read-me and the notices of the libraries linked into the program
# (NOTICES.txt). Also leaves the program as dist/t482.exe and writes
# dist/SHA256SUMS of both. Refuses a program that is not 32-bit, imports
# anything beyond the system's functions in packaging/imports.txt, notices
# that do not name the toolchain in use, and a zip that does not hold
# exactly these four files. The build is reproducible: the same commit gives
# the same bytes wherever and whenever it is built
# (packaging/check-reproducible.sh).
#   packaging/build-release.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

cmake --preset windows >/dev/null
cmake --build --preset windows --target t482

stage=$(mktemp -d "${TMPDIR:-/tmp}/t482-release-XXXXXX")
trap 'rm -rf "$stage"' EXIT
# strip writes a PE header anew, with the time of day unless told a time.
SOURCE_DATE_EPOCH=0 i686-w64-mingw32-strip -o "$stage/t482.exe" \
  build/windows/win32/t482.exe
files=(t482.exe t482.bat README.txt NOTICES.txt)
cp packaging/t482.bat packaging/README.txt packaging/NOTICES.txt "$stage/"

# 32-bit, Windows 7, no time stamp, and only the system functions of the
# list: the program is copied into a folder alone.
python3 packaging/check_pe.py i686-w64-mingw32-objdump "$stage/t482.exe" \
  packaging/imports.txt

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
    gcc-mingw-w64-i686-posix-runtime 2>/dev/null | sed 's/-.*//')
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
rm -f dist/t482.zip dist/t482.exe dist/SHA256SUMS
# Fixed entries: this order, one time stamp (the zip format's earliest),
# one mode, and deflate at a fixed level, so that the same files always
# give the same zip.
python3 - "$stage" "$root/dist/t482.zip" "${files[@]}" <<'PY'
import os, sys, zipfile
stage, out, names = sys.argv[1], sys.argv[2], sys.argv[3:]
with zipfile.ZipFile(out, "w") as z:
    for name in names:
        info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
        info.create_system = 0
        info.external_attr = 0
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
PY
cp "$stage/t482.exe" dist/t482.exe

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
  "(t482.exe $(stat -c %s "$stage/t482.exe") bytes)"
(cd dist && sha256sum t482.exe t482.zip >SHA256SUMS)
echo "dist/SHA256SUMS:"
cat dist/SHA256SUMS
