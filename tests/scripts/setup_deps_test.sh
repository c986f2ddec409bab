#!/usr/bin/env bash
# scripts/setup-deps.sh against stand-ins for apt-get, dpkg, dpkg-query,
# locale, locale-gen, id, sudo and sleep, first on PATH, and for the 32-bit
# probe of scripts/windows-arch.sh (T482_I386_PROBE), that act out what
# fresh machines did: a package list served with another size than its
# release file states, 32-bit lists out of step with the 64-bit ones (the
# install works only with -t and the release's codename), an install that
# stops part-way, another apt holding a lock for a moment or for good, a
# held package, a kernel that runs no 32-bit programs. Nothing real is
# touched: the stand-ins keep the machine's state in a scratch folder,
# os-release and locale.gen are scratch files, `id` says root unless a case
# says otherwise, `sudo` runs the command it is given (which then shows
# itself as "$ sudo ..."), `sleep` returns at once, and the probe exits as a
# 32-bit program that ran, or as one the kernel refused.
# Each case compares the transcript (the commands that change something, as
# "$ ..." lines, and everything the script printed) and the exit status.
# A few cases source scripts/wine-env.sh instead (it decides the same way
# and runs no Wine) and print the builds, loader and reason it chose.
#
#   setup_deps_test.sh [SETUP-DEPS.SH]   default: this tree's script
set -uo pipefail
# A decision of the caller's (scripts/test.sh exports one) would be taken
# over by every case.
unset T482_WINDOWS_ARCH T482_WINDOWS_ARCH_WHY T482_I386_PROBE

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
script=$(realpath "${1:-$here/../../scripts/setup-deps.sh}")
work=$(mktemp -d "${TMPDIR:-/tmp}/t482-setup-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT

mkdir "$work/bin"
cat >"$work/bin/stand-in" <<'STAND_IN'
#!/usr/bin/env bash
# The command it is called as, on the machine kept in $FAKE. What it has to
# say about how it was called goes straight to the transcript, past any
# redirection of the script's.
name=${0##*/}
# The next outcome of a queue ("lock,ok": lock once, then ok for good).
next() {
  local n items
  n=0
  [ ! -f "$FAKE/count.$1" ] || read -r n <"$FAKE/count.$1"
  echo $((n + 1)) >"$FAKE/count.$1"
  IFS=, read -ra items <<<"$2"
  [ "$n" -lt "${#items[@]}" ] || n=$((${#items[@]} - 1))
  echo "${items[$n]}"
}
# The call in the transcript, without the options and flags every call of
# its kind has.
show() {
  local a shown=() skip=0
  for a in "$@"; do
    if [ $skip -eq 1 ]; then skip=0; continue; fi
    case $a in
      -o) skip=1 ;;
      -y | -qq | --no-install-recommends) ;;
      *) shown+=("$a") ;;
    esac
  done
  echo "\$ ${FAKE_SUDO:+sudo }$name${shown[*]:+ ${shown[*]}}" >>"$FAKE/out"
}
case $name in
  id) echo "$FAKE_UID" ;;
  # Runs the command, which then shows itself as run through sudo.
  sudo) FAKE_SUDO=1 exec "$@" ;;
  sleep) show "$@" ;;
  i386-probe)
    case $FAKE_32BIT in
      no) echo "bash: line 1: $0: cannot execute binary file: Exec format error" >&2 ;;
      denied) echo "bash: line 1: $0: Permission denied" >&2 ;;
      *) exit 42 ;;
    esac
    exit 126 ;;
  locale) cat "$FAKE/locales" ;;
  locale-gen)
    show "$@"
    grep -q '^ja_JP.UTF-8 UTF-8' "$FAKE/locale.gen" ||
      echo "stand-in: ja_JP.UTF-8 is not enabled in locale.gen" >>"$FAKE/out"
    grep -q '^# en_US.UTF-8 UTF-8' "$FAKE/locale.gen" ||
      echo "stand-in: locale.gen lost its other lines" >>"$FAKE/out"
    echo ja_JP.utf8 >>"$FAKE/locales" ;;
  dpkg)
    case $1 in
      --print-architecture) echo amd64 ;;
      --print-foreign-architectures) cat "$FAKE/arches" ;;
      --add-architecture)
        show "$@"
        if [ "$(next arch "$FAKE_ARCH")" = lock ]; then
          echo "dpkg: error: dpkg frontend lock was locked by another process with pid 4242" >&2
          exit 2
        fi
        echo "$2" >>"$FAKE/arches" ;;
      *) echo "stand-in: dpkg $*" >>"$FAKE/out"; exit 2 ;;
    esac ;;
  dpkg-query)
    rc=0
    for p; do
      case $p in -*) continue ;; esac
      # dpkg names a package that may be installed for several
      # architectures with its architecture, as these libraries.
      case $p in lib*) listed=$p:amd64 ;; *) listed=$p ;; esac
      if grep -qxF "$p" "$FAKE/missing"; then
        if grep -qxF "$p" "$FAKE/removed"; then
          echo "rc $listed"
        else
          echo "dpkg-query: no packages found matching $p" >&2
          rc=1
        fi
      elif grep -qxF "$p" "$FAKE/held"; then
        echo "hi $listed"
      else
        echo "ii $listed"
      fi
    done
    exit $rc ;;
  apt-get)
    show "$@"
    case " $* " in
      *" install "*)
        case " $* " in *" DPkg::Lock::Timeout="*) ;; *)
          echo "stand-in: apt-get install without -o DPkg::Lock::Timeout" >>"$FAKE/out" ;;
        esac
        outcome=$(next install "$FAKE_INSTALL")
        if [ "$outcome" = needs-t ]; then
          case " $* " in *" -t $FAKE_CODENAME "*) outcome=ok ;; *) outcome=broken ;; esac
        fi
        case $outcome in
          broken)
            echo "E: Unable to correct problems, you have held broken packages." >&2
            exit 100 ;;
          lock)
            echo "E: Could not get lock /var/cache/apt/archives/lock. It is held by process 4242 (apt-get)" >&2
            echo "E: Unable to lock the download directory" >&2
            exit 100 ;;
        esac
        skip=0
        for a in "${@:2}"; do
          if [ $skip -eq 1 ]; then skip=0; continue; fi
          case $a in
            -o | -t) skip=1 ;;
            -*) ;;
            *)
              grep -vxF "$a" "$FAKE/missing" >"$FAKE/left"
              mv "$FAKE/left" "$FAKE/missing"
              if [ "$outcome" = partial ]; then
                echo "E: Sub-process /usr/bin/dpkg returned an error code (1)" >&2
                exit 100
              fi ;;
          esac
        done ;;
      *" update "*)
        case $(next update "$FAKE_UPDATE") in
          size)
            cat >&2 <<'EOF'
