// The selection screens' slot logic (names, stepping with wrap-around, skipping slots
// without files, the first slot shown), copying segments and tracks between slots, and the
// play screen's time line.
#include "game/machine/SelectionScreens.h"
#include "game/machine/TrackPlayScreen.h"
#include "tests/machine/MachineTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class SelectionTest : public testing::Test {
protected:
    void SaveSegment(uint32_t slot, uint32_t steps = 8) {
        Segment* segment = MakeSegment(slot, steps);
        ASSERT_TRUE(Save(*segment));
        delete segment;
    }

    SaveFolder save;
};

TEST_F(SelectionTest, SlotNamesFromTheFiles) {
    SaveSegment(5);
    EXPECT_EQ(Text(SlotName(SegmentPath(5))), "seg05");
    EXPECT_EQ(Text(SlotName(SegmentPath(6))), "empty");
    save.Write("7.tbs", "abc"); // too short for a name
    EXPECT_EQ(Text(SlotName(SegmentPath(7))), "empty");
    save.Write("8.tbt", "hello and more");
    EXPECT_EQ(Text(SlotName(TrackPath(8))), "hello");
}

TEST_F(SelectionTest, SteppingWrapsAndSkipsSlotsWithoutFiles) {
    EXPECT_EQ(StepSlot(1, -1, false, &SegmentPath), 99u);
    EXPECT_EQ(StepSlot(99, 1, false, &SegmentPath), 1u);
    EXPECT_EQ(StepSlot(50, 1, false, &SegmentPath), 51u);
    EXPECT_EQ(StepSlot(0, 1, false, &SegmentPath), 2u); // out of range reads as slot 1

    // No file anywhere: a full turn brings the start slot back instead of looping forever.
    EXPECT_EQ(StepSlot(5, 1, true, &SegmentPath), 5u);
    EXPECT_EQ(StepSlot(5, -1, true, &SegmentPath), 5u);

    SaveSegment(3);
    SaveSegment(40);
    EXPECT_EQ(StepSlot(3, 1, true, &SegmentPath), 40u);
    EXPECT_EQ(StepSlot(40, 1, true, &SegmentPath), 3u);
    EXPECT_EQ(StepSlot(3, -1, true, &SegmentPath), 40u);
    EXPECT_EQ(FirstSlot(50, true, &SegmentPath), 3u);
    EXPECT_EQ(FirstSlot(40, true, &SegmentPath), 40u);
    EXPECT_EQ(FirstSlot(50, false, &SegmentPath), 50u);
    EXPECT_EQ(FirstSlot(1000, false, &SegmentPath), 1u);
    // Tracks have files of their own.
    EXPECT_EQ(StepSlot(3, 1, true, &TrackPath), 3u);
    // Copying into slot 3 starts on the next saved slot, never on 3 itself; another stored
    // slot is kept.
    EXPECT_EQ(CopyStartSlot(3, 3, &SegmentPath), 40u);
    EXPECT_EQ(CopyStartSlot(40, 40, &SegmentPath), 3u);
    EXPECT_EQ(CopyStartSlot(40, 3, &SegmentPath), 40u);
}

TEST_F(SelectionTest, CopyingSegments) {
    Segment* source = MakeSegment(4, 12, 90);
    Cell(*source, 2, 3) = 1;
    std::memcpy(source->name, "grv04", 5);
    ASSERT_TRUE(Save(*source));
    const std::string before = save.Read("4.tbs");

    // Onto itself: the file stays as it was.
    CopySegment(4, 4);
    EXPECT_EQ(save.Read("4.tbs"), before);

    // Into an empty slot: the content under the target's default name.
    CopySegment(4, 9);
    Segment copy;
    copy.slot = 9;
    Reset(copy);
    ASSERT_TRUE(Load(copy));
    EXPECT_EQ(Text(NameText(copy)), "seg09");
    EXPECT_EQ(copy.steps, 12u);
    EXPECT_EQ(Cell(copy, 2, 3), 1u);

    // Into a renamed slot: its name stays.
    std::memcpy(copy.name, "keep!", 5);
    ASSERT_TRUE(Save(copy));
    CopySegment(4, 9);
    Reset(copy);
    ASSERT_TRUE(Load(copy));
    EXPECT_EQ(Text(NameText(copy)), "keep!");

    // Copying an empty slot clears the target.
    CopySegment(20, 9);
    EXPECT_FALSE(save.Exists("9.tbs"));
    delete source;
}

TEST_F(SelectionTest, CopyingTracksKeepsSlotsSpeedAndTheTargetName) {
    SaveSegment(4);
    SaveSegment(7);
    Track source;
    BuildTrack(source, {{MakeSegment(4), 2}, {MakeSegment(7), 1}});
    source.slot = 11;
    source.speed = 60;
    ASSERT_TRUE(Save(source));
    Track target;
    BuildTrack(target, {{MakeSegment(7), 5}});
    target.slot = 12;
    std::memcpy(target.name, "mine!", 5);
    ASSERT_TRUE(Save(target));

    CopyTrack(11, 12);
    Track copy;
    copy.slot = 12;
    Reset(copy);
    ASSERT_TRUE(Load(copy));
    EXPECT_EQ(Text(NameText(copy)), "mine!");
    EXPECT_EQ(copy.speed, 60u);
    ASSERT_EQ(EntryCount(copy), 2u);
    EXPECT_EQ(EntryAt(copy, 0)->segment->slot, 4u);
    EXPECT_EQ(EntryAt(copy, 0)->repeats, 2u);
    EXPECT_EQ(EntryAt(copy, 1)->segment->slot, 7u);
}

TEST_F(SelectionTest, TimeLineShowsTickerAtRestAndElapsedTimeWhilePlaying) {
    Track track;
    BuildTrack(track, {{MakeSegment(1, 13, 120), 40}}); // 40 x 1625 ms = 65 s
    VGString text;
    uint32_t offset = 99;
    PlayTimeText(track, false, 0, text, offset);
    EXPECT_EQ(Text(text), "trk01 - 01:05  trk01 - 01:05  ");
    EXPECT_EQ(offset, 0u);
    PlayTimeText(track, false, 299, text, offset);
    EXPECT_EQ(offset, 0u);
    PlayTimeText(track, false, 300 * 16, text, offset);
    EXPECT_EQ(offset, 1u); // a turn is 15 characters

    PlayTimeText(track, true, 5000, text, offset);
    EXPECT_EQ(Text(text), " 0:00");
    EXPECT_EQ(offset, 0u);

    // Paused away from the start still shows the time; half speed doubles it.
    track.entryIndex = 0;
    track.repeatIndex = 18;
    track.position = 750.0f; // 18 x 1625 + 750 = 30 s of segment time
    PlayTimeText(track, false, 0, text, offset);
    EXPECT_EQ(Text(text), " 0:30");
    track.speed = 50;
    PlayTimeText(track, false, 0, text, offset);
    EXPECT_EQ(Text(text), " 1:00");

    Track longTrack;
    BuildTrack(longTrack, {{MakeSegment(1, 16, 120), 400}});
    longTrack.repeatIndex = 300; // 600 s
    PlayTimeText(longTrack, true, 0, text, offset);
    EXPECT_EQ(Text(text), "10:00");
}

} // namespace
