#pragma once
// Where the track editor's strip of entry columns lies and what a tap on a column does, from
// the screen size and the sizes of the "machine" images alone.
#include <cstdint>

struct Track;

struct StripLayout {
    int32_t screenWidth = 0;
    int32_t columnWidth = 0;  // pitch of the entry columns
    int32_t columnHeight = 0; // the strip's height: four tap bands
    int32_t leftMargin = 0;   // the columns start here
    int32_t rightMargin = 0;
    int32_t top = 0;
    int32_t bottom = 0;
};

StripLayout MakeStripLayout(int32_t screenWidth, int32_t screenHeight, int32_t columnWidth,
                            int32_t columnHeight, int32_t leftMargin, int32_t rightMargin);

// The strip scrolls left until its last column ends at the right margin, and no further.
float StripScrollLimit(const StripLayout& layout, uint32_t entryCount);
int32_t ColumnX(const StripLayout& layout, uint32_t column, float scroll);

// The column's four bands from the top: the segment, the repeats, inserting, and removing
// (left) or playing from the entry (right).
enum StripBand : uint32_t { BandSegment = 0, BandRepeats = 1, BandInsert = 2, BandRemovePlay = 3 };
struct StripTap {
    bool hit = false;
    uint32_t column = 0;
    uint32_t band = 0;
    bool right = false; // the right half of the column
};
// A tap on an existing entry's column between the margins.
StripTap HitStrip(const StripLayout& layout, int32_t x, int32_t y, float scroll,
                  uint32_t entryCount);

enum StripEdit : uint32_t {
    EditNothing = 0,
    EditChooseSegment = 1, // the caller opens the segment choice for the entry
    EditChanged = 2,       // the arrangement changed
    EditPlayFrom = 3,      // playback moved to the entry and "Play" should be switched on
};
// Applies a tap on bands 1 to 3 to the track; band 0 only asks for the segment choice.
StripEdit ApplyStripTap(Track& track, const StripTap& tap);

// The play cursor: it crosses the current entry's column once over all of its repeats, and
// stands at the column's left edge while the entry has nothing to play.
int32_t TrackCursorX(const StripLayout& layout, const Track& track);
