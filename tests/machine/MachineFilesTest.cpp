// Segment and track files: defaults, round trips, the default record deleting its file,
// overrides for copying, and damaged files that must load only what they hold.
#include "game/machine/Track.h"
#include "tests/machine/MachineTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

std::string U32(uint32_t v) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = char((v >> (8 * i)) & 0xFF);
    return bytes;
}

class MachineFilesTest : public testing::Test {
protected:
    SaveFolder save;
};

TEST_F(MachineFilesTest, NewSegmentSlotReadsAsDefaults) {
    Segment segment;
    segment.slot = 7;
    Reset(segment);
    EXPECT_FALSE(Load(segment));
    EXPECT_EQ(Text(NameText(segment)), "seg07");
    EXPECT_EQ(segment.steps, 16u);
    EXPECT_EQ(segment.tempo, 120u);
    EXPECT_TRUE(IsEmpty(segment));
    EXPECT_TRUE(HasDefaultName(segment));
    EXPECT_EQ(DurationMs(segment), 2000);
    segment.steps = 1;
    segment.tempo = 400;
    EXPECT_EQ(DurationMs(segment), 37); // 37.5 truncated
}

TEST_F(MachineFilesTest, SegmentRoundTripAndLayout) {
    Segment segment;
    segment.slot = 5;
    Reset(segment);
    segment.steps = 33;
    segment.tempo = 97;
    std::memcpy(segment.name, "groov", 5);
    Cell(segment, 0, 0) = 1;
    Cell(segment, 8, 63) = 1;
    ASSERT_TRUE(Save(segment));

    const std::string bytes = save.Read("5.tbs");
    ASSERT_EQ(bytes.size(), kSegmentFileSize);
    EXPECT_EQ(bytes.substr(0, 13), "groov" + U32(33) + U32(97));
    EXPECT_EQ(bytes.substr(13, 4), U32(1));
    EXPECT_EQ(bytes.substr(kSegmentFileSize - 4), U32(1));

    Segment back;
    back.slot = 5;
    Reset(back);
    ASSERT_TRUE(Load(back));
    EXPECT_EQ(std::memcmp(back.name, segment.name, kNameLength), 0);
    EXPECT_EQ(back.steps, 33u);
    EXPECT_EQ(back.tempo, 97u);
    EXPECT_EQ(std::memcmp(back.grid, segment.grid, sizeof(segment.grid)), 0);
    EXPECT_TRUE(AnyOtherSegmentSaved(4));
    EXPECT_FALSE(AnyOtherSegmentSaved(5));

    // Extra bytes after the record are ignored.
    save.Write("5.tbs", bytes + "trailing");
    Reset(back);
    EXPECT_TRUE(Load(back));
    EXPECT_EQ(back.steps, 33u);
}

TEST_F(MachineFilesTest, DefaultSegmentDeletesItsFile) {
    Segment segment;
    segment.slot = 3;
    Reset(segment);
    segment.tempo = 121;
    ASSERT_TRUE(Save(segment));
    EXPECT_EQ(save.Read("3.tbs").size(), kSegmentFileSize);

    // Cells beyond the first bar do not count: the file goes and they are lost.
    segment.tempo = 120;
    Cell(segment, 2, 16) = 1;
    Cell(segment, 4, 63) = 1;
    EXPECT_TRUE(IsEmpty(segment));
    EXPECT_TRUE(Save(segment));
    EXPECT_FALSE(save.Exists("3.tbs"));
    EXPECT_FALSE(AnyOtherSegmentSaved(0));
    // Deleting what is not there is still a success.
    EXPECT_TRUE(Save(segment));

    // A renamed default segment is stored.
    segment.name[0] = 'X';
    EXPECT_FALSE(IsEmpty(segment));
    EXPECT_TRUE(Save(segment));
    EXPECT_TRUE(save.Exists("3.tbs"));
}

