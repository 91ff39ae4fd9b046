// Songs in and out: the MIDI files written (checked by a reader of the test's own), MIDI
// files read into segments, audio rendered offline (strokes on their ideal frames) and the
// WAV and FLAC files written with libsndfile.
#include "game/machine/MachineMidi.h"
#include "game/machine/OfflineRender.h"
#include "game/machine/SongExport.h"
#include "platform/MusicFolder.h"
#include "platform/audio/AudioFiles.h"
#include "tests/machine/MachineTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// --- an independent reader of the files written: chunks and events, nothing shared ---
struct SeenEvent {
    uint64_t tick;
    std::vector<uint8_t> bytes; // status first, running status expanded
};
struct SeenFile {
    int format = -1, tracks = 0, division = 0;
    std::vector<std::vector<SeenEvent>> events;
};

uint32_t Big(const std::string& s, size_t at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | uint8_t(s[at + i]);
    return v;
}

SeenFile Parse(const std::string& s) {
    SeenFile f;
    if (s.compare(0, 4, "MThd") != 0) return f;
    f.format = int(Big(s, 8, 2));
    f.tracks = int(Big(s, 10, 2));
    f.division = int(Big(s, 12, 2));
    size_t at = 14;
    while (at + 8 <= s.size() && s.compare(at, 4, "MTrk") == 0) {
        const size_t end = at + 8 + Big(s, at + 4, 4);
        at += 8;
        std::vector<SeenEvent> track;
        uint64_t tick = 0;
        uint8_t status = 0;
        while (at < end) {
            uint32_t delta = 0;
            uint8_t b;
            do {
                b = uint8_t(s[at++]);
                delta = delta << 7 | (b & 0x7F);
            } while (b & 0x80);
            tick += delta;
            if (uint8_t(s[at]) & 0x80) status = uint8_t(s[at++]);
            SeenEvent e{tick, {status}};
            if (status == 0xFF) {
                e.bytes.push_back(uint8_t(s[at++]));
                const uint8_t length = uint8_t(s[at++]);
                for (uint8_t i = 0; i < length; ++i) e.bytes.push_back(uint8_t(s[at++]));
            } else {
                e.bytes.push_back(uint8_t(s[at++]));
                e.bytes.push_back(uint8_t(s[at++]));
            }
            track.push_back(e);
        }
        f.events.push_back(track);
    }
    return f;
}

std::string Bytes(const std::vector<uint8_t>& v) {
    return std::string(v.begin(), v.end());
}

Segment MakeSegment(uint32_t steps, uint32_t tempo,
                    std::initializer_list<std::pair<int, int>> cells) {
    Segment s;
    s.slot = 4;
    Reset(s);
    s.steps = steps;
    s.tempo = tempo;
    for (auto [row, step] : cells) Cell(s, uint32_t(row), uint32_t(step)) = 1;
    return s;
}

// A type 0 file as another program writes it: 96 ticks per quarter, running status, notes
// on channel 1 slightly off the grid, note-offs as note-ons of velocity 0.
std::string ForeignFile(uint32_t microsPerQuarter) {
    std::string track;
    auto var = [&](uint32_t v) {
        std::string out(1, char(v & 0x7F));
        while (v >>= 7) out.insert(out.begin(), char(0x80 | (v & 0x7F)));
        track += out;
    };
    track += std::string("\x00\xFF\x51\x03", 4);
    track += char(microsPerQuarter >> 16), track += char(microsPerQuarter >> 8),
        track += char(microsPerQuarter);
    var(1), track += "\x90\x24\x64";              // bass at tick 1 -> step 0
    var(10), track += std::string("\x24\x00", 2); // off by running status
    var(36), track += "\x26\x50";                 // snare at tick 47 -> step 2 (24 ticks a step)
    var(2), track += "\x23\x50";                  // 35: not in the kit's map
    var(20), track += "\x2A\x50";                 // closed hi-hat at tick 69 -> step 3
    var(315), track += std::string("\xFF\x2F\x00", 3); // ends at tick 384: 16 steps
    std::string file = std::string("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60", 14) + "MTrk";
    const uint32_t n = uint32_t(track.size());
    file += char(n >> 24), file += char(n >> 16), file += char(n >> 8), file += char(n);
    return file + track;
}

MidiSong Read(const std::string& bytes) {
    MidiSong song;
    std::string error;
    EXPECT_TRUE(
        ReadMidiFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), song, error))
        << error;
    return song;
}

} // namespace

