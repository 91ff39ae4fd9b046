#pragma once
// Audio files written by the program (exports): WAV or FLAC, 16 or 24 bits, always replaced
// atomically: the frames go to a temporary file beside the target, which takes the target's
// name only on Commit. A writer destroyed without Commit leaves no file behind and the
// previous file untouched.
#include "platform/audio/OfflineAudioOutput.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class AudioFileType { Wav, Flac };

struct AudioFileSpec {
    AudioFileType type = AudioFileType::Wav;
    uint32_t bits = 16; // 16 or 24
    uint32_t rate = kMixRate;
    uint32_t channels = 2;
};

// Put takes interleaved frames, left-justified in 32 bits (see FrameSink).
class AudioFileWriter : public FrameSink {
public:
    // True when the whole file is in place under its name; otherwise error says why and no
    // file is left behind.
    virtual bool Commit(std::string& error) = 0;
};

class AudioFiles {
public:
    virtual ~AudioFiles() = default;
    // A writer for path (a program path, see Files.h), or null with the reason in error.
    virtual std::unique_ptr<AudioFileWriter>
    Create(std::u16string_view path, const AudioFileSpec& spec, std::string& error) = 0;
};

// Real files through libsndfile.
std::unique_ptr<AudioFiles> CreateSoundFileAudioFiles();

// Keeps committed files in memory by path, for tests.
class MemoryAudioFiles final : public AudioFiles {
public:
    struct File {
        AudioFileSpec spec;
        std::vector<int32_t> samples; // interleaved, as written
    };
    std::unique_ptr<AudioFileWriter> Create(std::u16string_view path, const AudioFileSpec& spec,
                                            std::string& error) override;

    std::map<std::u16string, File> files;
};

// The service the program uses: libsndfile until another is set.
void SetAudioFiles(std::unique_ptr<AudioFiles> files);
AudioFiles& CurrentAudioFiles();

} // namespace platform
