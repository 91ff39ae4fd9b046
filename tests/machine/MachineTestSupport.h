#pragma once
// Shared pieces of the drum-machine tests: a data folder with its save folder, segments and
// tracks built in memory, and a recorder in place of the sound manager.
#include "game/drumkit/KitSounds.h"
#include "game/machine/Track.h"
#include "tests/support/TempFolder.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGUserPath.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// A name of plain ASCII letters as a narrow string, for comparing in tests.
inline std::string Text(const VGString& s) {
    std::string out;
    for (uint32_t i = 0; i < s.Length(); ++i) out.push_back(char(s[i]));
    return out;
}

class SaveFolder {
public:
    SaveFolder() {
        std::filesystem::create_directories(folder.Path() / "save");
        SetUserPath(VGString(folder.Wide().c_str()));
    }
    std::filesystem::path File(const std::string& name) const {
        return folder.Path() / "save" / name;
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }
    std::string Read(const std::string& name) const { return folder.ReadFile("save/" + name); }
    void Write(const std::string& name, const std::string& bytes) const {
        folder.WriteFile("save/" + name, bytes);
    }

    TempFolder folder;
};

struct Heard {
    std::string name;
    int32_t priority = 0;
    bool restart = false;
    SoundStart start;
};

class RecordedSounds : public KitSounds {
public:
    void Restart(const VGString& name, int32_t priority, float, SoundStart start) override {
        Add(name, priority, true, start);
    }
    void Play(const VGString& name, int32_t priority, SoundStart start) override {
        Add(name, priority, false, start);
    }
    void PlayOnce(const VGString& name, int32_t priority) override { Add(name, priority, false); }
    void Preload(const VGString&) override {}
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const Heard& h : heard) names.push_back(h.name);
        return names;
    }

    std::vector<Heard> heard;

private:
    void Add(const VGString& name, int32_t priority, bool restart, SoundStart start = StartNow()) {
        std::string text;
        for (uint32_t i = 0; i < name.Length(); ++i) text.push_back(char(name[i]));
        heard.push_back({text, priority, restart, start});
    }
};

// A heap segment for the slot with its defaults, then the given steps and tempo.
inline Segment* MakeSegment(uint32_t slot, uint32_t steps = 16, uint32_t tempo = 120) {
    Segment* segment = new Segment;
    segment->slot = slot;
    Reset(*segment);
    segment->steps = steps;
    segment->tempo = tempo;
    return segment;
}

// Appends an entry holding segment (may be null) with the given repeats.
inline TrackEntry* AddEntry(Track& track, Segment* segment, uint32_t repeats = 1) {
    TrackEntry* entry = InsertEntryAt(track, EntryCount(track));
    entry->segment = segment;
    entry->repeats = repeats;
    return entry;
}

// A track of slot 1 whose entries are exactly the given (segment, repeats) pairs.
inline void BuildTrack(Track& track, std::vector<std::pair<Segment*, uint32_t>> entries) {
    track.slot = 1;
    Reset(track);
    FreeEntries(track.entries);
    track.entries = nullptr;
    for (auto& [segment, repeats] : entries) AddEntry(track, segment, repeats);
    if (!track.entries) Reset(track);
}
