#include "game/machine/Track.h"

#include "platform/Files.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGUserPath.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

namespace {

TrackEntry* NewEntry() {
    return new (std::nothrow) TrackEntry;
}

// Never leaves the chain empty: the rest of the drum machine needs an entry to show.
void EnsureOneEntry(Track& track) {
    if (!track.entries) track.entries = NewEntry();
}

// The segments a track names, each slot's file read once however many entries name it.
struct SegmentFiles {
    std::unique_ptr<Segment> loaded[kLastSlot + 1];

    Segment* CopyOf(uint32_t slot) {
        std::unique_ptr<Segment>& source = loaded[slot];
        if (!source) {
            source.reset(new (std::nothrow) Segment);
            if (!source) return nullptr;
            source->slot = slot;
            Reset(*source);
            Load(*source); // a missing file leaves the slot's default segment
        }
        return new (std::nothrow) Segment(*source);
    }
};

int32_t SegmentDuration(const TrackEntry& entry) {
    return entry.segment ? DurationMs(*entry.segment) : 0;
}

} // namespace

Track::~Track() {
    FreeEntries(entries);
}

void FreeEntries(TrackEntry* entry) {
    // Iterative, so a very long chain cannot exhaust the stack.
    while (entry) {
        TrackEntry* next = entry->next;
        delete entry->segment;
        delete entry;
        entry = next;
    }
}

VGString TrackPath(uint32_t slot) {
    return GetUserPath() + Formatted(u"save/%d.tbt", slot);
}

void Reset(Track& track) {
    track.speed = kDefaultSpeed;
    ResetPosition(track);
    track.listScroll = 0.0f;
    DefaultName(track.name, u"trk", track.slot);
    FreeEntries(track.entries);
    track.entries = NewEntry();
}

bool Load(Track& track) {
    FreeEntries(track.entries);
    track.entries = nullptr;
    ResetPosition(track);

    VGFileReader reader(TrackPath(track.slot), VGFileReader::WholeFile);
    uint32_t count = 0;
    if (!reader.IsOpen() || !reader.Read(track.name, kNameLength) ||
        !ReadU32(reader, track.speed) || !ReadU32(reader, count) || count == 0) {
        track.speed = std::clamp(track.speed, kMinSpeed, kMaxSpeed);
        EnsureOneEntry(track);
        return false;
    }
    // The elapsed time divides by the speed.
    track.speed = std::clamp(track.speed, kMinSpeed, kMaxSpeed);

    // Entries past what the editor can show are damage; they are not read.
    bool complete = count <= kMaxEntries;
    count = std::min(count, kMaxEntries);
    auto files = std::make_unique<SegmentFiles>();
    TrackEntry** link = &track.entries;
    for (uint32_t k = 0; k < count; ++k) {
        uint32_t slot = 0;
        if (!ReadU32(reader, slot)) {
            complete = false;
            break;
        }
        TrackEntry* entry = NewEntry();
        if (!entry) {
            complete = false;
            break;
        }
        *link = entry;
        link = &entry->next;
        // Only real slots name a segment; anything else reads as an entry without one.
        if (slot >= kFirstSlot && slot <= kLastSlot) entry->segment = files->CopyOf(slot);
        uint32_t repeats = 0;
        if (!ReadU32(reader, repeats)) {
            complete = false;
            break;
        }
        entry->repeats = std::max(repeats, 1u);
    }
    EnsureOneEntry(track);
    return complete;
}

bool Save(const Track& track, uint32_t slotOverride, const char* nameOverride) {
    const uint32_t slot = slotOverride == kNoSlot ? track.slot : slotOverride;
    const VGString path = TrackPath(slot);
    const uint32_t count = EntryCount(track);
    if (count <= 1 && (!track.entries || !track.entries->segment)) {
        platform::RemoveFile(std::u16string_view(path.Data(), path.Length()));
        return true;
    }
    PrepareUserFolder();
    VGFileWriter writer(path);
    if (!writer.IsOpen()) return false;
    writer.Write(nameOverride ? nameOverride : track.name, kNameLength);
    WriteU32(writer, track.speed);
    WriteU32(writer, count);
    for (const TrackEntry* entry = track.entries; entry; entry = entry->next) {
        WriteU32(writer, entry->segment ? entry->segment->slot : uint32_t(kNoSegment));
        WriteU32(writer, entry->repeats);
    }
    return writer.Close();
}

uint32_t EntryCount(const Track& track) {
    uint32_t count = 0;
    for (const TrackEntry* entry = track.entries; entry; entry = entry->next) ++count;
    return count;
}

TrackEntry* EntryAt(const Track& track, uint32_t index) {
    TrackEntry* entry = track.entries;
    while (entry && index > 0) {
        entry = entry->next;
        --index;
    }
    return entry;
}

TrackEntry* InsertEntryAt(Track& track, uint32_t index) {
    if (EntryCount(track) >= kMaxEntries) return nullptr;
    TrackEntry** link = &track.entries;
    for (uint32_t i = 0; i < index; ++i) {
        if (!*link) return nullptr;
        link = &(*link)->next;
    }
    TrackEntry* entry = NewEntry();
    if (!entry) return nullptr;
    entry->next = *link;
    *link = entry;
    return entry;
}

TrackEntry* InsertEntryAfter(Track& track, uint32_t index) {
    TrackEntry* before = EntryAt(track, index);
    if (!before || EntryCount(track) >= kMaxEntries) return nullptr;
    TrackEntry* entry = NewEntry();
    if (!entry) return nullptr;
    entry->next = before->next;
    before->next = entry;
    return entry;
}

void RemoveEntry(Track& track, uint32_t index) {
    TrackEntry** link = &track.entries;
    for (uint32_t i = 0; i < index && *link; ++i) link = &(*link)->next;
    TrackEntry* entry = *link;
    if (!entry) return;
    *link = entry->next;
    entry->next = nullptr;
    FreeEntries(entry);
    EnsureOneEntry(track);
}

VGString NameText(const Track& track) {
    VGString text;
    for (char c : track.name) text.Append(char16_t(uint8_t(c)));
    return text;
}

int32_t TotalDurationMs(const Track& track) {
    // Repeats can grow without limit: sum wide and saturate.
    int64_t total = 0;
    for (const TrackEntry* entry = track.entries; entry; entry = entry->next)
        total += int64_t(entry->repeats) * SegmentDuration(*entry);
    return int32_t(std::min<int64_t>(total, INT32_MAX));
}

void ResetPosition(Track& track) {
    track.position = 0.0f;
    track.entryIndex = 0;
    track.repeatIndex = 0;
    track.lastStep = -1;
}

int32_t ElapsedMs(const Track& track) {
    float played = 0.0f;
    uint32_t index = 0;
    for (const TrackEntry* entry = track.entries; entry; entry = entry->next, ++index) {
        if (index < track.entryIndex) {
            played += float(entry->repeats) * float(SegmentDuration(*entry));
        } else {
            played += float(track.repeatIndex) * float(SegmentDuration(*entry));
            break;
        }
    }
    played += track.position;
    const uint32_t speed = std::max(track.speed, 1u);
    return int32_t(played / (float(speed) * 0.01f));
}

bool AnyOtherTrackSaved(uint32_t exceptSlot) {
    for (uint32_t slot = kFirstSlot; slot <= kLastSlot; ++slot)
        if (slot != exceptSlot && FileExists(TrackPath(slot))) return true;
    return false;
}