TEST_F(MachineFilesTest, SegmentCopyUsesOverridesButItsOwnEmptiness) {
    Segment source;
    source.slot = 5;
    Reset(source);
    source.steps = 8;
    ASSERT_TRUE(Save(source, 12, "seg12"));
    EXPECT_FALSE(save.Exists("5.tbs"));
    Segment copy;
    copy.slot = 12;
    Reset(copy);
    ASSERT_TRUE(Load(copy));
    EXPECT_EQ(copy.steps, 8u);
    EXPECT_TRUE(HasDefaultName(copy));

    // A default segment of slot 5 saved over slot 12 deletes slot 12's file, even though
    // under slot 12 its name "seg05" would not be the default.
    Reset(source);
    EXPECT_TRUE(Save(source, 12, "seg12"));
    EXPECT_FALSE(save.Exists("12.tbs"));
}

TEST_F(MachineFilesTest, SavingMakesTheMissingPlayersFolderButDeletingDoesNot) {
    const std::filesystem::path fresh = save.folder.Path() / "New Player" / "tamborix";
    SetUserPath(VGString(fresh.u16string().c_str()));
    Segment segment;
    segment.slot = 2;
    Reset(segment);
    ASSERT_TRUE(Save(segment)); // a default segment only deletes its file
    EXPECT_FALSE(std::filesystem::exists(fresh));
    segment.steps = 4;
    ASSERT_TRUE(Save(segment));
    EXPECT_EQ(std::filesystem::file_size(fresh / "save" / "2.tbs"), kSegmentFileSize);
    std::filesystem::remove_all(fresh);
    Track track;
    track.slot = 2;
    Reset(track);
    AddEntry(track, MakeSegment(2));
    ASSERT_TRUE(Save(track));
    EXPECT_TRUE(std::filesystem::exists(fresh / "save" / "2.tbt"));
}

TEST_F(MachineFilesTest, SaveFailsWhereThePlayersFolderCannotBeMade) {
    save.folder.WriteFile("taken", "a file, not a folder");
    SetUserPath(VGString((save.folder.Path() / "taken" / "tamborix").u16string().c_str()));
    Segment segment;
    segment.slot = 2;
    Reset(segment);
    segment.steps = 4;
    EXPECT_FALSE(Save(segment));
    Track track;
    track.slot = 2;
    Reset(track);
    AddEntry(track, MakeSegment(2));
    EXPECT_FALSE(Save(track));
}

TEST_F(MachineFilesTest, DamagedSegmentFilesLoadOnlyWhatTheyHold) {
    const std::string header = "abcde" + U32(20) + U32(140);
    Segment segment;
    segment.slot = 9;

    // Truncated inside the tempo: the name and steps are read, the tempo keeps its default.
    save.Write("9.tbs", header.substr(0, 11));
    Reset(segment);
    EXPECT_FALSE(Load(segment));
    EXPECT_EQ(Text(NameText(segment)), "abcde");
    EXPECT_EQ(segment.steps, 20u);
    EXPECT_EQ(segment.tempo, 120u);

    // Truncated inside the grid: none of the grid is taken.
    save.Write("9.tbs", header + std::string(100, '\1'));
    Reset(segment);
    EXPECT_FALSE(Load(segment));
    EXPECT_EQ(segment.tempo, 140u);
    for (uint32_t cell : segment.grid) ASSERT_EQ(cell, 0u);

    // Out-of-range steps and tempo are brought into range so playback stays safe.
    save.Write("9.tbs", "abcde" + U32(0xFFFFFFFF) + U32(0) + std::string(2304, '\0'));
    Reset(segment);
    EXPECT_TRUE(Load(segment));
    EXPECT_EQ(segment.steps, 64u);
    EXPECT_EQ(segment.tempo, 10u);
    save.Write("9.tbs", "abcde" + U32(0) + U32(100000) + std::string(2304, '\0'));
    EXPECT_TRUE(Load(segment));
    EXPECT_EQ(segment.steps, 1u);
    EXPECT_EQ(segment.tempo, 400u);

    // An empty file reads as nothing at all.
    save.Write("9.tbs", "");
    Reset(segment);
    EXPECT_FALSE(Load(segment));
    EXPECT_TRUE(IsEmpty(segment));
}

