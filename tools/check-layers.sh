#!/usr/bin/env bash
# The rooms of src/, lowest first. A file may include headers of its own room and of the
# rooms below it, never of a room above; every folder of src/ must be one of these rooms.
# docs/architecture.md explains the order.
#   usage: check-layers.sh [source tree, default: the src folder beside tools]
set -euo pipefail
ROOMS=(common library club dmx generator sequence cue functions music panel module remote app)
# Includes that still run up ("file:header"), each waiting to be turned round; none may join.
# KyLibrary still owns the installation, which lives a room above the device types.
KNOWN_UP=("library/Library.h:club/Club.h")

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
    header=${text#*\"}
    header=${header%%\"*}
    known=" ${KNOWN_UP[*]} "
    if ((rank[$target] > rank[$room])) && [[ $known != *" ${file#"$src"/}:$header "* ]]; then
      echo "${file#"$src"/}:$line: $room includes $target, a room above it" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$dir" || true)
done
exit $status
