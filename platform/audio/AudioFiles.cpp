#include "platform/audio/AudioFiles.h"

#include "platform/Files.h"

#include <sndfile.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

std::string TempPathFor(const std::string& path) {
    auto cut = path.find_last_of('/');
    std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return folder + "." + name + ".tmp";
}

// The rename must reach the disk too for the new file to survive a power cut.
void SyncFolderOf(const std::string& path) {
    auto cut = path.find_last_of('/');
    std::string folder = cut == std::string::npos ? std::string(".") : path.substr(0, cut + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

class SoundFileWriter final : public AudioFileWriter {
public:
    SoundFileWriter(SNDFILE* file, std::string temp, std::string target)
        : file_(file), temp_(std::move(temp)), target_(std::move(target)) {}

    ~SoundFileWriter() override {
        if (file_) sf_close(file_);
        if (!committed_) ::unlink(temp_.c_str());
    }

    bool Put(const int32_t* samples, uint32_t frames) override {
        if (!file_ || failed_) return false;
        if (sf_writef_int(file_, samples, sf_count_t(frames)) != sf_count_t(frames)) {
            failed_ = true;
            reason_ = sf_strerror(file_);
        }
        return !failed_;
    }

    bool Commit(std::string& error) override {
        if (!file_) return false;
        sf_write_sync(file_);
        const int closed = sf_close(file_);
        file_ = nullptr;
        if (failed_ || closed != 0) {
            error = "cannot write " + target_ + ": " + (failed_ ? reason_ : "closing failed");
            return false;
        }
        if (int fd = ::open(temp_.c_str(), O_RDONLY); fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
        if (::rename(temp_.c_str(), target_.c_str()) != 0) {
            error = "cannot write " + target_ + ": " + std::strerror(errno);
            return false;
        }
        committed_ = true;
        SyncFolderOf(target_);
        return true;
    }

private:
    SNDFILE* file_;
    std::string temp_, target_;
    bool failed_ = false;
    bool committed_ = false;
    std::string reason_;
};

class SoundFileAudioFiles final : public AudioFiles {
public:
    std::unique_ptr<AudioFileWriter> Create(std::u16string_view path, const AudioFileSpec& spec,
                                            std::string& error) override {
        const std::string target = ResolvePath(path);
        SF_INFO info = {};
        info.samplerate = int(spec.rate);
        info.channels = int(spec.channels);
        info.format = (spec.type == AudioFileType::Flac ? SF_FORMAT_FLAC : SF_FORMAT_WAV) |
                      (spec.bits == 24 ? SF_FORMAT_PCM_24 : SF_FORMAT_PCM_16);
        if (!sf_format_check(&info)) {
            error = "this audio format cannot be written";
            return nullptr;
        }
        const std::string temp = TempPathFor(target);
        SNDFILE* file = sf_open(temp.c_str(), SFM_WRITE, &info);
        if (!file) {
            error = "cannot write " + target + ": " + sf_strerror(nullptr);
            ::unlink(temp.c_str());
            return nullptr;
        }
        return std::make_unique<SoundFileWriter>(file, temp, target);
    }
};

class MemoryWriter final : public AudioFileWriter {
public:
    MemoryWriter(MemoryAudioFiles& owner, std::u16string path, const AudioFileSpec& spec)
        : owner_(owner), path_(std::move(path)) {
        file_.spec = spec;
    }
    bool Put(const int32_t* samples, uint32_t frames) override {
        file_.samples.insert(file_.samples.end(), samples,
                             samples + size_t(frames) * file_.spec.channels);
        return true;
    }
    bool Commit(std::string&) override {
        owner_.files[path_] = std::move(file_);
        return true;
    }

private:
    MemoryAudioFiles& owner_;
    std::u16string path_;
    MemoryAudioFiles::File file_;
};

std::unique_ptr<AudioFiles>& Current() {
    static std::unique_ptr<AudioFiles> current;
    return current;
}

} // namespace

std::unique_ptr<AudioFiles> CreateSoundFileAudioFiles() {
    return std::make_unique<SoundFileAudioFiles>();
}

std::unique_ptr<AudioFileWriter> MemoryAudioFiles::Create(std::u16string_view path,
                                                          const AudioFileSpec& spec, std::string&) {
    return std::make_unique<MemoryWriter>(*this, std::u16string(path), spec);
}

void SetAudioFiles(std::unique_ptr<AudioFiles> files) {
    Current() = std::move(files);
}

AudioFiles& CurrentAudioFiles() {
    if (!Current()) Current() = CreateSoundFileAudioFiles();
    return *Current();
}

} // namespace platform
