# Sourced: directories in which Save must fail or must take care, for the Windows tests. Root writes anywhere, so
# as root the read-only directory is made immutable rather than merely unwritable.

source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

fault_root="$PWD/build/faults"

remove_fault_dirs() {
  [ -d "$fault_root" ] || return 0
  mountpoint -q "$fault_root/full" && umount "$fault_root/full"
  chattr -i "$fault_root/readonly" 2>/dev/null || true
  chmod -R u+w "$fault_root" 2>/dev/null || true
  rm -rf "$fault_root"
}

make_fault_dirs() {
  remove_fault_dirs
  mkdir -p "$fault_root/readonly"
  printf 'MEM:050\r\nSTATS:1\r\n' >"$fault_root/readonly/quenlix.ini"
  if [ "$(id -u)" -eq 0 ]; then
    chattr +i "$fault_root/readonly"
  else
    chmod a-w "$fault_root/readonly"
  fi
  export MORVANE_READONLY_DIR MORVANE_DANGLING_DIR MORVANE_LINKED_DIR MORVANE_LINK_TARGET
  MORVANE_READONLY_DIR=$(wine_path "$fault_root/readonly")

  mkdir -p "$fault_root/dangling"
  ln -s "$fault_root/dangling/missing.ini" "$fault_root/dangling/quenlix.ini"
  MORVANE_DANGLING_DIR=$(wine_path "$fault_root/dangling")

  # quenlix.ini kept elsewhere and linked to, as Linux users of Wine often do.
  mkdir -p "$fault_root/linked" "$fault_root/link-target"
  printf 'MEM:050\r\nSTATS:1\r\n' >"$fault_root/link-target/real.ini"
  ln -s ../link-target/real.ini "$fault_root/linked/quenlix.ini"
  MORVANE_LINKED_DIR=$(wine_path "$fault_root/linked")
  MORVANE_LINK_TARGET=$(wine_path "$fault_root/link-target/real.ini")

  make_full_disk
}

# A tiny file system filled to the last page, holding a quenlix.ini; mounting needs root.
make_full_disk() {
  [ "$(id -u)" -eq 0 ] || return 0
  mkdir -p "$fault_root/full"
  mount -t tmpfs -o size=16k tmpfs "$fault_root/full" 2>/dev/null || return 0
  printf 'MEM:050\r\nSTATS:1\r\n' >"$fault_root/full/quenlix.ini"
  dd if=/dev/zero of="$fault_root/full/filler" bs=4096 2>/dev/null || true
  export MORVANE_FULL_DIR
  MORVANE_FULL_DIR=$(wine_path "$fault_root/full")
}
