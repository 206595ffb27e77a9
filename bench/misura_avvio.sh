#!/usr/bin/env bash
# Start-up, memory and idle CPU of the real program on an X server of its own, beside the
# same figures for a trivial Qt window (bench/finestra_minima) measured in the same run.
#
#   bench/misura_avvio.sh [BUILD_DIR] [ROUNDS] [IDLE_SECONDS]
#
# BUILD_DIR defaults to build/, ROUNDS (start-ups of each program, alternated) to 15,
# IDLE_SECONDS (how long the idle CPU is sampled) to 20. CARTOVIA=path measures another
# binary; PRIMA=path measures a second build (for instance the one before a change) in the same
# rounds, so the two are compared under the same load. Needs Xvfb; settings and score files go
# to a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
ROUNDS=${2:-15}
IDLE=${3:-20}
CARTOVIA=${CARTOVIA:-$BUILD/cartovia}
MINIMA=${MINIMA:-$BUILD/bench/finestra_minima}
PRIMA=${PRIMA:-}
for b in "$CARTOVIA" "$MINIMA" ${PRIMA:+"$PRIMA"}; do
  [ -x "$b" ] || { echo "missing $b: build the targets cartovia and finestra_minima" >&2; exit 2; }
done
export LC_ALL=C

TMP=$(mktemp -d /tmp/cartovia-bench.XXXXXX)
XVFB_PID=""
IDLE_PID=""
cleanup() {
  [ -n "$IDLE_PID" ] && kill "$IDLE_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT

# An X server of our own: -displayfd picks a free display number and writes it back.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$TMP/display" 2>"$TMP/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$TMP/display" ] && break; sleep 0.05; done
[ -s "$TMP/display" ] || { echo "Xvfb did not start" >&2; cat "$TMP/xvfb.log" >&2; exit 2; }
export DISPLAY=":$(head -n1 "$TMP/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$TMP/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export CARTOVIA_SETTINGS="$TMP/settings.ini"
export CARTOVIA_DATA_DIR="$TMP/data"
export CARTOVIA_AD_DIR="$TMP/ads"
export CARTOVIA_UPDATE_SERVER=

median() { sort -n | awk '{a[NR]=$1} END {if (NR%2) print a[(NR+1)/2]; else printf "%.1f\n", (a[NR/2]+a[NR/2+1])/2}'; }
best() { sort -n | head -n1; }

# "wall cpu": milliseconds from just before the exec to the first painted and flushed window,
# and the processor time the program had used by then (all its threads).
avvio_ms() {
  local t0 out p c
  t0=${EPOCHREALTIME/./}
  out=$("$@" --measure-startup 2>/dev/null || true)
  p=$(sed -n 's/^painted_us=//p' <<<"$out")
  c=$(sed -n 's/^cpu_us=//p' <<<"$out")
  [ -n "$p" ] || { echo "no paint reported by $1" >&2; exit 1; }
  c=${c:-0}  # a build from before the processor time was reported
  awk -v a="$p" -v b="$t0" -v c="$c" 'BEGIN {printf "%.1f %.1f\n", (a - b) / 1000, c / 1000}'
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$MINIMA" --measure-startup >/dev/null 2>&1 || true   # warm the file cache for both
"$CARTOVIA" --measure-startup >/dev/null 2>&1 || true
: >"$TMP/minima" ; : >"$TMP/cartovia" ; : >"$TMP/prima"
for i in $(seq "$ROUNDS"); do
  avvio_ms "$MINIMA" >>"$TMP/minima"
  [ -n "$PRIMA" ] && avvio_ms "$PRIMA" >>"$TMP/prima"
  avvio_ms "$CARTOVIA" >>"$TMP/cartovia"
done
col() { cut -d' ' -f"$1" "$2"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
riga() {  # label file
  printf '  %-22s wall best %7.1f  median %7.1f   cpu best %6.1f  median %6.1f\n' "$1" \
    "$(col 1 "$2" | best)" "$(col 1 "$2" | median)" "$(col 2 "$2" | best)" "$(col 2 "$2" | median)"
}
echo "start-up to the first painted window, $ROUNDS rounds each, alternated (ms):"
riga "trivial Qt window" "$TMP/minima"
riga "cartovia chooser" "$TMP/cartovia"
[ -n "$PRIMA" ] && riga "PRIMA: $(basename "$PRIMA")" "$TMP/prima"
paste -d' ' "$TMP/cartovia" "$TMP/minima" | awk '{printf "%.3f %.3f\n", $1 / $3, $2 / $4}' >"$TMP/rapporti"
echo "  cartovia / trivial window: wall median $(ratio "$(col 1 "$TMP/cartovia" | median)" "$(col 1 "$TMP/minima" | median)")," \
  "best $(ratio "$(col 1 "$TMP/cartovia" | best)" "$(col 1 "$TMP/minima" | best)")," \
  "median of paired rounds $(col 1 "$TMP/rapporti" | median);" \
  "cpu median $(ratio "$(col 2 "$TMP/cartovia" | median)" "$(col 2 "$TMP/minima" | median)")"

# Resident memory: the trivial window once painted; the program at the painted chooser and
# after every window has been opened once (median of three runs).
: >"$TMP/mem_min"; : >"$TMP/mem_sc"; : >"$TMP/mem_tutte"; : >"$TMP/mem_hwm"
for i in 1 2 3; do
  "$MINIMA" --measure-memory 2>/dev/null | sed -n 's/^rss_chooser_kib=//p' >>"$TMP/mem_min"
  out=$("$CARTOVIA" --measure-memory 2>/dev/null)
  sed -n 's/^rss_chooser_kib=//p' <<<"$out" >>"$TMP/mem_sc"
  sed -n 's/^rss_all_windows_kib=//p' <<<"$out" >>"$TMP/mem_tutte"
  sed -n 's/^hwm_kib=//p' <<<"$out" >>"$TMP/mem_hwm"
done
mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
echo "resident memory (VmRSS, median of 3, MiB):"
echo "  trivial Qt window                $(mib "$(median <"$TMP/mem_min")")"
echo "  cartovia at the chooser          $(mib "$(median <"$TMP/mem_sc")")"
echo "  cartovia, every window opened    $(mib "$(median <"$TMP/mem_tutte")")  (peak $(mib "$(median <"$TMP/mem_hwm")"))"

# Idle CPU: the program left at the chooser, sampled after the welcome sound.
if [ "$IDLE" -gt 0 ]; then
  "$CARTOVIA" >/dev/null 2>&1 &
  IDLE_PID=$!
  sleep 3
  ticks() { sed 's/.*) //' "/proc/$IDLE_PID/stat" | awk '{print $12 + $13}'; }
  t1=$(ticks); s1=${EPOCHREALTIME/./}
  sleep "$IDLE"
  t2=$(ticks); s2=${EPOCHREALTIME/./}
  hz=$(getconf CLK_TCK)
  awk -v t="$((t2 - t1))" -v hz="$hz" -v us="$((s2 - s1))" \
    'BEGIN {printf "idle CPU at the chooser over %.0f s: %.2f %%\n", us / 1e6, 100 * (t / hz) / (us / 1e6)}'
  kill "$IDLE_PID" 2>/dev/null || true
  wait "$IDLE_PID" 2>/dev/null || true
  IDLE_PID=""
fi
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
