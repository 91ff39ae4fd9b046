#pragma once
// The behaviour menu-like screens share: the click, the input lock after a screen is entered,
// and the soft-button bar rule.
#include <cstdint>

// Input in the first 300 ms of a screen is ignored.
constexpr int32_t kScreenInputLockMs = 301;

// Plays the click when sound effects are on.
void PlayClick();
