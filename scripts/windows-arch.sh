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

# Runs the 32-bit probe; true when it ran. On failure t482_probe_error says
# what happened.
t482_runs_32bit_programs() {
  local probe rc dir
  t482_probe_error=
  if [ -n "${T482_I386_PROBE:-}" ]; then
    probe=$T482_I386_PROBE
  else
    dir=$(mktemp -d "${TMPDIR:-/tmp}/t482-i386-XXXXXX") || {
      t482_probe_error="no temporary folder for the probe"
      return 1
    }
    probe=$dir/exit42
    # ELF32 header, one loadable segment, then: mov eax,1; mov ebx,42;
    # int 0x80 (the 32-bit system call exit(42)).
    printf '%b' \
      '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
      '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
      '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
      '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
      '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' \
      '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' \
      >"$probe" && chmod +x "$probe"
  fi
  t482_probe_error=$("$probe" 2>&1 >/dev/null)
  rc=$?
  [ -z "${dir:-}" ] || rm -rf "$dir"
  [ $rc -eq 42 ] && return 0
  # bash's own words for a program the kernel refuses end in its reason.
  t482_probe_error=${t482_probe_error##*: }
  t482_probe_error=${t482_probe_error:-exit status $rc}
  return 1
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
        T482_WINDOWS_ARCH_WHY="this machine runs 32-bit programs: the Windows programs run as the shipped 32-bit build under wine"
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
