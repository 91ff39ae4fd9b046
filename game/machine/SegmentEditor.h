#pragma once
// The segment editor: one segment as a grid of nine rows by its steps. Taps strike cells on
// and off and add or drop steps, the arrows change the tempo, and the segment loops while it
// is edited, with the metronome. The segment is saved whenever the editor is left.
#include "game/MenuScreen.h"
#include "game/machine/SegmentEditorGrid.h"
#include "game/machine/SegmentEditorShared.h"
#include "game/machine/Sequencer.h"

class SegmentEditScreen final : public MenuScreen {
public:
    // A fresh record for the slot, read from its file (defaults when there is none).
    explicit SegmentEditScreen(uint32_t slot);
    // Takes over a segment coming back from the name editor or the clear dialog.
    explicit SegmentEditScreen(Segment* segment);
    ~SegmentEditScreen() override;

    void Enter() override;
    void Leave() override;
    VGScreen* Update() override;
    void Draw() override;
    void DrawContent() override;
    bool WantsFadeIn() override { return false; }
    void CreateSoftButtons() override;

    // The grid's place on the current screen, and the clear button's.
    GridLayout Layout() const;

    Segment* segment = nullptr;
    bool ownsSegment = true;
    bool otherSegmentsSaved = false;
    SegmentLoop loop;
    uint32_t redraw = kRedrawAll;
    CursorSaveUnder cursor;
    int16_t cursorX = 0;
    float scroll = 0.0f;
    HandleRun handleRun;
    // While the loop plays the grid pages along with it, until the player scrolls or edits;
    // it follows again once the player has left the grid alone for a while.
    uint32_t playerActiveAt = 0;
    bool playerActive = false;
    // A press on a margin: a quick tap there pages instead of the slow held scroll.
    int32_t marginPressSide = 0; // -1 left, +1 right, 0 none
    float marginPressScroll = 0.0f;
    uint32_t marginPressAt = 0;
    // Where the loop's strokes and clicks go; null for the kit's usual sounds.
    KitSounds* sounds = nullptr;
    // The keyboard's cell cursor, shown once a key has moved or used it.
    uint32_t cursorRow = 0;
    uint32_t cursorStep = 0;
    bool cursorShown = false;

private:
    // The buttons and the grid under a fresh or repeated stylus press; a screen to move to.
    VGScreen* HandleStylus();
    void HandleGridTap(const GridLayout& grid);
    // Arrows, cell toggles, tempo, steps, play and metronome from the keyboard (and the
    // controller's d-pad and A button).
    void HandleKeys(const GridLayout& grid);
    void ToggleCell(uint32_t row, uint32_t step);
    void ChangeTempo(bool up, uint32_t step);
    void TogglePlay();
    void ToggleMetronome();
    void SetSteps(uint32_t steps);
    // Scrolls so the cell cursor's column is in view.
    void ScrollToCursor(const GridLayout& grid);
    void DrawCellCursor(const GridLayout& grid);
    void HeldScroll(const GridLayout& grid);
    // A quick tap on a margin pages back or on.
    void MarginTap(const GridLayout& grid);
    // Pages the view by one page, the cell cursor with it.
    void Page(const GridLayout& grid, int32_t direction);
    void FollowPlayhead(const GridLayout& grid);
    void NotePlayerActive();
    void DrawFixedParts(const GridLayout& grid);
    void DrawGrid(const GridLayout& grid);
    // Hands the segment to a screen that will come back with it.
    Segment* GiveAway();
};

VGScreen* CreateSegmentEditor(uint32_t slot);
VGScreen* CreateSegmentEditor(Segment* segment);
