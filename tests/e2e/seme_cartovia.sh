#!/usr/bin/env bash
# A run seed replays a whole run: the real program (headless) plays a Sette e mezzo match for
# the player with CARTOVIA_SEED=7 twice and once with 8, each in a fresh folder, and the
# tables' traces must be byte-identical for the same seed and differ for another. A seed
# that is not a number is refused with a warning and the program still plays.
#
#   tests/e2e/seme_cartovia.sh path/to/cartovia
set -uo pipefail
CARTOVIA=$(readlink -f "${1:?usage: seme_cartovia.sh path/to/cartovia}")
TMP=$(mktemp -d /tmp/cartovia-seme.XXXXXX)
trap 'rm -rf "$TMP"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# gioca NAME SEED: one run in $TMP/NAME; its trace is $TMP/NAME/traccia.jsonl.
gioca() {
  local d="$TMP/$1"
  mkdir -p "$d/xdg" && chmod 700 "$d/xdg"
  (cd "$d" && env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$d/xdg" CARTOVIA_SETTINGS="$d/impostazioni.ini" \
     CARTOVIA_DATA_DIR="$d" CARTOVIA_AD_DIR="$d/pubblicita" CARTOVIA_UPDATE_SERVER= \
     XDG_CONFIG_HOME="$d/config" XDG_DATA_HOME="$d/data" XDG_CACHE_HOME="$d/cache" \
     CARTOVIA_SEED="$2" CARTOVIA_TRACE="$d/traccia.jsonl" \
     timeout 100 "$CARTOVIA" --autoplay settemezzo --quit-after 300 >"$d/log" 2>&1) ||
    fail "the run with CARTOVIA_SEED=$2 failed: $(tail -5 "$d/log")"
  grep -q '"game":"settemezzo","event":"result"' "$d/traccia.jsonl" ||
    fail "the run with CARTOVIA_SEED=$2 traced no finished match"
}

gioca a 7
gioca b 7
gioca c 8
gioca d sette
cmp -s "$TMP/a/traccia.jsonl" "$TMP/b/traccia.jsonl" ||
  fail "two runs with CARTOVIA_SEED=7 played differently: $(diff "$TMP/a/traccia.jsonl" "$TMP/b/traccia.jsonl" | head -4)"
[ "$(head -n1 "$TMP/a/traccia.jsonl")" != "$(head -n1 "$TMP/c/traccia.jsonl")" ] ||
  fail "CARTOVIA_SEED=8 dealt the first deal of CARTOVIA_SEED=7"
grep -q 'every deal follows from CARTOVIA_SEED=7' "$TMP/a/log" || fail "the run does not say its seed"
grep -q 'CARTOVIA_SEED=sette is not a whole number' "$TMP/d/log" || fail "a seed that is not a number is not reported"
echo "passed: $(wc -l <"$TMP/a/traccia.jsonl") trace lines alike in two runs of seed 7"
