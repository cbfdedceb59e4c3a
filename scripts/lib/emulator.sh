# Sourced by scripts/setup: qemu's user-mode emulator registered as the kernel's handler of
# 32-bit x86 Linux programs, so that a kernel that runs no 32-bit code still runs Wine's 32-bit
# half. Uses $sudo; start_emulator notes what it added, and remove_emulator takes exactly that away.

binfmt=/proc/sys/fs/binfmt_misc
# bookworm's own qemu 7.2 is far too slow for Wine: wineboot had not finished after 10 minutes.
emulator_least=1:10~
backports_list=/etc/apt/sources.list.d/ostrimark-bookworm-backports.sources

added_list="" added_package="" added_mount="" added_handler=""
emulator_problem=""

# The package's own qemu-i386, so the registered path stays valid across its updates.
emulator_path() {
  dpkg -L qemu-user 2>/dev/null | grep -E '/bin/qemu-i386(-static)?$' | head -n 1
}

emulator_installed() {
  local version path
  version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null) || return 1
  path=$(emulator_path)
  [ -n "$path" ] && [ -x "$path" ] && dpkg --compare-versions "$version" ge "$emulator_least"
}

# qemu's own rule for 32-bit x86 ELF executables and shared objects. F opens the emulator at
# registration, so it also serves programs in other mount namespaces and chroots.
i386_rule() {
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:'
  printf '%s' '\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'
  printf '%s:F' "$1"
}

# Any handler of 32-bit x86 ELF programs (e_machine 3), the project's or another.
i386_handler_registered() {
  grep -Eqs '^magic 7f454c4601[0-9a-f]{26}0300' "$binfmt"/*
}

# The kernel's handler table, mounted when it is not; false where it cannot be (a container).
binfmt_ready() {
  [ -e "$binfmt/register" ] && return 0
  $sudo mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null && added_mount=1
}

register_emulator() {
  i386_rule "$(emulator_path)" | $sudo tee "$binfmt/register" >/dev/null
}

# The mirror of the machine's own bookworm entry, from deb822 or one-line apt sources.
bookworm_mirror() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk 'BEGIN { RS = "" }
         /(^|\n)Types:[^\n]*[ \t]deb([ \t]|\n|$)/ && /(^|\n)Suites:[^\n]*[ \t]bookworm([ \t]|\n|$)/ {
           if (match($0, /(^|\n)URIs:[ \t]*[^ \t\n]+/)) {
             uri = substr($0, RSTART, RLENGTH); sub(/^\n?URIs:[ \t]*/, "", uri); print uri
           }
         }' "$file"
  done
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" { for (i = 2; i < NF; i++) if ($i ~ /:\/\//) { if ($(i + 1) == "bookworm") print $i; break } }'
}

# qemu-user 10 or later from bookworm-backports, its suite added to apt's sources if missing.
install_emulator() {
  if ! grep -Eqrs '(^|[ \t])bookworm-backports([ \t]|$)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    local mirror
    mirror=$(bookworm_mirror | head -n 1)
    [ -n "$mirror" ] || { emulator_problem="apt's sources name no bookworm mirror"; return 1; }
    {
      printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\n' "$mirror"
      [ ! -f /usr/share/keyrings/debian-archive-keyring.gpg ] ||
        echo 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg'
    } | $sudo tee "$backports_list" >/dev/null
    added_list=1
    $sudo apt-get update || true
  fi
  dpkg-query -W -f='${Status}' qemu-user 2>/dev/null | grep -q 'install ok installed' || added_package=1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends -t bookworm-backports qemu-user ||
    true
  emulator_installed || { emulator_problem="qemu-user 10 or later could not be installed from bookworm-backports"; return 1; }
}

# Makes the kernel run 32-bit programs through the emulator; true when the probe then runs.
start_emulator() {
  binfmt_ready || { emulator_problem="binfmt_misc cannot be mounted"; return 1; }
  # Someone's handler that does not run the probe is theirs to mend: keep it.
  ! i386_handler_registered || { emulator_problem="its handler of 32-bit programs does not run them"; return 1; }
  emulator_installed || install_emulator || { remove_emulator; return 1; }
  register_emulator && added_handler=1
  kernel_runs_32bit || { emulator_problem="qemu-i386 does not run them"; remove_emulator; return 1; }
}

# Registers again a handler lost with a reboot, where Wine's 32-bit half is already installed.
restart_emulator() {
  if wine32_installed && ! kernel_runs_32bit && emulator_installed && binfmt_ready &&
    ! i386_handler_registered; then
    register_emulator || true
  fi
}

# Takes away what start_emulator added.
remove_emulator() {
  if [ -n "$added_handler" ] && [ -e "$binfmt/qemu-i386" ]; then echo -1 | $sudo tee "$binfmt/qemu-i386" >/dev/null; fi
  if [ -n "$added_package" ]; then DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y qemu-user || true; fi
  if [ -n "$added_list" ]; then $sudo rm -f "$backports_list" && { $sudo apt-get update >/dev/null 2>&1 || true; }; fi
  if [ -n "$added_mount" ]; then $sudo umount "$binfmt" || true; fi
  added_list="" added_package="" added_mount="" added_handler=""
}
