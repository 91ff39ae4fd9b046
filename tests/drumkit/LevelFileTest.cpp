#include "game/drumkit/LevelFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {
std::string U32(uint32_t v) {
    std::string s;
    for (int shift = 0; shift < 32; shift += 8) s.push_back(static_cast<char>(v >> shift));
    return s;
}

std::string Container(const std::string& data) {
    uLongf size = compressBound(data.size());
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(data.data()), data.size(), 9);
    packed.resize(size);
    return U32(static_cast<uint32_t>(data.size())) + U32(static_cast<uint32_t>(size)) + packed;
}

std::string LevelBytes(const std::string& title, uint32_t slot, const std::string& steps) {
    return U32(static_cast<uint32_t>(title.size())) + title + U32(slot) + steps;
}

VGString PathOf(const TempFolder& dir, const char* name) {
    return VGString(dir.Wide(name).c_str());
}
} // namespace

TEST(LevelFile, StepByteBits) {
    PatternStep s = DecodeStepByte(0x40 | 0x10 | 3); // shown bass with a loud click
    EXPECT_EQ(s.piece, 3u);
    EXPECT_EQ(s.click, ClickLoud);
    EXPECT_EQ(s.phase, PhaseDemo);
    EXPECT_EQ(s.flags, 0u);

    s = DecodeStepByte(0x80 | 0x20 | 8);
    EXPECT_EQ(s.piece, 8u);
    EXPECT_EQ(s.click, ClickNormal);
    EXPECT_EQ(s.phase, PhasePlayer);

    // Loud wins over normal, phase 0 over phase 1; no bits is a count-in step.
    s = DecodeStepByte(0xF0 | 10);
    EXPECT_EQ(s.piece, kRestPiece);
    EXPECT_EQ(s.click, ClickLoud);
    EXPECT_EQ(s.phase, PhaseDemo);
    s = DecodeStepByte(0);
    EXPECT_EQ(s.piece, 0u);
    EXPECT_EQ(s.click, ClickNone);
    EXPECT_EQ(s.phase, PhaseCountIn);

    // Piece numbers the kit does not have become rests rather than indexing past it.
    for (uint8_t piece : {9, 11, 12, 13, 14, 15})
        EXPECT_EQ(DecodeStepByte(piece).piece, kRestPiece);
}

TEST(LevelFile, LoadsTitleSlotAndSteps) {
    TempFolder dir;
    dir.WriteFile("1.lvc", Container(LevelBytes("[4/4]", 120, std::string("\x13\x43\x8A", 3))));
    LevelData level;
    ASSERT_TRUE(LoadLevelFile(PathOf(dir, "1.lvc"), level));
    EXPECT_TRUE(level.title == u"[4/4]");
    EXPECT_EQ(level.slotLength, 120u);
    ASSERT_EQ(PatternLength(level.pattern), 3u);
    EXPECT_EQ(level.pattern->piece, 3u);
    EXPECT_EQ(level.pattern->phase, PhaseCountIn);
    EXPECT_EQ(PatternStepAt(level.pattern, 1)->phase, PhaseDemo);
    EXPECT_EQ(PatternStepAt(level.pattern, 2)->piece, kRestPiece);
    EXPECT_EQ(PatternStepAt(level.pattern, 2)->phase, PhasePlayer);
    FreeLevel(level);
    EXPECT_EQ(level.pattern, nullptr);
}

TEST(LevelFile, BadFilesFailWithAnEmptyLevel) {
    TempFolder dir;
    std::string good = Container(LevelBytes("t", 100, "\x40"));
    dir.WriteFile("nosteps.lvc", Container(LevelBytes("t", 100, "")));
    dir.WriteFile("shorttitle.lvc", Container(U32(50) + "abc"));
    dir.WriteFile("header.lvc", good.substr(0, 6));
    dir.WriteFile("stored.lvc", good.substr(0, good.size() - 3));
    dir.WriteFile("huge.lvc", U32(0xFFFFFFF0u) + U32(4) + "abcd");
    dir.WriteFile("garbage.lvc", U32(100) + U32(4) + "abcd");
    for (const char* name : {"missing.lvc", "nosteps.lvc", "shorttitle.lvc", "header.lvc",
                             "stored.lvc", "huge.lvc", "garbage.lvc"}) {
        LevelData level;
        level.slotLength = 7;
        EXPECT_FALSE(LoadLevelFile(PathOf(dir, name), level)) << name;
        EXPECT_EQ(level.pattern, nullptr) << name;
        EXPECT_TRUE(level.title.IsEmpty()) << name;
    }
}

TEST(LevelFile, DamagedStreamReadsOnlyWhatInflated) {
    // The decoded length claims more than the stream holds: only the real bytes count.
    TempFolder dir;
    std::string data = LevelBytes("ab", 90, std::string("\x41\x42", 2));
    std::string file = Container(data);
    file.replace(0, 4, U32(static_cast<uint32_t>(data.size() + 500)));
    dir.WriteFile("long.lvc", file);
    LevelData level;
    ASSERT_TRUE(LoadLevelFile(PathOf(dir, "long.lvc"), level));
    EXPECT_EQ(PatternLength(level.pattern), 2u);
    FreeLevel(level);
}

TEST(LevelFile, LongTitlesAndLongDataStayBounded) {
    // A 1 KB file whose title inflated to 1 MB once held the level start for half a minute.
    TempFolder dir;
    dir.WriteFile("title.lvc", Container(LevelBytes(std::string(60000, 'x'), 90, "\x41\x42")));
    dir.WriteFile("huge.lvc", Container(LevelBytes(std::string(1u << 20, 'x'), 90, "\x41")));
    LevelData level;
    ASSERT_TRUE(LoadLevelFile(PathOf(dir, "title.lvc"), level));
    EXPECT_EQ(level.title.Length(), kMaxTextLength);
    EXPECT_EQ(level.slotLength, 90u);
    EXPECT_EQ(PatternLength(level.pattern), 2u);
    EXPECT_FALSE(LoadLevelFile(PathOf(dir, "huge.lvc"), level)) << "more than a level holds";

    dir.WriteFile("steps.lvc",
                  Container(LevelBytes("t", 90, std::string(kMaxLevelSteps + 9, '\x41'))));
    ASSERT_TRUE(LoadLevelFile(PathOf(dir, "steps.lvc"), level));
    EXPECT_EQ(PatternLength(level.pattern), kMaxLevelSteps);
    FreeLevel(level);
}
