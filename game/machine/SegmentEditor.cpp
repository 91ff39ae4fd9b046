#include "game/machine/SegmentEditor.h"

#include "game/GameApp.h"
#include "game/GameButtons.h"
#include "game/ScreenFactory.h"
#include "game/TextIds.h"
#include "game/machine/SegmentEditorDialogs.h"
#include "game/machine/SegmentEditorLinks.h"
#include "varnokengine/VGApplication.h"
#include "varnokengine/VGClock.h"
#include "varnokengine/VGDeviceScreen.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGGame.h"
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGScreenMenu.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

constexpr uint32_t kTempoStep = 1;
constexpr uint32_t kTempoRepeatStep = 10;
// Held on a margin, the grid scrolls this many pixels per millisecond (before LayoutScale).
constexpr float kScrollSpeed = 0.2f;
// An unchanged picture is still shown for this long after entry, then no longer presented.
constexpr int32_t kPresentUnchangedMs = 1000;
// A press on a margin released within this time is a tap: it pages.
constexpr uint32_t kMarginTapMs = 250;
// After the player scrolled or edited, the grid follows the loop again after this long.
constexpr uint32_t kFollowPauseMs = 4000;

bool StylusHeld() {
    return (TheApp->keys[KeyStylus].flags & KeyHeld) != 0;
}

} // namespace

SegmentEditScreen::SegmentEditScreen(uint32_t slot) {
    segment = new (std::nothrow) Segment;
    if (segment) {
        segment->slot = slot;
        Reset(*segment);
        Load(*segment);
    }
    otherSegmentsSaved = AnyOtherSegmentSaved(slot);
}

SegmentEditScreen::SegmentEditScreen(Segment* taken) : segment(taken) {
    if (segment) otherSegmentsSaved = AnyOtherSegmentSaved(segment->slot);
}

SegmentEditScreen::~SegmentEditScreen() {
    // Normally freed on leaving; a screen deleted without leaving must not leak its record.
    if (ownsSegment) delete segment;
}

VGScreen* CreateSegmentEditor(uint32_t slot) {
    return new (std::nothrow) SegmentEditScreen(slot);
}

VGScreen* CreateSegmentEditor(Segment* segment) {
    return new (std::nothrow) SegmentEditScreen(segment);
}

void SegmentEditScreen::Enter() {
    MenuScreen::Enter();
    RestartLoop(loop);
    redraw = kRedrawAll;
    LoadMachineImages();
    LoadButtonImages();
    CreateSaveUnder(cursor, MachineImage(MachineSegmentCursor));
}

void SegmentEditScreen::Leave() {
    MenuScreen::Leave();
    // A failed save is silent: the edits are lost.
    if (segment) Save(*segment);
    TheGameApp()->machineImages.Clear();
    cursor.pixels.FreePixels();
    cursor.shown = false;
    if (ownsSegment) delete segment;
    segment = nullptr;
}

void SegmentEditScreen::CreateSoftButtons() {
    if (!segment) return;
    SetTitle(Formatted(u"%s %d - %s", GetText(TextSegment), segment->slot, NameText(*segment)));
}

GridLayout SegmentEditScreen::Layout() const {
    GridRoom room;
    room.titleBar = TheGame() ? TheGame()->TitleBarHeight() : 0;
    room.bandAbove = ImageHeight(MachineBandAbove);
    room.bandBelow = ImageHeight(MachineBandBelow);
    room.buttonRow = ImageHeight(ButtonBack, false);
    room.cornerWidth = ImageWidth(ButtonBack, false);
    room.clearWidth = ImageWidth(ButtonClear, false);
    room.clearHeight = ImageHeight(ButtonClear, false);
    return MakeGridLayout(TargetWidth(), TargetHeight(), ImageHeight(MachineCellFirst),
                          ImageWidth(MachineLabelEven), ImageWidth(MachineMarginEven),
                          ImageHeight(ButtonHandleRemove, false), room);
}

Segment* SegmentEditScreen::GiveAway() {
    ownsSegment = false;
    return segment;
}

VGScreen* SegmentEditScreen::Update() {
    if (VGScreen* next = VGScreen::Update()) return next;
    if (TheApp->IsPressed(KeyBack) || !segment) {
        PlayClick();
        return CreateScreen(ScreenDrumMachineMenu);
    }
    if (TheGameApp()->play) {
        MachineOutput out;
        out.sounds = sounds;
        out.now = Frame.start;
        SegmentLoopTick(loop, *segment, uint32_t(FrameDelta), TheGameApp()->metronome != 0, out);
    }
    const GridLayout grid = Layout();
    const float scrollBefore = scroll;
    HeldScroll(grid);
    MarginTap(grid);
    HandleKeys(grid);
    if (TheApp->IsPressedOrRepeated(KeyStylus)) {
        if (VGScreen* next = HandleStylus()) return next;
    }
    scroll = ClampGridScroll(scroll, GridScrollLimit(grid, segment->steps));
    if (scroll != scrollBefore) NotePlayerActive();
    FollowPlayhead(grid);
    if (scroll != scrollBefore) redraw = kRedrawAll;
    if (TheGameApp()->play) redraw |= kRedrawCursor;
    return nullptr;
}

