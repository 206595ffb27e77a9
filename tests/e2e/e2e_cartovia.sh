#!/usr/bin/env bash
# End-to-end: the real program on an X server of its own, played with real mouse events.
#
#   tests/e2e/e2e_cartovia.sh path/to/cartovia [folder-for-screenshots]
#
# Opens each game from the chooser, deals and plays (double-clicks on cards, Rubamazzo's OK
# and a try at stealing the pile, Sette e mezzo's buttons for a few deals; the whole match is
# played by the headless GUI tests), changes the deck style and the name in the configuration
# window and sees the table redrawn, opens the scores window, goes back to the chooser and
# quits; then starts it again, types a name and ends it with SIGTERM, as a shutdown would.
# It checks what a player sees (the window on top, screenshots that are not blank and
# change where they should) and keeps (the settings file, the Sette e mezzo score file).
# Every deal follows from one seed (CARTOVIA_SEED, E2E_SEED to choose another), and the
# program's own trace (CARTOVIA_TRACE) says when a move has been made, so no step guesses
# how long a flight takes. Exits 77 (skipped) without Xvfb or xdotool.
set -uo pipefail
CARTOVIA=${1:?usage: e2e_cartovia.sh path/to/cartovia [screenshot folder]}
CARTOVIA=$(readlink -f "$CARTOVIA")
for t in Xvfb xdotool xwininfo import compare convert; do
  command -v "$t" >/dev/null || { echo "SKIP: $t is not installed (scripts/setup installs it)"; exit 77; }
done

TMP=$(mktemp -d /tmp/cartovia-e2e.XXXXXX)
FOTO=${2:-$TMP/foto}
mkdir -p "$FOTO"
XVFB_PID="" ; APP_PID=""
fine() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  [ -z "${TIENI:-}" ] && rm -rf "$TMP"
}
trap fine EXIT
INIZIO=$SECONDS
fallito() {
  echo "FAIL: $*" >&2
  import -window root "$FOTO/fallimento.png" 2>/dev/null && echo "screen at the failure: $FOTO/fallimento.png" >&2
  [ -f "$TMP/cartovia.log" ] && tail -20 "$TMP/cartovia.log" >&2
  TIENI=1
  exit 1
}
passo() { echo "[$((SECONDS - INIZIO))s] $*"; }

# Our own X server: -displayfd picks a free display (other Xvfbs run beside this one).
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$TMP/display" 2>"$TMP/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$TMP/display" ] && break; sleep 0.05; done
[ -s "$TMP/display" ] || fallito "Xvfb did not start: $(cat "$TMP/xvfb.log")"
export DISPLAY=":$(head -n1 "$TMP/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$TMP/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export CARTOVIA_SETTINGS="$TMP/impostazioni.ini"
export CARTOVIA_DATA_DIR="$TMP/dati"
# No advertisement server: no download window; the advertisement folder is ours too.
export CARTOVIA_AD_DIR="$TMP/pubblicita"
export CARTOVIA_UPDATE_SERVER=
# The same cards on every run; the trace tells each move as the table makes it. Seed 2518
# draws the advertisement only on the first table shown, and the player's first Scopa card
# has two ways to capture.
SEME_SCELTO=2518
export CARTOVIA_SEED=${E2E_SEED:-$SEME_SCELTO}
export CARTOVIA_TRACE="$TMP/traccia.jsonl"
export XDG_CONFIG_HOME="$TMP/home/config" XDG_DATA_HOME="$TMP/home/data" XDG_CACHE_HOME="$TMP/home/cache"

# ---- what the player sees ----

# The visible top-level window with this title ("" when none); Qt adds " — Cartovia" to the
# title of every window but the chooser.
finestra() { xdotool search --onlyvisible --name "^$1( — Cartovia)?\$" 2>/dev/null | head -n1; }

# Titles of the visible windows of the program, top-most first (as xwininfo lists them); the
# tiny helper windows Qt keeps are left out.
visibili() {
  local id titolo w
  xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": ("cartovia".*  \([0-9]*\)x[0-9]*+.*/\1|\2|\3/p' |
    while IFS='|' read -r id titolo w; do
      [ "$w" -ge 100 ] || continue
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
      echo "${titolo% — Cartovia}"
    done
}

# Waits until the window `titolo` is shown and is the top-most visible window.
attendi_in_cima() {
  local titolo=$1 limite=${2:-10} t0=$SECONDS cima=""
  while [ $((SECONDS - t0)) -lt "$limite" ]; do
    cima=$(visibili | head -n1)
    [ "$cima" = "$titolo" ] && [ -n "$(finestra "$titolo")" ] && return 0
    sleep 0.2
  done
  fallito "expected the window \"$titolo\" on top; on top is \"$cima\" (visible: $(visibili | tr '\n' ',' ))"
}

