#!/usr/bin/env bash
# Every scenario in tests/scenarios/ is named in the list of tests/CMakeLists.txt,
# so none is silently left out of the suite. Usage: check_scenarios.sh TESTS_DIR
set -u
tests=$1
status=0
for scenario in "$tests"/scenarios/*.scn; do
  name=$(basename "$scenario" .scn)
  if ! grep -qxE "[[:space:]]+$name" "$tests/CMakeLists.txt"; then
    echo "tests/scenarios/$name.scn is not listed in tests/CMakeLists.txt"
    status=1
  fi
done
exit $status
