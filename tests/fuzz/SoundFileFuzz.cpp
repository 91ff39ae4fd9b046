// A compressed sound file; whatever loads must describe its own buffer.
#include "tests/fuzz/FuzzSupport.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGSoundData.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFuzzFile("soundfx/x.wavc", data, size);
    SoundData sound;
    ReadSoundFile(sound, GetAppPath() + u"soundfx/x.wav");
    if (sound.buffer) {
        volatile uint8_t sum = 0;
        const uint8_t* samples = SampleBytes(sound);
        for (uint32_t i = 0; i < SampleLength(sound); i += 97) sum += samples[i];
        if (sound.length < kWaveHeaderBytes) std::abort();
    }
    ForgetErrors();
    return 0;
}
