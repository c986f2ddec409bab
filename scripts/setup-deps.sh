#!/usr/bin/env bash
# Installs what building, testing and running t482 needs on Debian 12, and
# enables the ja_JP.UTF-8 locale that Wine needs for code page 932.
# Idempotent: installs only what is missing and says nothing when all is in
# place. Needs root (or sudo) only when something has to be installed.
#
# It runs on machines nobody here sees, so it copes with what they do: a
# package list the mirror cannot serve (the set-up goes on with the lists at
# hand), 32-bit lists older than the 64-bit ones (the install is tried again
# with the release's own versions), another apt or dpkg holding its lock, as
# a machine's own updates at boot do (waited for, about two minutes). Every
# failure ends with one sentence saying what to do.
#
# 32-bit Wine (wine32, from Debian's i386 packages) runs the shipped 32-bit
# program. Where the kernel runs no 32-bit programs at all, the Windows
# programs run as their 64-bit build under wine64 instead: one probe
# (scripts/windows-arch.sh) decides it before anything is installed, and
# the i386 architecture and wine32 are then left out (a machine that has
# them keeps them).
#
# T482_OS_RELEASE and T482_LOCALE_GEN name other files than /etc/os-release
# and /etc/locale.gen (for tests/scripts/setup_deps_test.sh).
set -euo pipefail

packages=(
  build-essential g++ cmake make libgtest-dev clang-format clang-tidy
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 wine32:i386
  xvfb xdotool imagemagick fonts-ipafont-gothic fonts-wine locales
  clang libclang-rt-14-dev librsvg2-bin valgrind
  git python3 ca-certificates
)

os_release=${T482_OS_RELEASE:-/etc/os-release}
locale_gen=${T482_LOCALE_GEN:-/etc/locale.gen}
# apt-get update: tries, and the pause between them (a mirror in the middle
# of a sync is often whole again seconds later).
update_tries=3
update_pause=5
# Another apt or dpkg holding a lock: waited for about this long in all.
lock_wait=120
lock_pause=2
# apt retries each download itself and waits for dpkg's lock itself; the
# loops below cover only what it does not.
apt_options=(-o Acquire::Retries=3 -o "DPkg::Lock::Timeout=$lock_wait")
# What apt-get and dpkg say when another of them holds a lock.
lock_pattern='could not get lock|unable to (acquire|lock)|locked by another process'

say() { echo "setup-deps: $*"; }
warn() { echo "setup-deps: $*" >&2; }
err() {
  echo "setup-deps: $*" >&2
  exit 1
}
need_cmd() {
  command -v "$1" >/dev/null 2>&1 ||
    err "$1 not found: this script sets up Debian 12; elsewhere, install the packages it lists by hand"
}
ensure() {
  "$@" || err "'$*' failed; run it by hand as root to see why, then run this script again"
}

is_root() { [ "${uid:=$(id -u)}" -eq 0 ]; }
need_root() {
  is_root || command -v sudo >/dev/null 2>&1 ||
    err "$1 needs root: run this script as root, or install sudo for your user"
}
as_root() {
  if is_root; then "$@"; else sudo "$@"; fi
}
as_root_hint() { is_root || printf 'sudo '; }

# Fills `missing` with the packages not installed. One query for all of
# them: a query each took half a second.
find_missing() {
  local native installed p
  native=$(dpkg --print-architecture)
  # Names as dpkg gives them: "wine32:i386"; "libgtest-dev:amd64" for a
  # package that may be installed for several architectures. The status is
  # three letters, the second "i" for installed, whatever the first wants
  # done with it ("hi": held, so that upgrades leave it as it is).
  installed=" $(dpkg-query -W -f='${db:Status-Abbrev}${binary:Package}\n' \
    "${packages[@]}" 2>/dev/null | sed -n 's/^.i. *//p' | tr '\n' ' ' || true) "
  missing=()
  for p in "${packages[@]}"; do
    case $installed in
      *" $p "* | *" $p:$native "*) ;;
      *) missing+=("$p") ;;
    esac
  done
}