TEST_F(MachineFilesTest, TrackFileLayoutRoundTripAndDurations) {
    Segment* three = MakeSegment(3);
    Cell(*three, 3, 0) = 1;
    ASSERT_TRUE(Save(*three));
    Track track;
    BuildTrack(track, {{MakeSegment(3), 2}, {nullptr, 1}});
    track.slot = 6;
    track.speed = 150;
    ASSERT_TRUE(Save(track));
    EXPECT_EQ(save.Read("6.tbt"),
              "trk01" + U32(150) + U32(2) + U32(3) + U32(2) + U32(0xFFFFFFFF) + U32(1));

    Track back;
    back.slot = 6;
    Reset(back);
    ASSERT_TRUE(Load(back));
    EXPECT_EQ(back.speed, 150u);
    ASSERT_EQ(EntryCount(back), 2u);
    ASSERT_NE(back.entries->segment, nullptr);
    EXPECT_EQ(Cell(*back.entries->segment, 3, 0), 1u); // the segment's file was read
    EXPECT_EQ(back.entries->repeats, 2u);
    EXPECT_EQ(back.entries->next->segment, nullptr);
    EXPECT_TRUE(AnyOtherTrackSaved(1));
    EXPECT_FALSE(AnyOtherTrackSaved(6));

    Track durations;
    BuildTrack(durations, {{MakeSegment(1, 16, 120), 2}, {MakeSegment(2, 12, 90), 1}});
    EXPECT_EQ(TotalDurationMs(durations), 6000);
    delete three;
}

TEST_F(MachineFilesTest, TrackEntriesGetTheirOwnSegmentCopies) {
    Segment* seven = MakeSegment(7, 8);
    ASSERT_TRUE(Save(*seven));
    delete seven;
    // Slot 8 has no file: its entry still gets a default segment, not a null one.
    save.Write("2.tbt",
               "abcde" + U32(100) + U32(3) + U32(7) + U32(1) + U32(7) + U32(2) + U32(8) + U32(1));
    Track track;
    track.slot = 2;
    Reset(track);
    ASSERT_TRUE(Load(track));
    ASSERT_EQ(EntryCount(track), 3u);
    Segment* a = EntryAt(track, 0)->segment;
    Segment* b = EntryAt(track, 1)->segment;
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->steps, 8u);
    Cell(*a, 0, 0) = 1;
    EXPECT_EQ(Cell(*b, 0, 0), 0u);
    ASSERT_NE(EntryAt(track, 2)->segment, nullptr);
    EXPECT_TRUE(IsEmpty(*EntryAt(track, 2)->segment));
    EXPECT_EQ(TotalDurationMs(track), 1000 * 3 + 2000);
}

TEST_F(MachineFilesTest, TrackWithoutSegmentsIsNeverStored) {
    Track track;
    track.slot = 3;
    Reset(track);
    EXPECT_FALSE(Load(track));
    EXPECT_EQ(Text(NameText(track)), "trk03");
    ASSERT_EQ(EntryCount(track), 1u);
    EXPECT_EQ(track.entries->segment, nullptr);
    AddEntry(track, MakeSegment(1));
    ASSERT_TRUE(Save(track));
    EXPECT_TRUE(save.Exists("3.tbt"));
    RemoveEntry(track, 1);
    track.speed = 180;
    std::memcpy(track.name, "named", 5);
    EXPECT_TRUE(Save(track));
    EXPECT_FALSE(save.Exists("3.tbt"));
}

