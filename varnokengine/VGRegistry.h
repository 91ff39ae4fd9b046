#pragma once
// One registry value at a time. Roots: 0 = the program key "Software\VarnokGames\Tamborix"
// (plus "\sub-key" when given) under the local machine; 1 and any other = the local machine
// with the sub-key as given; 2 = the current user; 3 = the classes root.
#include <cstdint>

// Reads a value of any type as raw bytes. With data and size null it only tells whether the
// value exists; with data null and size given it gives the size. A buffer too small for the
// value fails and gets the needed size. Never reports an error.
bool ReadValue(uint32_t root, const char16_t* subKey, const char16_t* name, void* data,
               uint32_t* size);
// Creates missing keys and stores the bytes as a binary value. A failure is fatal: it is
// reported and the program ends after the current frame.
bool WriteValue(uint32_t root, const char16_t* subKey, const char16_t* name, const void* data,
                uint32_t size);

// The u32 option pattern: the default stays when the value is missing (or not 4 bytes).
uint32_t ReadOption(const char16_t* name, uint32_t defaultValue);
bool WriteOption(const char16_t* name, uint32_t value);
