#include "game/machine/TrackEditorStrip.h"

#include "game/machine/Track.h"

#include <algorithm>

namespace {
constexpr int32_t kBands = 4;
} // namespace

StripLayout MakeStripLayout(int32_t screenWidth, int32_t screenHeight, int32_t columnWidth,
                            int32_t columnHeight, int32_t leftMargin, int32_t rightMargin) {
    StripLayout l;
    l.screenWidth = screenWidth;
    l.columnWidth = columnWidth;
    l.columnHeight = columnHeight;
    l.leftMargin = leftMargin;
    l.rightMargin = rightMargin;
    l.top = screenHeight / 2 - columnHeight / 2;
    l.bottom = screenHeight / 2 + columnHeight / 2;
    return l;
}

float StripScrollLimit(const StripLayout& layout, uint32_t entryCount) {
    const int64_t room = std::max(layout.screenWidth - layout.leftMargin - layout.rightMargin, 0);
    const int64_t width = int64_t(entryCount) * layout.columnWidth;
    return -float(std::max<int64_t>(width - room, 0));
}

int32_t ColumnX(const StripLayout& layout, uint32_t column, float scroll) {
    return int32_t(float(column) * float(layout.columnWidth) + scroll + float(layout.leftMargin));
}

StripTap HitStrip(const StripLayout& layout, int32_t x, int32_t y, float scroll,
                  uint32_t entryCount) {
    StripTap tap;
    int32_t halfWidth = layout.columnWidth / 2;
    int32_t bandHeight = layout.columnHeight / kBands;
    if (halfWidth <= 0 || bandHeight <= 0) return tap;
    if (y < layout.top || y > layout.bottom) return tap;
    if (x < layout.leftMargin || x > layout.screenWidth - layout.rightMargin) return tap;
    int32_t xr = int32_t(float(x - layout.leftMargin) - scroll);
    int32_t column = xr / layout.columnWidth;
    int32_t band = (y - layout.top) / bandHeight;
    // The strip's bottom line lies below the last band.
    if (band >= kBands) return tap;
    if (column < 0 || uint32_t(column) >= entryCount) return tap;
    tap.hit = true;
    tap.column = uint32_t(column);
    tap.band = uint32_t(band);
    tap.right = (xr / halfWidth) % 2 == 1;
    return tap;
}

StripEdit ApplyStripTap(Track& track, const StripTap& tap) {
    if (!tap.hit) return EditNothing;
    TrackEntry* entry = EntryAt(track, tap.column);
    if (!entry) return EditNothing;
    switch (tap.band) {
    case BandSegment:
        return EditChooseSegment;
    case BandRepeats:
        if (tap.right) {
            if (entry->repeats < 0xFFFFFFFFu) ++entry->repeats;
        } else if (entry->repeats >= 2) {
            --entry->repeats;
        }
        return EditChanged;
    case BandInsert:
        if (tap.right)
            InsertEntryAfter(track, tap.column);
        else
            InsertEntryAt(track, tap.column);
        return EditChanged;
    case BandRemovePlay:
        if (tap.right) {
            ResetPosition(track);
            track.entryIndex = tap.column;
            return EditPlayFrom;
        }
        RemoveEntry(track, tap.column);
        return EditChanged;
    default:
        return EditNothing;
    }
}

int32_t TrackCursorX(const StripLayout& layout, const Track& track) {
    float fraction = 0.0f;
    const TrackEntry* entry = EntryAt(track, track.entryIndex);
    if (entry && entry->segment && entry->repeats > 0) {
        float duration = float(DurationMs(*entry->segment));
        float whole = float(entry->repeats) * duration;
        if (whole > 0.0f) fraction = (float(track.repeatIndex) * duration + track.position) / whole;
    }
    return int32_t(float(layout.leftMargin) + float(track.entryIndex) * float(layout.columnWidth) +
                   fraction * float(layout.columnWidth) + track.listScroll);
}
