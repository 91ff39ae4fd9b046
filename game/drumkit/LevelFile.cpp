#include "game/drumkit/LevelFile.h"

#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGFormat.h"

#include <memory>
#include <zlib.h>

VGString LevelFilePath(uint32_t level) {
    // Joined, not formatted: a folder of any length stays whole.
    return GetAppPath() + Formatted(u"level/%d.lvc", level);
}

PatternStep DecodeStepByte(uint8_t byte) {
    PatternStep step;
    step.piece = byte & 0x0F;
    if (step.piece >= kPieceCount) step.piece = kRestPiece;
    step.click = (byte & 0x10) ? ClickLoud : (byte & 0x20) ? ClickNormal : ClickNone;
    step.phase = (byte & 0x40) ? PhaseDemo : (byte & 0x80) ? PhasePlayer : PhaseCountIn;
    return step;
}

bool ReadLevelData(VGReader& reader, LevelData& level) {
    FreeLevel(level);
    uint8_t byte = 0;
    if (!ReadCountedString(reader, level.title) || !ReadU32(reader, level.slotLength) ||
        !reader.Read(&byte, 1)) {
        FreeLevel(level);
        return false;
    }
    PatternStep** tail = &level.pattern;
    uint32_t count = 0;
    do {
        *tail = new PatternStep(DecodeStepByte(byte));
        tail = &(*tail)->next;
    } while (++count < kMaxLevelSteps && reader.Read(&byte, 1));
    return true;
}

bool LoadLevelFile(const VGString& path, LevelData& level) {
    FreeLevel(level);
    VGFileReader file(path, VGFileReader::WholeFile);
    uint32_t decodedLength = 0, storedLength = 0;
    if (!file.IsOpen() || !ReadU32(file, decodedLength) || !ReadU32(file, storedLength))
        return false;
    if (decodedLength > kMaxLevelDataSize || storedLength > kMaxLevelDataSize) return false;
    VGMemoryReader* memory = file.Memory();
    if (!memory || storedLength > memory->Size() - memory->Position()) return false;
    auto stored = std::make_unique<uint8_t[]>(storedLength + 1);
    if (!file.Read(stored.get(), storedLength)) return false;

    auto decoded = std::make_unique<uint8_t[]>(decodedLength + 1);
    uLongf produced = decodedLength;
    // A damaged stream still reports what inflated before the damage; only those bytes
    // are read, never the rest of the buffer.
    uncompress(decoded.get(), &produced, stored.get(), storedLength);
    if (produced > decodedLength) produced = 0;
    VGMemoryReader data(std::move(decoded), static_cast<uint32_t>(produced));
    return ReadLevelData(data, level);
}

void FreeLevel(LevelData& level) {
    level.title.Clear();
    level.slotLength = 0;
    FreePattern(level.pattern);
}
