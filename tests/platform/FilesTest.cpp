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

namespace {
namespace fs = std::filesystem;

size_t FilesIn(const fs::path& folder) {
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// True when this process can read a file whatever its permissions say (root in CI), so a
// check on read permissions has nothing to show.
bool ReadsAnything(const TempFolder& dir) {
    dir.WriteFile("probe", "x");
    fs::permissions(dir.Path() / "probe", fs::perms::none);
    bool reads = InputFile(dir.Wide("probe")).IsOpen();
    fs::permissions(dir.Path() / "probe", fs::perms::owner_all);
    fs::remove(dir.Path() / "probe");
    return reads;
}
} // namespace

TEST(Files, SavesNeverFollowALinkPlantedAtATemporaryName) {
    TempFolder dir;
    dir.WriteFile("victim", "must stay");
    dir.WriteFile("1.tbs", "old");
    // The name the writer once used for every save of 1.tbs.
    fs::create_symlink(dir.Path() / "victim", dir.Path() / ".1.tbs.tmp");
    AtomicOutputFile out(dir.Wide("1.tbs"));
    ASSERT_TRUE(out.Write("new", 3));
    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(dir.ReadFile("victim"), "must stay");
    EXPECT_EQ(dir.ReadFile("1.tbs"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / ".1.tbs.tmp"));
}

TEST(Files, SavingThroughALinkReplacesItsFileAndKeepsPermissions) {
    TempFolder dir;
    dir.WriteFile("real/registry.reg", "old");
    fs::permissions(dir.Path() / "real/registry.reg",
                    fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(dir.Path() / "real/registry.reg", dir.Path() / "registry.reg");
    AtomicOutputFile out(dir.Wide("registry.reg"));
    ASSERT_TRUE(out.Write("new", 3));
    ASSERT_TRUE(out.Commit());
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "registry.reg"));
    EXPECT_EQ(dir.ReadFile("real/registry.reg"), "new");
    EXPECT_EQ(fs::status(dir.Path() / "real/registry.reg").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FilesIn(dir.Path() / "real"), 1u);
}

TEST(Files, ReadOnlyAndUnreadableFilesAreNeverReplacedOrDeleted) {
    TempFolder dir;
    dir.WriteFile("locked.dat", "player's");
    fs::permissions(dir.Path() / "locked.dat",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(AtomicOutputFile(dir.Wide("locked.dat")).IsOpen());
    EXPECT_EQ(dir.ReadFile("locked.dat"), "player's");

    // Things that are there but cannot be read: a link to nothing, a folder.
    fs::create_symlink(dir.Path() / "gone", dir.Path() / "dangling.tbs");
    fs::create_directory(dir.Path() / "folder.tbs");
    for (const char* name : {"dangling.tbs", "folder.tbs"}) {
        std::u16string path = dir.Wide(name);
        EXPECT_EQ(ProbeFile(path), FileState::Blocked) << name;
        EXPECT_FALSE(AtomicOutputFile(path).IsOpen()) << name;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(RemoveFile(path)) << name;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("kept"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "dangling.tbs"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "folder.tbs"));
    EXPECT_EQ(ProbeFile(dir.Wide("none.tbs")), FileState::Missing);
    EXPECT_EQ(ProbeFile(dir.Wide("locked.dat")), FileState::Readable);

    if (ReadsAnything(dir)) return; // root reads a file without permissions
    dir.WriteFile("secret.tbs", "kept");
    fs::permissions(dir.Path() / "secret.tbs", fs::perms::owner_write);
    EXPECT_EQ(ProbeFile(dir.Wide("secret.tbs")), FileState::Blocked);
    EXPECT_FALSE(AtomicOutputFile(dir.Wide("secret.tbs")).IsOpen());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(RemoveFile(dir.Wide("secret.tbs")));
    testing::internal::GetCapturedStderr();
    fs::permissions(dir.Path() / "secret.tbs", fs::perms::owner_all);
    EXPECT_EQ(dir.ReadFile("secret.tbs"), "kept");
}

TEST(Files, TwoWritersOfOneFileAtOnceBothSucceed) {
    TempFolder dir;
    AtomicOutputFile first(dir.Wide("registry.reg"));
    AtomicOutputFile second(dir.Wide("registry.reg"));
    ASSERT_TRUE(first.Write("first", 5));
    ASSERT_TRUE(second.Write("second", 6));
    EXPECT_TRUE(first.Commit());
    EXPECT_TRUE(second.Commit());
    EXPECT_EQ(dir.ReadFile("registry.reg"), "second");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(Files, AFolderSpeltExactlyIsNeverTakenForASiblingDifferingInCase) {
    TempFolder dir;
    dir.WriteFile("tbx/save/1.tbs", "sibling");
    dir.WriteFile("Tbx/save/1.tbs", "own");
    EXPECT_EQ(ReadAll(dir.Wide("Tbx/save/1.tbs")), "own");
    AtomicOutputFile out(dir.Wide("Tbx/save/2.tbs"));
    ASSERT_TRUE(out.Write("x", 1));
    ASSERT_TRUE(out.Commit());
    EXPECT_TRUE(fs::exists(dir.Path() / "Tbx/save/2.tbs"));
    EXPECT_FALSE(fs::exists(dir.Path() / "tbx/save/2.tbs"));
}
