#!/usr/bin/env bash
# Reads every #include under a source folder and fails on one that runs up the layers.
#   tools/check-layers.sh [SRC_DIR]
# The layers, lowest first. A folder includes its own folder and the folders of lower layers,
# never a higher layer nor a peer on its own layer:
#   1 platform                    the desktop, the files, the clock; nothing of ours
#   2 lang                        language files and Translate
#   3 nettime                     the time client, the server list, the clock adjustment
#   4 clockface                   the clock face control
#   5 events, timezones           peers: neither includes the other
#   6 app                         the clock window
#   7 config                      the configuration dialog
#   8 startup                     sees everything
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}

declare -A level=([platform]=1 [lang]=2 [nettime]=3 [clockface]=4 [events]=5 [timezones]=5 [app]=6
                  [config]=7 [startup]=8)

found=0
while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  from=${rel%%/*}
  [ -n "${level[$from]:-}" ] || continue
  while IFS=: read -r line target; do
    to=${target%%/*}
    [ -n "${level[$to]:-}" ] || continue
    if [ "$to" != "$from" ] && [ "${level[$to]}" -ge "${level[$from]}" ]; then
      echo "$rel:$line includes \"$target\": $from may not include $to"
      found=1
    fi
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" | \
           sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/')
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) -print0)

if [ "$found" -ne 0 ]; then
  echo "includes run up the layers" >&2
  exit 1
fi
echo "includes follow the layers"