TEST_F(MachineFilesTest, DamagedTrackFilesAlwaysLeaveAPlayableTrack) {
    Track track;
    track.slot = 5;
    const std::string head = "abcde" + U32(80);
    struct Case {
        std::string bytes;
        bool loads;
        uint32_t entries;
    } cases[] = {
        {"", false, 1},
        {"abc", false, 1},
        {head + U32(2).substr(0, 2), false, 1},
        {head + U32(0), false, 1},                                     // no entries
        {head + U32(3) + U32(0xFFFFFFFF) + U32(2) + U32(7), false, 2}, // ends before a repeat
        {head + U32(1000000000), false, 1},                            // count far beyond the data
        {head + U32(1) + U32(500) + U32(0), true, 1},                  // no such slot, 0 repeats
    };
    for (const Case& c : cases) {
        save.Write("5.tbt", c.bytes);
        Reset(track);
        EXPECT_EQ(Load(track), c.loads) << c.bytes.size();
        ASSERT_EQ(EntryCount(track), c.entries) << c.bytes.size();
        for (TrackEntry* e = track.entries; e; e = e->next) EXPECT_GE(e->repeats, 1u);
        EXPECT_GE(track.speed, kMinSpeed);
        EXPECT_LE(track.speed, kMaxSpeed);
    }
    // The last case: an impossible slot reads as an entry without segment.
    EXPECT_EQ(track.entries->segment, nullptr);

    // A speed beyond the editor's range is brought into it.
    save.Write("5.tbt", "abcde" + U32(0) + U32(1) + U32(3) + U32(1));
    Reset(track);
    EXPECT_TRUE(Load(track));
    EXPECT_EQ(track.speed, kMinSpeed);
    EXPECT_EQ(ElapsedMs(track), 0);
}

TEST_F(MachineFilesTest, PathsFromAFolderOfAnyLengthStayWhole) {
    // Slot 1 of a 1100-character user folder was once saved as "<folder>/sa".
    std::string deep;
    while (deep.size() < 1100) deep += "d123456789/";
    std::filesystem::create_directories(save.folder.Path() / deep / "save");
    SetUserPath(
        VGString((save.folder.Wide() + u"/" + std::u16string(deep.begin(), deep.end())).c_str()));
    EXPECT_TRUE(Text(SegmentPath(1)).ends_with(deep + "save/1.tbs"));
    EXPECT_TRUE(Text(TrackPath(99)).ends_with(deep + "save/99.tbt"));
    Segment segment;
    segment.slot = 1;
    Reset(segment);
    segment.tempo = 121;
    ASSERT_TRUE(Save(segment));
    EXPECT_TRUE(std::filesystem::exists(save.folder.Path() / deep / "save/1.tbs"));
}

TEST_F(MachineFilesTest, ASegmentFileThatCannotBeReadIsNeverOverwrittenOrDeleted) {
    // A link to nothing stands for a file the program cannot open (root opens any file).
    std::filesystem::create_symlink(save.File("nowhere"), save.File("3.tbs"));
    Segment segment;
    segment.slot = 3;
    Reset(segment);
    EXPECT_FALSE(Load(segment));
    testing::internal::CaptureStderr();
    Save(segment); // as the editor leaves a default segment: once a delete
    Cell(segment, 0, 0) = 1;
    EXPECT_FALSE(Save(segment)); // an edited one: once a replace
    EXPECT_NE(testing::internal::GetCapturedStderr().find("kept"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_symlink(save.File("3.tbs")));
    EXPECT_FALSE(std::filesystem::exists(save.File("nowhere")));
}

TEST_F(MachineFilesTest, TrackEntriesAreCappedAndEachSlotIsReadOnce) {
    Segment segment;
    segment.slot = 4;
    Reset(segment);
    segment.steps = 8;
    ASSERT_TRUE(Save(segment));
    // A count of 200,000 entries all naming slot 4: once 940 MB and half a minute.
    std::string bytes = "trk05" + U32(100) + U32(200000);
    for (uint32_t k = 0; k < 200000; ++k) bytes += U32(4) + U32(1);
    save.Write("5.tbt", bytes);
    Track track;
    track.slot = 5;
    Reset(track);
    EXPECT_FALSE(Load(track)) << "more entries than a track holds";
    ASSERT_EQ(EntryCount(track), kMaxEntries);
    EXPECT_EQ(track.entries->segment->steps, 8u);
    EXPECT_NE(track.entries->segment, track.entries->next->segment) << "copies of their own";
    EXPECT_EQ(InsertEntryAt(track, 0), nullptr);
    EXPECT_EQ(InsertEntryAfter(track, 0), nullptr);
    RemoveEntry(track, 0);
    EXPECT_NE(InsertEntryAfter(track, 0), nullptr);
}

} // namespace
