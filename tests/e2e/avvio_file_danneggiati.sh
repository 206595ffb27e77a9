#!/usr/bin/env bash
# The real program started over damaged and planted files: a settings file with a format
# error, a score file whose records end in CR alone, and a link or a folder under each name
# it writes into its advertisement folder. It must start, quit cleanly, keep every value and
# record, and never write through a link.
#   avvio_file_danneggiati.sh PROGRAM
set -euo pipefail
programma=$1
tmp=$(mktemp -d /tmp/cartovia-danneggiati.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the program headless on the files of folder $1; extra arguments go to the program.
avvia() {
  local c=$1
  shift
  (cd "$c" && env QT_QPA_PLATFORM=offscreen CARTOVIA_SETTINGS="$c/Cartovia.ini" CARTOVIA_DATA_DIR="$c" \
     CARTOVIA_AD_DIR="$c/ad" CARTOVIA_UPDATE_SERVER= XDG_CONFIG_HOME="$c/config" XDG_DATA_HOME="$c/data" \
     "$programma" "$@" >"$c/log" 2>&1) || { cat "$c/log" >&2; fail "the program did not start and quit cleanly ($c)"; }
}

# ---- a settings line without its closing bracket, and a score file with CR line ends
c="$tmp/impostazioni"
mkdir -p "$c/ad"
printf '[VelmoSoft]\nScopa\\Configurazione\\Nome=Mario Rossi\nScopa\\Configurazione\\Mazzo=5\nScopa\\Configurazione\\Retro=4\n[Data\n' \
  >"$c/Cartovia.ini"
cp "$c/Cartovia.ini" "$c/originale.ini"
rec() { printf '%-30s%s' "$1" "$2"; }
{ rec ANNA "0004  0002  0000"; printf '\r'; rec "MARIO ROSSI" "0003  0001  0000"; printf '\r'
  rec BEA "0002  0000  0000"; printf '\r'; } >"$c/PunteggiSettemezzo.txt"
avvia "$c" --autoplay settemezzo --quit-after 300
for v in 'Nome=Mario Rossi' 'Mazzo=5' 'Retro=4'; do
  grep -qF "$v" "$c/Cartovia.ini" || fail "the settings lost $v: $(cat "$c/Cartovia.ini")"
done
cmp -s "$c/Cartovia.ini.damaged" "$c/originale.ini" || fail "no copy of the damaged settings file"
grep -q 'damaged' "$c/log" || fail "the damaged settings file was not logged"
for nome in ANNA BEA; do
  grep -q "^$nome " <(tr '\r' '\n' <"$c/PunteggiSettemezzo.txt") || fail "the record of $nome was lost"
done
grep -q '^MARIO ROSSI *0004' <(tr '\r' '\n' <"$c/PunteggiSettemezzo.txt") \
  || fail "the match was not counted for Mario Rossi: $(tr '\r' '\n' <"$c/PunteggiSettemezzo.txt")"

# ---- a link and a folder under each name written into the advertisement folder
for piantato in link folder; do
  c="$tmp/$piantato"
  mkdir -p "$c/ad" "$c/altrove"
  echo "non toccare" >"$c/altrove/bersaglio"
  for nome in pubblicita.htm pubblicita.swf; do
    if [ "$piantato" = link ]; then ln -s "$c/altrove/bersaglio" "$c/ad/$nome"; else mkdir -p "$c/ad/$nome/dentro"; fi
  done
  avvia "$c" --quit-after 300
  [ "$(cat "$c/altrove/bersaglio")" = "non toccare" ] || fail "written through a planted $piantato"
  for nome in pubblicita.htm pubblicita.swf; do
    if [ "$piantato" = link ]; then [ -L "$c/ad/$nome" ] || fail "the link $nome was replaced"
    else [ -d "$c/ad/$nome/dentro" ] || fail "the folder $nome was touched"; fi
  done
  grep -q 'pubblicita.htm is not a regular file' "$c/log" || fail "the refused page was not logged: $(cat "$c/log")"
  [ -z "$(ls "$c/ad" | grep -v '^pubblicita\.\(htm\|swf\)$' || true)" ] || fail "copies were left: $(ls "$c/ad")"
done
echo "ok"
