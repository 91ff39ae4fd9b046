// Bitmap fonts, text blocks and the re-flowing of texts.
#include "tests/graphics/GraphicsTestUtil.h"
#include "tests/menus/FontTestPack.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGFont.h"
#include "varnokengine/VGTextBlock.h"
#include "varnokengine/VGTextFlow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Spacing 2, space width 4, baseline offset 1, ascent 9, line height 12.
class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteTestFontPack(folder));
        SetAppPath(VGString(folder.Wide().c_str()));
        font = std::make_unique<VGFont>(1, kTestFontBase, 2, 4, 1, 9, 12);
    }

    TextBlock& Block(const char16_t* text, int16_t x, int16_t y, TextAlign align,
                     uint32_t flags = 0) {
        block.font = font.get();
        block.x = x;
        block.y = y;
        block.alignment = align;
        block.flags = flags;
        block.SetText(VGString(text), now);
        return block;
    }

    static int LineCount(const TextBlock& b) {
        int n = 0;
        for (const TextLine* l = b.lines; l; l = l->next) ++n;
        return n;
    }

    TempFolder folder;
    std::unique_ptr<VGFont> font;
    TextBlock block;
    uint32_t now = 1000; // the engine time the blocks are given
};

TEST_F(TextTest, GlyphsFallBackToTheOtherCaseAndMissingOnesAdvanceNothing) {
    const VGBitmap* upperE = font->GetGlyph('E');
    ASSERT_NE(upperE, nullptr);
    EXPECT_EQ(font->GetGlyph('e'), upperE);
    EXPECT_EQ(font->GetGlyph('X'), font->GetGlyph('x'));
    EXPECT_EQ(font->GetGlyph(0x100 + 'E'), upperE); // only the low byte counts
    EXPECT_EQ(font->GetGlyph('1'), nullptr);
    EXPECT_EQ(font->GetGlyph(255), nullptr);
    EXPECT_EQ(font->CharWidth('e'), 8 + 2);
    EXPECT_EQ(font->CharWidth('1'), 0);
    EXPECT_EQ(font->CharWidth(' '), 4);
    EXPECT_EQ(font->CharWidth(300), 0);
}

TEST_F(TextTest, DrawCharSitsOnTheBaselineAndReturnsTheScaledAdvance) {
    TargetCanvas canvas(60, 60, 0);
    // The glyph's bottom edge lies the baseline offset below y: rows 21..30 for y 30.
    EXPECT_EQ(font->DrawChar('e', 10, 30, 1.0f, 1.0f), 10);
    EXPECT_EQ(canvas.At(10, 21), kGlyphColour);
    EXPECT_EQ(canvas.At(17, 30), kGlyphColour);
    EXPECT_EQ(canvas.At(10, 20), 0);
    EXPECT_EQ(canvas.At(10, 31), 0);
    EXPECT_EQ(canvas.At(18, 25), 0);
    // Twice the size: 16 x 20 with its bottom 2 rows below y.
    EXPECT_EQ(font->DrawChar('E', 30, 40, 1.0f, 2.0f), 20);
    EXPECT_EQ(canvas.At(30, 22), kGlyphColour);
    EXPECT_EQ(canvas.At(45, 41), kGlyphColour);
    EXPECT_EQ(canvas.At(46, 41), 0);
    // The blank draws nothing but advances; a code without a glyph does neither.
    std::vector<uint16_t> before = canvas.Pixels();
    EXPECT_EQ(font->DrawChar(' ', 0, 50, 1.0f, 1.5f), 6);
    EXPECT_EQ(font->DrawChar('1', 0, 50, 1.0f, 1.0f), 0);
    EXPECT_EQ(font->DrawChar(255, 0, 50, 1.0f, 1.0f), 0);
    EXPECT_EQ(canvas.Pixels(), before);
}

TEST_F(TextTest, LinesBreakAtLineFeedsAndAreAligned) {
    Block(u"EA\nE", 100, 50, AlignLeft);
    ASSERT_EQ(LineCount(block), 2);
    EXPECT_EQ(block.lines->y, 50);
    EXPECT_EQ(block.lines->next->y, 62);
    EXPECT_EQ(block.lines->x, 100);

    // A line feed at the end adds no line; two in a row leave an empty one between.
    EXPECT_EQ(LineCount(Block(u"E\n", 0, 50, AlignLeft)), 1);
    Block(u"E\n\nE", 0, 50, AlignLeft);
    ASSERT_EQ(LineCount(block), 3);
    EXPECT_EQ(block.lines->next->letters, nullptr);
    EXPECT_EQ(block.lines->next->next->y, 74);

    // Ten letters of advance 10 make a line 100 wide.
    EXPECT_EQ(Block(u"EEEEEEEEEE", 120, 50, AlignCentre).lines->x, 70);
    EXPECT_EQ(Block(u"EEEEEEEEEE", 120, 50, AlignRight).lines->x, 20);
    block.scale = 0.5f;
    EXPECT_EQ(Block(u"EEEEEEEEEE", 120, 50, AlignCentre).lines->x, 95);
    block.scale = 1.0f;
    Block(u"EEEE\nEE", 0, 50, AlignLeft).SetPosition(60);
    EXPECT_EQ(block.lines->x, 40);
    EXPECT_EQ(block.lines->next->x, 50);

    // A character whose low byte is 0 ends its line's text.
    const char16_t withNul[] = {u'E', 0x100, u'E', 0};
    EXPECT_EQ(block.LineWidth(Block(withNul, 0, 50, AlignLeft).lines), 10);
}

