// Bakes soundfx/*.wavc (the nine drums, metronome ticks, click, the wrong-stroke buzz, the
// logo jingle) and music/silence.wavc, and writes a plain WAV copy of each for listening.
#include "tools/bake/BakeIo.h"
#include "tools/bake/BakeStep.h"
#include "tools/bake/SoundEdit.h"
#include "tools/bake/SoundSynth.h"
#include "tools/soundfile/SoundFileWriter.h"

#include <iomanip>
#include <iostream>
#include <sstream>

namespace {
constexpr float kPeakLimitDb = -1.0f;
constexpr float kLevelWindowMs = 150.0f;

bool WriteSound(const BakeContext& context, const char* folder, const std::string& name,
                const Samples& samples) {
    Bytes pcm = EncodePcm16(samples);
    Bytes wav = soundfile::MakeWavImage(1, kSampleRate, 16, pcm.data(), pcm.size());
    Bytes file = soundfile::EncodeSoundFile(wav.data(), wav.size());
    if (file.empty()) return BakeFailure("cannot encode " + name);
    std::filesystem::create_directories(context.review / "sounds");
    return WriteWholeFile(context.out / folder / (name + ".wavc"), file) &&
           WriteWholeFile(context.review / "sounds" / (name + ".wav"), wav);
}

// One line of the kit table: name, sample, level, longest, fade.
bool BakeKitSound(const BakeContext& context, const std::filesystem::path& folder,
                  const std::string& line) {
    std::istringstream words(line);
    std::string name, sample;
    float level = 0;
    TrimSettings trim;
    if (!(words >> name >> sample >> level >> trim.longestMs >> trim.fadeMs))
        return BakeFailure("kit table: cannot read '" + line + "'");
    Bytes wav;
    Samples samples;
    if (!ReadWholeFile(folder / sample, wav)) return false;
    if (!DecodeWav(wav, samples)) return BakeFailure(sample + " is not 16-bit PCM at 44.1 kHz");
    samples = Level(Trim(samples, trim), level, kPeakLimitDb, kLevelWindowMs);
    if (samples.empty()) return BakeFailure(sample + " is silent");
    return WriteSound(context, "soundfx", name, samples);
}

bool BakeKit(const BakeContext& context) {
    std::string table;
    if (!ReadTextFile(context.assets / "sounds" / "kit.txt", table)) return false;
    std::istringstream lines(table);
    std::string line;
    std::filesystem::path folder;
    int sounds = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("folder ", 0) == 0) {
            folder = line.substr(7);
            continue;
        }
        if (!BakeKitSound(context, folder, line)) return false;
        ++sounds;
    }
    if (sounds != 9) return BakeFailure("the kit table must name the nine drum sounds");
    return true;
}

bool BakeSounds(const BakeContext& context) {
    if (!BakeKit(context)) return false;
    struct Synthesised {
        const char* name;
        Samples (*make)();
    };
    const Synthesised effects[] = {{"metronome", &MetronomeTick},
                                   {"metronomeLoud", &MetronomeAccent},
                                   {"click", &UiClick},
                                   {"incorrect", &WrongBuzz},
                                   {"vglogo", &LogoJingle}};
    for (const Synthesised& effect : effects) {
        Samples samples = effect.make();
        FadeOut(samples, 3.0f);
        if (!WriteSound(context, "soundfx", effect.name, samples)) return false;
    }
    return WriteSound(context, "music", "silence", Silence(1000.0f));
}
const BakeStepRegistration registration("sounds", &BakeSounds);
} // namespace
