#include "platform/Runtime.h"
#include "platform/Clock.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Runtime, RandIsTheHandheldGenerator) {
    SRand(1);
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(Rand(), 18467);
    EXPECT_EQ(Rand(), 6334);
    EXPECT_EQ(Rand(), 26500);
    EXPECT_EQ(Rand(), 19169);
    SRand(1);
    EXPECT_EQ(Rand(), 41) << "reseeding restarts the sequence";
    SRand(12345);
    for (int i = 0; i < 1000; ++i) {
        int r = Rand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, kRandMax);
    }
}

TEST(Runtime, ToLowerCoversAsciiAndLatin1Capitals) {
    EXPECT_EQ(ToLower16(u'A'), u'a');
    EXPECT_EQ(ToLower16(u'z'), u'z');
    EXPECT_EQ(ToLower16(u'\u00C4'), u'\u00E4'); // Ä
    EXPECT_EQ(ToLower16(u'\u00D7'), u'\u00D7'); // multiplication sign has no lower case
    EXPECT_EQ(ToLower16(u'\u00DF'), u'\u00DF');
    EXPECT_EQ(ToLower16(u'\uFFC4'), u'\uFFC4'); // a sign-widened byte stays as it is
}

TEST(Runtime, Utf8RoundTripsAndSurvivesBadBytes) {
    std::u16string text = u"Schl\u00E4gel \u266A \U0001F941";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(FromUtf8("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(FromUtf8("\xFF"
                       "b"),
              u"\uFFFDb");
}

TEST(Clock, VirtualClockMovesOnlyWhenTold) {
    VirtualClock clock(0xFFFFFFF0u);
    SetCurrentClock(&clock);
    EXPECT_EQ(TickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(TickCount(), 0xFFFFFFF0u);
    SleepMs(0x20);
    EXPECT_EQ(TickCount(), 0x10u) << "wraps like a 32-bit tick count";
    EXPECT_GT(int32_t(TickCount() - 0xFFFFFFF0u), 0);
    clock.Advance(5);
    EXPECT_EQ(TickCount(), 0x15u);
    SetCurrentClock(nullptr);
    uint32_t a = TickCount();
    SleepMs(2);
    EXPECT_GE(int32_t(TickCount() - a), 2);
}
