#pragma once
// The program's own printf for 16-bit text. Conversions: %d %i %u %x %X %c %s %%, with a
// width and the '0' and '-' flags; 'l' and 'h' size letters are accepted and ignored.
// Integers are 32-bit as on the handheld. Arguments are checked at compile time by type.
#include "varnokengine/VGString.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

struct VGFormatArg {
    enum class Kind { Integer, Text };
    Kind kind;
    int64_t integer = 0;
    const char16_t* text = nullptr;

    template <typename T, typename = std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>>
    VGFormatArg(T value) : kind(Kind::Integer), integer(static_cast<int64_t>(value)) {}
    VGFormatArg(const char16_t* value) : kind(Kind::Text), text(value) {}
    VGFormatArg(const VGString& value) : kind(Kind::Text), text(value.Data()) {}
};

// Writes at most capacity - 1 characters and a terminator into buffer (capacity > 0);
// a longer result is cut off. Returns the number of characters written.
size_t FormatInto(char16_t* buffer, size_t capacity, const char16_t* format,
                  const VGFormatArg* args, size_t argCount);

// The shared 1024-character formatting buffer: results longer than 1023 characters are cut.
constexpr size_t kFormatBufferSize = 1024;
void FormatArgs(VGString& target, const char16_t* format, const VGFormatArg* args, size_t count);

template <typename... Args>
void Format(VGString& target, const char16_t* format, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        FormatArgs(target, format, nullptr, 0);
    } else {
        const VGFormatArg list[] = {VGFormatArg(args)...};
        FormatArgs(target, format, list, sizeof...(Args));
    }
}

template <typename... Args> VGString Formatted(const char16_t* format, const Args&... args) {
    VGString out;
    Format(out, format, args...);
    return out;
}
