# Wine environment for running the Windows build on Linux. Source it:
#   . scripts/wine-env.sh
#   t482_wine_ensure_prefix && t482_wineserver_start
#   t482_wine prog.exe args...
#   t482_wineserver_stop
#
# Two prefixes, so that runs with and without a display never share a
# wineserver (a window program then fails to create its windows):
#   console programs (no DISPLAY):   $T482_WINE_CACHE/prefix-console
#   window programs (DISPLAY given): $T482_WINE_CACHE/prefix-x11
# Window programs are chosen by setting T482_WINE_DISPLAY before sourcing
# this file, or afterwards by t482_wine_use_display (for example after
# t482_xvfb_start). T482_WINEPREFIX overrides the choice. Every Wine call
# here is bounded by `timeout`.
#
# Where the machine runs no 32-bit programs (scripts/windows-arch.sh), the
# prefixes are made and Wine's own tools run by wine64, and only 64-bit
# programs run; t482_wine and wine-run.sh pick each program's loader from
# its header either way.

# shellcheck source=windows-arch.sh
. "$(dirname "${BASH_SOURCE[0]}")/windows-arch.sh"
t482_windows_arch_decide || return 1
# The loader of Wine's own tools (wineboot, reg, cmd): the 32-bit one hands
# 64-bit programs on to wine64 and makes prefixes whose WoW64 half runs
# 32-bit programs, as on 64-bit Windows.
if [ "$T482_WINDOWS_ARCH" = x64 ]; then
  export T482_WINE_LOADER=wine64
else
  export T482_WINE_LOADER=wine
fi

# Bumped whenever the prefix set-up below changes; older prefixes are made
# anew (version 3: made with 32-bit Wine installed, for its WoW64 half). The
# marker also names the loader that made the prefix: 32-bit programs need
# one made by wine.
T482_WINE_PREFIX_VERSION="3 $T482_WINE_LOADER"

T482_WINE_CACHE=${T482_WINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/t482}
T482_WINE_TIMEOUT=${T482_WINE_TIMEOUT:-300}

case ":$PATH:" in
  *:/usr/lib/wine:*) ;;
  *) PATH=/usr/lib/wine:$PATH ;;
esac
export PATH

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# T482_WINE_CHECK (set for the tests of the checked build): Wine checks the
# heap's parameters (blocks get filled tails, freed blocks are filled and
# kept back, a bad pointer is reported) and says what it finds (err:heap,
# warn:heap); a program that faults ends at once, without a debugger
# (which would print to the program's output, or open a window). Lines of
# the error output that match T482_WINE_FAULTS fail such a run: Wine's
# reports, the checked build's own (heap check:, checked/), a failed library
# assertion.
if [ -n "${T482_WINE_CHECK:-}" ]; then
  export WINEDEBUG=-all,err+heap,warn+heap
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
  export T482_WINE_FAULTS=':(err|warn):heap:|^wine: Unhandled|heap check:|stack smashing detected|Assertion .* failed'
fi
# A 64-bit prefix, as on 64-bit Windows: the 32-bit programs run in its
# WoW64 half. `wine` is the 32-bit loader; it hands 64-bit programs on to
# wine64.
export WINEARCH=win64
# Without an existing ja_JP.UTF-8 locale Wine silently runs with code page
# 1252; LC_ALL would override LANG, so it is set to the same.
{ export LANG=ja_JP.UTF-8; } 2>/dev/null
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null

t482_wine_log() {
  echo "wine-env: $*" >&2
}

# Selects the display and the prefix for the programs that follow:
#   t482_wine_use_display [DISPLAY [PREFIX]]
# With a display (by default T482_WINE_DISPLAY, as t482_xvfb_start sets it)
# the window prefix, without one the console prefix; PREFIX (or
# T482_WINEPREFIX) names the prefix outright.
t482_wine_use_display() {
  local display=${1:-${T482_WINE_DISPLAY:-}} prefix=${2:-${T482_WINEPREFIX:-}}
  if [ -n "$display" ]; then
    export T482_WINE_DISPLAY=$display
    export DISPLAY=$display
    export WINEPREFIX=${prefix:-$T482_WINE_CACHE/prefix-x11}
  else
    unset DISPLAY
    export WINEPREFIX=${prefix:-$T482_WINE_CACHE/prefix-console}
  fi
}

