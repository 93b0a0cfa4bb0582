# Sourced by the fault scripts: runs the calling script again in a mount
# namespace of its own, so that the file systems it mounts vanish with it and
# nobody else sees them. Exits 77 (skipped) where that is not allowed.
if [ -z "${CINETROVE_IN_NAMESPACE:-}" ]; then
  if ! unshare -m true 2>/dev/null; then
    echo "skipped: no mount namespace here (needs root)"
    exit 77
  fi
  CINETROVE_IN_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$@"
fi

# mount_tmpfs DIR SIZE: a small file system of its own at DIR.
mount_tmpfs() {
  if ! mount -t tmpfs -o "size=$2,mode=0755" cinetrove-fault "$1"; then
    echo "skipped: cannot mount a tmpfs"
    exit 77
  fi
}

# run_scenario EXPECTED: runs the scenario on standard input in the current
# folder and compares the transcript and the exit status (0).
run_scenario() {
  local expected=$1 actual status
  actual=$("$runner" 2>"$tmp/stderr")
  status=$?
  if [ "$actual" != "$expected" ]; then
    echo "transcript differs:"
    diff <(echo "$expected") <(echo "$actual")
    cat "$tmp/stderr"
    exit 1
  fi
  if [ $status -ne 0 ]; then
    echo "exit status $status"
    cat "$tmp/stderr"
    exit 1
  fi
}
