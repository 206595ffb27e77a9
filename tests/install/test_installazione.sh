#!/usr/bin/env bash
# Installs the program into a temporary root with DESTDIR, checks the desktop files, and
# plays a Sette e mezzo match with the installed program started from / to see where its
# score record lands: in the player's data folder, never in the current folder.
#   test_installazione.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
id=$2
tmp=$(mktemp -d /tmp/cartovia-installazione.XXXXXX)
# A faulty program run from / as root would leave its score files there: take them away again.
radice_prima=$( [ -e /PunteggiSettemezzo.txt ] && echo si || echo no)
pulisci() {
  rm -rf "$tmp"
  [ "$radice_prima" = si ] || rm -f /PunteggiSettemezzo.txt /PunteggiSettemezzo1.txt /PunteggiSettemezzo.bak 2>/dev/null || true
}
trap pulisci EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$tmp/radice" "${CMAKE:-cmake}" --install "$build" --prefix /usr >/dev/null
usr="$tmp/radice/usr"

# ---- the files, in the places desktops look for them
for f in bin/cartovia "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
         "share/icons/hicolor/scalable/apps/$id.svg" share/doc/cartovia/copyright \
         share/cartovia/pubblicita.swf; do
  [ -f "$usr/$f" ] || fail "$f is not installed"
done
[ -x "$usr/bin/cartovia" ] || fail "the program is not executable"
for lato in 48 64 128 256; do
  png="$usr/share/icons/hicolor/${lato}x${lato}/apps/$id.png"
  [ -f "$png" ] || fail "no $lato px icon"
  # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')
  [ "$w $h" = "$lato $lato" ] || fail "the $lato px icon is $w x $h"
done
grep -qx "Icon=$id" "$usr/share/applications/$id.desktop" || fail "the desktop entry names another icon"
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/$id.metainfo.xml" >"$tmp/appstream.log" ||
  { cat "$tmp/appstream.log"; fail "appstreamcli validate"; }

# ---- where the score files go
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$tmp/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# One match with a fresh player: HOME and the XDG folders all inside $tmp.
gioca() {  # gioca FOLDER PROGRAM [VAR=VALUE...]
  local cartella=$1 programma=$2
  shift 2
  (cd "$cartella" && env -u CARTOVIA_DATA_DIR -u CARTOVIA_SETTINGS -u CARTOVIA_AD_DIR \
     -u CARTOVIA_UPDATE_SERVER HOME="$tmp/casa" \
     XDG_DATA_HOME="$tmp/casa/dati" XDG_CONFIG_HOME="$tmp/casa/config" "$@" \
     "$programma" --autoplay settemezzo --quit-after 300) || fail "$programma did not run from $cartella"
}
# The record of one finished match: the player's key, one match played.
controlla_record() {  # controlla_record FILE WHY
  [ -f "$1" ] || fail "$2: no score file at $1"
  [ "$(head -c 48 "$1" | cut -c1-10,31-34)" = "GIOCATORE10001" ] ||
    fail "$2: the record is $(head -c 48 "$1" | od -c | head -3)"
}
mkdir -p "$tmp/casa"

gioca / "$usr/bin/cartovia"
[ "$radice_prima" = si ] || [ ! -e /PunteggiSettemezzo.txt ] || fail "the installed program wrote its score file in /"
controlla_record "$tmp/casa/dati/Cartovia/PunteggiSettemezzo.txt" "installed program started from /"
[ -f "$tmp/casa/config/Cartovia/Cartovia.ini" ] || fail "the settings are not in the configuration folder"
# The table's first advertisement puts the movie supplied with the program in the player's
# folder: the installed program found it in its own data folder, not in the current one.
cmp -s "$usr/share/cartovia/pubblicita.swf" "$tmp/casa/dati/Cartovia/pubblicita.swf" ||
  fail "the installed program did not find its own pubblicita.swf"

# Started from any other folder, the installed program keeps using the same data folder.
mkdir "$tmp/altrove"
gioca "$tmp/altrove" "$usr/bin/cartovia"
[ -z "$(ls -A "$tmp/altrove")" ] || fail "the installed program wrote in its current folder"
[ "$(head -c 48 "$tmp/casa/dati/Cartovia/PunteggiSettemezzo.txt" | cut -c31-34)" = 0002 ] ||
  fail "the second match is not counted in the same record"

# CARTOVIA_DATA_DIR still names the folder, installed or not.
gioca / "$usr/bin/cartovia" CARTOVIA_DATA_DIR="$tmp/scelta"
controlla_record "$tmp/scelta/PunteggiSettemezzo.txt" "CARTOVIA_DATA_DIR"

# The program in its build folder keeps the score files in the current folder, as ever.
mkdir "$tmp/qui"
gioca "$tmp/qui" "$(cd "$build" && pwd)/cartovia"
controlla_record "$tmp/qui/PunteggiSettemezzo.txt" "program run from the build folder"
echo "installation checked in $usr"
