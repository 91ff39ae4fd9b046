#include "game/drumkit/Metronome.h"

#include "game/drumkit/DrumKit.h"
#include "varnokengine/VGFormat.h"
#include "varnokengine/VGOptionNames.h"
#include "varnokengine/VGRegistry.h"

int32_t BeatLength(const DrumKit& kit) {
    // The tempo is kept within its limits; the guard only keeps a damaged value from dividing
    // by zero.
    int32_t tempo = kit.tempo < kMinTempo ? kMinTempo : kit.tempo;
    return 60000 / tempo;
}

void MetronomeStep(DrumKit& kit, uint32_t metronomeOn) {
    if (kit.mode != FreePlay || KitTimeSince(kit.clock, kit.nextBeat) < 0) return;
    int32_t beat = BeatLength(kit);
    if (metronomeOn) {
        // Every fourth beat from the clock's start is the bar's first.
        bool accent = kit.nextBeat % (4 * beat) == 0;
        kit.sounds->Play(accent ? u"metronomeLoud" : u"metronome", 0,
                         KitStrokeStart(kit, kit.nextBeat));
    }
    // The beat keeps its place while the switch is off.
    kit.nextBeat = KitTimeAdd(kit.nextBeat, beat);
}

void TempoUp(DrumKit& kit, int32_t n) {
    kit.tempo = kit.tempo + n > kMaxTempo ? kMaxTempo : kit.tempo + n;
    ResetClock(kit);
}

void TempoDown(DrumKit& kit, int32_t n) {
    kit.tempo = kit.tempo - n <= kMinTempo ? kMinTempo : kit.tempo - n;
    ResetClock(kit);
}

void SetMetronomeSwitch(uint32_t& metronomeSwitch, uint32_t on) {
    metronomeSwitch = on;
    WriteOption(kOptionMetronome, on);
}

VGString TempoText(const DrumKit& kit, uint32_t metronomeOn) {
    int32_t beat = BeatLength(kit);
    int32_t lastBeat = KitTimeAdd(kit.nextBeat, -beat);
    char16_t lamp = kLampOff;
    // The lamp lights for the first 100 ms after each tick.
    if (metronomeOn && KitTimeSince(kit.clock, lastBeat) / 10 < 10)
        lamp = lastBeat % (4 * beat) == 0 ? kLampAccent : kLampBeat;
    return Formatted(u"%c%4d", lamp, kit.tempo);
}
