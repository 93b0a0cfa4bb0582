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
mapfile -t files < <(find store platform app dialogs script convert tests bench fuzz \
                          \( -name '*.cpp' -o -name '*.h' \) -not -path '*/fixtures/*' | sort)
# One run over every file; it names each place that differs as FILE:LINE:COLUMN.
if report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
  exit 0
fi
failed=$(grep -oE '^[^:[:space:]]+:[0-9]+:[0-9]+: error' <<< "$report" | cut -d: -f1 | sort -u)
if [[ -z $failed ]]; then
  echo "$report"  # clang-format failed for another reason
  exit 1
fi
while IFS= read -r file; do
  echo "$file does not follow .clang-format (clang-format -i $file)"
done <<< "$failed"
exit 1