t482_wine_use_display "${T482_WINE_DISPLAY:-}"

# The loader of a Windows program: wine64 for a 64-bit one (PE machine
# 0x8664), wine for a 32-bit one; Wine's own tools (no such file) take
# T482_WINE_LOADER.
t482_wine_loader_for() {
  local pe machine
  if [ -f "$1" ] &&
    pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null) && [ -n "${pe// /}" ] &&
    machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1" 2>/dev/null); then
    case ${machine// /} in
      8664) echo wine64 && return ;;
      014c) echo wine && return ;;
    esac
  fi
  echo "$T482_WINE_LOADER"
}

# Runs a Windows program; exit code passed through (124 on timeout).
t482_wine() {
  t482_wine_as_user timeout --kill-after=10 "$T482_WINE_TIMEOUT" \
    "$(t482_wine_loader_for "$1")" "$@"
}

# True when the ja_JP.UTF-8 locale exists (needed for code page 932).
t482_wine_locale_ok() {
  locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'
}

# Asks Wine for its ANSI code page; prints it (932 expected).
t482_wine_acp() {
  timeout 60 "$T482_WINE_LOADER" reg query \
    'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP \
    </dev/null 2>/dev/null | tr -d '\r' | awk '$1 == "ACP" { print $3 }'
}

# Writes the prefix's registry settings: no window manager decorations
# (Wine draws the frame itself, closing a window does not stall) and
# Japanese fonts mapped to IPAGothic. The .reg file is UTF-16LE so that
# the full-width font names survive.
t482_wine_write_registry() {
  local reg
  reg=$(mktemp "${TMPDIR:-/tmp}/t482-wine-XXXXXX.reg") || return 1
  {
    printf '\xff\xfe'
    sed 's/$/\r/' <<'EOF' | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAGothic"
"MS PGothic"="IPAGothic"
"MS UI Gothic"="IPAGothic"
"ＭＳ 明朝"="IPAGothic"
"MS Mincho"="IPAGothic"

EOF
  } >"$reg"
  timeout 60 "$T482_WINE_LOADER" regedit /S "$reg" </dev/null >/dev/null 2>&1
  local rc=$?
  rm -f "$reg"
  return $rc
}

# Puts Wine's Marlett (package fonts-wine) into the prefix's font folder, so
# that the title bar's buttons are drawn with it. This Wine does not load
# the fonts of its own data folder, only those of the prefix and of the
# system's font configuration.
t482_wine_install_fonts() {
  local font=/usr/share/wine/fonts/marlett.ttf
  if [ ! -f "$font" ]; then
    t482_wine_log "$font is missing (run scripts/setup-deps.sh)"
    return 1
  fi
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts" &&
    cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Checks that the registry holds the settings (the full-width name too).
t482_wine_registry_ok() {
  local out
  out=$(timeout 60 "$T482_WINE_LOADER" reg query 'HKCU\Software\Wine\Fonts\Replacements' \
    </dev/null 2>/dev/null | tr -d '\r' | iconv -f CP932 -t UTF-8 2>/dev/null)
  case "$out" in
    *"ＭＳ ゴシック"*IPAGothic*) ;;
    *) return 1 ;;
  esac
  out=$(timeout 60 "$T482_WINE_LOADER" reg query 'HKCU\Software\Wine\X11 Driver' \
    </dev/null 2>/dev/null | tr -d '\r')
  echo "$out" | grep -q 'Managed *REG_SZ *N' &&
    echo "$out" | grep -q 'Decorated *REG_SZ *N'
}

