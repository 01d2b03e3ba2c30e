#!/usr/bin/env bash
# The running clock side by side with the minimal window, both on the same private X server:
# the time from start to the first frame on screen (median of five starts each), then CPU time
# and peak memory over a while (60 s unless given), and the three ratios clock / minimal window.
# Run from the build folder:
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
cp "$here"/veskel-*.so "$work/" 2>/dev/null || true # its plugins, found but not loaded while idle
clock_env=(DISPLAY=$display HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run)

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
first_clock=() first_minimal=()
if [ -x "$here/bench/first_frame" ]; then
  for _ in 1 2 3 4 5; do
    first_clock+=("$(env "${clock_env[@]}" "$here/bench/first_frame" "$work/veskel")")
    first_minimal+=("$(DISPLAY=$display "$here/bench/first_frame" "$here/bench/minimal_window")")
  done
fi
env "${clock_env[@]}" "$work/veskel" &
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
awk -v c=$((c1 - c0)) -v m=$((m1 - m0)) -v hc="$(hwm $clock)" -v hm="$(hwm $minimal)" \
  'BEGIN { printf "ratio veskel / minimal window: cpu %.2f (goal <= 0.50), peak memory %.2f (goal <= 1.10)\n", c/m, hc/hm }'
if ((${#first_clock[@]})); then
  fc=$(printf '%s\n' "${first_clock[@]}" | median)
  fm=$(printf '%s\n' "${first_minimal[@]}" | median)
  awk -v c="$fc" -v m="$fm" 'BEGIN { printf "first frame: veskel %.1f ms, minimal window %.1f ms, ratio %.2f (goal <= 1.00)\n", c, m, c/m }'
fi
