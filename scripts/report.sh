# Sourced: how every script says what failed. Defines functions and starts nothing.

script_name=$(basename "$0")

# One line on stderr that says what failed, then the end of the script.
fail() {
  echo "$script_name: $*" >&2
  exit 1
}

# With `set -E`: a command that fails where no step checks it still names itself, so no script
# ends without a word.
report_unexpected_failures() {
  trap 'echo "$script_name: line $LINENO: \"$BASH_COMMAND\" failed" >&2' ERR
}

require_tool() {  # command, package
  command -v "$1" >/dev/null || fail "$1 is missing (package $2): run make deps"
}