E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.130.132 80]
   Hashes of expected file:
    - Filesize:376004 [weak]
E: Some index files failed to download. They have been ignored, or old ones used instead.
EOF
            exit 100 ;;
          lock)
            echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)" >&2
            echo "E: Unable to lock directory /var/lib/apt/lists/" >&2
            exit 100 ;;
        esac ;;
    esac ;;
esac
STAND_IN
chmod +x "$work/bin/stand-in"
for c in apt-get dpkg dpkg-query locale locale-gen id sudo sleep i386-probe; do
  ln -s stand-in "$work/bin/$c"
done

# check NAME WORD... <<< TRANSCRIPT
# The machine has every package, i386 and ja_JP.UTF-8, and a codename in
# os-release, except as the words say:
#   missing=P,P  no-i386  no-locale  no-codename
#   no-locale-line  no ja_JP.UTF-8, and no line for it in locale.gen
#   codename=C   VERSION_CODENAME="C" instead of bookworm
#   not-root     `id` says 1000: what needs root goes through sudo
#   no-32bit     the kernel runs no 32-bit programs (the probe fails)
#   probe-denied the probe cannot be run at all (a folder mounted noexec)
#   T482_WINDOWS_ARCH=A  given to the script
#   wine-env     scripts/wine-env.sh sourced instead of the set-up run
#   held=P,P     installed and held (dpkg status "hi")
#   removed=P,P  removed, its configuration files left ("rc"; missing)
# and each kind of call has these outcomes in turn, the last for good (all
# ok by default):
#   arch=  dpkg --add-architecture: ok | lock
#   update= apt-get update: ok | size (a list of the wrong size) | lock
#   install= apt-get install: ok | lock | broken (held broken packages)
#            | needs-t (broken unless -t CODENAME)
#            | partial (installs the first package named, then fails)
failures=0
check() {
  local name=$1 w want got
  shift
  want=$(cat)
  local state=$work/state
  rm -rf "$state"
  mkdir "$state"
  : >"$state/missing"
  : >"$state/held"
  : >"$state/removed"
  echo i386 >"$state/arches"
  printf '%s\n' C C.utf8 POSIX ja_JP.utf8 >"$state/locales"
  printf '%s\n' '# en_US.UTF-8 UTF-8' 'ja_JP.UTF-8 UTF-8' >"$state/locale.gen"
  printf '%s\n' 'ID=debian' 'VERSION_ID="12"' 'VERSION_CODENAME=bookworm' >"$state/os-release"
  local arch=ok update=ok install=ok codename=bookworm uid=0 runs_32bit=yes
  local given=() run=(bash "$script")
  for w; do
    case $w in
      missing=*) tr , '\n' <<<"${w#*=}" >>"$state/missing" ;;
      held=*) tr , '\n' <<<"${w#*=}" >"$state/held" ;;
      removed=*) tr , '\n' <<<"${w#*=}" | tee -a "$state/missing" >"$state/removed" ;;
      no-i386) : >"$state/arches" ;;
      no-locale)
        sed -i '/ja_JP/d' "$state/locales"
        sed -i 's/^ja_JP/# ja_JP/' "$state/locale.gen" ;;
      no-locale-line) sed -i '/ja_JP/d' "$state/locales" "$state/locale.gen" ;;
      no-codename) sed -i '/CODENAME/d' "$state/os-release" ;;
      codename=*)
        codename=${w#*=}
        sed -i "s/^VERSION_CODENAME=.*/VERSION_CODENAME=\"$codename\"/" "$state/os-release" ;;
      not-root) uid=1000 ;;
      no-32bit) runs_32bit=no ;;
      probe-denied) runs_32bit=denied ;;
      T482_WINDOWS_ARCH=*) given=("$w") ;;
      wine-env)
        # shellcheck disable=SC2016 # expanded by the shell it starts
        run=(bash -c '. "$1/wine-env.sh" || exit
          echo "builds $(t482_windows_preset windows) $(t482_windows_preset windows-checked), loader $T482_WINE_LOADER"
          echo "$T482_WINDOWS_ARCH_WHY"' _ "$(dirname "$script")") ;;
      arch=*) arch=${w#*=} ;;
      update=*) update=${w#*=} ;;
      install=*) install=${w#*=} ;;
      *) echo "case '$name': unknown word $w" >&2; exit 2 ;;
    esac
  done
  : >"$state/out"
  env FAKE="$state" FAKE_ARCH="$arch" FAKE_UPDATE="$update" FAKE_INSTALL="$install" \
    FAKE_CODENAME="$codename" FAKE_UID="$uid" FAKE_32BIT="$runs_32bit" \
    T482_I386_PROBE="$work/bin/i386-probe" "${given[@]}" \
    T482_OS_RELEASE="$state/os-release" T482_LOCALE_GEN="$state/locale.gen" \
    PATH="$work/bin:$PATH" timeout 60 "${run[@]}" >>"$state/out" 2>&1 </dev/null
  echo "exit $?" >>"$state/out"
  got=$(cat "$state/out")
  if [ "$got" = "$want" ]; then
    echo "ok: $name"
  else
    failures=$((failures + 1))
    echo "FAILED: $name (- expected, + got)"
    diff <(echo "$want") <(echo "$got") | sed -n 's/^< /    - /p; s/^> /    + /p' | head -n 40
  fi
}

