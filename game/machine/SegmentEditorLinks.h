#pragma once
// The selection screens the editors lead to (made where those screens live). Each may give
// null, when memory runs out; the editor's button then does nothing.
#include <cstdint>

class VGScreen;
struct Track;
struct TrackEntry;

// The segment choice that copies a saved segment into targetSlot.
VGScreen* OpenSegmentCopy(uint32_t targetSlot);
// The segment choice for one entry of a track the track editor handed over.
VGScreen* OpenSegmentPick(Track* track, TrackEntry* entry);
// The track choice that copies a saved track into targetSlot.
VGScreen* OpenTrackCopy(uint32_t targetSlot);
