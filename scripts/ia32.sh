# Sourced: makes sure 32-bit Linux programs run, which Wine's 32-bit half is. Some kernels are
# built or booted without 32-bit support ("32-bit emulation disabled" in the kernel log); there
# QEMU's user-mode emulator takes such programs over through binfmt_misc, slower but complete.

i386_loader=/usr/lib/i386-linux-gnu/ld-linux.so.2

i386_runs() {
  "$i386_loader" --version >/dev/null 2>&1
}

# Wine reserves all free address space above 2 GB at start; under QEMU that takes a minute per
# process. A 32-bit program of ours uses none of it, so QEMU offers Wine only a little of it.
export QEMU_RESERVED_VA=0x81000000

register_i386_emulator() {
  local misc=/proc/sys/fs/binfmt_misc
  [ -e "$misc/register" ] || mount -t binfmt_misc binfmt_misc "$misc"
  [ -e "$misc/qemu-i386" ] && return 0
  # ELF, 32-bit, little-endian, executable or shared object, machine i386. F: the emulator is
  # opened now, so it also serves programs started inside other mount namespaces.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >"$misc/register"
}

# binfmt_misc's handlers come before the kernel's own, so with QEMU registered every 32-bit
# program runs through it.
i386_emulated() {
  grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386
}

# Tests that the emulator alone trips read this (MORVANE_I386_EMULATED=1).
ensure_i386_runs() {
  [ -x "$i386_loader" ] || { echo "32-bit Wine is missing: run make deps" >&2; return 1; }
  if i386_emulated; then export MORVANE_I386_EMULATED=1; fi
  i386_runs && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "This kernel runs no 32-bit programs; registering QEMU for them needs root." >&2
    return 1
  fi
  register_i386_emulator
  i386_runs || { echo "32-bit programs do not run, not even under QEMU" >&2; return 1; }
  export MORVANE_I386_EMULATED=1
}
