#include "game/machine/TrackEditor.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/machine/SegmentEditorDialogs.h"
#include "game/machine/SegmentEditorLinks.h"
#include "game/machine/Sequencer.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGScreenMenu.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGTextFlow.h"

#include <algorithm>
#include <new>

namespace {

constexpr uint32_t kHelpLines = 4;
constexpr uint32_t kSpeedStep = 1;
constexpr uint32_t kSpeedRepeatStep = 10;
constexpr float kScrollSpeed = 0.2f;
// Baselines inside a column, before LayoutScale: the entry number, the segment's name, the
// repeats; the help lines sit level with the four bands.
constexpr int32_t kNumberBaseline = 1;
constexpr int32_t kNameBaseline = 16;
constexpr int32_t kRepeatsBaseline = 36;
constexpr int32_t kHelpPitch = 20;
// An entry whose segment file is gone shows its slot with this mark, and the word below.
constexpr int32_t kMissingBaseline = 56;

// The segment text of a column: its name, "?" without one, or the marked slot number when
// its file no longer exists (it would only play silence).
bool SegmentMissing(const TrackEntry& entry) {
    return entry.segment && !FileExists(SegmentPath(entry.segment->slot));
}

// A help line level with its band; one too wide for the room right of the first column is
// split at its middle blank into two lines that share the band.
void DrawHelpLine(const VGString& text, int32_t left, int32_t room, int32_t baseline) {
    const VGFont* font = MenuFontOf(FontSmall);
    if (!font) return;
    if (font->TextWidth(text) <= room) {
        DrawSmallText(text, left, baseline, false);
        return;
    }
    VGString split = text;
    SplitInTwoLines(split);
    const char16_t* feed = split.FindChar(u'\n');
    if (!feed) {
        DrawSmallText(text, left, baseline, false);
        return;
    }
    const uint32_t at = uint32_t(feed - split.Data());
    VGString first, second;
    for (uint32_t i = 0; i < split.Length(); ++i) (i < at ? first : second).Append(split[i]);
    second = VGString(second.Data() + 1);
    const int32_t half = kHelpPitch * LayoutScale / 2;
    DrawSmallText(first, left, baseline - half + 3 * LayoutScale, false);
    DrawSmallText(second, left, baseline + 3 * LayoutScale, false);
}

bool StylusHeld() {
    return (TheApp->keys[KeyStylus].flags & KeyHeld) != 0;
}

} // namespace

TrackEditScreen::TrackEditScreen(uint32_t slot) {
    track = new (std::nothrow) Track;
    if (track) {
        track->slot = slot;
        Reset(*track);
        Load(*track);
    }
    otherTracksSaved = AnyOtherTrackSaved(slot);
}

TrackEditScreen::TrackEditScreen(Track* taken) : track(taken) {
    if (track) otherTracksSaved = AnyOtherTrackSaved(track->slot);
}

TrackEditScreen::~TrackEditScreen() {
    if (ownsTrack) delete track;
}

VGScreen* CreateTrackEditor(uint32_t slot) {
    return new (std::nothrow) TrackEditScreen(slot);
}

VGScreen* CreateTrackEditor(Track* track) {
    return new (std::nothrow) TrackEditScreen(track);
}

void TrackEditScreen::Enter() {
    MenuScreen::Enter();
    redraw = kRedrawAll;
    LoadMachineImages();
    LoadButtonImages();
    CreateSaveUnder(cursor, MachineImage(MachineTrackCursor));
}

void TrackEditScreen::Leave() {
    MenuScreen::Leave();
    if (track) Save(*track);
    TheGameApp()->machineImages.Clear();
    cursor.pixels.FreePixels();
    cursor.shown = false;
    if (ownsTrack) delete track;
    track = nullptr;
}

void TrackEditScreen::CreateSoftButtons() {
    if (!track) return;
    SetTitle(Formatted(u"%s %d - %s", GetText(TextTrack), track->slot, NameText(*track)));
}

StripLayout TrackEditScreen::Layout() const {
    return MakeStripLayout(TargetWidth(), TargetHeight(), ImageWidth(MachineColumnEven),
                           ImageHeight(MachineColumnEven), ImageWidth(MachineStripLeft),
                           ImageWidth(MachineStripRight));
}

int32_t TrackEditScreen::ClearButtonY() const {
    return Layout().bottom + ImageHeight(MachineBandBelow);
}

