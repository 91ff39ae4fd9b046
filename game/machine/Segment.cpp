#include "game/machine/Segment.h"

#include "platform/Files.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGStream.h"
#include "varnokengine/VGUserPath.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

const char16_t* const kRowSounds[kMachineRows] = {
    u"tom_low", u"tom_mid", u"tom_hi",     u"bass",        u"snare",
    u"ride",    u"crash",   u"hihat_open", u"hihat_close",
};

// Only the first bar decides whether a segment differs from its defaults.
constexpr uint32_t kStepsTestedForEmptiness = 16;

bool NameEquals(const char* name, const char (&other)[kNameLength]) {
    return std::memcmp(name, other, kNameLength) == 0;
}

} // namespace

const char16_t* RowSoundName(uint32_t row) {
    return row < kMachineRows ? kRowSounds[row] : u"";
}

void DefaultName(char (&name)[kNameLength], const char16_t* prefix, uint32_t slot) {
    const VGString text = Formatted(u"%s%02d", prefix, slot);
    for (uint32_t i = 0; i < kNameLength; ++i)
        name[i] = i < text.Length() ? char(text[i] & 0xFF) : ' ';
}

VGString SegmentPath(uint32_t slot) {
    // Joined, not formatted: a folder of any length stays whole.
    return GetUserPath() + Formatted(u"save/%d.tbs", slot);
}

void Reset(Segment& segment) {
    segment.steps = kDefaultSteps;
    segment.tempo = kDefaultTempo;
    std::fill(std::begin(segment.grid), std::end(segment.grid), 0u);
    DefaultName(segment.name, u"seg", segment.slot);
}

bool Load(Segment& segment) {
    VGFileReader reader(SegmentPath(segment.slot), VGFileReader::WholeFile);
    bool complete = false;
    if (reader.IsOpen()) {
        // A read past the end of the data copies nothing, so a damaged file never leaves a
        // field half filled; the fields it did not hold keep their values.
        complete = reader.Read(segment.name, kNameLength) && ReadU32(reader, segment.steps) &&
                   ReadU32(reader, segment.tempo) &&
                   reader.Read(segment.grid, sizeof(segment.grid));
    }
    // The clocks divide by the tempo and index the grid by step: keep both playable.
    segment.steps = std::clamp(segment.steps, 1u, kMaxSteps);
    segment.tempo = std::clamp(segment.tempo, kMinTempo, kMaxTempo);
    return complete;
}

bool Save(const Segment& segment, uint32_t slotOverride, const char* nameOverride) {
    const uint32_t slot = slotOverride == kNoSlot ? segment.slot : slotOverride;
    const VGString path = SegmentPath(slot);
    if (IsEmpty(segment)) {
        // Deleting a file that is not there is not a failure.
        platform::RemoveFile(std::u16string_view(path.Data(), path.Length()));
        return true;
    }
    PrepareUserFolder();
    VGFileWriter writer(path);
    if (!writer.IsOpen()) return false;
    writer.Write(nameOverride ? nameOverride : segment.name, kNameLength);
    WriteU32(writer, segment.steps);
    WriteU32(writer, segment.tempo);
    for (uint32_t cell : segment.grid) WriteU32(writer, cell);
    return writer.Close();
}

bool HasDefaultName(const Segment& segment) {
    char name[kNameLength];
    DefaultName(name, u"seg", segment.slot);
    return NameEquals(segment.name, name);
}

bool IsEmpty(const Segment& segment) {
    if (segment.steps != kDefaultSteps || segment.tempo != kDefaultTempo) return false;
    if (!HasDefaultName(segment)) return false;
    for (uint32_t row = 0; row < kMachineRows; ++row)
        for (uint32_t step = 0; step < kStepsTestedForEmptiness; ++step)
            if (Cell(segment, row, step) != 0) return false;
    return true;
}

VGString NameText(const Segment& segment) {
    VGString text;
    for (char c : segment.name) text.Append(char16_t(uint8_t(c)));
    return text;
}

float StepLengthMs(uint32_t tempo) {
    return 15000.0f / float(tempo);
}

int32_t DurationMs(const Segment& segment) {
    return int32_t(StepLengthMs(segment.tempo) * float(segment.steps));
}

bool AnyOtherSegmentSaved(uint32_t exceptSlot) {
    for (uint32_t slot = kFirstSlot; slot <= kLastSlot; ++slot)
        if (slot != exceptSlot && FileExists(SegmentPath(slot))) return true;
    return false;
}