TEST(MidiExport, TrackFileHasTempoPerPassNamedSequenceAndDrumNotesOnChannelTen) {
    Track track;
    Reset(track);
    std::memcpy(track.name, "song1", 5);
    track.speed = 50;
    track.entries->segment = new Segment(MakeSegment(4, 120, {{3, 0}, {8, 0}, {4, 2}}));
    track.entries->repeats = 2;
    InsertEntryAfter(track, 0)->segment = new Segment(MakeSegment(2, 90, {{6, 1}}));

    const SeenFile f = Parse(Bytes(TrackToMidi(track)));
    EXPECT_EQ(f.format, 1);
    EXPECT_EQ(f.division, 480);
    ASSERT_EQ(f.tracks, 2);
    ASSERT_EQ(f.events.size(), 2u);

    const auto& meta = f.events[0];
    ASSERT_FALSE(meta.empty());
    EXPECT_EQ(meta[0].bytes, (std::vector<uint8_t>{0xFF, 0x03, 's', 'o', 'n', 'g', '1'}));
    std::vector<std::pair<uint64_t, uint32_t>> tempos;
    for (const auto& e : meta)
        if (e.bytes[1] == 0x51)
            tempos.push_back({e.tick, e.bytes[2] << 16 | e.bytes[3] << 8 | e.bytes[4]});
    // 120 at half speed is 60 beats (1 s a quarter); 90 at half speed 45 beats.
    EXPECT_EQ(tempos, (std::vector<std::pair<uint64_t, uint32_t>>{
                          {0, 1000000}, {480, 1000000}, {960, 1333333}}));
    EXPECT_EQ(meta.back().bytes, (std::vector<uint8_t>{0xFF, 0x2F}));
    EXPECT_EQ(meta.back().tick, 960u + 240u);

    std::vector<std::pair<uint64_t, uint8_t>> ons;
    for (const auto& e : f.events[1]) {
        if (e.bytes[0] == 0xFF) continue;
        EXPECT_EQ(e.bytes[0] & 0x0F, 9) << "channel 10";
        if ((e.bytes[0] & 0xF0) == 0x90) ons.push_back({e.tick, e.bytes[1]});
    }
    EXPECT_EQ(ons, (std::vector<std::pair<uint64_t, uint8_t>>{
                       {0, 36}, {0, 42}, {240, 38}, {480, 36}, {480, 42}, {720, 38}, {1080, 49}}));
    EXPECT_EQ(f.events[1].back().bytes, (std::vector<uint8_t>{0xFF, 0x2F}));
}

TEST(MidiImport, SegmentRoundTripKeepsCellsStepsAndTempo) {
    for (uint32_t tempo : {10u, 97u, 120u, 400u}) {
        Segment out =
            MakeSegment(13, tempo, {{0, 0}, {1, 3}, {2, 12}, {5, 7}, {6, 7}, {7, 1}, {8, 11}});
        Segment in;
        in.slot = 4;
        Reset(in);
        MidiImportReport report;
        std::string error;
        ASSERT_TRUE(MidiToSegment(Read(Bytes(SegmentToMidi(out, 1))), in, report, error)) << error;
        EXPECT_EQ(in.steps, 13u);
        EXPECT_EQ(in.tempo, tempo);
        EXPECT_EQ(std::memcmp(in.grid, out.grid, sizeof in.grid), 0) << tempo;
        EXPECT_TRUE(report.unmappedKeys.empty());
    }
}

TEST(MidiImport, ForeignFileQuantisesToNearestStepAndReportsUnmappedNotes) {
    Segment s;
    s.slot = 9;
    Reset(s);
    MidiImportReport report;
    std::string error;
    ASSERT_TRUE(MidiToSegment(Read(ForeignFile(600000)), s, report, error)) << error;
    EXPECT_EQ(s.tempo, 100u); // 0.6 s a quarter
    EXPECT_EQ(s.steps, 16u);
    EXPECT_EQ(Cell(s, 3, 0), 1u);
    EXPECT_EQ(Cell(s, 4, 2), 1u);
    EXPECT_EQ(Cell(s, 8, 3), 1u);
    uint32_t struck = 0;
    for (uint32_t cell : s.grid) struck += cell;
    EXPECT_EQ(struck, 3u);
    EXPECT_EQ(report.unmappedKeys, std::vector<uint8_t>{35});
}

