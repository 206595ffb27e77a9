#!/usr/bin/env bash
# End-to-end with a real screen reader: the program played by keys alone while Orca listens
# over AT-SPI, and the words Orca spoke checked in its debug file (its "SPEECH OUTPUT" lines).
#
#   tests/e2e/e2e_orca.sh path/to/cartovia
#
# Starts its own X server, a window manager (without one no window becomes active and Orca
# hears nothing), a session bus, the AT-SPI bus, speech-dispatcher with espeak-ng on ALSA's
# null device (its default, PulseAudio, blocks Orca here) and Orca. Plays a few Briscola and
# Scopa moves and opens the help and the scores window. Exits 77 (skipped) where Orca or a
# piece it needs cannot start. Every wait has a limit, and everything it started is ended.
set -uo pipefail
CARTOVIA=${1:?usage: e2e_orca.sh path/to/cartovia}
CARTOVIA=$(readlink -f "$CARTOVIA")

# Everything this test starts (the buses start services of their own) shares one session,
# so the end can find and stop exactly those processes.
if [ -z "${CARTOVIA_ORCA_SESSIONE:-}" ]; then
  CARTOVIA_ORCA_SESSIONE=1 exec setsid -w bash "$0" "$@"
fi

salta() { echo "SKIP: $*"; exit 77; }
for t in Xvfb openbox dbus-daemon dbus-send speech-dispatcher orca xdotool xprop setsid; do
  command -v "$t" >/dev/null || salta "$t is not installed (scripts/setup installs it)"
done
BUS_AT_SPI=/usr/libexec/at-spi-bus-launcher
# Orca runs on the system's Python, whatever python3 comes first on the PATH.
[ -x /usr/bin/python3 ] || salta "no /usr/bin/python3"
[ -x "$BUS_AT_SPI" ] || salta "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi, speechd' 2>/dev/null || salta "Orca's Python modules (pyatspi, speechd) are missing"
[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ] || salta "speech-dispatcher-espeak-ng is not installed"

TMP=$(mktemp -d /tmp/cartovia-orca.XXXXXX)
PARLATO="$TMP/orca.log"
TIENI=""
fine() {
  trap - EXIT INT TERM
  local p altri
  disown -a 2>/dev/null   # no job reports for what is ended here
  # The other processes of this session (Orca, the buses and what they started), newest first.
  altri=$(ps -o pid= -s "$$" | tr -d ' ' | grep -vx "$$" | sort -rn)
  for p in $altri; do kill "$p" 2>/dev/null; done
  for _ in $(seq 20); do
    altri=$(ps -o pid= -s "$$" | tr -d ' ' | grep -vx "$$")
    [ "$(echo "$altri" | grep -c .)" -le 1 ] && break   # the ps itself
    sleep 0.1
  done
  for p in $(ps -o pid= -s "$$" | tr -d ' ' | grep -vx "$$"); do kill -9 "$p" 2>/dev/null; done
  [ -z "$TIENI" ] && rm -rf "$TMP"
}
trap fine EXIT
trap 'exit 1' INT TERM
INIZIO=$SECONDS
passo() { echo "[$((SECONDS - INIZIO))s] $*"; }
fallito() {
  echo "FAIL: $*" >&2
  echo "--- what Orca said ---" >&2
  detto | tail -40 >&2
  [ -f "$TMP/cartovia.log" ] && { echo "--- the program ---" >&2; tail -10 "$TMP/cartovia.log" >&2; }
  TIENI=1
  echo "files kept in $TMP" >&2
  exit 1
}
# The whole test is bounded, whatever hangs.
( sleep "${CARTOVIA_ORCA_LIMITE:-170}"; echo "FAIL: the Orca test ran out of time" >&2; kill -TERM $$ ) 2>/dev/null &

# ---- the desktop ----
export HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/home/config" XDG_DATA_HOME="$TMP/home/data"
export XDG_CACHE_HOME="$TMP/home/cache" XDG_RUNTIME_DIR="$TMP/xdg"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=0 LANG=C.UTF-8

# -displayfd picks a free display (other X servers run beside this one); CARTOVIA_E2E_DISPLAY
# asks for one, and a display already taken falls back to a free one.
if [ -n "${CARTOVIA_E2E_DISPLAY:-}" ]; then
  Xvfb ":$CARTOVIA_E2E_DISPLAY" -screen 0 1024x768x24 -nolisten tcp 2>"$TMP/xvfb.log" &
  XVFB=$!
  for _ in $(seq 40); do DISPLAY=":$CARTOVIA_E2E_DISPLAY" xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done
  kill -0 "$XVFB" 2>/dev/null && echo "$CARTOVIA_E2E_DISPLAY" >"$TMP/display"