check 'nothing to do: silent' <<'EOF'
exit 0
EOF

check 'a fresh machine' no-i386 no-locale \
  missing=wine32:i386,libgtest-dev,xvfb,g++-mingw-w64-x86-64-posix <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: adding the i386 architecture
$ dpkg --add-architecture i386
setup-deps: installing libgtest-dev g++-mingw-w64-x86-64-posix wine32:i386 xvfb
$ apt-get update
$ apt-get install libgtest-dev g++-mingw-w64-x86-64-posix wine32:i386 xvfb
setup-deps: generating the ja_JP.UTF-8 locale
$ locale-gen
exit 0
EOF

no32="this machine's kernel runs no 32-bit programs (a 32-bit test program failed: Exec format error); the Windows programs run as their 64-bit build under wine64"

check 'no 32-bit programs: a fresh machine without i386 and wine32' no-32bit no-i386 \
  no-locale missing=wine32:i386,libgtest-dev,xvfb,g++-mingw-w64-x86-64-posix <<EOF
setup-deps: $no32; leaving out the i386 architecture and wine32
setup-deps: installing libgtest-dev g++-mingw-w64-x86-64-posix xvfb
\$ apt-get update
\$ apt-get install libgtest-dev g++-mingw-w64-x86-64-posix xvfb
setup-deps: generating the ja_JP.UTF-8 locale
\$ locale-gen
exit 0
EOF

