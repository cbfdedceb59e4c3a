# Sourced by the scripts: which programs this machine's Wine runs, and where each runs.

# True when the kernel runs 32-bit x86 code: a 96-byte 32-bit Linux program that exits with 42.
kernel_runs_32bit() {
  local probe status=0
  probe=$(mktemp)
  # ELF header, one loadable segment, then: mov eax, 1 (exit); mov ebx, 42; int 0x80.
  printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00' \
    '\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00' \
    '\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
    '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
    '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

wine32_installed() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'
}

# The 32-bit program runs here: a WoW64 Wine on a kernel that runs 32-bit code.
runs_32bit_programs() { wine32_installed && kernel_runs_32bit; }

# The presets whose programs and tests run on this machine.
runnable_presets() {
  echo mingw-x64
  if runs_32bit_programs; then echo mingw-x86; fi
}

# True when this machine runs the preset's program. Not `runnable_presets | grep -q`: under
# pipefail grep's early exit cut the list short and read as "not runnable".
runs_preset() {
  local preset
  for preset in $(runnable_presets); do [ "$preset" = "$1" ] && return 0; done
  return 1
}

# Each preset's test prefix; the 32-bit program's is a WoW64 prefix of its own.
prefix_dir_of() {
  case "$1" in
    mingw-x86) echo build/wineprefix-wow64 ;;
    *) echo build/wineprefix ;;
  esac
}

# Once wine32 is there, Debian's `wine` starts the 32-bit loader first for every program, a
# 64-bit one too (under an emulator about 0.25 s of CPU a start): 64-bit programs take the
# 64-bit loader directly.
wine64_loader() {
  if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else echo wine; fi
}

# The loader for a Windows program file: the 64-bit one for a PE32+ file, `wine` for any other
# program (32-bit, or a name Wine finds itself).
wine_loader_for() {
  local header
  header=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || true
  if [[ "$header" =~ ^[0-9]+$ ]] && [ "$(od -An -t x2 -j $((header + 24)) -N 2 "$1" 2>/dev/null | tr -d ' ')" = 020b ]; then
    wine64_loader
  else
    echo wine
  fi
}
