#!/usr/bin/env bash
# Runs one scenario in a fresh folder and compares its transcript with the
# expected one. Usage: run_scenario.sh RUNNER SCENARIO FALLBACK_DIR
#
# Lines of the scenario that the runner skips as comments tell this script:
#   # fixture: NAME     the folder's contents come from fixtures/NAME
#   # status: N         the runner's expected exit status (default 0)
#   # requires: no-fallback-catalogue
#                       skipped when the fallback directory holds a catalogue
# NAME.out is the expected transcript, with @WORK@ for the folder and
# @FALLBACK@ for the fallback directory; NAME.setup, when present, runs in the
# folder first (after the fixture is copied) and may print a folder inside it
# where the runner is to start instead; NAME.check, when present, runs in the
# folder afterwards and checks the files left there.
set -u
runner=$1
scenario=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
fallback=$3
here=$(dirname "$scenario")
name=$(basename "$scenario" .scn)

directive() { sed -n "s/^# $1: //p" "$scenario" | head -n 1; }

if [ "$(directive requires)" = "no-fallback-catalogue" ] && [ -e "$fallback/data/filme.cta" ]; then
  echo "skipped: $fallback/data/filme.cta exists on this machine"
  exit 77
fi

work=$(mktemp -d)
work=$(cd "$work" && pwd -P)
trap 'rm -rf "$work"' EXIT
fixture=$(directive fixture)
if [ -n "$fixture" ]; then
  cp -R "$here/fixtures/$fixture/." "$work/"
  find "$work" -name .keep -delete
fi

start=$work
if [ -f "$here/$name.setup" ]; then
  if ! inside=$(cd "$work" && FIXTURES="$here/fixtures" bash -eu "$here/$name.setup"); then
    echo "$name.setup failed"
    exit 1
  fi
  [ -n "$inside" ] && start=$work/$inside
fi

(cd "$start" && "$runner" "$scenario" >"$work.actual" 2>"$work.stderr")
status=$?
expected_status=$(directive status)
expected_status=${expected_status:-0}
sed -e "s|@WORK@|$work|g" -e "s|@FALLBACK@|$fallback|g" "$here/$name.out" >"$work.expected"

failed=0
if ! diff -u "$work.expected" "$work.actual"; then
  echo "transcript differs from $name.out"
  failed=1
fi
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  grep '^line ' "$work.stderr"
  failed=1
fi
if [ $failed -eq 0 ] && [ -f "$here/$name.check" ]; then
  if ! (cd "$work" && FIXTURES="$here/fixtures" bash -eu "$here/$name.check"); then
    echo "$name.check failed"
    failed=1
  fi
fi
rm -f "$work.actual" "$work.stderr" "$work.expected"
exit $failed
