// A level file, then a rhythm game played on it for a bounded number of frames, with taps
// chosen by the input's last bytes.
#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/LevelFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("level/1.lvc", data, size);
    SilentSounds silent;
    DrumKit kit;
    kit.sounds = &silent;
    kit.startLevel = 1;
    StartGame(kit, RhythmMaster);
    FuzzChoices choices(data + size / 2, size - size / 2);
    for (uint32_t frame = 0; frame < 300 && !kit.gameOver; ++frame) {
        kit.clock += 37;
        GameStep(kit);
        uint8_t choice = choices.Next();
        if (choice & 0x80) {
            kit.lastPiece = choice % kPieceCount;
            JudgeTap(kit, Stroke{kit.lastPiece, kit.clock, 1.0f});
        }
        if (kit.levelDone && (choice & 0x40)) NextLevel(kit);
    }
    RhythmCounterText(kit);
    ForgetErrors();
    return 0;
}
