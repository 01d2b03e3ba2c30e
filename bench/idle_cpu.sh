#!/usr/bin/env bash
# CPU time and peak memory of the running clock over a while (60 s unless given), side by side
# with the minimal window, both on the same private X server. Run from the build folder:
#   bench/idle_cpu.sh [seconds]
set -euo pipefail
seconds=${1:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
display=:$((90 + RANDOM % 9))

Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  kill "${clock:-}" "${minimal:-}" 2>/dev/null || true
  wait "${clock:-}" "${minimal:-}" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
sleep 1

mkdir -p "$work/run" && chmod 700 "$work/run"
cp "$here/veskel" "$work/veskel"   # a copy of its own: no first-run marker, no pictures
DISPLAY=$display HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run "$work/veskel" &
clock=$!
DISPLAY=$display "$here/bench/minimal_window" &
minimal=$!
sleep 3 # past start-up

# Nanoseconds on the CPU, summed over every thread of the process (schedstat is exact; the
# tick counts of /proc/PID/stat are too coarse for a process this quiet).
cpu() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns}'; }
c0=$(cpu $clock); m0=$(cpu $minimal)
sleep "$seconds"
c1=$(cpu $clock); m1=$(cpu $minimal)
hwm() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }

report() { # name nanoseconds-used peak-kB
  awk -v n="$1" -v t="$2" -v s="$seconds" -v k="$3" \
    'BEGIN { printf "%-16s cpu %7.1f ms in %d s = %6.3f %% of one core, peak memory %6.1f MB\n", n, t/1e6, s, 100*t/1e9/s, k/1024 }'
}
report "veskel" $((c1 - c0)) "$(hwm $clock)"
report "minimal window" $((m1 - m0)) "$(hwm $minimal)"
