#!/usr/bin/env bash
# The rooms of src/, lowest first. A file may include headers of its own room and of the
# rooms below it, never of a room above; every folder of src/ must be one of these rooms.
# docs/architecture.md explains the order.
#   usage: check-layers.sh [source tree, default: the src folder beside tools]
set -euo pipefail
ROOMS=(common library club dmx generator sequence cue functions music input panel module remote controllers app)

src=${1:-"$(dirname "$0")/../src"}
declare -A rank
for i in "${!ROOMS[@]}"; do rank[${ROOMS[$i]}]=$i; done

status=0
src=${src%/}
for dir in "$src"/*/; do
  room=$(basename "$dir")
  if [[ -z ${rank[$room]+set} ]]; then
    echo "src/$room: not a room; add it to the order in $0" >&2
    status=1
    continue
  fi
  # file:line:#include "room/..."
  while IFS=: read -r file line text; do
    target=${text#*\"}
    target=${target%%/*}
    [[ -n ${rank[$target]+set} ]] || continue
    if ((rank[$target] > rank[$room])); then
      echo "${file#"$src"/}:$line: $room includes $target, a room above it" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$dir" || true)
done
exit $status