# Runs a package-manager command as root in the C locale (its messages are
# read here), its output kept in $log and, with --show, shown as it comes.
# While another apt or dpkg holds a lock the command does not wait for
# itself (apt-get update's list lock, the download folder's, dpkg's own), it
# is run again, for about $lock_wait seconds in all; counted in tries too,
# so that the wait stays bounded whatever the clock does.
pm() {
  local show=0 tries=0 rc deadline=$((SECONDS + lock_wait)) held
  if [ "$1" = --show ]; then
    show=1
    shift
  fi
  while :; do
    rc=0
    if [ $show -eq 1 ]; then
      as_root env LC_ALL=C DEBIAN_FRONTEND=noninteractive "$@" </dev/null 2>&1 |
        tee "$log" || rc=$?
    else
      as_root env LC_ALL=C DEBIAN_FRONTEND=noninteractive "$@" </dev/null \
        >"$log" 2>&1 || rc=$?
    fi
    [ $rc -ne 0 ] || return 0
    held=$(grep -iE -m1 "$lock_pattern" "$log") || return $rc
    held=${held#E: }
    tries=$((tries + 1))
    if [ $((tries * lock_pause)) -gt $lock_wait ] || [ $SECONDS -ge $deadline ]; then
      err "another apt or dpkg still holds its lock after $lock_wait s ($held); let it finish, then run this script again"
    fi
    [ $tries -gt 1 ] || say "waiting for another apt or dpkg to finish ($held)"
    sleep $lock_pause
  done
}

# The last error apt-get gave in $log, for a message of ours.
last_error() {
  local e
  e=$(sed -n 's/^E: //p' "$log" | tail -n1)
  echo "${e:-exit status $1}"
}

# What apt-get update could not fetch, in one line: each list's address and
# apt's reason, from its messages in $log.
update_failure() {
  local fetched
  fetched=$(awk '
    /^[EW]: Failed to fetch / {
      line = substr($0, 20)
      url = line; sub(/ .*/, "", url)
      why = substr(line, length(url) + 1)
      sub(/^ +/, "", why); sub(/ *\[IP: [^]]*\] *$/, "", why)
      out = out (out == "" ? "" : "; ") url (why == "" ? "" : " (" why ")")
    }
    END { print out }' "$log")
  if [ -n "$fetched" ]; then
    echo "could not fetch $fetched"
  else
    echo "could not update the package lists ($(last_error "$1"))"
  fi
}

update_lists() {
  local try rc
  for ((try = 1; ; try++)); do
    rc=0
    pm apt-get update -qq "${apt_options[@]}" || rc=$?
    [ $rc -ne 0 ] || return 0
    [ $try -lt $update_tries ] || break
    sleep $update_pause
  done
  warn "$(update_failure $rc); going on with the package lists at hand"
}

release_codename() {
  [ -r "$os_release" ] || return 0
  sed -n 's/^VERSION_CODENAME=//p' "$os_release" | tr -d "\"'" | head -n1
}

# When the newest versions on hand cannot be installed together (64-bit
# libraries already at versions no 32-bit list on hand offers, while a
# library for both architectures must have one version on both), the
# release's own versions usually can.
install_missing() {
  local rc=0 codename wanted=("${missing[@]}")
  local install=(apt-get install -y -qq --no-install-recommends "${apt_options[@]}")
  pm --show "${install[@]}" "${missing[@]}" || rc=$?
  [ $rc -ne 0 ] || return 0
  codename=$(release_codename)
  if [ -n "$codename" ]; then
    warn "apt-get could not install them ($(last_error $rc)); trying again with $codename's own versions (apt-get install -t $codename)"
    rc=0
    pm --show "${install[@]}" -t "$codename" "${missing[@]}" || rc=$?
    [ $rc -ne 0 ] || return 0
  fi
  find_missing
  [ "${#missing[@]}" -gt 0 ] || missing=("${wanted[@]}")
  err "could not install ${missing[*]} ($(last_error $rc)); run '$(as_root_hint)apt-get install ${codename:+-t $codename }--no-install-recommends ${missing[*]}' by hand to see why"
}

need_cmd dpkg
need_cmd dpkg-query

# shellcheck source=windows-arch.sh
. "$(dirname "${BASH_SOURCE[0]}")/windows-arch.sh"
t482_windows_arch_decide || exit 1
add_i386=0
if [ "$T482_WINDOWS_ARCH" = x86 ]; then
  decided=$T482_WINDOWS_ARCH_WHY
  case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
    *" i386 "*) ;;
    *) add_i386=1 ;;
  esac
else
  decided="$T482_WINDOWS_ARCH_WHY; leaving out the i386 architecture and wine32"
  kept=()
  for p in "${packages[@]}"; do
    [ "$p" = wine32:i386 ] || kept+=("$p")
  done
  packages=("${kept[@]}")
fi
find_missing

if [ $add_i386 -eq 1 ] || [ "${#missing[@]}" -gt 0 ]; then
  say "$decided"
  need_cmd apt-get
  need_root "installing ${missing[*]:-the i386 architecture}"
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  if [ $add_i386 -eq 1 ]; then
    say "adding the i386 architecture"
    pm dpkg --add-architecture i386 ||
      err "could not add the i386 architecture ($(tail -n1 "$log")); run '$(as_root_hint)dpkg --add-architecture i386' by hand to see why"
  fi
  if [ "${#missing[@]}" -gt 0 ]; then
    say "installing ${missing[*]}"
    update_lists
    install_missing
  fi
fi

# Wine reports code page 932 and locale 0x0411 only when ja_JP.UTF-8 exists.
# (grep reads all of locale's output: with -q, locale could die of SIGPIPE.)
if ! locale -a 2>/dev/null | grep -ix 'ja_JP\.utf-\?8' >/dev/null; then
  say "generating the ja_JP.UTF-8 locale"
  need_root "generating the ja_JP.UTF-8 locale"
  if ! grep -q '^ja_JP.UTF-8 UTF-8' "$locale_gen" 2>/dev/null; then
    if grep -q '^# *ja_JP.UTF-8 UTF-8' "$locale_gen" 2>/dev/null; then
      ensure as_root sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' "$locale_gen"
    else
      echo 'ja_JP.UTF-8 UTF-8' | ensure as_root tee -a "$locale_gen" >/dev/null
    fi
  fi
  ensure as_root locale-gen >/dev/null
fi
