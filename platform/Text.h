#pragma once
// Conversions between the program's 16-bit characters and the UTF-8 the host system speaks.
#include <string>
#include <string_view>

namespace platform {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Lower-cases one 16-bit character as the handheld's runtime does: ASCII and the
// Latin-1 capitals (except the multiplication sign); everything else is unchanged.
char16_t ToLower16(char16_t c);

} // namespace platform
