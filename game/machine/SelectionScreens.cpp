#include "game/machine/SelectionScreens.h"

#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/machine/SegmentEditor.h"
#include "game/machine/SegmentEditorLinks.h"
#include "game/machine/Track.h"
#include "game/machine/TrackEditor.h"
#include "game/machine/TrackPlayScreen.h"
#include "varnokengine/VGMenuItems.h"

#include <new>

namespace {

// Language entries of the titles and of the choosing entry's label.
// The track choice also answers to this action.
constexpr int32_t kAlsoChoose = 20;

// Copies the segment or track in fromSlot over the one in toSlot under the target's own name.
// A target that cannot be written keeps its old content; nothing is reported.
template <typename Record> void CopyRecord(uint32_t fromSlot, uint32_t toSlot) {
    Record* source = new (std::nothrow) Record;
    Record* target = new (std::nothrow) Record;
    if (source && target) {
        source->slot = fromSlot;
        Reset(*source);
        Load(*source);
        target->slot = toSlot;
        Reset(*target);
        Load(*target);
        Save(*source, toSlot, target->name);
    }
    delete source;
    delete target;
}

} // namespace

void CopySegment(uint32_t fromSlot, uint32_t toSlot) {
    CopyRecord<Segment>(fromSlot, toSlot);
}

void CopyTrack(uint32_t fromSlot, uint32_t toSlot) {
    CopyRecord<Track>(fromSlot, toSlot);
}

SegmentSelectScreen::SegmentSelectScreen(uint32_t targetSlot) : copyTarget(targetSlot) {}

SegmentSelectScreen::SegmentSelectScreen(Track* owner, TrackEntry* pickEntry)
    : track(owner), entry(pickEntry) {}

SegmentSelectScreen::~SegmentSelectScreen() {
    delete track;
}

VGScreen* SegmentSelectScreen::ReturnTrack() {
    VGScreen* editor = CreateTrackEditor(track);
    if (editor) track = nullptr;
    return editor;
}

void SegmentSelectScreen::CreateSoftButtons() {
    SetTitle(GetText(entry ? TextChooseSegment
                           : (copyTarget != kNotCopying ? TextCopySegment : TextEditSegment)));
    AddBackButton(TextBack, 0);
}

SlotPathFn SegmentSelectScreen::PathOf() const {
    return &SegmentPath;
}

bool SegmentSelectScreen::OnlySaved() const {
    return entry != nullptr || copyTarget != kNotCopying;
}

uint32_t SegmentSelectScreen::LabelEntry() const {
    if (entry) return TextChoose;
    return copyTarget != kNotCopying ? TextCopy : TextEdit;
}

uint32_t SegmentSelectScreen::StartSlot() const {
    // A track entry that already has a segment starts at that segment's slot.
    if (entry && entry->segment) return entry->segment->slot;
    if (copyTarget != kNotCopying)
        return CopyStartSlot(SlotSelectScreen::StartSlot(), copyTarget, PathOf());
    return SlotSelectScreen::StartSlot();
}

VGScreen* SegmentSelectScreen::Choose() {
    if (entry) {
        Segment* chosen = new (std::nothrow) Segment;
        if (chosen) {
            chosen->slot = slot;
            Reset(*chosen);
            Load(*chosen);
            delete entry->segment;
            entry->segment = chosen;
        }
        return ReturnTrack();
    }
    if (copyTarget != kNotCopying) {
        CopySegment(slot, copyTarget);
        return CreateSegmentEditor(copyTarget);
    }
    return CreateSegmentEditor(slot);
}

VGScreen* SegmentSelectScreen::Back() {
    if (entry) return ReturnTrack();
    if (copyTarget != kNotCopying) return CreateSegmentEditor(copyTarget);
    return CreateScreen(ScreenDrumMachineMenu);
}

TrackSelectScreen::TrackSelectScreen(uint32_t selectMode, uint32_t targetSlot)
    : mode(selectMode > TrackCopy ? TrackEdit : selectMode), copyTarget(targetSlot) {
    if (mode == TrackCopy && copyTarget == kNotCopying) mode = TrackEdit;
}

void TrackSelectScreen::CreateSoftButtons() {
    static constexpr uint32_t kTitles[] = {TextEditTrack, TextPlayTrack, TextCopyTrack};
    SetTitle(GetText(kTitles[mode]));
    AddBackButton(TextBack, 0);
}

VGScreen* TrackSelectScreen::OnAction(int32_t id) {
    if (id == kAlsoChoose) return Choose();
    return SlotSelectScreen::OnAction(id);
}

SlotPathFn TrackSelectScreen::PathOf() const {
    return &TrackPath;
}

uint32_t TrackSelectScreen::LabelEntry() const {
    static constexpr uint32_t kLabels[] = {TextEdit, TextPlay, TextCopy};
    return kLabels[mode];
}

uint32_t TrackSelectScreen::StartSlot() const {
    if (mode == TrackCopy)
        return CopyStartSlot(SlotSelectScreen::StartSlot(), copyTarget, PathOf());
    return SlotSelectScreen::StartSlot();
}

VGScreen* TrackSelectScreen::Choose() {
    switch (mode) {
    case TrackPlay:
        return new (std::nothrow) TrackPlayScreen(slot);
    case TrackCopy:
        CopyTrack(slot, copyTarget);
        return CreateTrackEditor(copyTarget);
    default:
        return CreateTrackEditor(slot);
    }
}

VGScreen* TrackSelectScreen::Back() {
    if (mode == TrackCopy) return CreateTrackEditor(copyTarget);
    return CreateScreen(ScreenDrumMachineMenu);
}

// The editors' ways into the selection screens.
VGScreen* OpenSegmentCopy(uint32_t targetSlot) {
    return new (std::nothrow) SegmentSelectScreen(targetSlot);
}

VGScreen* OpenSegmentPick(Track* track, TrackEntry* entry) {
    if (!track || !entry) return nullptr;
    return new (std::nothrow) SegmentSelectScreen(track, entry);
}

VGScreen* OpenTrackCopy(uint32_t targetSlot) {
    return new (std::nothrow) TrackSelectScreen(TrackCopy, targetSlot);
}
