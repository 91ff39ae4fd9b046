#include "platform/Files.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;

namespace {
std::string ReadAll(const std::u16string& path) {
    InputFile file(path);
    std::string out;
    char buffer[64];
    for (int64_t n; (n = file.Read(buffer, sizeof buffer)) > 0;) out.append(buffer, size_t(n));
    return out;
}
} // namespace

TEST(Files, ComponentsResolveWithoutRegardToCaseAndBackslashesSeparate) {
    TempFolder dir;
    dir.WriteFile("Build/Imgs/Drums.IMG", "pack");
    std::u16string lowered = dir.Wide();
    lowered += u"/build\\imgs\\drums.img";
    EXPECT_TRUE(IsRegularFile(lowered));
    EXPECT_EQ(ReadAll(lowered), "pack");
    EXPECT_EQ(ResolvePath(lowered), (dir.Path() / "Build/Imgs/Drums.IMG").string());
}

TEST(Files, MissingComponentsAreKeptAsWrittenAndFoldersAreNotFiles) {
    TempFolder dir;
    dir.WriteFile("Save/1.tbs", "x");
    EXPECT_EQ(ResolvePath(dir.Wide() + u"/save/New.TBS"), (dir.Path() / "Save/New.TBS").string());
    EXPECT_FALSE(IsRegularFile(dir.Wide() + u"/save"));
    EXPECT_FALSE(InputFile(dir.Wide() + u"/save").IsOpen());
    EXPECT_FALSE(IsRegularFile(dir.Wide() + u"/nothing.dat"));
}

TEST(Files, NamesDifferingOnlyInCaseResolveToTheSameOneEveryTime) {
    TempFolder dir;
    dir.WriteFile("b.txt", "lower");
    dir.WriteFile("B.TXT", "upper");
    // The exact spelling wins; otherwise the smallest name.
    EXPECT_EQ(ReadAll(dir.Wide() + u"/b.txt"), "lower");
    EXPECT_EQ(ReadAll(dir.Wide() + u"/B.txt"), "upper");
}

TEST(Files, ReadStopsAtTheEndAndReportsSize) {
    TempFolder dir;
    dir.WriteFile("a.bin", "12345");
    InputFile file(dir.Wide("a.bin"));
    uint64_t size = 0;
    ASSERT_TRUE(file.Size(size));
    EXPECT_EQ(size, 5u);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 8), 5);
    EXPECT_EQ(file.Read(buffer, 8), 0);
    InputFile missing(dir.Wide("none.bin"));
    EXPECT_EQ(missing.Read(buffer, 8), -1);
}

TEST(Files, AtomicReplaceKeepsOldBytesUntilCommit) {
    TempFolder dir;
    dir.WriteFile("scores.dat", "old contents");
    {
        AtomicOutputFile out(dir.Wide("scores.dat"));
        ASSERT_TRUE(out.IsOpen());
        ASSERT_TRUE(out.Write("new", 3));
        // Written but not yet renamed: as if the process died here.
        EXPECT_EQ(dir.ReadFile("scores.dat"), "old contents");
    } // destroyed without Commit
    EXPECT_EQ(dir.ReadFile("scores.dat"), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "the abandoned temporary file must be cleaned up";

    AtomicOutputFile out(dir.Wide("SCORES.DAT"));
    ASSERT_TRUE(out.Write("new", 3));
    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(dir.ReadFile("scores.dat"), "new") << "replaces the existing spelling";
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "SCORES.DAT"));
}

TEST(Files, WriterInMissingFolderFailsEveryWrite) {
    TempFolder dir;
    AtomicOutputFile out(dir.Wide("missing/x.dat"));
    EXPECT_FALSE(out.IsOpen());
    EXPECT_FALSE(out.Write("a", 1));
    EXPECT_FALSE(out.Commit());
}

TEST(Files, MakeFolderCreatesParents) {
    TempFolder dir;
    EXPECT_TRUE(MakeFolder(dir.Wide("a/b/c")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "a/b/c"));
}