TEST(MidiImport, TempoIsClampedAndLongFilesKeepTheirFirst64Steps) {
    Segment s;
    s.slot = 9;
    Reset(s);
    MidiImportReport report;
    std::string error;
    ASSERT_TRUE(MidiToSegment(Read(ForeignFile(100000)), s, report, error));
    EXPECT_EQ(report.fileTempo, 600u);
    EXPECT_EQ(s.tempo, 400u);
    ASSERT_TRUE(MidiToSegment(Read(ForeignFile(12000000)), s, report, error));
    EXPECT_EQ(s.tempo, 10u);

    Segment longer = MakeSegment(64, 120, {{3, 0}, {4, 63}});
    Track track;
    Reset(track);
    track.entries->segment = new Segment(longer);
    track.entries->repeats = 3;
    ASSERT_TRUE(MidiToSegment(Read(Bytes(TrackToMidi(track))), s, report, error));
    EXPECT_EQ(report.fileSteps, 192u);
    EXPECT_EQ(s.steps, 64u);
    EXPECT_EQ(Cell(s, 3, 0), 1u);
    EXPECT_EQ(Cell(s, 4, 63), 1u);
}

TEST(MidiImport, DrumChannelWinsAndFilesWithoutKitNotesOrOfTypeTwoAreRefused) {
    std::string file = ForeignFile(500000);
    MidiSong song = Read(file);
    song.notes.push_back({24, 9, 49, 100}); // one crash on channel 10 hides the rest
    Segment s;
    s.slot = 9;
    Reset(s);
    MidiImportReport report;
    std::string error;
    ASSERT_TRUE(MidiToSegment(song, s, report, error));
    EXPECT_EQ(Cell(s, 6, 1), 1u);
    EXPECT_EQ(Cell(s, 3, 0), 0u);

    song.notes = {{0, 9, 60, 100}};
    EXPECT_FALSE(MidiToSegment(song, s, report, error));
    song = Read(file);
    song.format = 2;
    EXPECT_FALSE(MidiToSegment(song, s, report, error));
}

TEST(MidiReader, DamagedAndTruncatedFilesAreRefusedWithoutReadingOutside) {
    const std::string good = ForeignFile(500000);
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + long(n)); // exact size for ASan
        MidiSong song;
        std::string error;
        EXPECT_FALSE(ReadMidiFile(cut.data(), cut.size(), song, error) && n < 22) << n;
    }
    // Every byte replaced by every interesting value: no crash, no hang.
    for (size_t at = 0; at < good.size(); ++at)
        for (uint8_t value : {0x00, 0x7F, 0x80, 0xF0, 0xF7, 0xFF}) {
            std::vector<uint8_t> bad(good.begin(), good.end());
            bad[at] = value;
            MidiSong song;
            std::string error;
            ReadMidiFile(bad.data(), bad.size(), song, error);
        }
    MidiSong song;
    std::string error;
    const uint8_t endless[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0xFF, 0xFF, 0, 96};
    EXPECT_FALSE(ReadMidiFile(endless, sizeof endless, song, error));
    EXPECT_FALSE(ReadMidiFile(nullptr, 0, song, error));
}

TEST(MidiImportFile, ExistingSlotIsKeptWithoutReplaceAndTheNameComesFromTheFileName) {
    SaveFolder save;
    save.folder.WriteFile("My Groove.MID", ForeignFile(500000));
    const VGString path(save.folder.Wide("My Groove.MID").c_str());
    MidiImportResult result;
    std::string error;
    ASSERT_TRUE(ImportMidi(path, 5, false, result, error)) << error;
    Segment s;
    s.slot = 5;
    Reset(s);
    ASSERT_TRUE(Load(s));
    EXPECT_EQ(std::string(s.name, 5), "my gr");
    EXPECT_EQ(Cell(s, 4, 2), 1u);
    ASSERT_EQ(result.notes.size(), 1u); // the unmapped note 35, once

    const std::string before = save.Read("5.tbs");
    EXPECT_FALSE(ImportMidi(path, 5, false, result, error));
    EXPECT_NE(error.find("--force"), std::string::npos);
    EXPECT_EQ(save.Read("5.tbs"), before);
    EXPECT_TRUE(ImportMidi(path, 5, true, result, error));

    save.folder.WriteFile("broken.mid", ForeignFile(500000).substr(0, 30));
    EXPECT_FALSE(
        ImportMidi(VGString(save.folder.Wide("broken.mid").c_str()), 6, false, result, error));
    EXPECT_FALSE(save.Exists("6.tbs"));
}

// --- audio ---

