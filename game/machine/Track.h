#pragma once
// A drum-machine song: a chain of entries, each a segment with a repeat count, played at a
// speed in percent. Tracks live in slots 1..99 beside the segments; the file names segments
// by slot only. The record also carries the playback position and the editor's scroll.
#include "game/machine/Segment.h"

#include <cstdint>

constexpr uint32_t kDefaultSpeed = 100;
constexpr uint32_t kMinSpeed = 25;
constexpr uint32_t kMaxSpeed = 200;
// A track file's entry without a segment.
constexpr int32_t kNoSegment = -1;
// More entries than anyone strings together by hand; a track holds at most this many, so the
// work of a frame stays bounded whatever a file says.
constexpr uint32_t kMaxEntries = 999;

struct TrackEntry {
    Segment* segment = nullptr; // owned copy; null while no segment has been chosen
    uint32_t repeats = 1;
    TrackEntry* next = nullptr; // owned
};

struct Track {
    uint32_t slot = kFirstSlot;
    char name[kNameLength] = {};
    uint32_t speed = kDefaultSpeed;
    TrackEntry* entries = nullptr; // owned chain, at least one entry once Reset or Loaded

    // Playback: segment milliseconds inside the current repeat of the current entry.
    float position = 0.0f;
    uint32_t entryIndex = 0;
    uint32_t repeatIndex = 0;
    int32_t lastStep = -1; // the step fired last at this place, -1 for none

    float listScroll = 0.0f; // the track editor's strip offset, 0 or negative

    Track() = default;
    ~Track();
    Track(const Track&) = delete;
    Track& operator=(const Track&) = delete;
};

// Frees the entry, its segment and the rest of the chain behind it.
void FreeEntries(TrackEntry* entry);

// "save/<slot>.tbt" in the player's folder.
VGString TrackPath(uint32_t slot);

// Speed 100, playback at the start, no scroll, the name "trkNN", one entry without segment.
void Reset(Track& track);
// Reads the slot's file, loading a fresh copy of each named segment. Always leaves at least
// one entry; true only when the whole file was read.
bool Load(Track& track);
// Writes the track to slotOverride's file (kNoSlot: its own) under nameOverride (null: its
// own name). A track of one entry without segment deletes that file instead.
bool Save(const Track& track, uint32_t slotOverride = kNoSlot, const char* nameOverride = nullptr);

uint32_t EntryCount(const Track& track);
// Entry index, or null past the end.
TrackEntry* EntryAt(const Track& track, uint32_t index);
// A new entry that becomes entry index (index <= EntryCount); null when index is too large
// or the track already holds kMaxEntries.
TrackEntry* InsertEntryAt(Track& track, uint32_t index);
// A new entry directly behind entry index; null when there is no such entry or no room.
TrackEntry* InsertEntryAfter(Track& track, uint32_t index);
// Frees entry index with its segment; the only entry is replaced by a new empty one.
void RemoveEntry(Track& track, uint32_t index);

VGString NameText(const Track& track);
// Segment time of the whole track: repeats x duration over all entries.
int32_t TotalDurationMs(const Track& track);
void ResetPosition(Track& track);
// Real time played so far, scaled by the speed.
int32_t ElapsedMs(const Track& track);
bool AnyOtherTrackSaved(uint32_t exceptSlot);
