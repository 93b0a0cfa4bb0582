#!/usr/bin/env bash
# The whole tree follows .clang-format: fails with the files that do not.
# Usage: check_format.sh SOURCE_DIR
set -u
root=$1
if ! command -v clang-format >/dev/null; then
  echo "skipped: clang-format is not installed"
  exit 77
fi
cd "$root"
status=0
while IFS= read -r file; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "$file does not follow .clang-format (clang-format -i $file)"
    status=1
  fi
done < <(find store platform app dialogs script convert tests bench fuzz \
              \( -name '*.cpp' -o -name '*.h' \) -not -path '*/fixtures/*' | sort)
exit $status
