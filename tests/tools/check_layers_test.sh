#!/bin/sh
# The layer check itself: a small tree whose includes run down passes, the same tree with
# one include running back up fails and names it, and a folder outside the order fails.
#   usage: check_layers_test.sh <check-layers.sh>
set -eu
check=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/common" "$tree/dmx" "$tree/cue"
printf '#include "common/Files.h"\n#include <vector>\n' >"$tree/dmx/Usb.h"
printf '#include "dmx/Usb.h"\n#include "cue/Cue.h"\n' >"$tree/cue/Cue.cpp"
printf '#pragma once\n' >"$tree/common/Files.h"

fail() { echo "check_layers_test: $*" >&2; exit 1; }

bash "$check" "$tree" || fail "a tree whose includes run down was refused"

printf '  #include "cue/Cue.h"\n' >>"$tree/dmx/Usb.h"
if out=$(bash "$check" "$tree" 2>&1); then fail "an include running up from dmx to cue passed"; fi
echo "$out" | grep -q 'dmx/Usb.h:3: dmx includes cue' || fail "the report does not name the include: $out"

sed -i '$d' "$tree/dmx/Usb.h"
mkdir "$tree/elsewhere"
if bash "$check" "$tree" 2>/dev/null; then fail "a folder outside the order passed"; fi
echo "check_layers_test: ok"
