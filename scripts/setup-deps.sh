#!/usr/bin/env bash
# Installs what building, testing and running t482 needs on Debian 12, and
# enables the ja_JP.UTF-8 locale that Wine needs for code page 932.
# Idempotent: installs only what is missing and says nothing when all is in
# place. Needs root (or sudo) only when something has to be installed.
set -euo pipefail

packages=(
  build-essential g++ cmake make libgtest-dev clang-format clang-tidy
  g++-mingw-w64-i686-posix wine64 wine32:i386
  xvfb xdotool imagemagick fonts-ipafont-gothic fonts-wine locales
  clang libclang-rt-14-dev librsvg2-bin valgrind
  git python3 ca-certificates
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "setup-deps: need root to run: $*" >&2
    return 1
  fi
}

# The shipped program is 32-bit: its tests run under 32-bit Wine, which
# comes from Debian's i386 packages.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup-deps: adding the i386 architecture"
  as_root dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)
  case "$status" in
    ii*) ;;
    *) missing+=("$p") ;;
  esac
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    --no-install-recommends "${missing[@]}" </dev/null
fi

# Wine reports code page 932 and locale 0x0411 only when ja_JP.UTF-8 exists.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  echo "setup-deps: generating the ja_JP.UTF-8 locale"
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
      as_root sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    else
      echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    fi
  fi
  as_root locale-gen >/dev/null
fi