namespace {

class Collect final : public platform::FrameSink {
public:
    bool Put(const int32_t* samples, uint32_t frames) override {
        data.insert(data.end(), samples, samples + 2 * size_t(frames));
        return true;
    }
    std::vector<int32_t> data;
};

// A data folder whose sounds are the baked ones, with a save folder of its own.
class SoundFolder {
public:
    SoundFolder() {
        fs::create_directories(folder.Path() / "save");
        fs::create_symlink(fs::path(TBX_GAME_DIR) / "soundfx", folder.Path() / "soundfx");
        SetAppPath(VGString(folder.Wide().c_str()));
    }
    TempFolder folder;
};

std::vector<int32_t> Render(Track& track, uint32_t bits = 16) {
    Collect sink;
    std::string error;
    EXPECT_TRUE(RenderTrack(track, bits, sink, error)) << error;
    return sink.data;
}

void OneEntry(Track& track, const Segment& segment, uint32_t repeats, uint32_t speed) {
    Reset(track);
    track.speed = speed;
    track.entries->segment = new Segment(segment);
    track.entries->repeats = repeats;
}

} // namespace

TEST(OfflineRender, EveryStrokeStartsOnTheIdealFrameOfItsStep) {
    SoundFolder data;
    // One stroke alone gives the sound as the mixer plays it.
    Track single;
    OneEntry(single, MakeSegment(1, 10, {{8, 0}}), 1, 100);
    std::vector<int32_t> alone = Render(single);
    while (!alone.empty() && alone.back() == 0) alone.pop_back();
    ASSERT_GT(alone.size(), 1000u);
    ASSERT_LT(alone.size(), 2u * 44100u); // shorter than the 1.5 s gaps below

    // Strokes 1.5 s apart at tempo 10 (no overlap), at a speed whose frames fall between
    // milliseconds, over two passes.
    const uint32_t speed = 130;
    Track track;
    OneEntry(track, MakeSegment(5, 10, {{8, 1}, {8, 4}}), 2, speed);
    const std::vector<int32_t> out = Render(track);
    const uint32_t pass = uint32_t(DurationMs(*track.entries->segment));
    const uint64_t starts[] = {StrokeFrame(0, 1, 10, speed), StrokeFrame(0, 4, 10, speed),
                               StrokeFrame(pass, 1, 10, speed), StrokeFrame(pass, 4, 10, speed)};
    EXPECT_EQ(starts[0], 1500u * 4410u / 130u); // 1500 ms of segment time at 130 %
    for (uint64_t start : starts) {
        ASSERT_LE(2 * start + alone.size(), out.size());
        EXPECT_EQ(out[2 * start - 1], 0) << "silent just before " << start;
        for (size_t k = 0; k < alone.size(); ++k)
            ASSERT_EQ(out[2 * start + k], alone[k]) << "stroke at " << start << " sample " << k;
    }
    // The track lasts at least its length at its speed.
    EXPECT_GE(out.size(), 2 * (TrackRealMs(track) * 441 / 10));
}

TEST(OfflineRender, TwentyFourBitsCarryTheSameMixWithMoreResolution) {
    SoundFolder data;
    Track track;
    OneEntry(track, MakeSegment(4, 120, {{3, 0}, {4, 2}, {6, 2}}), 1, 100);
    const std::vector<int32_t> a = Render(track, 16), b = Render(track, 24);
    ASSERT_EQ(a.size(), b.size());
    bool finer = false;
    for (size_t i = 0; i < a.size(); ++i) {
        // Both are left-justified; full scale is 32767 against 8388607 x 256, so the top 16
        // bits agree to within rounding.
        ASSERT_LE(std::abs((a[i] >> 16) - (b[i] >> 16)), 2) << i;
        finer = finer || (b[i] & 0xFF00) != 0;
    }
    EXPECT_TRUE(finer);
}

TEST(OfflineRender, TrackWithoutSoundIsRefused) {
    SoundFolder data;
    Track track;
    Reset(track);
    Collect sink;
    std::string error;
    EXPECT_FALSE(RenderTrack(track, 16, sink, error));
    EXPECT_TRUE(sink.data.empty());
}

