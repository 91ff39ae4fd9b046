#include "tests/support/TempFolder.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGUserPath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

namespace {
VGString Path(const TempFolder& dir, const char* name) {
    return VGString(dir.Wide(name).c_str());
}
VGMemoryReader MemoryOf(const std::string& bytes) {
    auto buffer = std::make_unique<uint8_t[]>(bytes.size());
    std::memcpy(buffer.get(), bytes.data(), bytes.size());
    return VGMemoryReader(std::move(buffer), uint32_t(bytes.size()));
}
} // namespace

TEST(Streams, ReadLineSplitsOnLfAndSkipsCr) {
    TempFolder dir;
    dir.WriteFile("two.txt", "first\r\nsecond\r\n");
    dir.WriteFile("open.txt", "one\n\nlast");
    for (uint32_t mode : {0u, 1u}) {
        VGFileReader two(Path(dir, "two.txt"), mode);
        VGString line;
        ASSERT_TRUE(ReadLine(two, line));
        EXPECT_TRUE(line == u"first");
        ASSERT_TRUE(ReadLine(two, line));
        EXPECT_TRUE(line == u"second");
        EXPECT_FALSE(ReadLine(two, line));

        VGFileReader open(Path(dir, "open.txt"), mode);
        ASSERT_TRUE(ReadLine(open, line));
        ASSERT_TRUE(ReadLine(open, line)) << "a lone LF is a line";
        EXPECT_EQ(line.Length(), 0u);
        ASSERT_TRUE(ReadLine(open, line));
        EXPECT_TRUE(line == u"last");
        EXPECT_FALSE(ReadLine(open, line));
    }
}

TEST(Streams, BytesWidenAsSigned8Bit) {
    TempFolder dir;
    dir.WriteFile("latin.txt", "K\xE4s\x7F\x80");
    VGFileReader reader(Path(dir, "latin.txt"), 1);
    VGString line;
    ASSERT_TRUE(ReadLine(reader, line));
    ASSERT_EQ(line.Length(), 5u);
    EXPECT_EQ(line[1], char16_t(0xFFE4));
    EXPECT_EQ(line[3], char16_t(0x7F));
    EXPECT_EQ(line[4], char16_t(0xFF80));
}

TEST(Streams, CountedStrings) {
    TempFolder dir;
    dir.WriteFile("counted.bin", std::string("\0\0\0\0\3\0\0\0ab\xFF\x09\0\0\0xy", 17));
    VGFileReader reader(Path(dir, "counted.bin"), 1);
    VGString s;
    uint32_t n = 99;
    ASSERT_TRUE(ReadCountedString(reader, s, &n));
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(reader.Memory()->Position(), 4u) << "an empty string consumes exactly its length";
    ASSERT_TRUE(ReadCountedString(reader, s, &n));
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(s[2], char16_t(0xFFFF));
    EXPECT_FALSE(ReadCountedString(reader, s, &n)) << "9 bytes promised, 2 present";
    EXPECT_TRUE(reader.AtEnd());
}

TEST(Streams, MemoryReadPastTheEndCopiesNothing) {
    auto bytes = std::make_unique<uint8_t[]>(3);
    bytes[0] = 1, bytes[1] = 2, bytes[2] = 3;
    VGMemoryReader reader(std::move(bytes), 3);
    uint8_t out[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    ASSERT_TRUE(reader.Read(out, 2));
    EXPECT_FALSE(reader.Read(out + 2, 4));
    EXPECT_EQ(out[2], 9) << "nothing copied from a read that would run past the end";
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Read(out, 1));
}

TEST(Streams, MissingEmptyAndFolderFiles) {
    TempFolder dir;
    dir.WriteFile("empty.bin", "");
    dir.WriteFile("sub/x", "1");
    uint8_t byte;
    VGFileReader missingWhole(Path(dir, "none.bin"), 1);
    EXPECT_FALSE(missingWhole.Read(&byte, 1));
    EXPECT_FALSE(missingWhole.AtEnd()) << "a missing file is not at its end";
    VGFileReader missingStream(Path(dir, "none.bin"), 0);
    EXPECT_FALSE(missingStream.Read(&byte, 1));
    VGFileReader empty(Path(dir, "empty.bin"), 1);
    EXPECT_FALSE(empty.Read(&byte, 1));
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_FALSE(FileExists(Path(dir, "none.bin")));
    EXPECT_FALSE(FileExists(Path(dir, "sub")));
    EXPECT_TRUE(FileExists(Path(dir, "SUB\\X")));
}

