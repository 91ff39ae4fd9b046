// The track editor by keyboard: an entry cursor moved by left and right (the strip follows
// it), Return or Space to choose the entry's segment, + and - for its repeats, Insert and
// Delete to add an entry after it or remove it, P to play.
#include "game/GameApp.h"
#include "game/machine/SegmentEditorShared.h"
#include "game/machine/Track.h"
#include "game/machine/TrackEditor.h"
#include "platform/video/DesktopKeys.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGScreenMenu.h"

#include <algorithm>

namespace dk = platform::deskkey;

namespace {

StripTap EditOf(uint32_t column, StripBand band, bool right) {
    StripTap tap;
    tap.hit = true;
    tap.column = column;
    tap.band = band;
    tap.right = right;
    return tap;
}

} // namespace

VGScreen* TrackEditScreen::HandleKeys(const StripLayout& strip) {
    const VGApplication& app = *TheApp;
    const uint32_t count = EntryCount(*track);
    if (count == 0) return nullptr;
    uint32_t entry = std::min(entryCursor, count - 1);
    const bool left = app.IsPressedOrRepeated(KeyLeft), right = app.IsPressedOrRepeated(KeyRight);
    if (left && entry > 0) --entry;
    if (right && entry + 1 < count) ++entry;
    if (left || right || entry != entryCursor) {
        entryCursor = entry;
        entryCursorShown = true;
        redraw |= kRedrawContent;
        // Keep the entry's column between the margins.
        const int32_t x = ColumnX(strip, entry, track->listScroll);
        const int32_t end = strip.screenWidth - strip.rightMargin;
        if (x < strip.leftMargin)
            track->listScroll += float(strip.leftMargin - x);
        else if (x + strip.columnWidth > end)
            track->listScroll -= float(x + strip.columnWidth - end);
    }
    StripTap edit;
    if (app.IsPressed(KeyAction)) edit = EditOf(entry, BandSegment, false);
    if (app.IsDeskKeyPressedOrRepeated(dk::Plus)) edit = EditOf(entry, BandRepeats, true);
    if (app.IsDeskKeyPressedOrRepeated(dk::Minus)) edit = EditOf(entry, BandRepeats, false);
    if (app.IsDeskKeyPressed(dk::Insert)) edit = EditOf(entry, BandInsert, true);
    if (app.IsDeskKeyPressed(dk::Delete)) edit = EditOf(entry, BandRemovePlay, false);
    if (app.IsDeskKeyPressed(platform::LetterKey('p'))) {
        PlayClick();
        SetPlay(TheGameApp()->play ? 0 : 1);
        ResetPosition(*track);
        redraw |= kRedrawPlay;
    }
    if (!edit.hit) return nullptr;
    entryCursorShown = true;
    VGScreen* next = ApplyEdit(edit);
    // The cursor moves onto an entry added after it, and stays on the track after removals.
    if (edit.band == BandInsert) ++entryCursor;
    entryCursor = std::min(entryCursor, std::max(EntryCount(*track), 1u) - 1);
    return next;
}

void TrackEditScreen::DrawEntryCursor(const StripLayout& strip) {
    if (!entryCursorShown || entryCursor >= EntryCount(*track)) return;
    const int32_t x = ColumnX(strip, entryCursor, track->listScroll);
    if (x < strip.leftMargin || x + strip.columnWidth > strip.screenWidth - strip.rightMargin)
        return;
    DrawOutline(x, strip.top, strip.columnWidth, strip.columnHeight, ColourWhite, 2 * LayoutScale);
}
