#include "varnokengine/VGString.h"

#include <gtest/gtest.h>

TEST(VGString, EmptyStringHasValidTextAndOwnsNothing) {
    VGString s;
    ASSERT_NE(s.Data(), nullptr);
    EXPECT_EQ(s.Data()[0], 0);
    EXPECT_EQ(s.Length(), 0u);
    EXPECT_EQ(s.Capacity(), 0u);
    EXPECT_FALSE(s.OwnsData());
    VGString t;
    EXPECT_EQ(s.Data(), t.Data()) << "all empty strings share one literal";
    s.Assign(u"");
    EXPECT_EQ(s.Data(), t.Data());
    s.Assign(static_cast<const char16_t*>(nullptr));
    EXPECT_EQ(s.Data(), t.Data());
}

TEST(VGString, AssignCopiesByGrowthRuleAndSelfAssignKeepsData) {
    VGString s(u"snare");
    EXPECT_EQ(s.Length(), 5u);
    EXPECT_EQ(s.Capacity(), 15u);
    const char16_t* before = s.Data();
    s.Assign(s);
    s.Assign(s.Data());
    EXPECT_EQ(s.Data(), before);
    EXPECT_TRUE(s == u"snare");
    VGString t(s);
    EXPECT_NE(t.Data(), s.Data());
    EXPECT_TRUE(t == s);
    s.Assign(s.Data() + 2); // a tail of itself
    EXPECT_TRUE(s == u"are");
}

TEST(VGString, AttachReferencesAndAppendCopiesFirst) {
    static const char16_t name[] = u"click";
    VGString s;
    s.Attach(name);
    EXPECT_EQ(s.Data(), name);
    EXPECT_EQ(s.Capacity(), 0u);
    EXPECT_FALSE(s.OwnsData());
    s.Append(u".wav");
    EXPECT_NE(s.Data(), name);
    EXPECT_TRUE(s == u"click.wav");
    EXPECT_EQ(name[5], 0) << "the attached literal is never written";
    {
        VGString attached;
        attached.Attach(name);
    } // destroying an attached string frees nothing (the sanitizer would complain)
    VGString c;
    c.Attach(name);
    c.Append(u'!');
    EXPECT_TRUE(c == u"click!");
}

TEST(VGString, AppendGrowsInPlaceWithinSpareCharacters) {
    VGString s;
    s.Append(u'a');
    EXPECT_EQ(s.Length(), 1u);
    EXPECT_EQ(s.Capacity(), 11u);
    const char16_t* buffer = s.Data();
    for (int i = 0; i < 10; ++i) s.Append(u'b');
    EXPECT_EQ(s.Data(), buffer) << "fits the spare room";
    EXPECT_EQ(s.Length(), 11u);
    s.Append(u'c');
    EXPECT_EQ(s.Capacity(), 22u);
    EXPECT_TRUE(s == u"abbbbbbbbbbc");

    VGString t(u"ab");
    t.Append(t); // appending itself
    EXPECT_TRUE(t == u"abab");
    t.Append(u"");
    t.Append(VGString());
    EXPECT_TRUE(t == u"abab");
    VGString empty;
    empty.Append(u"");
    EXPECT_FALSE(empty.OwnsData()) << "appending nothing never writes the shared literal";
    VGString big(u"0123456789");
    big.Append(big.Data()); // exceeds capacity while the source is the old buffer
    EXPECT_TRUE(big == u"01234567890123456789");
}

TEST(VGString, ConcatenationsLeaveOperandsAlone) {
    VGString a(u"imgs\\"), b(u"drums");
    VGString path = a + b + u".img";
    EXPECT_TRUE(path == u"imgs\\drums.img");
    EXPECT_TRUE(a == u"imgs\\");
    EXPECT_EQ(path.Capacity(), path.Length() + 10);
    EXPECT_TRUE((u"x" + b) == u"xdrums");
    EXPECT_TRUE((b + u'!') == u"drums!");
    EXPECT_TRUE((VGString() + VGString()).Data()[0] == 0);
}

TEST(VGString, FindCharAndTrimRight) {
    VGString s(u"a=b=c");
    EXPECT_EQ(s.FindChar(u'='), s.Data() + 1);
    EXPECT_EQ(s.FindChar(u'z'), nullptr);
    EXPECT_EQ(s.FindChar(0), nullptr) << "the terminator is not within the length";

    VGString t(u"Tamborix \t\r\n\v\f");
    t.TrimRight();
    EXPECT_TRUE(t == u"Tamborix");
    EXPECT_EQ(t.Capacity(), 18u);
    VGString blanks(u"   \r\n");
    blanks.TrimRight();
    EXPECT_EQ(blanks.Length(), 0u);
    EXPECT_FALSE(blanks.OwnsData());
    VGString wide(u"x\u0120");
    wide.TrimRight();
    EXPECT_TRUE(wide == u"x\u0120")
        << "only real blanks are trimmed, not characters ending in 0x20";
}

TEST(VGString, MovesAndCaseInsensitiveCompare) {
    VGString a(u"Kick");
    VGString b(std::move(a));
    EXPECT_TRUE(b == u"Kick");
    EXPECT_EQ(a.Length(), 0u);
    EXPECT_EQ(CompareTextIgnoringCase(u"METRONOMELOUD", u"metronomeLoud"), 0);
    EXPECT_NE(CompareTextIgnoringCase(u"metronome", u"metronomeLoud"), 0);
    EXPECT_LT(CompareText(u"a", u"b"), 0);
}
