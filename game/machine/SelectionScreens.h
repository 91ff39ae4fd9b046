#pragma once
// The drum machine's slot choices: segments (to edit, to copy into the slot being edited, or
// to pick for a track entry) and tracks (to edit, to play, or to copy into the slot being
// edited).
#include "game/machine/SlotSelect.h"

struct Track;
struct TrackEntry;

class SegmentSelectScreen final : public SlotSelectScreen {
public:
    // Edit mode.
    SegmentSelectScreen() = default;
    // Copy mode: the chosen segment is copied into targetSlot.
    explicit SegmentSelectScreen(uint32_t targetSlot);
    // Pick mode: the chosen segment goes to the entry of a track the track editor handed over.
    SegmentSelectScreen(Track* track, TrackEntry* entry);
    // A track still held (the program ended while picking) is freed here.
    ~SegmentSelectScreen() override;

    void CreateSoftButtons() override;

    Track* track = nullptr;      // held in pick mode until passed back to the track editor
    TrackEntry* entry = nullptr; // set in pick mode
    uint32_t copyTarget = kNotCopying;

    static constexpr uint32_t kNotCopying = 0xFFFFFFFFu;

protected:
    SlotPathFn PathOf() const override;
    const char16_t* OptionName() const override { return u"SelectSegment"; }
    bool OnlySaved() const override;
    uint32_t LabelEntry() const override;
    uint32_t StartSlot() const override;
    VGScreen* Choose() override;
    VGScreen* Back() override;

private:
    // The track editor again, taking the track over.
    VGScreen* ReturnTrack();
};

enum TrackSelectMode : uint32_t { TrackEdit = 0, TrackPlay = 1, TrackCopy = 2 };

class TrackSelectScreen final : public SlotSelectScreen {
public:
    explicit TrackSelectScreen(uint32_t mode, uint32_t targetSlot = kNotCopying);

    void CreateSoftButtons() override;
    VGScreen* OnAction(int32_t id) override;

    uint32_t mode = TrackEdit;
    uint32_t copyTarget = kNotCopying;

    static constexpr uint32_t kNotCopying = 0xFFFFFFFFu;

protected:
    SlotPathFn PathOf() const override;
    const char16_t* OptionName() const override { return u"SelectTrack"; }
    bool OnlySaved() const override { return mode != TrackEdit; }
    uint32_t LabelEntry() const override;
    uint32_t StartSlot() const override;
    VGScreen* Choose() override;
    VGScreen* Back() override;
};

// Copies the segment of fromSlot into toSlot's file under toSlot's name; a default segment
// deletes toSlot's file. Copying a slot onto itself leaves its file as it was.
void CopySegment(uint32_t fromSlot, uint32_t toSlot);
// Copies the track of fromSlot (its speed and entries) into toSlot's file under toSlot's name.
void CopyTrack(uint32_t fromSlot, uint32_t toSlot);