Track* TrackEditScreen::GiveAway() {
    ownsTrack = false;
    return track;
}

void TrackEditScreen::SetPlay(uint32_t on) {
    TheGameApp()->play = on;
    WriteOption(kOptionPlay, on);
}

VGScreen* TrackEditScreen::Update() {
    if (VGScreen* next = VGScreen::Update()) return next;
    if (TheApp->IsPressed(KeyBack) || !track) {
        PlayClick();
        return CreateScreen(ScreenDrumMachineMenu);
    }
    if (TheGameApp()->play) SequencerTickFrame(*track, false, true, ModeNormal, false, nullptr);
    const StripLayout strip = Layout();
    const float scrollBefore = track->listScroll;
    HeldScroll(strip);
    if (VGScreen* next = HandleKeys(strip)) return next;
    if (TheApp->IsPressedOrRepeated(KeyStylus)) {
        if (VGScreen* next = HandleStylus()) return next;
    }
    const float limit = StripScrollLimit(strip, EntryCount(*track));
    track->listScroll = std::clamp(track->listScroll, limit, 0.0f);
    if (track->listScroll != scrollBefore) redraw = kRedrawAll;
    if (TheGameApp()->play) redraw |= kRedrawCursor;
    return nullptr;
}

void TrackEditScreen::HeldScroll(const StripLayout& strip) {
    if (!StylusHeld()) return;
    int32_t x = TheApp->stylusX, y = TheApp->stylusY;
    if (y < strip.top || y > strip.bottom) return;
    float distance = kScrollSpeed * float(LayoutScale) * float(FrameDelta);
    if (x < strip.leftMargin)
        track->listScroll += distance;
    else if (x > strip.screenWidth - strip.rightMargin)
        track->listScroll -= distance;
}

VGScreen* TrackEditScreen::HandleStylus() {
    const bool pressed = TheApp->IsPressed(KeyStylus);
    if (HitCornerButton(ButtonBack)) {
        PlayClick();
        return CreateScreen(ScreenDrumMachineMenu);
    }
    if (HitPlayRightOfUpDown()) {
        // One flip per tap, however long the stylus stays down.
        if (pressed) {
            PlayClick();
            SetPlay(TheGameApp()->play ? 0 : 1);
            ResetPosition(*track);
            redraw |= kRedrawPlay;
        }
    } else if (HitBottomLeft(ButtonName)) {
        PlayClick();
        return CreateTrackNameEditor(GiveAway());
    } else if (HitClearButton(ClearButtonY())) {
        PlayClick();
        return CreateClearDialog(GiveAway());
    } else {
        const uint32_t step = pressed ? kSpeedStep : kSpeedRepeatStep;
        if (HitUpDownUpper()) {
            PlayClick();
            track->speed = std::min(track->speed + step, kMaxSpeed);
            redraw |= kRedrawNumber;
        }
        if (HitUpDownLower()) {
            PlayClick();
            track->speed = track->speed > kMinSpeed + step ? track->speed - step : kMinSpeed;
            redraw |= kRedrawNumber;
        }
        if (otherTracksSaved && HitCopyButton()) {
            if (VGScreen* next = OpenTrackCopy(track->slot)) {
                PlayClick();
                return next;
            }
        }
    }
    if (pressed) return HandleStripTap(Layout());
    return nullptr;
}

VGScreen* TrackEditScreen::HandleStripTap(const StripLayout& strip) {
    const StripTap tap =
        HitStrip(strip, TheApp->stylusX, TheApp->stylusY, track->listScroll, EntryCount(*track));
    if (!tap.hit) return nullptr;
    return ApplyEdit(tap);
}

VGScreen* TrackEditScreen::ApplyEdit(const StripTap& tap) {
    switch (ApplyStripTap(*track, tap)) {
    case EditChooseSegment:
        if (VGScreen* next = OpenSegmentPick(track, EntryAt(*track, tap.column))) {
            PlayClick();
            ownsTrack = false;
            return next;
        }
        break;
    case EditChanged:
        PlayClick();
        redraw = kRedrawAll;
        break;
    case EditPlayFrom:
        PlayClick();
        SetPlay(1);
        redraw = kRedrawAll;
        break;
    default:
        break;
    }
    return nullptr;
}

