#pragma once
// The track editor: one track as a strip of entry columns. Taps on a column choose its
// segment, change its repeats, insert or remove entries, or play from it; the arrows change
// the speed, and the track loops while it is edited. It is saved whenever the editor is left.
#include "game/MenuScreen.h"
#include "game/machine/SegmentEditorShared.h"
#include "game/machine/Track.h"
#include "game/machine/TrackEditorStrip.h"

class TrackEditScreen final : public MenuScreen {
public:
    // A fresh record for the slot, read from its file (defaults when there is none).
    explicit TrackEditScreen(uint32_t slot);
    // Takes over a track coming back from the name editor, the clear dialog or the segment
    // choice.
    explicit TrackEditScreen(Track* track);
    ~TrackEditScreen() override;

    void Enter() override;
    void Leave() override;
    VGScreen* Update() override;
    void Draw() override;
    void DrawContent() override;
    bool WantsFadeIn() override { return false; }
    void CreateSoftButtons() override;

    StripLayout Layout() const;
    // The clear button's top-left corner: at the right edge just below the strip's band.
    int32_t ClearButtonX() const;
    int32_t ClearButtonY() const;

    Track* track = nullptr;
    bool ownsTrack = true;
    bool otherTracksSaved = false;
    uint32_t redraw = kRedrawAll;
    CursorSaveUnder cursor;
    int16_t cursorX = 0;
    // The keyboard's entry cursor, shown once a key has moved or used it.
    uint32_t entryCursor = 0;
    bool entryCursorShown = false;

private:
    VGScreen* HandleStylus();
    VGScreen* HandleStripTap(const StripLayout& strip);
    // Applies a strip edit (from a tap or a key) to the entry; a screen to move to.
    VGScreen* ApplyEdit(const StripTap& tap);
    // Left and right move the entry cursor, Return or Space chooses its segment, + and -
    // change its repeats, Insert and Delete add and remove entries, P plays.
    VGScreen* HandleKeys(const StripLayout& strip);
    void DrawEntryCursor(const StripLayout& strip);
    void HeldScroll(const StripLayout& strip);
    void SetPlay(uint32_t on);
    void DrawFixedParts(const StripLayout& strip);
    void DrawStrip(const StripLayout& strip);
    Track* GiveAway();
};

VGScreen* CreateTrackEditor(uint32_t slot);
VGScreen* CreateTrackEditor(Track* track);