check 'no 32-bit programs, no i386 and no wine32: silent' no-32bit no-i386 \
  missing=wine32:i386 <<'EOF'
exit 0
EOF

check 'T482_WINDOWS_ARCH=x64 where 32-bit programs run: no i386, no wine32' \
  T482_WINDOWS_ARCH=x64 no-i386 missing=wine32:i386,xvfb <<'EOF'
setup-deps: T482_WINDOWS_ARCH=x64 was given: the Windows programs run as their 64-bit build under wine64; leaving out the i386 architecture and wine32
setup-deps: installing xvfb
$ apt-get update
$ apt-get install xvfb
exit 0
EOF

check 'T482_WINDOWS_ARCH=arm: refused before anything is installed' \
  T482_WINDOWS_ARCH=arm missing=xvfb <<'EOF'
T482_WINDOWS_ARCH is 'arm': set it to x86, x64 or nothing
exit 1
EOF

check 'wine-env.sh where 32-bit programs run' wine-env <<'EOF'
builds windows windows-checked, loader wine
this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
exit 0
EOF

check 'wine-env.sh where the kernel runs no 32-bit programs' wine-env no-32bit <<EOF
builds windows-x64 windows-x64-checked, loader wine64
$no32
exit 0
EOF

check 'wine-env.sh where the probe cannot be run: the shipped build' wine-env \
  probe-denied <<'EOF'
builds windows windows-checked, loader wine
this machine runs 32-bit programs (assumed: the 32-bit probe could not be run (Permission denied)): the Windows programs run as the shipped 32-bit build under wine
exit 0
EOF

check 'wine-env.sh with T482_WINDOWS_ARCH=x64 where 32-bit programs run' wine-env \
  T482_WINDOWS_ARCH=x64 <<'EOF'
builds windows-x64 windows-x64-checked, loader wine64
T482_WINDOWS_ARCH=x64 was given: the Windows programs run as their 64-bit build under wine64
exit 0
EOF

check 'wine-env.sh with T482_WINDOWS_ARCH=x86 where none run' wine-env no-32bit \
  T482_WINDOWS_ARCH=x86 <<'EOF'
builds windows windows-checked, loader wine
T482_WINDOWS_ARCH=x86 was given: the Windows programs run as their 32-bit build under wine
exit 0
EOF

check 'wine-env.sh with T482_WINDOWS_ARCH=arm: refused' wine-env T482_WINDOWS_ARCH=arm <<'EOF'
T482_WINDOWS_ARCH is 'arm': set it to x86, x64 or nothing
exit 1
EOF

check 'held: installed; removed, its configuration left: missing' held=wine64,xvfb \
  removed=valgrind <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: installing valgrind
$ apt-get update
$ apt-get install valgrind
exit 0
EOF

check 'the update fails once' missing=xvfb update=size,ok <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: installing xvfb
$ apt-get update
$ sleep 5
$ apt-get update
$ apt-get install xvfb
exit 0
EOF

check 'the update fails each time: the lists at hand' missing=xvfb update=size <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: installing xvfb
$ apt-get update
$ sleep 5
$ apt-get update
$ sleep 5
$ apt-get update
setup-deps: could not fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz (File has unexpected size (374820 != 376004). Mirror sync in progress?); going on with the package lists at hand
$ apt-get install xvfb
exit 0
EOF

check "held broken packages: the release's own versions" missing=wine32:i386,xvfb \
  update=size install=needs-t <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: installing wine32:i386 xvfb
$ apt-get update
$ sleep 5
$ apt-get update
$ sleep 5
$ apt-get update
setup-deps: could not fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz (File has unexpected size (374820 != 376004). Mirror sync in progress?); going on with the package lists at hand
$ apt-get install wine32:i386 xvfb
E: Unable to correct problems, you have held broken packages.
setup-deps: apt-get could not install them (Unable to correct problems, you have held broken packages.); trying again with bookworm's own versions (apt-get install -t bookworm)
$ apt-get install -t bookworm wine32:i386 xvfb
exit 0
EOF

check 'both installs fail: the command to run by hand' missing=wine32:i386,xvfb \
  install=broken <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: installing wine32:i386 xvfb