void TrackEditScreen::DrawContent() {
    DrawMenuPanel(panelImage, nullptr);
}

void TrackEditScreen::Draw() {
    if (!track || !RenderTarget.target) return;
    const StripLayout strip = Layout();
    const int32_t newCursorX = TrackCursorX(strip, *track);
    if (redraw == kRedrawCursor && newCursorX == cursorX && cursor.shown) {
        redraw = 0;
        TheDisplay.skipNextPresent = 1;
        return;
    }
    if (redraw == 0) return;
    RestoreUnderCursor(cursor);
    if (redraw == kRedrawAll) DrawFixedParts(strip);
    if (redraw & kRedrawPlay) DrawRightOfUpDown(TheGameApp()->play ? ButtonStop : ButtonPlay);
    if (redraw & kRedrawNumber) DrawCharWindow(Formatted(u"%4d%%", track->speed), 0);
    if (redraw & kRedrawContent) DrawStrip(strip);
    if ((redraw & kRedrawCursor) && TheGameApp()->play) {
        cursorX = int16_t(newCursorX);
        DrawCursorAt(cursor, MachineImage(MachineTrackCursor), cursorX, strip.top);
    }
    redraw = 0;
}

void TrackEditScreen::DrawFixedParts(const StripLayout& strip) {
    VGScreen::Draw();
    DrawBottomLeft(ButtonName);
    DrawCornerButton(ButtonBack);
    DrawRightOfBar(ButtonUpDown);
    DrawClearButton(strip.bottom + ImageHeight(MachineBandBelow));
    if (otherTracksSaved) DrawCopyButton();
}

void TrackEditScreen::DrawStrip(const StripLayout& strip) {
    const int32_t W = strip.screenWidth;
    const int32_t s = LayoutScale;
    VGBitmap::Draw(MachineImage(MachineBandAbove), 0, strip.top - ImageHeight(MachineBandAbove));
    const uint32_t count = EntryCount(*track);
    uint32_t i = 0;
    for (const TrackEntry* e = track->entries; e; e = e->next, ++i) {
        const int32_t x = ColumnX(strip, i, track->listScroll);
        if (x + strip.columnWidth <= 0 || x >= W) continue;
        VGBitmap::Draw(MachineImage(i % 2 ? MachineColumnOdd : MachineColumnEven), x, strip.top);
        const int32_t centre = x + strip.columnWidth / 2;
        DrawSmallText(Formatted(u"%d", i + 1), x, strip.top + kNumberBaseline * s, false);
        const bool missing = SegmentMissing(*e);
        VGString name = !e->segment ? VGString(u"?")
                        : missing   ? Formatted(u"!%02d", e->segment->slot)
                                    : NameText(*e->segment);
        DrawSmallText(name, centre, strip.top + kNameBaseline * s, true);
        if (missing)
            DrawSmallText(GetText(TextMissing), centre, strip.top + kMissingBaseline * s, true);
        DrawSmallText(Formatted(u"x%u", e->repeats), centre, strip.top + kRepeatsBaseline * s,
                      true);
    }
    if (count == 1) {
        const int32_t left = strip.leftMargin + strip.columnWidth;
        const int32_t room = W - strip.rightMargin - left;
        for (uint32_t line = 0; line < kHelpLines; ++line)
            DrawHelpLine(GetText(TextFirstTrackHelp + line), left, room,
                         strip.top + (kNameBaseline + int32_t(line) * kHelpPitch) * s);
    }
    // The margins go over the columns scrolled under them.
    VGBitmap::Draw(MachineImage(MachineStripLeft), 0, strip.top);
    VGBitmap::Draw(MachineImage(MachineStripRight), W - strip.rightMargin, strip.top);
    const float limit = StripScrollLimit(strip, count);
    const VGBitmap* left = MachineImage(MachineScrollLeft);
    const VGBitmap* right = MachineImage(MachineScrollRight);
    const int32_t midY = TargetHeight() / 2;
    if (track->listScroll != 0.0f && left)
        VGBitmap::Draw(left, strip.leftMargin, midY - left->halfHeight);
    if (track->listScroll > limit && right)
        VGBitmap::Draw(right, W - strip.rightMargin - right->fullWidth, midY - right->halfHeight);
    VGBitmap::Draw(MachineImage(MachineBandBelow), 0, strip.bottom);
    DrawEntryCursor(strip);
}
