#pragma once
// A saved track played like a small music player: play and pause, stop, fast forward and
// rewind while held, a repeat switch, and a visualise switch that shows the drum kit struck
// in time. The time line shows the elapsed time, or at rest the name and length as a ticker.
#include "game/MenuScreen.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGString.h"

#include <cstdint>

struct Track;

// Redraw bits of the play screen; all bits set means everything.
constexpr uint32_t kRedrawTransport = 32;
constexpr uint32_t kRedrawRepeat = 64;
constexpr uint32_t kRedrawTime = 128;

// The time line: while playing or away from the start "m:ss" of the real time played
// (offset 0); at rest the ticker "name - mm:ss  " twice over, with the character it starts
// at moving on every 300 ms since the screen was entered.
void PlayTimeText(const Track& track, bool playing, uint32_t msSinceEnter, VGString& text,
                  uint32_t& offset);

class TrackPlayScreen final : public MenuScreen {
public:
    // Loads the track of the slot; the kit is made ready when "Visualise" is on.
    explicit TrackPlayScreen(uint32_t slot);
    ~TrackPlayScreen() override;

    VGScreen* Update() override;
    void Draw() override;
    void DrawContent() override;
    void Enter() override;
    void Leave() override;
    // 'e' or 'E' writes the track into the user's music folder.
    void OnChar(char16_t character) override;

    Track* track = nullptr; // owned, never saved
    bool playing = false;
    uint32_t redraw = 0xFFFFFFFFu;
    VGString timeText;
    uint32_t tickerOffset = 0;
    // The sequencer's mode of the last frame (fast forward or rewind while held).
    uint32_t mode = 0;
    // The export asked for by key, done in the next Update, and the line that tells where it
    // went, shown for a few seconds.
    bool exportAsked = false;
    VGString exportLabel, exportLine; // "saved to" and the path, or "export failed"
    uint32_t exportLineSince = 0;
    // The product logo behind the transport when the kit is not shown, read once on entry.
    VGBitmap logo;
    bool logoLoaded = false;

private:
    // Handles the buttons; a screen to switch to, or null.
    VGScreen* HandleStylus();
    // Space (or Return) plays and pauses, S stops, F and R held wind forward and back, V
    // switches Visualise and L Repeat.
    void HandleKeys();
    void UpdateTimeText();
    void ExportTrackToMusic();
    void DrawExportLine();
};