TEST_F(TextTest, DroppedLettersFallFromTheTopAndBounceToRest) {
    Block(u"EAx", 50, 200, AlignCentre, FlagDropIn);
    for (const TextChar* c = block.lines->letters; c; c = c->next) {
        EXPECT_EQ(c->currentY, 0.0f);
        EXPECT_EQ(c->restY, 200.0f);
    }
    const TextChar* first = block.lines->letters;
    float lowestYet = 0, firstHop = -1, lastHop = -1;
    bool rising = false;
    float hopTop = 200;
    for (int frame = 0; frame < 200; ++frame) {
        now += 33;
        block.Update(false, now);
        for (const TextChar* c = block.lines->letters; c; c = c->next)
            ASSERT_LE(c->currentY, c->restY);
        lowestYet = std::max(lowestYet, first->currentY);
        if (first->speed < 0) rising = true, hopTop = std::min(hopTop, first->currentY);
        if (rising && first->speed > 0) {
            // The top of a hop: record how high it went.
            float height = 200 - hopTop;
            if (firstHop < 0) firstHop = height;
            lastHop = height;
            rising = false;
            hopTop = 200;
        }
    }
    EXPECT_EQ(lowestYet, 200.0f);
    EXPECT_GT(firstHop, 0.0f);
    EXPECT_LT(lastHop, firstHop);
    for (const TextChar* c = block.lines->letters; c; c = c->next)
        EXPECT_NEAR(c->currentY, 200.0f, 1.0f);
}

TEST_F(TextTest, UpdateRunsAtMostThreeStepsAndDropsLostTime) {
    Block(u"E", 0, 100, AlignLeft, FlagDropIn);
    float speed = block.lines->letters->speed;
    now += 1000;
    block.Update(false, now);
    // Three steps: the speed grows by one before each move.
    EXPECT_FLOAT_EQ(block.lines->letters->currentY, 3 * speed + 6);
    EXPECT_EQ(block.lines->lastUpdate, now);
    // Not yet 33 ms later: one step (the one due now), then nothing more.
    now += 20;
    block.Update(false, now);
    EXPECT_EQ(block.lines->lastUpdate, now + 13);
    block.Update(false, now);
    EXPECT_EQ(block.lines->lastUpdate, now + 13);
}

TEST_F(TextTest, PulseSwingsTheAlphaOverSixHundredFortyMilliseconds) {
    EXPECT_FLOAT_EQ(PulseAlpha(1.0f, 0), 0.6f);
    EXPECT_FLOAT_EQ(PulseAlpha(1.0f, 320), 1.0f);
    EXPECT_FLOAT_EQ(PulseAlpha(1.0f, 640), 0.6f);
    EXPECT_FLOAT_EQ(PulseAlpha(0.5f, 160), 0.5f * (0.6f + 0.04f * 5));
}

TEST_F(TextTest, ShadowsAreDrawnOnlyWhenAskedAndHiddenBlocksDrawNothing) {
    TargetCanvas canvas(40, 40, ColourWhite);
    Block(u"E", 10, 20, AlignLeft);
    block.shadowOffset = 3;
    // Right of the glyph, where only the shadow can fall.
    const int32_t sx = 19, sy = 15;
    block.Draw(1.0f, now, false);
    EXPECT_EQ(canvas.At(sx, sy), ColourWhite);
    EXPECT_EQ(canvas.At(12, 15), kGlyphColour);
    block.Draw(1.0f, now, true);
    EXPECT_NE(canvas.At(sx, sy), ColourWhite);

    TargetCanvas fresh(40, 40, ColourWhite);
    block.flags = FlagHidden;
    block.Draw(1.0f, now, true);
    EXPECT_EQ(fresh.At(12, 15), ColourWhite);
}

VGString Split(const char16_t* text) {
    VGString s(text);
    SplitInTwoLines(s);
    return s;
}

VGString Wrap(const char16_t* text) {
    VGString s(text);
    WrapWords(s);
    return s;
}

TEST(TextFlowTest, SplitPutsOneLineFeedAtTheBlankNearestTheMiddle) {
    // Eleven characters, the only blank at 3: found two to the left of the middle (5).
    EXPECT_EQ(Split(u"abc defghij"), u"abc\ndefghij");
    EXPECT_EQ(Split(u"abcdefghijk"), u"abcdefghijk");
    // Equally near on both sides: the left one wins; old line feeds become blanks.
    EXPECT_EQ(Split(u"a b c"), u"a\nb c");
    EXPECT_EQ(Split(u"a\nb\nc"), u"a\nb c");
    EXPECT_EQ(Split(u"abcdefg h"), u"abcdefg\nh");
    EXPECT_EQ(Split(u""), u"");
}

TEST(TextFlowTest, WrapGathersWordsIntoLinesShorterThanEighteen) {
    EXPECT_EQ(Wrap(u"a bcd"), u"a bcd");
    EXPECT_EQ(Wrap(u"a"), u"a");
    EXPECT_EQ(Wrap(u"there are no saved tracks yet"), u"there are no saved\ntracks yet");
    EXPECT_EQ(Wrap(u"one\ntwo"), u"one two");
    EXPECT_EQ(Wrap(u""), u"");
    // A first word too long for any line still starts the text, without an empty line.
    EXPECT_EQ(Wrap(u"abcdefghijklmnopqrstu v"), u"abcdefghijklmnopqrstu\nv");
    // Runs of blanks do not make empty words.
    EXPECT_EQ(Wrap(u"a   b"), u"a b");
}

} // namespace
