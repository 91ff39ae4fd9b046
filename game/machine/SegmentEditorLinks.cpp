#include "game/machine/SegmentEditorLinks.h"

VGScreen* OpenSegmentCopy(uint32_t) {
    return nullptr;
}

VGScreen* OpenSegmentPick(Track*, TrackEntry*) {
    return nullptr;
}

VGScreen* OpenTrackCopy(uint32_t) {
    return nullptr;
}
