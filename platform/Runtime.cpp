#include "platform/Runtime.h"

namespace platform {

namespace {
uint32_t randState = 1;
}

int Rand() {
    randState = randState * 214013u + 2531011u;
    return int((randState >> 16) & 0x7FFF);
}

void SRand(uint32_t seed) {
    randState = seed;
}

} // namespace platform
