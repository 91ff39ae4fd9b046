#!/usr/bin/env bash
# Writes the fuzz targets' seed inputs into tests/fuzz/corpus/ from the baked data of a build
# (default build/game), plus small hand-made files for what the baker does not make (saves,
# settings, scripts). Run it again after the formats change, and commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."
game=${1:-build/game}
out=tests/fuzz/corpus
[ -f "$game/imgs/machine.img" ] || { echo "no baked data in $game (build first)" >&2; exit 1; }
rm -rf "$out"
mkdir -p "$out"/{fuzz_image_record,fuzz_image_pack,fuzz_sound_file,fuzz_language,fuzz_level_file,fuzz_resume,fuzz_segment_file,fuzz_track_file,fuzz_settings,fuzz_script,fuzz_midi_file}

u32() { # little-endian bytes of a number
    printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"
    printf "\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"
}
u32at() { # the u32 at byte offset $2 of file $1
    od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '
}
# Record number $2 (from 0) of pack $1, as raw bytes on stdout.
record() {
    local at=4 i=0 packed
    while [ "$i" -lt "$2" ]; do
        packed=$(u32at "$1" $((at + 20)))
        at=$((at + 24 + packed))
        i=$((i + 1))
    done
    packed=$(u32at "$1" $((at + 20)))
    # head stops reading where the record ends and tail takes all it is given, so neither
    # end of the pipe is cut off early (a broken pipe would end the script under pipefail).
    head -c $((at + 24 + packed)) "$1" | tail -c $((24 + packed))
}

# Image records: the first byte chooses halving, the rest is one record.
for n in 0 1 2; do
    { printf '\x00'; record "$game/imgs/machine.img" "$n"; } >"$out/fuzz_image_record/machine$n"
done
{ printf '\x01'; record "$game/imgs/buttons.img" 0; } >"$out/fuzz_image_record/buttons0-halved"
# Packs: three records of the machine pack behind their count, and an empty pack.
{ u32 3; record "$game/imgs/machine.img" 0; record "$game/imgs/machine.img" 1;
  record "$game/imgs/machine.img" 2; } >"$out/fuzz_image_pack/machine3"
u32 0 >"$out/fuzz_image_pack/empty"

for s in click metronome metronomeLoud; do cp "$game/soundfx/$s.wavc" "$out/fuzz_sound_file/"; done
cp "$game/music/silence.wavc" "$out/fuzz_sound_file/"
for n in 0 1; do cp "$game/language/lang_$n.dat" "$out/fuzz_language/"; done
for n in 1 12 24; do cp "$game/level/$n.lvc" "$out/fuzz_level_file/"; done

# Saved games: a memory game of five strokes, a rhythm game in level 3 and one just finished.
{ u32 1; u32 0; u32 0; u32 5; u32 4; u32 5; u32 6; u32 7; u32 4; } >"$out/fuzz_resume/memory"
{ u32 2; u32 0; u32 0; u32 340; u32 200; u32 2; u32 3; u32 0; } >"$out/fuzz_resume/rhythm"
{ u32 2; u32 0; u32 1; u32 900; u32 700; u32 1; u32 24; u32 1; } >"$out/fuzz_resume/rhythm-done"

# A segment: a beat on the bass drum and the hi-hat, 16 steps at 96 beats per minute.
{
    printf 'groov'; u32 16; u32 96
    for row in 0 1 2 3 4 5 6 7 8; do
        for step in $(seq 0 63); do
            if { [ "$row" = 3 ] && [ $((step % 4)) = 0 ]; } || { [ "$row" = 8 ] && [ $((step % 2)) = 0 ]; }
            then u32 1; else u32 0; fi
        done
    done
} >"$out/fuzz_segment_file/beat"
# Tracks over the fuzz targets' fixed segments in slots 1 and 2.
{ printf 'song1'; u32 100; u32 3; u32 1; u32 2; u32 4294967295; u32 1; u32 2; u32 4; } \
    >"$out/fuzz_track_file/three"
{ printf 'fast1'; u32 200; u32 1; u32 2; u32 9; } >"$out/fuzz_track_file/one"

# MIDI files: the beat above twice and a track over two segments, as the program exports
# them, and a type 0 file as another program might write it (96 ticks a quarter at 100 beats,
# running status, note-offs as velocity 0, a note outside the kit, a note on channel 1).
midi=$(mktemp -d)
trap 'rm -rf "$midi"' EXIT
mkdir -p "$midi/save"
cp "$out/fuzz_segment_file/beat" "$midi/save/1.tbs"
{
    printf 'fills'; u32 8; u32 140
    for cell in $(seq 0 575); do
        if [ $((cell % 64)) -lt 8 ] && [ $((cell / 64 % 3)) = 0 ]; then u32 1; else u32 0; fi
    done
} >"$midi/save/2.tbs"
cp "$out/fuzz_track_file/three" "$midi/save/1.tbt"
"$game/tamborix" --user-dir "$midi" --export-segment 1 "$out/fuzz_midi_file/beat.mid" --loops 2 >/dev/null
"$game/tamborix" --user-dir "$midi" --export-track 1 "$out/fuzz_midi_file/song.mid" >/dev/null
{
    printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60'
    events='\x00\xff\x51\x03\x09\x27\xc0\x00\x99\x24\x64\x00\x2a\x50\x18\x24\x00\x00\x2a\x00'
    events+='\x00\x63\x40\x00\x91\x24\x40\x18\x99\x26\x7f\x30\x26\x00\x00\xff\x2f\x00'
    printf 'MTrk\x00\x00\x00\x26'
    printf "$events"
} >"$out/fuzz_midi_file/foreign.mid"

printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\Options]\r\n"Language"=hex:00,00,00,00\r\n"ScreenOrientation"=dword:00000001\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\VarnokGames\\Tamborix\\Highscores]\r\n"MemoryMaster"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,\\\r\n  0d,0e,0f,10,11,12,13,14,15,16,17,18\r\n"Name"="Ann"\r\n"Kind"=hex(7):41,00,00,00\r\n' \
    >"$out/fuzz_settings/program"
printf 'REGEDIT4\n[HKEY_CURRENT_USER\\ControlPanel\\Backlight]\n"BatteryTimeout"=dword:0000003c\n"ACTimeout"=-\n' \
    >"$out/fuzz_settings/regedit4"

printf 'at 6000 tap 120 200   # play\nat 6500 down 30 300 / at 6900 up 30 300 / at 6950 move 40 300\nat 7000 key action\nat 7100 keydown back\nat 7150 keyup back\nat 7200 char a\nat 8000 shot menu.png\nat 20000 quit\n' \
    >"$out/fuzz_script/steps"
echo "seeds written to $out"
