#pragma once
// The program's own signals, synthesised: metronome ticks, the interface click, the buzz of
// a wrong stroke and the logo jingle. Plain arithmetic, so the same bytes on every bake.
#include "tools/bake/SoundEdit.h"

Samples MetronomeTick();   // the ordinary beat: short, clear, mid-high
Samples MetronomeAccent(); // the first beat of the bar: higher and louder
Samples UiClick();         // a few milliseconds of tick for buttons and lists
Samples WrongBuzz();       // a short, rough, low buzz that cannot be mistaken for a drum
Samples LogoJingle();      // two seconds: a rising bell arpeggio that rings out
Samples Silence(float ms);