void SegmentEditScreen::HeldScroll(const GridLayout& grid) {
    if (!StylusHeld()) return;
    int32_t x = TheApp->stylusX, y = TheApp->stylusY;
    if (y < grid.top || y > grid.bottom) return;
    float distance = kScrollSpeed * float(LayoutScale) * float(FrameDelta);
    if (x < grid.leftMargin)
        scroll += distance;
    else if (x > grid.screenWidth - grid.rightMargin)
        scroll -= distance;
}

void SegmentEditScreen::MarginTap(const GridLayout& grid) {
    const VGApplication& app = *TheApp;
    if (app.IsPressed(KeyStylus)) {
        const int32_t x = app.stylusX, y = app.stylusY;
        marginPressSide = 0;
        if (y >= grid.top && y <= grid.bottom) {
            if (x < grid.leftMargin) marginPressSide = -1;
            if (x > grid.screenWidth - grid.rightMargin) marginPressSide = 1;
        }
        marginPressScroll = scroll;
        marginPressAt = Now;
    } else if (app.IsReleased(KeyStylus) && marginPressSide != 0) {
        // The little the grid slid while the stylus was down gives way to the page.
        if (Now - marginPressAt <= kMarginTapMs) {
            scroll = marginPressScroll;
            Page(grid, marginPressSide);
        }
        marginPressSide = 0;
    }
}

void SegmentEditScreen::Page(const GridLayout& grid, int32_t direction) {
    const float before = scroll;
    scroll = PagedScroll(grid, segment->steps, scroll, direction);
    if (cursorShown) {
        const int32_t moved = int32_t(std::lround((before - scroll) / float(grid.cell)));
        const int32_t step =
            std::clamp(int32_t(cursorStep) + moved, 0, int32_t(segment->steps) - 1);
        cursorStep = uint32_t(step);
        redraw |= kRedrawContent;
    }
    NotePlayerActive();
}

void SegmentEditScreen::NotePlayerActive() {
    playerActive = true;
    playerActiveAt = Now;
}

void SegmentEditScreen::FollowPlayhead(const GridLayout& grid) {
    if (!TheGameApp()->play || loop.lastStep < 0) return;
    if (playerActive && Now - playerActiveAt < kFollowPauseMs) return;
    playerActive = false;
    const uint32_t step = uint32_t(loop.lastStep);
    if (step >= segment->steps || StepInView(grid, step, scroll)) return;
    scroll = PageScrollFor(grid, segment->steps, step);
    redraw = kRedrawAll;
}

VGScreen* SegmentEditScreen::HandleStylus() {
    const bool pressed = TheApp->IsPressed(KeyStylus);
    if (HitCornerButton(ButtonBack)) {
        PlayClick();
        return CreateScreen(ScreenDrumMachineMenu);
    }
    // The two switches flip once per tap: holding them does not make them flicker.
    if (HitMetronomeButton()) {
        if (pressed) ToggleMetronome();
    } else if (HitPlayRightOfUpDown()) {
        if (pressed) TogglePlay();
    } else if (HitBottomLeft(ButtonName)) {
        PlayClick();
        return CreateSegmentNameEditor(GiveAway());
    } else if (const GridLayout grid = Layout(); HitClearButton(grid.clearX, grid.clearY)) {
        PlayClick();
        return CreateClearDialog(GiveAway());
    } else if (otherSegmentsSaved && HitCopyButton()) {
        if (VGScreen* next = OpenSegmentCopy(segment->slot)) {
            PlayClick();
            return next;
        }
    }
    const uint32_t step = pressed ? kTempoStep : kTempoRepeatStep;
    if (HitUpDownUpper()) ChangeTempo(true, step);
    if (HitUpDownLower()) ChangeTempo(false, step);
    if (pressed) HandleGridTap(Layout());
    return nullptr;
}

void SegmentEditScreen::HandleGridTap(const GridLayout& grid) {
    const GridTap tap = HitGrid(grid, TheApp->stylusX, TheApp->stylusY, scroll);
    if (tap.kind == TapCell) {
        if (tap.column < 0 || uint32_t(tap.column) >= segment->steps) return;
        ToggleCell(tap.row, uint32_t(tap.column));
        NotePlayerActive();
    } else if (tap.kind == TapHandleBand) {
        const uint32_t before = segment->steps;
        const uint32_t steps = StepsAfterHandleTap(before, tap.column, handleRun, scroll, Now);
        const float scrollBefore = scroll;
        if (steps != before) {
            SetSteps(steps);
            // The grid moves by the column the handles moved, so the handle tapped stays
            // under the finger, as far as the grid can scroll.
            scroll -= float((int32_t(steps) - int32_t(before)) * grid.cell);
            scroll = ClampGridScroll(scroll, GridScrollLimit(grid, steps));
        }
        NoteHandleTap(handleRun, tap.column, before, steps, scroll != scrollBefore, scroll, Now);
    }
}

