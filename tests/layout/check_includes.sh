#!/usr/bin/env bash
# The folders are the architecture: each may include its own headers and
# those of the folders below it, never one above or beside it; the
# platform's own pieces in platform/internal/ are for the platform alone.
# Fails with every include that breaks the rule. Usage: check_includes.sh SOURCE_DIR
set -u
root=$1
declare -A allowed=(
  [store]="store"
  [platform]="platform platform/internal"
  [platform/internal]="platform platform/internal"
  [res]="res"
  [dialogs]="dialogs store platform res"
  [app]="app dialogs store platform res"
  [script]="script app dialogs store platform res"
  [convert]="convert store"
)
# The folder that holds a header of this name (headers are unique by name),
# however the include spells its way there: "internal/X.h" from platform/
# still names a header of platform/internal.
owner_of() {
  local header=$1 folder
  for folder in "${!allowed[@]}"; do
    if [ -e "$root/$folder/$header" ]; then
      case "$folder/$header" in
        platform/internal/*) echo platform/internal ;;
        *) echo "$folder" ;;
      esac
      return
    fi
  done
}
status=0
for folder in "${!allowed[@]}"; do
  [ -d "$root/$folder" ] || continue
  while IFS=: read -r file header; do
    owner=$(owner_of "$header")
    [ -z "$owner" ] && continue  # generated or system header
    case " ${allowed[$folder]} " in
      *" $owner "*) ;;
      *) echo "$file includes \"$header\" of $owner/"; status=1 ;;
    esac
  done < <(grep -ro --include='*.cpp' --include='*.h' '^#include "[^"]*"' "$root/$folder" |
           sed -e "s|^$root/||" -e 's|:#include "\(.*\)"$|:\1|')
done
# Qt stays inside the platform layer.
if grep -rln --include='*.h' '#include <Q' "$root"/{store,dialogs,app,script,res} 2>/dev/null; then
  echo "Qt headers outside platform/"
  status=1
fi
exit $status
