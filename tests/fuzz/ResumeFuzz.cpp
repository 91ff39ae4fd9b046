// A saved game, restored and then played for a bounded number of frames.
#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "game/drumkit/ResumeFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("resume.dat", data, size);
    SilentSounds silent;
    DrumKit kit;
    kit.sounds = &silent;
    ResumeAvailable();
    if (LoadResume(kit) && !kit.gameOver) {
        for (uint32_t frame = 0; frame < 300 && !kit.gameOver; ++frame) {
            kit.clock += 41;
            GameStep(kit);
            if (frame % 7 == 0) {
                kit.lastPiece = frame % kPieceCount;
                JudgeTap(kit, Stroke{kit.lastPiece, kit.clock, 1.0f});
            }
        }
        MemoryCounterText(kit);
        RhythmCounterText(kit);
    }
    ForgetErrors();
    return 0;
}