# Mouse on a point of the window on top (coordinates inside the window).
clic() { xdotool mousemove --window "$(finestra "$1")" "$2" "$3" click 1; sleep 0.25; }
doppio() { xdotool mousemove --window "$(finestra "$1")" "$2" "$3" click --repeat 2 --delay 60 1; sleep 0.25; }

# Clicks a button that opens or closes a window until `atteso` is on top: a click that
# lands while a card flies or the table pauses is dropped, as it is for a player.
vai() {
  local k
  for k in 1 2 3 4 5 6 7 8; do
    # A table opened from the chooser may show the advertisement (never one shown again
    # from its scores or configuration): it covers the command buttons until closed.
    case "$1" in Cartovia|Punteggi|Configurazione) ;; *) senza_pubblicita "$1" ;; esac
    clic "$1" "$2" "$3"
    for _ in 1 2 3 4 5 6; do
      [ "$(visibili | head -n1)" = "$4" ] && return 0
      sleep 0.25
    done
  done
  attendi_in_cima "$4" 1
}

foto() { sleep 0.3; import -window root "$FOTO/$1.png" || fallito "no screenshot $1"; }
# A screenshot with hardly any colours is a blank screen.
non_vuota() {
  local n
  n=$(convert "$FOTO/$1.png" -format %k info:)
  [ "$n" -gt 200 ] || fallito "screenshot $1 looks blank ($n colours)"
}
# Pixels that differ between two screenshots.
diversi() { compare -metric AE "$FOTO/$1.png" "$FOTO/$2.png" null: 2>&1 | cut -d' ' -f1; }
cambia() {
  local d; d=$(diversi "$1" "$2")
  [ "${d%.*}" -gt "${3:-500}" ] || fallito "$2 should differ from $1 (only $d pixels differ)"
}