fi
if [ ! -s "$TMP/display" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$TMP/display" 2>"$TMP/xvfb.log" &
fi
for _ in $(seq 100); do [ -s "$TMP/display" ] && break; sleep 0.05; done
[ -s "$TMP/display" ] || salta "Xvfb did not start: $(cat "$TMP/xvfb.log")"
export DISPLAY=":$(head -n1 "$TMP/display")"
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done
xdotool getmouselocation >/dev/null 2>&1 || salta "Xvfb on $DISPLAY does not answer: $(cat "$TMP/xvfb.log")"

dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$TMP/bus" 2>"$TMP/dbus.log" &
for _ in $(seq 100); do [ -s "$TMP/bus" ] && break; sleep 0.05; done
[ -s "$TMP/bus" ] || salta "no session bus: $(cat "$TMP/dbus.log")"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$TMP/bus")
export DBUS_SESSION_BUS_ADDRESS

openbox --sm-disable >"$TMP/openbox.log" 2>&1 &
# The window manager is up once it names itself on the root window.
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.05; done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || salta "openbox did not start: $(cat "$TMP/openbox.log")"
"$BUS_AT_SPI" --launch-immediately >"$TMP/at-spi.log" 2>&1 &
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.05
done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
  salta "the AT-SPI bus did not start: $(cat "$TMP/at-spi.log")"

# speech-dispatcher with espeak-ng only, sounding into ALSA's null device.
mkdir -p "$TMP/speechd/modules" "$TMP/speechd-log"
cp -r /etc/speech-dispatcher/. "$TMP/speechd/"
cat >>"$TMP/speechd/speechd.conf" <<'FINE'
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "it"
FINE
PRESA="$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock"
mkdir -p "$(dirname "$PRESA")"
export SPEECHD_ADDRESS="unix_socket:$PRESA"
speech-dispatcher -s -t 0 -C "$TMP/speechd" -L "$TMP/speechd-log" -S "$PRESA" -P "$TMP/speechd.pid" \
  >"$TMP/speechd.out" 2>&1 &
for _ in $(seq 100); do [ -S "$PRESA" ] && break; sleep 0.05; done
[ -S "$PRESA" ] || salta "speech-dispatcher did not start: $(cat "$TMP/speechd.out")"

# Orca from a copy of its launcher that writes its debug file line by line (the launcher's
# large buffer would hold the words until Orca ends), takes this private desktop's Orca for
# the only one, and does not name itself "orca" (other Orcas of this user would stop at it).
LANCIO="$TMP/orca-lancio"
sed -e "s/open(args.debug_file, 'w')/open(args.debug_file, 'w', buffering=1)/" \
    -e "s/^def otherOrcas():/def otherOrcas():\n    return []\n\ndef _otherOrcas():/" \
    -e "s/setProcessName('orca')/setProcessName('orca-cartovia')/" /usr/bin/orca >"$LANCIO"
grep -q "buffering=1" "$LANCIO" || salta "this Orca's launcher is not the one this test knows (Orca 43)"
/usr/bin/python3 "$LANCIO" --debug-file="$PARLATO" >"$TMP/orca.out" 2>&1 &

# ---- what Orca says ----

# Every utterance so far, one a line.
# A line reads "12:00:00.123 - SPEECH OUTPUT: 'words'" and may end with the voice: {...}.
detto() { sed -n "/ - SPEECH OUTPUT: '/{s/^.* - SPEECH OUTPUT: '//; s/ *{[^{}]*}$//; s/'[^']*$//; p}" "$PARLATO" 2>/dev/null; }
# Utterances from line `dopo` on (a mark taken with `segno`).
segno() { detto | wc -l; }
detto_dopo() { detto | tail -n +"$(( $1 + 1 ))"; }
# Waits until Orca has said something matching the extended regular expression, after mark `dopo`.
attendi_detto() {
  local re=$1 limite=${2:-15} dopo=${3:-0} t0=$SECONDS
  while [ $((SECONDS - t0)) -lt "$limite" ]; do
    detto_dopo "$dopo" | grep -Eq -- "$re" && return 0
    sleep 0.2
  done
  fallito "Orca did not say /$re/ within $limite s"
}
tasto() { xdotool key --clearmodifiers --delay 150 "$@"; sleep 0.3; }
# A key that opens or closes a window, pressed again while what it brings is not heard: a key
# that comes while the window manager is still moving the keyboard to a new window is lost.
tasto_finche() {
  local k=$1 re=$2 dopo=$3 volta
  for volta in 1 2 3; do
    tasto "$k"
    for _ in $(seq 20); do detto_dopo "$dopo" | grep -Eq -- "$re" && return 0; sleep 0.2; done
  done
  fallito "Orca did not say /$re/ after the key $k"
}

attendi_detto "Screen reader on|Lettore dello schermo attivo" 30 || true
for _ in $(seq 50); do grep -q "ORCA: Starting registry\|Starting ATSPI registry" "$PARLATO" && break; sleep 0.1; done
passo "Orca listening"

# ---- the program ----
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export CARTOVIA_SETTINGS="$TMP/impostazioni.ini" CARTOVIA_DATA_DIR="$TMP/dati"
export CARTOVIA_AD_DIR="$TMP/pubblicita" CARTOVIA_UPDATE_SERVER=
CARTE='(Asso|Due|Tre|Quattro|Cinque|Sei|Sette|Fante|Cavallo|Re) di (Denari|Coppe|Spade|Bastoni)'
m=$(segno)
"$CARTOVIA" >"$TMP/cartovia.log" 2>&1 &
attendi_detto "Cartovia" 30 "$m"
# The chooser starts with the focus on Briscola, heard before any key.
attendi_detto "^Briscola push button" 10 "$m"
passo "chooser heard, on Briscola"

# ---- Briscola: the first table always shows the advertisement; its strip comes after 7 s ----
m=$(segno)
tasto 1
tasto Return
attendi_detto "Briscola" 10 "$m"
attendi_detto "Chiudi la pubblicità" 15 "$m"
tasto Return
m=$(segno)
tasto n
attendi_detto "Nuova partita: la briscola è" 10 "$m"
passo "Briscola dealt"
# The focus goes to the first card once dealt; key 2 moves it: each card is named with its place.
attendi_detto "$CARTE" 5 "$m"
m=$(segno)
tasto 2
attendi_detto "$CARTE" 5 "$m"
attendi_detto "La tua mano, carta 2" 5 "$m"
tasto Return
attendi_detto "Il computer gioca (il|l')" 15 "$m"
attendi_detto "Prendi tu|Prende il computer|Mano a te|Mano al computer" 15 "$m"
# The draw after the trick: the deck counter says its new count.
attendi_detto "Carte rimanenti: 32" 10 "$m"
passo "Briscola move, answer and trick heard"

# F1: the rules as plain text.
m=$(segno)
tasto F1
attendi_detto "Tre carte a testa" 10 "$m"
detto_dopo "$m" | grep -q '<[a-z/]' && fallito "the help was read with its markup: $(detto_dopo "$m" | grep '<' | head -1)"
m=$(segno)
tasto_finche Escape "Briscola frame" "$m"
passo "help heard"

# The scores window: a table, its first row read whole (the player's match just recorded);
# Right moves to the next cell, read with its column's caption.
m=$(segno)
tasto_finche p "Punteggi" "$m"
attendi_detto "table with 10 rows 4 columns" 10 "$m"
detto_dopo "$m" | grep -A4 -x "table with 10 rows 4 columns" | tr '\n' ' ' | grep -Eq -- "^table with 10 rows 4 columns [^ ]+\. [0-9]+\. [0-9]+\. [0-9]+\." \
  || fallito "the scores' first row was not read as a table row: $(detto_dopo "$m" | tr '\n' ' ')"
m=$(segno)
tasto Right
attendi_detto "^Giocate column header [0-9]+" 5 "$m"
m=$(segno)
tasto_finche Return "Briscola frame" "$m"
passo "scores heard"
m=$(segno)
tasto_finche Escape "Cartovia frame" "$m"

# ---- Scopa: moves until a capture is heard (and "Scopa!" when the deal gives one) ----
m=$(segno)
tasto 2
tasto Return
attendi_detto "Scopa" 10 "$m"
sleep 0.5
# The advertisement (one showing in four here): wait for its strip and close it.
if detto_dopo "$m" | grep -q "ubblicit"; then
  attendi_detto "Chiudi la pubblicità" 15 "$m"
  tasto Return
fi
m=$(segno)
tasto n
attendi_detto "Tocca a te|Il computer gioca" 15 "$m"
passo "Scopa dealt"
t0=$SECONDS
preso='(Giochi|Il computer gioca) .* e prend|Scopa!'
while ! { detto_dopo "$m" | grep -Eq "$preso" && detto_dopo "$m" | grep -Eq "Il computer gioca"; }; do
  [ $((SECONDS - t0)) -lt 60 ] || fallito "no capture heard in Scopa within 60 s"
  # Enter plays the card in focus (it moves to the next card once one is played); a capture
  # with several ways asks which, and Enter takes the one shown.
  tasto 1 Return
  tasto 2 Return
done
passo "Scopa heard: $(detto_dopo "$m" | grep -E "$preso" | head -1)"
detto_dopo "$m" | grep -q "Scopa!" && passo "a sweep heard: Scopa!"

tasto Escape
# CARTOVIA_ORCA_PARLATO=file keeps what Orca said.
[ -n "${CARTOVIA_ORCA_PARLATO:-}" ] && detto >"$CARTOVIA_ORCA_PARLATO"
passo "passed"
