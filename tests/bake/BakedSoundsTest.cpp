// The sound files the baker wrote into build/game, read back as the program reads them.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>
#include <zlib.h>

namespace {
const std::filesystem::path kGameDir = TBX_GAME_DIR;

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// The decoded WAV image of a .wavc file; empty when the container is damaged.
std::vector<uint8_t> ReadSound(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (file.size() < 8 || U32(file, 4) != file.size() - 8) return {};
    std::vector<uint8_t> image(U32(file, 0));
    uLongf size = image.size();
    if (uncompress(image.data(), &size, file.data() + 8, file.size() - 8) != Z_OK ||
        size != image.size())
        return {};
    return image;
}

std::vector<float> Samples(const std::vector<uint8_t>& image) {
    std::vector<float> s;
    for (size_t at = 44; at + 1 < image.size(); at += 2)
        s.push_back(static_cast<int16_t>(image[at] | image[at + 1] << 8) / 32768.0f);
    return s;
}
} // namespace

TEST(BakedSounds, EverySoundIsMono16Bit441kHzTrimmedAndFaded) {
    struct Expect {
        const char* path;
        double maxSeconds;
    } sounds[] = {{"soundfx/bass.wavc", 1.0},          {"soundfx/snare.wavc", 1.0},
                  {"soundfx/tom_hi.wavc", 1.5},        {"soundfx/tom_mid.wavc", 1.5},
                  {"soundfx/tom_low.wavc", 1.5},       {"soundfx/ride.wavc", 3.0},
                  {"soundfx/crash.wavc", 3.0},         {"soundfx/hihat_open.wavc", 3.0},
                  {"soundfx/hihat_close.wavc", 0.5},   {"soundfx/metronome.wavc", 0.2},
                  {"soundfx/metronomeLoud.wavc", 0.2}, {"soundfx/click.wavc", 0.1},
                  {"soundfx/incorrect.wavc", 0.6},     {"soundfx/vglogo.wavc", 2.1}};
    for (const Expect& e : sounds) {
        SCOPED_TRACE(e.path);
        auto image = ReadSound(kGameDir / e.path);
        ASSERT_GT(image.size(), 44u);
        EXPECT_EQ(image[20] | image[21] << 8, 1); // PCM
        EXPECT_EQ(image[22] | image[23] << 8, 1); // mono
        EXPECT_EQ(U32(image, 24), 44100u);
        EXPECT_EQ(U32(image, 28), 88200u);
        EXPECT_EQ(image[32] | image[33] << 8, 2);
        EXPECT_EQ(image[34] | image[35] << 8, 16);
        auto s = Samples(image);
        EXPECT_LE(s.size() / 44100.0, e.maxSeconds);
        float peak = 0;
        for (float v : s) peak = std::max(peak, std::fabs(v));
        EXPECT_LE(peak, 0.8913f) << "peaks stay at or under -1 dBFS";
        EXPECT_GT(peak, 0.1f);
        // Sound starts within 2 ms (no leading silence) and ends at rest (no click).
        float head = 0;
        for (size_t i = 0; i < 88 && i < s.size(); ++i) head = std::max(head, std::fabs(s[i]));
        EXPECT_GT(head, 0.0005f);
        EXPECT_LT(std::fabs(s.back()), 0.001f);
    }
    auto silence = ReadSound(kGameDir / "music/silence.wavc");
    ASSERT_EQ(silence.size(), 44u + 88200u);
    for (float v : Samples(silence)) ASSERT_EQ(v, 0.0f);
}
