#!/usr/bin/env bash
# End-to-end: under a real window manager (openbox) on an X server of its own, a drag on the
# chooser's frame moves the window through the platform's move, and the next start opens the
# chooser where it was left.
#
#   tests/e2e/e2e_spostamento.sh path/to/cartovia
#
# Exits 77 (skipped) without Xvfb, openbox or xdotool.
set -uo pipefail
CARTOVIA=$(readlink -f "${1:?usage: e2e_spostamento.sh path/to/cartovia}")
for t in Xvfb openbox xdotool; do
  command -v "$t" >/dev/null || { echo "SKIP: $t is not installed (scripts/setup installs it)"; exit 77; }
done
TMP=$(mktemp -d /tmp/cartovia-sposta.XXXXXX)
XVFB_PID="" ; WM_PID="" ; APP_PID=""
fine() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$TMP"
}
trap fine EXIT
fallito() { echo "FAIL: $*" >&2; [ -f "$TMP/cartovia.log" ] && tail -20 "$TMP/cartovia.log" >&2; exit 1; }

Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$TMP/display" 2>"$TMP/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$TMP/display" ] && break; sleep 0.05; done
[ -s "$TMP/display" ] || fallito "Xvfb did not start"
export DISPLAY=":$(head -n1 "$TMP/display")"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$TMP/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export CARTOVIA_SETTINGS="$TMP/impostazioni.ini" CARTOVIA_DATA_DIR="$TMP/dati" CARTOVIA_AD_DIR="$TMP/pubblicita"
export CARTOVIA_UPDATE_SERVER=
export XDG_CONFIG_HOME="$TMP/home/config" XDG_DATA_HOME="$TMP/home/data" XDG_CACHE_HOME="$TMP/home/cache"
openbox >"$TMP/openbox.log" 2>&1 &
WM_PID=$!
for _ in $(seq 100); do xdotool search --class openbox >/dev/null 2>&1 && break; sleep 0.05; done

# The chooser's window and its top-left corner ("X Y").
chooser() { xdotool search --onlyvisible --name '^Cartovia$' 2>/dev/null | head -n1; }
angolo() { xdotool getwindowgeometry "$1" | sed -n 's/ *Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p'; }
avvia() {
  "$CARTOVIA" >>"$TMP/cartovia.log" 2>&1 &
  APP_PID=$!
  for _ in $(seq 100); do [ -n "$(chooser)" ] && return 0; sleep 0.1; done
  fallito "the chooser did not appear"
}
esci() {
  xdotool windowactivate --sync "$(chooser)" key Escape 2>/dev/null
  for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || { APP_PID=""; return 0; }; sleep 0.1; done
  fallito "the program did not quit"
}

avvia
sleep 0.5
W=$(chooser)
read -r X0 Y0 < <(angolo "$W")
# Press on the wood at the left edge, halfway down, and drag 150 right and 60 down.
xdotool mousemove $((X0 + 5)) $((Y0 + 300)) mousedown 1
for d in 5 20 50 80 110 150; do xdotool mousemove $((X0 + 5 + d)) $((Y0 + 300 + d * 2 / 5)); sleep 0.1; done
xdotool mouseup 1
sleep 0.5
read -r X1 Y1 < <(angolo "$W")
echo "chooser from $X0,$Y0 to $X1,$Y1"
[ $((X1 - X0)) -ge 100 ] && [ $((Y1 - Y0)) -ge 30 ] || fallito "the drag did not move the chooser ($X0,$Y0 -> $X1,$Y1)"
esci
grep -q "Posizione=" "$CARTOVIA_SETTINGS" || fallito "no place stored: $(cat "$CARTOVIA_SETTINGS")"

avvia
sleep 0.5
read -r X2 Y2 < <(angolo "$(chooser)")
echo "next start at $X2,$Y2"
[ "$X2" -eq "$X1" ] && [ "$Y2" -eq "$Y1" ] || fallito "the next start opened at $X2,$Y2, not where it was left ($X1,$Y1)"
esci
echo "PASS"
