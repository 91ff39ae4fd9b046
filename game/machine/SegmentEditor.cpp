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
#include "varnokengine/VGMenuItems.h"
#include "varnokengine/VGRegistry.h"
#include "varnokengine/VGScreenMenu.h"

#include <algorithm>
#include <new>

namespace {

constexpr uint32_t kTempoStep = 1;
constexpr uint32_t kTempoRepeatStep = 10;
// Held on a margin, the grid scrolls this many pixels per millisecond (before LayoutScale).
constexpr float kScrollSpeed = 0.2f;
// An unchanged picture is still shown for this long after entry, then no longer presented.
constexpr int32_t kPresentUnchangedMs = 1000;

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
    return MakeGridLayout(TargetWidth(), TargetHeight(), ImageHeight(MachineCellFirst),
                          ImageWidth(MachineLabelEven), ImageWidth(MachineMarginEven),
                          ImageHeight(ButtonHandleRemove, false));
}

int32_t SegmentEditScreen::ClearButtonY() const {
    return Layout().bottom + ImageHeight(MachineBandBelow);
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
        out.now = FrameStart;
        SegmentLoopTick(loop, *segment, uint32_t(FrameDelta), TheGameApp()->metronome != 0, out);
    }
    const GridLayout grid = Layout();
    const float scrollBefore = scroll;
    HeldScroll(grid);
    HandleKeys(grid);
    if (TheApp->IsPressedOrRepeated(KeyStylus)) {
        if (VGScreen* next = HandleStylus()) return next;
    }
    scroll = ClampGridScroll(scroll, GridScrollLimit(grid, segment->steps));
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
    } else if (HitClearButton(ClearButtonY())) {
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
    } else if (tap.kind == TapHandleBand) {
        uint32_t steps = StepsAfterHandleTap(segment->steps, tap.column);
        if (steps != segment->steps) SetSteps(steps);
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
    DrawClearButton(grid.bottom + ImageHeight(MachineBandBelow));
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
