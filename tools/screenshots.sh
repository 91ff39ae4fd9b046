#!/usr/bin/env bash
# Makes the README's screenshots (480x640 PNG, into docs/) by running the program headless
# with scripted input: the kit being played, a game of RhythmMaster, the segment editor and
# a track played on the kit with Visualise. Usage: ./tools/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -x "$build/game/tamborix" ]; then
  ./tools/install-deps.sh
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$(nproc)" --target tamborix
fi
program=$build/game/tamborix
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Little-endian u32 as raw bytes.
u32() {
  local v=$1
  printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $((v >> 8 & 255)))"
  printf "\\x$(printf %02x $((v >> 16 & 255)))\\x$(printf %02x $((v >> 24 & 255)))"
}

# The player's folder: segment 1 (a rock beat, 16 steps at 100) and track 1 playing it.
mkdir -p "$work/user/save"
{
  printf 'rock1'
  u32 16
  u32 100
  for row in 0 1 2 3 4 5 6 7 8; do
    for step in $(seq 0 63); do
      cell=0
      case $row in
        3) [[ $step =~ ^(0|3|8|10)$ ]] && cell=1 ;;   # bass
        4) [[ $step =~ ^(4|12|15)$ ]] && cell=1 ;;    # snare
        6) [ "$step" = 0 ] && cell=1 ;;               # crash
        8) [ $((step % 2)) = 0 ] && [ "$step" != 0 ] && [ "$step" -lt 16 ] && cell=1 ;;
      esac
      u32 $cell
    done
  done
} >"$work/user/save/1.tbs"
{
  printf 'song1'
  u32 100
  u32 1
  u32 1
  u32 8
} >"$work/user/save/1.tbt"

# Settings: the language chosen, tracks struck on the kit.
settings() {
  printf 'Windows Registry Editor Version 5.00\n\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\Options]\n'
  printf '"Language"=hex:00,00,00,00\n"Visualise"=hex:01,00,00,00\n'
}

# shoot NAME SCRIPT: one run whose script saves NAME.png, copied into docs/.
shoot() {
  local name=$1 script=$2
  settings >"$work/registry.reg"
  printf '%b' "$script" >"$work/$name.txt"
  "$program" --headless --size 480x640 --user-dir "$work/user" --registry "$work/registry.reg" \
    --script "$work/$name.txt" --shots "$work/shots" >/dev/null
  cp "$work/shots/$name.png" "docs/$name.png"
  echo "docs/$name.png"
}

# Free play: strike the snare, the crash and a tom, shot while they ring.
shoot kit 'at 7000 key action\nat 8000 key action\nat 9500 tap 150 360\nat 9620 tap 130 200\nat 9700 tap 280 250\nat 9760 shot kit.png\nat 10500 quit\n'
# RhythmMaster: past its introduction, the kit plays the first bar.
shoot game 'at 7000 key action\nat 8000 key down\nat 8100 key down\nat 8400 key action\nat 9600 key action\nat 11000 shot game.png\nat 11500 quit\n'
# The segment editor on slot 1.
shoot segment-editor 'at 7000 key down / at 7200 key action\nat 8200 key down / at 8400 key action\nat 9200 key action\nat 10600 shot segment-editor.png\nat 11000 quit\n'
# Track 1 played on the kit.
shoot visualise 'at 7000 key down / at 7200 key action\nat 8200 key action\nat 9200 key action\nat 10500 tap 136 616\nat 12130 shot visualise.png\nat 12500 quit\n'
