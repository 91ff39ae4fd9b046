#include "game/machine/SegmentEditorDialogs.h"

#include "game/TextIds.h"
#include "game/machine/SegmentEditor.h"
#include "game/machine/TrackEditor.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGMenuItems.h"

#include <new>

namespace {

constexpr int32_t kNameCellWidth = 20; // before LayoutScale
constexpr uint32_t kClearWarning = 118;
constexpr uint32_t kYes = 69;
constexpr uint32_t kNo = 70;
constexpr uint32_t kSegmentWord = 76;
constexpr uint32_t kTrackWord = 78;

// The editor the record came from, taking it back.
VGScreen* BackToEditor(Segment*& segment, Track*& track) {
    VGScreen* next = nullptr;
    if (segment) next = CreateSegmentEditor(segment);
    if (track) next = CreateTrackEditor(track);
    // The editor owns the record now; when it could not be made, this screen keeps it.
    if (next) segment = nullptr, track = nullptr;
    return next;
}

} // namespace

RecordNameScreen::~RecordNameScreen() {
    delete segment;
    delete track;
}

void RecordNameScreen::CreateSoftButtons() {
    SetTitle(GetText(segment ? TextSegmentName : TextTrackName));
    AddForwardButton(TextContinue, 0);
}

VGScreen* RecordNameScreen::OnAction(int32_t id) {
    // The back key also returns: the name is edited in place, so there is nothing to undo.
    if (id == kTagForward || id == ActionBack) return BackToEditor(segment, track);
    return CharEntryScreen::OnAction(id);
}

uint32_t RecordNameScreen::Length() {
    return kNameLength;
}

int32_t RecordNameScreen::CellWidth() {
    return kNameCellWidth * LayoutScale;
}

uint8_t* RecordNameScreen::Buffer() {
    if (segment) return reinterpret_cast<uint8_t*>(segment->name);
    if (track) return reinterpret_cast<uint8_t*>(track->name);
    return nullptr;
}

ClearDialog::~ClearDialog() {
    delete segment;
    delete track;
}

void ClearDialog::CreateSoftButtons() {
    SetTitle(GetText(TextClearAll));
    AddBackButton(TextBack, 0);
}

void ClearDialog::CreateItems() {
    // The title asks the question; the text below names the record it is about and warns,
    // all inside the area between the bars so nothing runs into the title.
    const int32_t middle = TargetWidth() / 2;
    const VGString what =
        segment ? Formatted(u"%s %d - %s", GetText(kSegmentWord), segment->slot, NameText(*segment))
        : track ? Formatted(u"%s %d - %s", GetText(kTrackWord), track->slot, NameText(*track))
                : VGString();
    AddItem(ItemY(0.05f, what, FontLarge, kMenuSpread), what, 0, FontLarge, AlignCentre, middle);
    const VGString& warning = GetText(kClearWarning);
    AddItem(ItemY(0.3f, warning, FontSmall, kMenuSpread), warning, 0, FontSmall, AlignCentre,
            middle);
    AddMenuEntry(kClear, 0.65f, kYes, 0);
    // Keeping is focused, so a stray press of the action key loses nothing.
    AddMenuEntry(kKeep, 0.9f, kNo, FlagPulse);
}

VGScreen* ClearDialog::OnAction(int32_t id) {
    if (id == kClear) {
        if (segment) Reset(*segment);
        if (track) Reset(*track);
    }
    return BackToEditor(segment, track);
}

VGScreen* CreateSegmentNameEditor(Segment* segment) {
    return new (std::nothrow) RecordNameScreen(segment, nullptr);
}

VGScreen* CreateTrackNameEditor(Track* track) {
    return new (std::nothrow) RecordNameScreen(nullptr, track);
}

VGScreen* CreateClearDialog(Segment* segment) {
    return new (std::nothrow) ClearDialog(segment, nullptr);
}

VGScreen* CreateClearDialog(Track* track) {
    return new (std::nothrow) ClearDialog(nullptr, track);
}
