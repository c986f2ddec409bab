#!/usr/bin/env bash
# Builds the release twice, from two clean clones of the committed tree in
# two folders of different names and depths, a few seconds apart, and
# checks that both give byte-identical dist/t482.exe and dist/t482.zip
# (their SHA256SUMS are equal). Uncommitted changes are not part of it.
#   packaging/check-reproducible.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/t482-repro-XXXXXX")
trap 'rm -rf "$work"' EXIT
first=$work/a/t482
second=$work/another-place/deeper/release-clone
echo "check-reproducible: commit $(git -C "$root" rev-parse --short HEAD)"
for clone in "$first" "$second"; do
  git clone -q --no-hardlinks "$root" "$clone"
  echo "check-reproducible: building in $clone"
  (cd "$clone" && bash packaging/build-release.sh >/dev/null)
  # A second build that starts later must not carry its time into the
  # program or the zip.
  [ "$clone" = "$second" ] || sleep 3
done

if ! cmp -s "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS"; then
  echo "check-reproducible: the two builds differ" >&2
  diff "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS" >&2 || true
  for f in t482.exe t482.zip; do
    cmp "$first/dist/$f" "$second/dist/$f" >&2 || true
  done
  exit 1
fi
echo "check-reproducible: both builds give"
cat "$first/dist/SHA256SUMS"