# Creates the prefix once (about 11 s), under a lock so that parallel
# callers wait for one another. Cheap when the prefix is ready.
t482_wine_ensure_prefix() {
  local marker="$WINEPREFIX/.t482-prefix-version"
  if [ -f "$marker" ] &&
    [ "$(cat "$marker" 2>/dev/null)" = "$T482_WINE_PREFIX_VERSION" ]; then
    return 0
  fi
  if ! t482_wine_locale_ok; then
    t482_wine_log "the ja_JP.UTF-8 locale is missing (run scripts/setup-deps.sh)"
    return 1
  fi
  mkdir -p "$(dirname "$WINEPREFIX")" || return 1
  (
    flock -w 600 9 || {
      t482_wine_log "timed out waiting for the lock on $WINEPREFIX"
      exit 1
    }
    if [ -f "$marker" ] &&
      [ "$(cat "$marker" 2>/dev/null)" = "$T482_WINE_PREFIX_VERSION" ]; then
      exit 0
    fi
    t482_wine_log "creating the Wine prefix $WINEPREFIX"
    local start=$SECONDS
    if [ ! -f "$WINEPREFIX/system.reg" ] || [ -f "$marker" ]; then
      # Missing, half made, or made by an older version of this set-up or
      # by another loader.
      rm -rf "$WINEPREFIX"
      timeout 300 "$T482_WINE_LOADER" wineboot --init </dev/null >/dev/null 2>&1 || {
        t482_wine_log "wineboot failed"
        exit 1
      }
    fi
    t482_wine_write_registry || {
      t482_wine_log "writing the registry failed"
      exit 1
    }
    t482_wine_registry_ok || {
      t482_wine_log "the registry settings did not take effect"
      exit 1
    }
    t482_wine_install_fonts || exit 1
    local acp
    acp=$(t482_wine_acp)
    if [ "$acp" != 932 ]; then
      t482_wine_log "Wine runs with code page '${acp}', not 932 (check LANG)"
      exit 1
    fi
    # The registry reaches the disk when the server ends.
    timeout 60 wineserver -w
    echo "$T482_WINE_PREFIX_VERSION" >"$marker"
    t482_wine_log "prefix ready in $((SECONDS - start)) s"
  ) 9>"$WINEPREFIX.lock"
}

# Starts a persistent wineserver for a batch of runs: programs then start
# in a fraction of a second, and no server started by a test keeps the
# test runner's output pipe open. Harmless when one is running already.
t482_wineserver_start() {
  timeout 30 wineserver -p"${1:-}" </dev/null >/dev/null 2>&1
  local rc=$?
  # 2: a server for this prefix is already running.
  [ $rc -eq 0 ] || [ $rc -eq 2 ] || return 1
  t482_wine_boot_services
}

# The first program of a session starts Wine's background services, which
# inherit its output; a test runner reading that output would then wait for
# the services to end. Starting them from a program without output avoids
# that (cheap when they run already).
t482_wine_boot_services() {
  timeout 60 "$T482_WINE_LOADER" cmd /c exit </dev/null >/dev/null 2>&1
}

# Runs a command while holding the prefix's users lock shared, so that no
# t482_wineserver_stop of a concurrent test run ends the server under it.
t482_wine_as_user() {
  (
    flock -s -w 600 8 || t482_wine_log "running without the users lock"
    "$@"
  ) 8>"$WINEPREFIX.users"
}

# Stops the wineserver of this prefix and every program it still runs; waits
# until no one runs a program through t482_wine_as_user (wine-run.sh).
t482_wineserver_stop() {
  (
    if ! flock -x -w 300 8; then
      t482_wine_log "the prefix stays in use; its wineserver is left running"
      exit 0
    fi
    timeout 30 wineserver -k </dev/null >/dev/null 2>&1
    timeout 30 wineserver -w </dev/null >/dev/null 2>&1
  ) 8>"$WINEPREFIX.users"
  return 0
}

# Starts Xvfb on a free display; sets T482_XVFB_PID and T482_WINE_DISPLAY
# (t482_wine_use_display then switches to the window prefix).
t482_xvfb_start() {
  local fifo dir num
  dir=$(mktemp -d "${TMPDIR:-/tmp}/t482-xvfb-XXXXXX") || return 1
  fifo="$dir/display"
  mkfifo "$fifo" || return 1
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp \
    9>"$fifo" >/dev/null 2>&1 &
  T482_XVFB_PID=$!
  num=$(timeout 30 head -n1 "$fifo")
  rm -rf "$dir"
  if [ -z "$num" ]; then
    t482_wine_log "Xvfb did not start"
    kill "$T482_XVFB_PID" 2>/dev/null
    unset T482_XVFB_PID
    return 1
  fi
  export T482_WINE_DISPLAY=":$num"
}

t482_xvfb_stop() {
  if [ -n "${T482_XVFB_PID:-}" ]; then
    kill "$T482_XVFB_PID" 2>/dev/null
    wait "$T482_XVFB_PID" 2>/dev/null
    unset T482_XVFB_PID T482_WINE_DISPLAY
  fi
  return 0
}
