#include "game/machine/SongExport.h"

#include "game/machine/MachineMidi.h"
#include "game/machine/OfflineRender.h"
#include "platform/Files.h"
#include "platform/MusicFolder.h"
#include "platform/Text.h"
#include "platform/audio/AudioFiles.h"
#include "varnokengine/VGStream.h"

#include <new>

namespace {

std::u16string_view View(const VGString& s) {
    return std::u16string_view(s.Data() ? s.Data() : u"", s.Length());
}

std::string Utf8(const VGString& s) {
    return platform::ToUtf8(View(s));
}

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool EndsWith(std::u16string_view path, std::u16string_view suffix) {
    if (path.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (Lower(path[path.size() - suffix.size() + i]) != suffix[i]) return false;
    return true;
}

bool WriteBytes(const VGString& path, const std::vector<uint8_t>& bytes, std::string& error) {
    VGFileWriter writer(path);
    if (!writer.IsOpen() || !writer.Write(bytes.data(), uint32_t(bytes.size())) ||
        !writer.Close()) {
        error = "cannot write " + Utf8(path);
        return false;
    }
    return true;
}

bool RenderToFile(Track& track, const VGString& path, SongFileType type, uint32_t bits,
                  std::string& error) {
    platform::AudioFileSpec spec;
    spec.type =
        type == SongFileType::Flac ? platform::AudioFileType::Flac : platform::AudioFileType::Wav;
    spec.bits = bits == 24 ? 24 : 16;
    // Checked before the file is made, so that nothing is left of a song that cannot play.
    if (TotalDurationMs(track) < 1) {
        error = "the track has nothing to play";
        return false;
    }
    auto writer = platform::CurrentAudioFiles().Create(View(path), spec, error);
    if (!writer) return false;
    if (!RenderTrack(track, spec.bits, *writer, error)) return false;
    return writer->Commit(error);
}

// The longest song a MIDI export writes, as for audio: bounds the passes listed in memory.
bool LongerThanExports(const Track& track, std::string& error) {
    if (TrackRealMs(track) <= kMaxRenderMs) return false;
    error = "the track is too long to export (more than 6 hours)";
    return true;
}

} // namespace

SongFileType SongFileTypeOf(std::u16string_view path) {
    if (EndsWith(path, u".wav")) return SongFileType::Wav;
    if (EndsWith(path, u".flac")) return SongFileType::Flac;
    if (EndsWith(path, u".mid") || EndsWith(path, u".midi")) return SongFileType::Midi;
    return SongFileType::Unknown;
}

bool ExportTrack(Track& track, const VGString& path, uint32_t bits, std::string& error) {
    const SongFileType type = SongFileTypeOf(View(path));
    if (type == SongFileType::Unknown) {
        error = "cannot tell the format of " + Utf8(path) + " (use .wav, .flac or .mid)";
        return false;
    }
    if (type != SongFileType::Midi) return RenderToFile(track, path, type, bits, error);
    if (TotalDurationMs(track) < 1) {
        error = "the track has nothing to play";
        return false;
    }
    if (LongerThanExports(track, error)) return false;
    return WriteBytes(path, TrackToMidi(track), error);
}

bool ExportSegment(const Segment& segment, uint32_t loops, const VGString& path, uint32_t bits,
                   std::string& error) {
    // A track of one entry plays the segment through the same sequencer as any song.
    Track track;
    Reset(track);
    std::copy(std::begin(segment.name), std::end(segment.name), track.name);
    Segment* copy = new (std::nothrow) Segment(segment);
    if (!copy) {
        error = "out of memory";
        return false;
    }
    track.entries->segment = copy;
    track.entries->repeats = loops < 1 ? 1 : loops;
    if (SongFileTypeOf(View(path)) == SongFileType::Midi) {
        if (LongerThanExports(track, error)) return false;
        return WriteBytes(path, SegmentToMidi(segment, track.entries->repeats), error);
    }
    return ExportTrack(track, path, bits, error);
}

bool ExportToMusicFolder(Track& track, VGString& path, std::string& error) {
    std::u16string folder = platform::CurrentUserFolders().MusicFolder() + u"/Tamborix";
    if (!platform::MakeFolder(folder)) {
        error = "cannot make the folder " + platform::ToUtf8(folder);
        return false;
    }
    // The song's name as a file name: characters that a file name cannot take become '_'.
    std::u16string name;
    for (char c : track.name) {
        const unsigned char u = static_cast<unsigned char>(c);
        name.push_back(u < 32 || c == '/' || c == '\\' || u == 127 ? u'_' : char16_t(u));
    }
    while (!name.empty() && name.back() == u' ') name.pop_back();
    while (!name.empty() && name.front() == u' ') name.erase(0, 1);
    if (name.empty() || name == u"." || name == u"..") name = u"track";
    path = VGString((folder + u"/" + name + u".wav").c_str());
    return ExportTrack(track, path, 16, error);
}

void NameFromFileName(std::u16string_view path, char (&name)[kNameLength]) {
    const size_t slash = path.find_last_of(u"/\\");
    std::u16string_view stem = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = stem.find_last_of(u'.');
    if (dot != std::u16string_view::npos && dot > 0) stem = stem.substr(0, dot);
    for (uint32_t i = 0; i < kNameLength; ++i) {
        const char16_t c = i < stem.size() ? Lower(stem[i]) : u' ';
        const bool kept = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        name[i] = kept ? char(c) : ' ';
    }
}

bool ImportMidi(const VGString& path, uint32_t slot, bool replace, MidiImportResult& result,
                std::string& error) {
    result = MidiImportResult{};
    if (slot < kFirstSlot || slot > kLastSlot) {
        error = "segment slots are 1 to 99";
        return false;
    }
    if (!replace && FileExists(SegmentPath(slot))) {
        error = "segment slot " + std::to_string(slot) +
                " already holds a segment; --force replaces it";
        return false;
    }
    VGFileReader reader(path, VGFileReader::WholeFile);
    if (!reader.IsOpen() || !reader.Memory()) {
        error = "cannot read " + Utf8(path);
        return false;
    }
    MidiSong song;
    std::string why;
    if (!ReadMidiFile(reader.Memory()->Bytes(), reader.Memory()->Size(), song, why)) {
        error = Utf8(path) + " is damaged: " + why;
        return false;
    }
    Segment segment;
    segment.slot = slot;
    Reset(segment);
    MidiImportReport report;
    if (!MidiToSegment(song, segment, report, error)) return false;
    NameFromFileName(View(path), segment.name);

    if (!report.unmappedKeys.empty()) {
        std::string keys;
        for (uint8_t key : report.unmappedKeys)
            keys += (keys.empty() ? "" : ", ") + std::to_string(key);
        result.notes.push_back("left out notes the kit has no piece for: " + keys);
    }
    if (report.fileSteps > kMaxSteps)
        result.notes.push_back("the file is " + std::to_string(report.fileSteps) +
                               " steps long; the segment keeps its first 64");
    if (report.fileTempo != segment.tempo)
        result.notes.push_back("the file's tempo " + std::to_string(report.fileTempo) +
                               " becomes " + std::to_string(segment.tempo));
    if (!Save(segment)) {
        error = "cannot write the segment file " + Utf8(SegmentPath(slot));
        return false;
    }
    return true;
}
