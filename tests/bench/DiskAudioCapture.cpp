#include "tests/bench/DiskAudioCapture.h"

#include "tools/soundfile/SoundFileWriter.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

std::string unbufferedPath;

FILE* Unbuffered(FILE* file, const char* path) {
    if (file && !unbufferedPath.empty() && unbufferedPath == path)
        std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

} // namespace

void SetUnbufferedPath(const std::string& path) {
    unbufferedPath = path;
}

// SDL's disk driver opens its file through stdio; the FIFO's stream is made unbuffered here,
// or its 8 KiB buffer would hold the audio back in lumps of about 46 ms.
extern "C" FILE* fopen(const char* path, const char* mode) {
    using Open = FILE* (*)(const char*, const char*);
    static auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "fopen"));
    return Unbuffered(real(path, mode), path);
}
extern "C" FILE* fopen64(const char* path, const char* mode) {
    using Open = FILE* (*)(const char*, const char*);
    static auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "fopen64"));
    return Unbuffered(real(path, mode), path);
}

void ReadFifo(std::string fifo, LoudSampleWatch& watch) {
    int fd = open(fifo.c_str(), O_RDONLY);
    if (fd < 0) return;
    uint8_t buffer[4096];
    size_t carry = 0; // bytes of an incomplete frame kept at the front
    for (;;) {
        ssize_t got = read(fd, buffer + carry, sizeof buffer - carry);
        if (got <= 0) break;
        uint64_t now = SteadyNs();
        size_t bytes = carry + size_t(got);
        size_t frames = bytes / 4;
        for (size_t f = 0; f < frames && watch.armed.load(); ++f) {
            auto left = int16_t(uint16_t(buffer[4 * f] | buffer[4 * f + 1] << 8));
            if (std::abs(left) > 2000) {
                watch.arrivalNs = now;
                watch.armed = false;
            }
        }
        carry = bytes - frames * 4;
        std::memmove(buffer, buffer + frames * 4, carry);
        watch.readerCpuNs = ThreadCpuNs();
    }
    close(fd);
}

uint64_t SteadyNs() {
    return uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

uint64_t ThreadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return uint64_t(t.tv_sec) * 1000000000ull + uint64_t(t.tv_nsec);
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[size_t(p * double(values.size() - 1) + 0.5)];
}

std::vector<uint8_t> BurstSoundFile() {
    std::vector<uint8_t> samples;
    for (int i = 0; i < 220; ++i) {
        auto s = int16_t(i % 2 ? 12000 : -12000);
        samples.push_back(uint8_t(s & 0xFF));
        samples.push_back(uint8_t(uint16_t(s) >> 8));
    }
    auto image = soundfile::MakeWavImage(1, 22050, 16, samples.data(), samples.size());
    return soundfile::EncodeSoundFile(image.data(), image.size());
}
