#!/usr/bin/env bash
# Reads every #include under a source folder and fails on one that runs up the layers.
#   tools/check-layers.sh [SRC_DIR]
# The layers, lowest first. A folder includes its own folder and the folders of lower layers,
# never a higher layer nor a peer on its own layer:
#   1 core                        plain helpers that talk to no system: texts, INI text, colours
#   2 platform                    the desktop, the files, the clock
#   3 lang                        language files and Translate
#   4 widgets, picture, character peers: shared widgets and icons; clock pictures; the desktop
#                                 character
#   5 nettime                     the time clients, the server list, the time update
#   6 clockface                   the clock face control
#   7 events, timezones           peers: neither includes the other
#   8 app                         the clock window
#   9 config                      the configuration dialog
#  10 startup                     sees everything
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}

declare -A level=([core]=1 [platform]=2 [lang]=3 [widgets]=4 [picture]=4 [character]=4 [nettime]=5
                  [clockface]=6 [events]=7 [timezones]=7 [app]=8 [config]=9 [startup]=10)

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
