#!/usr/bin/env bash
set -u
program="$1"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
# The private server is checked by scripts/package --check; here it would outlive the run.
QUILLBOX_PRIVATE_SERVER=0 "$program" >"$home/log" 2>&1 &
pid=$!
sleep 4
if ! kill -0 "$pid" 2>/dev/null; then
  echo "the program ended before its first dialog:"; cat "$home/log"; exit 1
fi
kill "$pid"; wait "$pid" 2>/dev/null
if grep -q -i 'segmentation\|abort' "$home/log"; then cat "$home/log"; exit 1; fi
echo "started and waiting at its first dialog"
