# Which build of the Windows programs this machine runs. Source it:
#   . scripts/windows-arch.sh
#   t482_windows_arch_decide     sets and exports T482_WINDOWS_ARCH and
#                                T482_WINDOWS_ARCH_WHY (one sentence)
#   t482_windows_preset windows  "windows" or "windows-x64"
#   t482_windows_preset windows-checked
#
# The shipped t482.exe is a 32-bit x86 program. Some machines boot a kernel
# that runs no 32-bit code at all (Linux 6.7 and later: ia32_emulation=0,
# CONFIG_IA32_EMULATION_DEFAULT_DISABLED): no Wine mode runs a 32-bit
# Windows program there, while wine64 runs the same sources built for
# x86-64. T482_WINDOWS_ARCH=x86 or =x64 decides it outright. Otherwise a
# 96-byte 32-bit Linux program that only exits is run once (a few
# milliseconds); the answer is exported, so that the scripts a run starts
# ask no more. T482_I386_PROBE names another program to run in its place
# (for tests/scripts/setup_deps_test.sh).

# Writes the probe into FOLDER and runs it; prints what it said. Exit 42:
# it ran.
t482_run_i386_probe() {
  local dir rc
  dir=$(mktemp -d "$1/t482-i386-XXXXXX" 2>/dev/null) || return 125
  # ELF32 header, one loadable segment, then: mov eax,1; mov ebx,42;
  # int 0x80 (the 32-bit system call exit(42)).
  printf '%b' \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
    '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
    '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' \
    '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' \
    >"$dir/exit42" && chmod +x "$dir/exit42" && "$dir/exit42"
  rc=$?
  rm -rf "$dir"
  return $rc
}

# Runs the 32-bit probe: true when it ran, false when the kernel refused it
# (t482_probe_error then says how). A probe that could not be run at all (a
# folder mounted without execute permission, say) is tried in the next
# folder; when none runs it, the machine is taken to run 32-bit programs,
# as the shipped build needs, and t482_probe_error says why.
t482_runs_32bit_programs() {
  local folder out rc=125
  t482_probe_error=
  for folder in ${T482_I386_PROBE:+probe} "${TMPDIR:-/tmp}" \
    "${XDG_CACHE_HOME:-$HOME/.cache}" "$PWD"; do
    if [ "$folder" = probe ]; then
      out=$("$T482_I386_PROBE" 2>&1 >/dev/null)
    else
      out=$(t482_run_i386_probe "$folder" 2>&1 >/dev/null)
    fi
    rc=$?
    case $rc:$out in
      42:*) return 0 ;;
      *"Exec format error"*) t482_probe_error="Exec format error" && return 1 ;;
      126:* | 125:*) ;;  # not run: another folder
      *) t482_probe_error="exit status $rc${out:+: ${out##*: }}" && return 1 ;;
    esac
    [ -z "${T482_I386_PROBE:-}" ] || break
  done
  t482_probe_error="the 32-bit probe could not be run${out:+ (${out##*: })}"
  return 0
}

t482_windows_arch_decide() {
  case ${T482_WINDOWS_ARCH:-} in
    x86 | x64)
      # Decided earlier in this run, or given by the user.
      : "${T482_WINDOWS_ARCH_WHY:=T482_WINDOWS_ARCH=$T482_WINDOWS_ARCH was given: the Windows programs run as their $([ "$T482_WINDOWS_ARCH" = x86 ] && echo 32-bit build under wine || echo 64-bit build under wine64)}"
      ;;
    '')
      if t482_runs_32bit_programs; then
        T482_WINDOWS_ARCH=x86
        T482_WINDOWS_ARCH_WHY="this machine runs 32-bit programs${t482_probe_error:+ (assumed: $t482_probe_error)}: the Windows programs run as the shipped 32-bit build under wine"
      else
        T482_WINDOWS_ARCH=x64
        T482_WINDOWS_ARCH_WHY="this machine's kernel runs no 32-bit programs (a 32-bit test program failed: $t482_probe_error); the Windows programs run as their 64-bit build under wine64"
      fi
      ;;
    *)
      echo "T482_WINDOWS_ARCH is '$T482_WINDOWS_ARCH': set it to x86, x64 or nothing" >&2
      return 1
      ;;
  esac
  export T482_WINDOWS_ARCH T482_WINDOWS_ARCH_WHY
}

# The preset of the decided build: windows -> windows-x64,
# windows-checked -> windows-x64-checked.
t482_windows_preset() {
  if [ "${T482_WINDOWS_ARCH:-x86}" = x64 ]; then
    echo "${1/windows/windows-x64}"
  else
    echo "$1"
  fi
}
