// Reading compressed sound files, and every kind of damage they can come with: none may
// crash or read outside its buffers (run under the sanitizers), and a file that cannot hold
// a sound gives no buffer.
#include "tests/sound/SoundTestFiles.h"
#include "varnokengine/VGSoundData.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

VGString PathOf(const TempFolder& temp, const std::string& relative) {
    std::u16string wide = temp.Wide(relative);
    return VGString(wide.c_str());
}

void PutU32(std::string& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = char(uint8_t(v >> (8 * i)));
}

// Reads name.wavc holding bytes; the path given to the reader ends in ".wav".
SoundData ReadBytes(const TempFolder& temp, const std::string& bytes) {
    temp.WriteFile("s.wavc", bytes);
    SoundData sound;
    ReadSoundFile(sound, PathOf(temp, "s.wav"));
    return sound;
}

} // namespace

TEST(SoundFile, ReadsTheFormatAndSamplesOfAGoodFile) {
    TempFolder temp;
    auto image = ToneImage(2, 22050, 16, 100, 1234);
    WriteSoundFile(temp, "soundfx", "Snare", image);
    SoundData sound;
    ReadSoundFile(sound, PathOf(temp, "SOUNDFX/snare.wav")); // any letter case finds it
    ASSERT_TRUE(sound.buffer);
    EXPECT_EQ(sound.length, image.size());
    EXPECT_EQ(sound.format.formatTag, 1);
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.format.samplesPerSecond, 22050u);
    EXPECT_EQ(sound.format.averageBytesPerSecond, 88200u);
    EXPECT_EQ(sound.format.blockAlign, 4);
    EXPECT_EQ(sound.format.bitsPerSample, 16);
    EXPECT_EQ(sound.format.extraSize, 0);
    EXPECT_EQ(SampleLength(sound), 400u);
    EXPECT_EQ(0, std::memcmp(SampleBytes(sound), image.data() + 44, 400));
}

TEST(SoundFile, DamagedFilesNeverCrashAndShortImagesGiveNoSound) {
    TempFolder temp;
    auto image = ToneImage(1, 11025, 8, 64);
    std::string good = AsString(soundfile::EncodeSoundFile(image.data(), image.size()));

    SoundData missing;
    ReadSoundFile(missing, PathOf(temp, "absent.wav"));
    EXPECT_FALSE(missing.buffer);

    // Too short to hold the lengths. With the decoded length whole, the rest reads as zeros:
    // a sound of zeros whose format no device opens, so it plays nothing.
    for (size_t n : {0, 3}) EXPECT_FALSE(ReadBytes(temp, good.substr(0, n)).buffer) << n;
    SoundData stub = ReadBytes(temp, good.substr(0, 7));
    EXPECT_EQ(stub.format.channels, 0);

    // An image shorter than the header, declared or actually inflated.
    auto tiny = std::vector<uint8_t>(image.begin(), image.begin() + 20);
    std::string tinyFile = AsString(soundfile::EncodeSoundFile(tiny.data(), tiny.size()));
    EXPECT_FALSE(ReadBytes(temp, tinyFile).buffer);
    std::string liar = tinyFile;
    PutU32(liar, 0, 1000); // claims 1000 bytes, inflates to 20
    EXPECT_FALSE(ReadBytes(temp, liar).buffer);

    // Absurd sizes are refused, not allocated.
    std::string huge = good;
    PutU32(huge, 0, 0xFFFFFFF0u);
    EXPECT_FALSE(ReadBytes(temp, huge).buffer);
    std::string hugeStored = good;
    PutU32(hugeStored, 4, 0xFFFFFFF0u);
    EXPECT_FALSE(ReadBytes(temp, hugeStored).buffer);

    // A declared length smaller than the image: inflation stops at the buffer's end.
    std::string shortDeclared = good;
    PutU32(shortDeclared, 0, 50);
    SoundData cut = ReadBytes(temp, shortDeclared);
    ASSERT_TRUE(cut.buffer);
    EXPECT_EQ(cut.length, 50u);
    EXPECT_EQ(SampleLength(cut), 6u);

    // A stream cut short or scrambled keeps the declared length; what was not produced is
    // silence (zeros), never stale memory.
    std::string truncated = good.substr(0, good.size() - 10);
    SoundData partial = ReadBytes(temp, truncated);
    ASSERT_TRUE(partial.buffer);
    EXPECT_EQ(partial.length, image.size());
    std::string scrambled = good;
    for (size_t i = 10; i < scrambled.size(); i += 3) scrambled[i] = char(scrambled[i] ^ 0x5A);
    SoundData noise = ReadBytes(temp, scrambled);
    ASSERT_TRUE(noise.buffer);
    EXPECT_EQ(noise.length, image.size());
    for (uint32_t i = 0; i < noise.length; ++i) (void)noise.buffer[i]; // readable throughout

    // A stored length of zero or longer than the file.
    std::string noStream = good.substr(0, 8);
    PutU32(noStream, 4, 0);
    EXPECT_TRUE(ReadBytes(temp, noStream).buffer); // declared 108 zero bytes: plays silence
    std::string overlong = good;
    PutU32(overlong, 4, uint32_t(good.size() * 4));
    EXPECT_TRUE(ReadBytes(temp, overlong).buffer);
}

TEST(SoundFile, ADecodedLengthNoStreamOfItsSizeCouldGiveAllocatesNothing) {
    TempFolder temp;
    auto image = ToneImage(1, 11025, 8, 64);
    std::string good = AsString(soundfile::EncodeSoundFile(image.data(), image.size()));
    std::string boasting = good;
    PutU32(boasting, 0, 60u << 20); // 60 MB from a stream of a few hundred bytes
    EXPECT_FALSE(ReadBytes(temp, boasting).buffer);
    std::string cut = good;
    PutU32(cut, 4, 1u << 20); // a stored length past the end keeps what is there
    SoundData sound = ReadBytes(temp, cut);
    ASSERT_TRUE(sound.buffer);
    EXPECT_EQ(sound.length, image.size());
}

TEST(SoundFileWriter, CanonicalisesWaveImagesWithExtraChunks) {
    auto canonical = ToneImage(1, 8000, 16, 3, 77);
    // The same sound with a LIST chunk (odd size, padded) before the fmt chunk.
    std::vector<uint8_t> messy(canonical.begin(), canonical.begin() + 12);
    const char list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    messy.insert(messy.end(), list, list + sizeof list);
    messy.insert(messy.end(), canonical.begin() + 12, canonical.end());
    std::vector<uint8_t> out;
    ASSERT_TRUE(soundfile::CanonicalWavImage(messy.data(), messy.size(), out));
    EXPECT_EQ(out, canonical);

    std::vector<uint8_t> broken(messy.begin(), messy.end() - 4); // data chunk runs past the end
    EXPECT_FALSE(soundfile::CanonicalWavImage(broken.data(), broken.size(), out));
    EXPECT_FALSE(soundfile::CanonicalWavImage(canonical.data(), 11, out));
}