TEST(Streams, StreamedShortReadSucceedsWithoutUndefinedBytes) {
    TempFolder dir;
    dir.WriteFile("short.bin", "ab");
    VGFileReader reader(Path(dir, "short.bin"), 0);
    uint8_t out[4] = {7, 7, 7, 7};
    EXPECT_TRUE(reader.Read(out, 4));
    EXPECT_EQ(out[1], 'b');
    EXPECT_EQ(out[2], 0);
    EXPECT_FALSE(reader.Read(out, 1));
    EXPECT_TRUE(reader.AtEnd());
}

TEST(Streams, WriterReplacesOnCloseAndWritesTextLines) {
    TempFolder dir;
    dir.WriteFile("save.txt", "a much longer old content");
    {
        VGFileWriter writer(Path(dir, "save.txt"));
        ASSERT_TRUE(writer.IsOpen());
        EXPECT_TRUE(WriteTextLine(writer, VGString(u"Hi\u00E4")));
        EXPECT_TRUE(WriteU32(writer, 0x01020304));
    }
    EXPECT_EQ(dir.ReadFile("save.txt"), std::string("Hi\xE4\r\n\x04\x03\x02\x01"));

    VGFileWriter broken(Path(dir, "no/such/folder.txt"));
    EXPECT_FALSE(broken.Write("x", 1));
    EXPECT_FALSE(broken.Close());
}

TEST(Streams, DataPathFollowsTheProgramFolder) {
    SetAppPath(VGString(u"/opt/tamborix"));
    EXPECT_TRUE(DataPath(u"imgs\\drums.img") == u"/opt/tamborix/imgs\\drums.img");
    SetAppPath(VGString(u"/opt/x/"));
    EXPECT_TRUE(GetAppPath() == u"/opt/x/");
}

TEST(Streams, HugeLinesAndCountedStringsReadInLinearTimeAndKeepWhatCanBeShown) {
    // A 2 MB line took minutes when it grew one character at a time.
    std::string file(2u << 20, 'a');
    file += "\nnext\n";
    VGMemoryReader lines = MemoryOf(file);
    VGString line;
    ASSERT_TRUE(ReadLine(lines, line));
    EXPECT_EQ(line.Length(), kMaxTextLength);
    ASSERT_TRUE(ReadLine(lines, line));
    EXPECT_TRUE(line == u"next") << "the rest of the long line is consumed";

    // A counted string of 1 MB followed by a field, then a count far beyond the data.
    std::string counted = std::string("\x00\x00\x10\x00", 4) + std::string(1u << 20, 'b') +
                          std::string("\x07\x00\x00\x00", 4) + std::string("\xFF\xFF\xFF\xFF", 4) +
                          "tail";
    VGMemoryReader strings = MemoryOf(counted);
    uint32_t length = 0, field = 0;
    ASSERT_TRUE(ReadCountedString(strings, line, &length));
    EXPECT_EQ(length, 1u << 20);
    EXPECT_EQ(line.Length(), kMaxTextLength);
    ASSERT_TRUE(ReadU32(strings, field));
    EXPECT_EQ(field, 7u);
    EXPECT_FALSE(ReadCountedString(strings, line, &length));
    EXPECT_EQ(line.Length(), 0u);
}

TEST(Streams, TheProgramFolderKeepsItsSpelling) {
    EXPECT_TRUE(ProgramFolder(u"/home/Ann/Tbx/tamborix") == u"/home/Ann/Tbx/");
    EXPECT_TRUE(ProgramFolder(u"tamborix") == u"./");
}

TEST(Streams, PlayersFolderKeepsItsSpellingAndIsMadeWhenFirstNeeded) {
    TempFolder dir;
    SetAppPath(VGString(dir.Wide().c_str()));
    const std::u16string user = dir.Wide("Player One/Tamborix");
    SetUserPath(VGString(user.c_str()));
    EXPECT_TRUE(GetUserPath() == VGString((user + u"/").c_str())) << "not lower-cased";
    EXPECT_TRUE(UserPath(u"resume.dat") == VGString((user + u"/resume.dat").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Player One"));
    ASSERT_TRUE(PrepareUserFolder());
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "Player One" / "Tamborix" / "save"));
    EXPECT_TRUE(PrepareUserFolder()) << "an existing folder is fine";
    // The data folder is a separate root.
    EXPECT_TRUE(DataPath(u"imgs") == VGString((dir.Wide() + u"/imgs").c_str()));
}