# The advertisement covers a table's cards and play buttons on the first table opened from
# the chooser and now and then later; its close strip appears after seven seconds. Seen from
# outside it is the poster's red velvet where the table has its felt and its buttons.
velluto() {
  local x y w r g b
  w=$(finestra "$1")
  [ -n "$w" ] || return 1
  read -r x y < <(xdotool getwindowgeometry "$w" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  read -r r g b < <(import -window root -crop "1x1+$((x + $2))+$((y + $3))" -depth 8 txt:- |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p')
  [ -n "$b" ] && [ "$r" -ge 40 ] && [ "$r" -gt $((5 * g)) ] && [ "$r" -gt $((2 * b)) ]
}
pubblicita() { velluto "$1" 735 100 && velluto "$1" 735 450; }
senza_pubblicita() {
  local t0=$SECONDS
  while pubblicita "$1"; do
    [ $((SECONDS - t0)) -lt 12 ] || fallito "the advertisement on $1 could not be closed"
    # Enter presses its close strip once the strip shows; until then no key reaches the table.
    xdotool key --clearmodifiers Return
    sleep 0.5
  done
}

# If a capture has several ways, the choice dialog asks: take the one shown.
PRESE_SCELTE=0
scegli_presa() {
  if [ -n "$(finestra 'Scegli la presa')" ]; then
    clic 'Scegli la presa' 197 165     # Prendi
    PRESE_SCELTE=$((PRESE_SCELTE + 1))
    sleep 0.3
  fi
}

# ---- what the program has done: its trace, one JSON line per move, count or result ----
# Lines of the trace matching a pattern (0 before the first).
righe() { local n; n=$(grep -c -- "$1" "$CARTOVIA_TRACE" 2>/dev/null); echo "${n:-0}"; }
# Waits until `righe pattern` reaches n; `azione` (a command, may be empty) runs first and
# again every `ogni` seconds while nothing comes (a click dropped during a flight is repeated).
attendi_righe() {
  local modello=$1 n=$2 limite=$3 azione=${4:-} ogni=${5:-3} t0=$SECONDS ultimo=-100
  while [ "$(righe "$modello")" -lt "$n" ]; do
    [ $((SECONDS - t0)) -lt "$limite" ] || fallito "expected $n trace lines like '$modello', found $(righe "$modello")"
    scegli_presa
    if [ -n "$azione" ] && [ $((SECONDS - ultimo)) -ge "$ogni" ]; then eval "$azione"; ultimo=$SECONDS; fi
    sleep 0.2
  done
}

# ---- the table layout (window coordinates; the felt panel starts at 22, 15) ----
BTN_X=698; BTN_CONFIG=411; BTN_NUOVA=443; BTN_PUNTEGGI=477; BTN_CHIUDI=511
CARTA_Y=459; CARTA_X=(0 86 190 294)       # the player's three cards (Scopa, Briscola)

# ---- start ----
passo "start"
"$CARTOVIA" >"$TMP/cartovia.log" 2>&1 &
APP_PID=$!
attendi_in_cima Cartovia 20
foto scelta
non_vuota scelta

# ---- Sette e mezzo: two deals (the whole match is played by the GUI tests) ----
passo "Sette e mezzo"
vai Cartovia 430 329 "Sette e mezzo"
senza_pubblicita "Sette e mezzo"
foto settemezzo_aperto
non_vuota settemezzo_aperto
cambia scelta settemezzo_aperto
clic "Sette e mezzo" $BTN_X $BTN_NUOVA
sleep 0.5
foto settemezzo_nuova
cambia settemezzo_aperto settemezzo_nuova
clic "Sette e mezzo" 102 463          # Carta
foto settemezzo_carta
cambia settemezzo_nuova settemezzo_carta 200
# Stop lights up with the table's next tick: pressed until the deal is decided.
attendi_righe '"game":"settemezzo","deal":' 1 20 'clic "Sette e mezzo" 262 463' 1
# Then another deal: Nuovo Turno (refused until the last deal is decided) and Carta until
# the hand is bust. Clicks on one button land 40 pixels apart so no two make a double click.
mano_persa() {
  local w; w=$(finestra "Sette e mezzo")
  [ -n "$w" ] || return 0
  xdotool mousemove --window "$w" 372 463 click 1 sleep 0.05 \
    mousemove --window "$w" 40 463 click 1 sleep 0.05 mousemove --window "$w" 80 463 click 1 sleep 0.05 \
    mousemove --window "$w" 120 463 click 1 sleep 0.05 mousemove --window "$w" 160 463 click 1 2>/dev/null
}
passo "Sette e mezzo: first deal decided"
attendi_righe '"game":"settemezzo","deal":' 2 30 mano_persa 2
passo "Sette e mezzo: two deals decided"
foto settemezzo_mani
cambia settemezzo_carta settemezzo_mani
[ -s "$CARTOVIA_DATA_DIR/PunteggiSettemezzo.txt" ] || fallito "no Sette e mezzo score file after a match was started"
grep -qi "^Giocatore1 " "$CARTOVIA_DATA_DIR/PunteggiSettemezzo.txt" || fallito "the score file has no record for Giocatore1"
vai "Sette e mezzo" $BTN_X $BTN_PUNTEGGI Punteggi
foto punteggi_settemezzo
non_vuota punteggi_settemezzo
vai Punteggi 587 537 "Sette e mezzo"                 # Chiudi
vai "Sette e mezzo" $BTN_X $BTN_CHIUDI Cartovia

# ---- Scopa: deal, play, change deck and name, see the table redrawn, scores ----
passo "Scopa"
vai Cartovia 430 157 Scopa
senza_pubblicita Scopa
foto scopa_aperta
cambia scelta scopa_aperta
clic Scopa $BTN_X $BTN_NUOVA
sleep 2.5                             # shuffle and deal flights
foto scopa_mano
cambia scopa_aperta scopa_mano
# The first hand is the player's: the first card is move 1, the computer answers with move 2.
MOSSA_SCOPA='"game":"scopa","hand":1,"move":'
attendi_righe "$MOSSA_SCOPA" 1 20 "doppio Scopa ${CARTA_X[1]} $CARTA_Y" 1
attendi_righe "$MOSSA_SCOPA" 2 20
[ "$CARTOVIA_SEED" != "$SEME_SCELTO" ] || [ "$PRESE_SCELTE" -eq 1 ] ||
  fallito "the seed's capture choice was not offered once (offered $PRESE_SCELTE times)"
sleep 1                               # the computer's card lands
foto scopa_giocata
cambia scopa_mano scopa_giocata
vai Scopa $BTN_X $BTN_CONFIG Configurazione
foto configurazione
non_vuota configurazione
# Deck style one step right, until the preview shows the new deck.
for _ in 1 2 3 4; do
  clic Configurazione 256 101
  foto configurazione_mazzo
  [ "$(diversi configurazione configurazione_mazzo | cut -d. -f1)" -gt 500 ] && break
  sleep 0.5
done
triplo() { xdotool mousemove --window "$(finestra Configurazione)" 144 233 click --repeat 3 --delay 60 1; }
triplo
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 20 "Prova E2E"
sleep 0.3
foto configurazione_cambiata
cambia configurazione configurazione_cambiata
foto scopa_prima_del_mazzo_nuovo_e_nascosta
vai Configurazione 144 567 Scopa           # Chiudi
senza_pubblicita Scopa
foto scopa_mazzo_nuovo
cambia scopa_giocata scopa_mazzo_nuovo
vai Scopa $BTN_X $BTN_PUNTEGGI Punteggi
foto punteggi_scopa
vai Punteggi 587 537 Scopa
vai Scopa $BTN_X $BTN_CHIUDI Cartovia

# ---- Briscola: deal and play ----
passo "Briscola"
vai Cartovia 430 71 Briscola
senza_pubblicita Briscola
clic Briscola $BTN_X $BTN_NUOVA
sleep 1.5                             # the deal's flights
foto briscola_mano
non_vuota briscola_mano
cambia scelta briscola_mano
# Each card makes a trick with the computer's; the trace tells when it has been taken.
for i in 1 2; do
  attendi_righe '"game":"briscola","trick":' "$i" 20 "doppio Briscola ${CARTA_X[$i]} $CARTA_Y" 2
done
sleep 0.5
foto briscola_giocata
cambia briscola_mano briscola_giocata
vai Briscola $BTN_X $BTN_CHIUDI Cartovia

# ---- Rubamazzo: select a card, OK, try to steal the computer's pile ----
passo "Rubamazzo"
vai Cartovia 430 243 Rubamazzo
senza_pubblicita Rubamazzo
clic Rubamazzo $BTN_X $BTN_NUOVA
sleep 1.2                             # the table's next tick deals
foto rubamazzo_mano
non_vuota rubamazzo_mano
# A card and OK, the computer's answer; then a try at the computer's pile (taken when the
# deal allows, and answered too). Each move is a line of the trace, the player's and the
# computer's in turn.
MOSSA_RUBA='"game":"rubamazzo","move":'
for k in 0 1; do
  n=$(righe "$MOSSA_RUBA")
  attendi_righe "$MOSSA_RUBA" $((n + 2)) 20 "doppio Rubamazzo $((78 + 120 * k)) 467; clic Rubamazzo 198 378"
  doppio Rubamazzo 454 107
  sleep 1
  n=$(righe "$MOSSA_RUBA")
  attendi_righe "$MOSSA_RUBA" $((n + n % 2)) 10
done
foto rubamazzo_giocata
cambia rubamazzo_mano rubamazzo_giocata
vai Rubamazzo $BTN_X $BTN_CHIUDI Cartovia

# ---- quit, and what is kept ----
passo "quit"
clic Cartovia 430 501
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fallito "the program did not end after the quit button"
wait "$APP_PID"; APP_PID=""
[ -f "$CARTOVIA_SETTINGS" ] || fallito "no settings file after quitting"
grep -q 'Mazzo=[3-6]$' "$CARTOVIA_SETTINGS" || fallito "the new deck style was not saved: $(cat "$CARTOVIA_SETTINGS")"
grep -q 'Nome=Prova E2E$' "$CARTOVIA_SETTINGS" || fallito "the name was not saved: $(cat "$CARTOVIA_SETTINGS")"
for g in scopa briscola rubamazzo settemezzo; do
  [ "$(righe "\"game\":\"$g\"")" -gt 0 ] || fallito "the trace has no line of $g"
done

# ---- ended from outside: SIGTERM (a shutdown) still saves a setting changed meanwhile ----
passo "SIGTERM"
"$CARTOVIA" >>"$TMP/cartovia.log" 2>&1 &
APP_PID=$!
attendi_in_cima Cartovia 20
vai Cartovia 430 329 "Sette e mezzo"
# F2 opens the configuration even while the advertisement covers the table.
for _ in 1 2 3 4 5 6 7 8; do
  [ "$(visibili | head -n1)" = Configurazione ] && break
  xdotool key --clearmodifiers F2
  sleep 0.5
done
attendi_in_cima Configurazione
triplo
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 20 "Segnale E2E"
sleep 0.5
grep -q 'Nome=Segnale E2E$' "$CARTOVIA_SETTINGS" && fallito "the name was saved before the signal"
kill -TERM "$APP_PID"
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fallito "the program did not end on SIGTERM"
wait "$APP_PID"; APP_PID=""
grep -q 'Nome=Segnale E2E$' "$CARTOVIA_SETTINGS" || fallito "SIGTERM lost the new name: $(cat "$CARTOVIA_SETTINGS")"
[ $((SECONDS - INIZIO)) -lt 90 ] || echo "WARNING: the run took $((SECONDS - INIZIO)) s, more than 90 s" >&2
passo "passed"
