#!/usr/bin/env bash
# The layer check passes on the sources as they are, and fails on an include planted up the layers.
set -euo pipefail
check=$1
src=$2
"$check" "$src" >/dev/null || { echo "FAIL: the sources break the layers"; "$check" "$src"; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for planted in 'platform/Clock.h:lang/Translate.h' 'events/EventList.h:app/TfrmClock.h' \
               'timezones/ZoneTable.h:events/EventList.h' 'app/TfrmClock.h:startup/Startup.h'; do
  rm -rf "$tmp/src"
  cp -r "$src" "$tmp/src"
  echo "#include \"${planted#*:}\"" >> "$tmp/src/${planted%%:*}"
  if "$check" "$tmp/src" >/dev/null 2>&1; then
    echo "FAIL: the check missed $planted"
    exit 1
  fi
done
echo "PASS"