$ apt-get update
$ apt-get install wine32:i386 xvfb
E: Unable to correct problems, you have held broken packages.
setup-deps: apt-get could not install them (Unable to correct problems, you have held broken packages.); trying again with bookworm's own versions (apt-get install -t bookworm)
$ apt-get install -t bookworm wine32:i386 xvfb
E: Unable to correct problems, you have held broken packages.
setup-deps: could not install wine32:i386 xvfb (Unable to correct problems, you have held broken packages.); run 'apt-get install -t bookworm --no-install-recommends wine32:i386 xvfb' by hand to see why
exit 1
EOF

check "another release: its own versions" codename=trixie missing=xvfb install=needs-t <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: installing xvfb
$ apt-get update
$ apt-get install xvfb
E: Unable to correct problems, you have held broken packages.
setup-deps: apt-get could not install them (Unable to correct problems, you have held broken packages.); trying again with trixie's own versions (apt-get install -t trixie)
$ apt-get install -t trixie xvfb
exit 0
EOF

check 'an install that stops part-way: the packages still missing' \
  missing=wine32:i386,xvfb,valgrind install=partial <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: installing wine32:i386 xvfb valgrind
$ apt-get update
$ apt-get install wine32:i386 xvfb valgrind
E: Sub-process /usr/bin/dpkg returned an error code (1)
setup-deps: apt-get could not install them (Sub-process /usr/bin/dpkg returned an error code (1)); trying again with bookworm's own versions (apt-get install -t bookworm)
$ apt-get install -t bookworm wine32:i386 xvfb valgrind
E: Sub-process /usr/bin/dpkg returned an error code (1)
setup-deps: could not install xvfb valgrind (Sub-process /usr/bin/dpkg returned an error code (1)); run 'apt-get install -t bookworm --no-install-recommends xvfb valgrind' by hand to see why
exit 1
EOF

check 'not root: through sudo, and the command to run by hand with it' not-root no-i386 \
  missing=xvfb install=broken <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: adding the i386 architecture
$ sudo dpkg --add-architecture i386
setup-deps: installing xvfb
$ sudo apt-get update
$ sudo apt-get install xvfb
E: Unable to correct problems, you have held broken packages.
setup-deps: apt-get could not install them (Unable to correct problems, you have held broken packages.); trying again with bookworm's own versions (apt-get install -t bookworm)
$ sudo apt-get install -t bookworm xvfb
E: Unable to correct problems, you have held broken packages.
setup-deps: could not install xvfb (Unable to correct problems, you have held broken packages.); run 'sudo apt-get install -t bookworm --no-install-recommends xvfb' by hand to see why
exit 1
EOF

check 'no codename: no second try' missing=xvfb no-codename install=broken <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: installing xvfb
$ apt-get update
$ apt-get install xvfb
E: Unable to correct problems, you have held broken packages.
setup-deps: could not install xvfb (Unable to correct problems, you have held broken packages.); run 'apt-get install --no-install-recommends xvfb' by hand to see why
exit 1
EOF

check 'a lock held for a moment' no-i386 missing=xvfb arch=lock,ok update=lock,ok \
  install=lock,ok <<'EOF'
setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine
setup-deps: adding the i386 architecture
$ dpkg --add-architecture i386
setup-deps: waiting for another apt or dpkg to finish (dpkg: error: dpkg frontend lock was locked by another process with pid 4242)
$ sleep 2
$ dpkg --add-architecture i386
setup-deps: installing xvfb
$ apt-get update
setup-deps: waiting for another apt or dpkg to finish (Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get))
$ sleep 2
$ apt-get update
$ apt-get install xvfb
E: Could not get lock /var/cache/apt/archives/lock. It is held by process 4242 (apt-get)
E: Unable to lock the download directory
setup-deps: waiting for another apt or dpkg to finish (Could not get lock /var/cache/apt/archives/lock. It is held by process 4242 (apt-get))
$ sleep 2
$ apt-get install xvfb
exit 0
EOF

check 'locale.gen without the line: it is added' no-locale-line <<'EOF'
setup-deps: generating the ja_JP.UTF-8 locale
$ locale-gen
exit 0
EOF

held='Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)'
check 'a lock held for good: about two minutes' missing=xvfb update=lock < <(
  echo 'setup-deps: this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine'
  echo 'setup-deps: installing xvfb'
  echo '$ apt-get update'
  echo "setup-deps: waiting for another apt or dpkg to finish ($held)"
  for _ in $(seq 60); do printf '%s\n' '$ sleep 2' '$ apt-get update'; done
  echo "setup-deps: another apt or dpkg still holds its lock after 120 s ($held); let it finish, then run this script again"
  echo 'exit 1'
)

if [ $failures -ne 0 ]; then
  echo "setup-deps: $failures case(s) failed"
  exit 1
fi
