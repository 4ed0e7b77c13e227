#!/usr/bin/env bash
# The idle desk's processor use: the program with the demo show and the virtual module, only
# the main window open, measured over a span of seconds (60 unless given) after it has settled.
#   DISPLAY=:N bench/idle_cpu.sh BUILD_DIR [SECONDS]
# Prints the share of one core the program used, from utime + stime in /proc/PID/stat.
set -euo pipefail
build=${1:?build directory}
span=${2:-60}
work=$(mktemp -d)
trap 'kill "${app:-}" "${sim:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir -p "$work/show"
"$build/tools/cli/vantorel-cli" load --data-dir "$work/show" <"$(dirname "$0")/../examples/demo-show.json"
"$build/tools/module-sim/vantorel-module-sim" --link "$work/dmx" --name VANTOREL-SIM </dev/null >/dev/null &
sim=$!
for _ in $(seq 50); do [ -e "$work/dmx" ] && break; sleep 0.1; done
"$build/src/vantorel" --data-dir "$work/show" --port "$work/dmx" >/dev/null 2>&1 &
app=$!

ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
sleep 10
hz=$(getconf CLK_TCK)
first=$(ticks)
sleep "$span"
last=$(ticks)
awk -v t=$((last - first)) -v hz="$hz" -v s="$span" \
  'BEGIN { printf "%.2f %% of one core over %d s (%d ticks of 1/%d s)\n", 100 * t / hz / s, s, t, hz }'
