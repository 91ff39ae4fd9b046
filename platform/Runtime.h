#pragma once
// The handheld C runtime's pieces the program's behaviour depends on, reproduced bit for bit.
#include <cstdint>

namespace platform {

// The classic generator: state = state * 214013 + 2531011, result = bits 16..30.
// Generated levels and animations depend on this exact sequence; glibc's rand differs.
constexpr int kRandMax = 32767;
int Rand();
void SRand(uint32_t seed);

} // namespace platform