TEST(AudioExport, WavAndFlacFilesHaveTheirHeadersAndLengthsAndReplaceAtomically) {
    SoundFolder data;
    platform::SetAudioFiles(platform::CreateSoundFileAudioFiles());
    const Segment segment = MakeSegment(16, 120, {{3, 0}, {8, 8}});
    Track track;
    OneEntry(track, segment, 1, 100);
    const size_t frames = Render(track).size() / 2;
    std::string error;

    for (uint32_t bits : {16u, 24u}) {
        const VGString wav(data.folder.Wide("out.wav").c_str());
        ASSERT_TRUE(ExportSegment(segment, 1, wav, bits, error)) << error;
        const std::string w = data.folder.ReadFile("out.wav");
        ASSERT_GE(w.size(), 44u);
        auto u32 = [&](size_t at) {
            return uint32_t(uint8_t(w[at])) | uint32_t(uint8_t(w[at + 1])) << 8 |
                   uint32_t(uint8_t(w[at + 2])) << 16 | uint32_t(uint8_t(w[at + 3])) << 24;
        };
        EXPECT_EQ(w.substr(0, 4), "RIFF");
        EXPECT_EQ(w.substr(8, 4), "WAVE");
        EXPECT_EQ(u32(24), 44100u);
        EXPECT_EQ(uint8_t(w[22]), 2); // stereo
        EXPECT_EQ(uint8_t(w[34]), bits);
        const size_t data = w.find("data");
        ASSERT_NE(data, std::string::npos);
        EXPECT_EQ(u32(data + 4), frames * 2 * bits / 8);
        EXPECT_EQ(w.size(), data + 8 + frames * 2 * bits / 8);
    }

    const VGString flac(data.folder.Wide("out.flac").c_str());
    ASSERT_TRUE(ExportSegment(segment, 1, flac, 24, error)) << error;
    const std::string f = data.folder.ReadFile("out.flac");
    ASSERT_GE(f.size(), 42u);
    EXPECT_EQ(f.substr(0, 4), "fLaC");
    // STREAMINFO: rate 20 bits, channels - 1 3 bits, bits - 1 5 bits, total frames 36 bits.
    const uint8_t* p = reinterpret_cast<const uint8_t*>(f.data()) + 8 + 10;
    EXPECT_EQ(uint32_t(p[0]) << 12 | uint32_t(p[1]) << 4 | p[2] >> 4, 44100u);
    EXPECT_EQ(((p[2] >> 1) & 7) + 1, 2);
    EXPECT_EQ(((p[2] & 1) << 4 | p[3] >> 4) + 1, 24);
    const uint64_t total = uint64_t(p[3] & 0x0F) << 32 | uint64_t(p[4]) << 24 |
                           uint64_t(p[5]) << 16 | uint64_t(p[6]) << 8 | p[7];
    EXPECT_EQ(total, frames);

    // A failed export leaves the previous file as it was and nothing beside it.
    const std::string before = data.folder.ReadFile("out.wav");
    Track nothing;
    Reset(nothing);
    EXPECT_FALSE(ExportTrack(nothing, VGString(data.folder.Wide("out.wav").c_str()), 16, error));
    EXPECT_FALSE(ExportTrack(nothing, VGString(data.folder.Wide("out.ogg").c_str()), 16, error));
    EXPECT_FALSE(ExportSegment(segment, 1, VGString(data.folder.Wide("no/such/out.wav").c_str()),
                               16, error));
    EXPECT_EQ(data.folder.ReadFile("out.wav"), before);
    for (const auto& entry : fs::directory_iterator(data.folder.Path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST(AudioExport, MusicFolderGetsTheTrackUnderItsName) {
    SoundFolder data;
    platform::MemoryAudioFiles* memory = new platform::MemoryAudioFiles;
    platform::SetAudioFiles(std::unique_ptr<platform::AudioFiles>(memory));
    platform::SetUserFolders(platform::CreateFixedUserFolders(data.folder.Wide("music")));
    Track track;
    OneEntry(track, MakeSegment(4, 120, {{3, 0}}), 1, 100);
    std::memcpy(track.name, "a/b  ", 5);
    track.position = 5.0f;
    VGString path;
    std::string error;
    ASSERT_TRUE(ExportToMusicFolder(track, path, error)) << error;
    EXPECT_TRUE(fs::is_directory(data.folder.Path() / "music" / "Tamborix"));
    const std::u16string expected = data.folder.Wide("music") + u"/Tamborix/a_b.wav";
    EXPECT_EQ(std::u16string(path.Data()), expected);
    ASSERT_EQ(memory->files.count(expected), 1u);
    EXPECT_EQ(memory->files[expected].spec.bits, 16u);
    EXPECT_FALSE(memory->files[expected].samples.empty());
    platform::SetAudioFiles(nullptr);
    platform::SetUserFolders(nullptr);
}