void SegmentEditScreen::DrawContent() {
    // The panel alone: the moving strip would force a full redraw every frame.
    DrawMenuPanel(panelImage, nullptr);
}

void SegmentEditScreen::Draw() {
    if (!segment || !RenderTarget.target) return;
    const GridLayout grid = Layout();
    const int32_t newCursorX = LoopCursorX(grid, loop.clock, segment->tempo, scroll);
    if (redraw == kRedrawCursor && newCursorX == cursorX) redraw = 0;
    if (redraw == 0) {
        if (int32_t(Now) - enterTime > kPresentUnchangedMs) TheDisplay.skipNextPresent = 1;
        return;
    }
    RestoreUnderCursor(cursor);
    if (redraw == kRedrawAll) DrawFixedParts(grid);
    if (redraw & kRedrawMetronome) DrawMetronomeButton();
    if (redraw & kRedrawPlay) DrawRightOfUpDown(TheGameApp()->play ? ButtonStop : ButtonPlay);
    if (redraw & kRedrawNumber) DrawCharWindow(Formatted(u"%5d", segment->tempo), 0);
    if (redraw & kRedrawContent) DrawGrid(grid);
    if ((redraw & kRedrawCursor) && TheGameApp()->play) {
        cursorX = int16_t(newCursorX);
        // A cursor over a column scrolled out of view would lie on the labels or the margin.
        const VGBitmap* image = MachineImage(MachineSegmentCursor);
        if (image && cursorX >= grid.leftMargin &&
            cursorX + image->fullWidth <= grid.screenWidth - grid.rightMargin)
            DrawCursorAt(cursor, image, cursorX, grid.top);
    }
    redraw = 0;
}

void SegmentEditScreen::DrawFixedParts(const GridLayout& grid) {
    VGScreen::Draw();
    DrawBottomLeft(ButtonName);
    DrawCornerButton(ButtonBack);
    DrawRightOfBar(ButtonUpDown);
    DrawClearButton(grid.clearX, grid.clearY);
    if (otherSegmentsSaved) DrawCopyButton();
}

void SegmentEditScreen::DrawGrid(const GridLayout& grid) {
    const int32_t W = grid.screenWidth;
    VGBitmap::Draw(MachineImage(MachineBandAbove), 0, grid.top - ImageHeight(MachineBandAbove));
    for (uint32_t row = 0; row < kMachineRows; ++row) {
        const int32_t y = grid.top + int32_t(row) * grid.cell;
        for (uint32_t step = 0; step < segment->steps; ++step) {
            const int32_t x = StepX(grid, step, scroll);
            if (x + grid.cell <= 0 || x >= W) continue;
            uint32_t image = MachineCellFirst + 2 * (row % 2) +
                             4 * (Cell(*segment, row, step) != 0) + (step / 4) % 2;
            VGBitmap::Draw(MachineImage(image), x, y);
        }
        // Labels and margins go over the cells, hiding the columns scrolled under them.
        VGBitmap::Draw(MachineImage(row % 2 ? MachineLabelOdd : MachineLabelEven), 0, y);
        VGBitmap::Draw(MachineImage(row % 2 ? MachineMarginOdd : MachineMarginEven),
                       W - grid.rightMargin, y);
        DrawSmallText(GetText(TextFirstPieceName + row), 0, y + grid.cell + LayoutScale, false);
    }
    // Beat numbers over the band above, for the beats in view.
    for (uint32_t step = 0; step < segment->steps; step += 4) {
        const int32_t x = StepX(grid, step, scroll);
        if (x < grid.leftMargin || x >= W - grid.rightMargin) continue;
        DrawSmallText(Formatted(u"%d", step / 4 + 1), x, grid.top + LayoutScale, false);
    }
    const float limit = GridScrollLimit(grid, segment->steps);
    const VGBitmap* left = MachineImage(MachineScrollLeft);
    const VGBitmap* right = MachineImage(MachineScrollRight);
    const int32_t midY = TargetHeight() / 2;
    if (scroll != 0.0f && left) VGBitmap::Draw(left, grid.leftMargin, midY - left->halfHeight);
    if (scroll > limit && right)
        VGBitmap::Draw(right, W - grid.rightMargin - right->fullWidth, midY - right->halfHeight);
    const int32_t xEnd = StepX(grid, segment->steps, scroll);
    const VGBitmap* add = ButtonsImage(ButtonHandleAdd);
    const VGBitmap* remove = ButtonsImage(ButtonHandleRemove);
    if (segment->steps < kMaxSteps && add) VGBitmap::Draw(add, xEnd, grid.top - add->fullHeight);
    if (segment->steps > 1 && remove)
        VGBitmap::Draw(remove, xEnd - remove->fullWidth, grid.top - remove->fullHeight);
    VGBitmap::Draw(MachineImage(MachineBandBelow), 0, grid.bottom);
    DrawCellCursor(grid);
}
