#include "game/drumkit/ResumeFile.h"

#include "game/drumkit/DrumKit.h"
#include "game/drumkit/GameRules.h"
#include "platform/Files.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGUserPath.h"

namespace {

// More strokes than anyone repeats from memory; a larger count can only come from damage.
constexpr uint32_t kMaxSequence = 100000;

bool LoadMemoryGame(DrumKit& kit, VGReader& file) {
    uint32_t length = 0;
    FreePattern(kit.memorySequence);
    if (!ReadU32(file, length) || length > kMaxSequence) return false;
    PatternStep** tail = &kit.memorySequence;
    for (uint32_t i = 0; i < length; ++i) {
        uint32_t piece = 0;
        if (!ReadU32(file, piece)) return false;
        PatternStep* step = new PatternStep;
        // A piece the kit does not have could never be played back; it becomes the snare.
        step->piece = piece < kPieceCount ? piece : uint32_t(Snare);
        *tail = step;
        tail = &step->next;
    }
    // An empty sequence would leave nothing to demonstrate or play.
    return length > 0;
}

bool LoadRhythmGame(DrumKit& kit, VGReader& file) {
    kit.lifeLostInPhase = 0;
    if (!ReadU32(file, kit.score) || !ReadU32(file, kit.levelStartScore) ||
        !ReadU32(file, kit.lives) || !ReadU32(file, kit.level) || !ReadU32(file, kit.levelDone))
        return false;
    if (kit.levelDone == 0) {
        if (!kit.gameOver) kit.score = kit.levelStartScore;
        LoadLevel(kit);
    } else {
        NextLevel(kit);
    }
    return true;
}

} // namespace

VGString ResumeFilePath() {
    return UserPath(u"resume.dat");
}

bool ResumeAvailable() {
    VGFileReader file(ResumeFilePath(), VGFileReader::Streamed);
    uint32_t mode = 0, over = 0;
    return file.IsOpen() && ReadU32(file, mode) && ReadU32(file, over);
}

bool PeekResume(ResumeSummary& summary) {
    VGFileReader file(ResumeFilePath(), VGFileReader::Streamed);
    uint32_t newHighScore = 0;
    if (!file.IsOpen() || !ReadU32(file, summary.mode) || !ReadU32(file, summary.gameOver) ||
        !ReadU32(file, newHighScore))
        return false;
    if (summary.mode == MemoryMaster) {
        uint32_t length = 0;
        if (!ReadU32(file, length) || length == 0 || length > kMaxSequence) return false;
        // The sequence's last stroke is the one still to be repeated.
        summary.result = length - 1;
        return true;
    }
    uint32_t score = 0, levelStartScore = 0, lives = 0, levelDone = 0;
    if (summary.mode != RhythmMaster || !ReadU32(file, score) || !ReadU32(file, levelStartScore) ||
        !ReadU32(file, lives) || !ReadU32(file, summary.level) || !ReadU32(file, levelDone))
        return false;
    // As resuming will have it: an unfinished level starts again with the score it began
    // with, a finished one leads on to the next level.
    summary.result = levelDone == 0 && !summary.gameOver ? levelStartScore : score;
    if (levelDone != 0) ++summary.level;
    return true;
}

void DeleteResume() {
    VGString path = ResumeFilePath();
    platform::RemoveFile(std::u16string_view(path.Data(), path.Length()));
}

void SaveResume(const DrumKit& kit) {
    if (kit.mode != MemoryMaster && kit.mode != RhythmMaster) return;
    if (kit.gameOver && !kit.newHighScore) return;
    PrepareUserFolder();
    VGFileWriter file(ResumeFilePath());
    if (!file.IsOpen()) return;
    bool ok = WriteU32(file, kit.mode) && WriteU32(file, kit.gameOver) &&
              WriteU32(file, kit.newHighScore);
    if (kit.mode == MemoryMaster) {
        ok = ok && WriteU32(file, SequenceLength(kit));
        for (const PatternStep* step = kit.memorySequence; step && ok; step = step->next)
            ok = WriteU32(file, step->piece);
    } else {
        ok = ok && WriteU32(file, kit.score) && WriteU32(file, kit.levelStartScore) &&
             WriteU32(file, kit.lives) && WriteU32(file, kit.level) &&
             WriteU32(file, kit.levelDone);
    }
    // A failed write leaves the previous file in place rather than half a game.
    if (ok) file.Close();
}

bool LoadResume(DrumKit& kit) {
    ResetClock(kit);
    kit.phase = 0;
    VGFileReader file(ResumeFilePath(), VGFileReader::WholeFile);
    uint32_t mode = 0;
    if (!file.IsOpen() || !ReadU32(file, mode)) return false;
    // Only the two games are ever saved; anything else is damage.
    if (mode != MemoryMaster && mode != RhythmMaster) return false;
    kit.mode = mode;
    if (!ReadU32(file, kit.gameOver) || !ReadU32(file, kit.newHighScore)) return false;
    kit.levelDone = 0;
    return mode == MemoryMaster ? LoadMemoryGame(kit, file) : LoadRhythmGame(kit, file);
}
