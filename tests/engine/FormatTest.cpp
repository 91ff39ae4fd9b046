#include "varnokengine/VGFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace {
template <typename... Args> std::u16string F(const char16_t* format, const Args&... args) {
    VGString s;
    Format(s, format, args...);
    return std::u16string(s.Data(), s.Length());
}
} // namespace

TEST(Format, ConversionsWidthsAndFlags) {
    EXPECT_EQ(F(u"%d|%5d|%-5d|%05d|%02d", 42, 42, 42, -42, 7), u"42|   42|42   |-0042|07");
    EXPECT_EQ(F(u"%u %x %X %08x", -1, 255, 0xBEEFu, 0x1F), u"4294967295 ff BEEF 0000001f");
    EXPECT_EQ(F(u"%c%c|%3c|%-3c|", u'O', u'k', u'x', u'y'), u"Ok|  x|y  |");
    EXPECT_EQ(F(u"%s\\%s", u"Software", VGString(u"Options")), u"Software\\Options");
    EXPECT_EQ(F(u"[%6s][%-6s]", u"ab", u"ab"), u"[    ab][ab    ]");
    EXPECT_EQ(F(u"100%% %ld %i", 3L, -2), u"100% 3 -2");
    EXPECT_EQ(F(u"%d", int32_t(0x80000000)), u"-2147483648");
    EXPECT_EQ(F(u"%d", 5000000000LL), u"705032704") << "integers are 32-bit";
}

TEST(Format, MissingOrWrongArgumentsNeverCrash) {
    EXPECT_EQ(F(u"%d %s"), u"0 (null)");
    EXPECT_EQ(F(u"%s", static_cast<const char16_t*>(nullptr)), u"(null)");
    EXPECT_EQ(F(u"%q %", 1), u"%q %");
    EXPECT_EQ(F(u"%d", u"text"), u"0");
}

TEST(Format, LongResultsAreCutAtTheBuffer) {
    std::u16string longText(3000, u'x');
    std::u16string result = F(u"%s!", longText.c_str());
    EXPECT_EQ(result.size(), kFormatBufferSize - 1);
    EXPECT_EQ(F(u"%2000d", 1).size(), kFormatBufferSize - 1);

    char16_t small[6];
    small[5] = u'#';
    EXPECT_EQ(FormatInto(small, 5, u"%d", nullptr, 0), 1u);
    VGFormatArg arg(123456);
    EXPECT_EQ(FormatInto(small, 5, u"%d", &arg, 1), 4u);
    EXPECT_EQ(std::u16string(small), u"1234");
    EXPECT_EQ(small[5], u'#') << "never written past the given capacity";
}
