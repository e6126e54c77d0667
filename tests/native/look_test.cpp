// The window's look as arithmetic: the gradient panel's bands, the glow
// button's colours per state, and its glyph.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ui/KestrixUp1Look.h"
#include "winkit/GlowAppearance.h"
#include "winkit/Glyph.h"
#include "winkit/ShaderBands.h"

namespace winkit {
namespace {

// Colours written as on screen: 0xRRGGBB.
Color Hex(std::uint32_t rgb) { return Rgb(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }

const ShaderColors kWindowShading = {clCream, clSkyBlue, clSkyBlue, clCream};

TEST(ShaderBands, FirstAndLastBandOfEachHalf) {
    // Cream at the top edge, towards sky blue; then from sky blue back
    // towards cream. The last band has 127/128 of the difference, rounded.
    EXPECT_EQ(BandColor(clCream, clSkyBlue, 0), Hex(0xFFFBF0));
    EXPECT_EQ(BandColor(clCream, clSkyBlue, 127), Hex(0xA7CAF0));  // 255 - 88.30, 251 - 48.62
    EXPECT_EQ(BandColor(clSkyBlue, clCream, 0), Hex(0xA6CAF0));
    EXPECT_EQ(BandColor(clSkyBlue, clCream, 127), Hex(0xFEFBF0));  // 166 + 88.30, 202 + 48.62
    // Halfway, 89 * 64 / 128 = 44.5 and 49 * 64 / 128 = 24.5 round away from zero.
    EXPECT_EQ(BandColor(clCream, clSkyBlue, 64), Hex(0xD2E2F0));
    EXPECT_EQ(BandColor(clSkyBlue, clCream, 64), Hex(0xD3E3F0));
}

TEST(ShaderBands, TheWindowsClientAreaRowByRow) {
    // 186 rows: two halves of 93, band k starting at row k * 93 / 128, rounded.
    std::vector<Color> rows(186);
    ShadeLine(kWindowShading, rows);
    EXPECT_EQ(rows[0], Hex(0xFFFBF0));
    EXPECT_EQ(rows[1], BandColor(clCream, clSkyBlue, 2));  // band 1 starts at 0.73, band 2 at 1.45
    EXPECT_EQ(rows[92], Hex(0xA7CAF0));                    // band 127 starts at 92.27
    EXPECT_EQ(rows[93], Hex(0xA6CAF0));
    EXPECT_EQ(rows[185], Hex(0xFEFBF0));
    EXPECT_EQ(rows[93 + 53], BandColor(clSkyBlue, clCream, 73));  // 73 * 93 / 128 = 53.04
}

TEST(ShaderBands, EveryPixelBelongsToABandWhateverTheLength) {
    for (int length : {1, 2, 3, 127, 128, 129, 255, 256, 257, 1001}) {
        SCOPED_TRACE(length);
        const Color unset = Hex(0x123456);
        std::vector<Color> line(length, unset);
        ShadeLine(kWindowShading, line);
        int first = length / 2;
        if (first > 64) {  // halves over 64 pixels show their first and last band
            EXPECT_EQ(line[0], Hex(0xFFFBF0));
            EXPECT_EQ(line[first - 1], Hex(0xA7CAF0));
            EXPECT_EQ(line[first], Hex(0xA6CAF0));
            EXPECT_EQ(line[length - 1], Hex(0xFEFBF0));
        }
        for (int i = 0; i < length; ++i) ASSERT_NE(line[i], unset) << "pixel " << i;
        // Bands only move one way: red falls over the first half, rises over the second.
        for (int i = 1; i < first; ++i) ASSERT_LE(Red(line[i]), Red(line[i - 1]));
        for (int i = first + 1; i < length; ++i) ASSERT_GE(Red(line[i]), Red(line[i - 1]));
    }
    EXPECT_EQ(BandStart(93, 0), 0);
    EXPECT_EQ(BandStart(93, 1), 1);
    EXPECT_EQ(BandStart(93, 127), 92);
    EXPECT_EQ(BandStart(93, 128), 93);
    EXPECT_EQ(BandStart(500, 64), 250);
}

TEST(GlowButtonColors, OKButtonPerState) {
    struct Case {
        GlowState state;
        std::uint32_t border, top, topTo, mirror, mirrorTo;
    };
    const Case cases[] = {
        {GlowState::Normal, 0x9BB9E0, 0xC8DBEE, 0xC9DDF6, 0xC0D4ED, 0xD0E1F7},
        {GlowState::Hot, 0xDBCE99, 0xFFFDEB, 0xFFECAC, 0xFFDA59, 0xFFE9A4},
        {GlowState::Down, 0x7B6645, 0xF1AF76, 0xF39041, 0xF1720E, 0xFD9F4C},
        {GlowState::Checked, 0x000000, 0xFBDBB5, 0xFEC778, 0xFDEB9F, 0xFEB456},
        {GlowState::Disabled, 0xB6B6B6, 0xF2F2F2, 0xF2F2F2, 0xB6B6B6, 0xF2F2F2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.state));
        GlowColors expected{Hex(c.border), Hex(c.top), Hex(c.topTo), Hex(c.mirror), Hex(c.mirrorTo)};
        EXPECT_EQ(ColorsFor(OKBtnAppearance, c.state), expected);
    }
}

TEST(GlowButtonColors, WhichStateIsDrawn) {
    struct Case {
        bool enabled, down, checked, mouseOver, focusShown;
        FocusType focusType;
        GlowState expected;
    };
    const Case cases[] = {
        {true, false, false, false, false, FocusType::Hot, GlowState::Normal},
        {true, false, false, true, false, FocusType::None, GlowState::Hot},
        {true, false, false, false, true, FocusType::Hot, GlowState::Hot},      // focus shows as hot
        {true, false, false, false, true, FocusType::None, GlowState::Normal},  // ... only when asked to
        {true, true, false, true, true, FocusType::Hot, GlowState::Down},
        {true, false, true, true, false, FocusType::Hot, GlowState::Checked},
        {true, true, true, false, false, FocusType::Hot, GlowState::Down},
        {false, true, true, true, true, FocusType::Hot, GlowState::Disabled},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StateOf(c.enabled, c.down, c.checked, c.mouseOver, c.focusShown, c.focusType), c.expected)
            << c.enabled << c.down << c.checked << c.mouseOver << c.focusShown;
}

TEST(GlowButtonColors, FaceShadesEachHalfFromStartToEnd) {
    GlowColors colors = ColorsFor(OKBtnAppearance, GlowState::Normal);
    std::vector<Color> rows(23);  // a 25-pixel button inside its border
    FaceLine(colors, rows);
    EXPECT_EQ(rows[0], colors.top);
    EXPECT_EQ(rows[10], colors.topTo);
    EXPECT_EQ(rows[11], colors.mirror);
    EXPECT_EQ(rows[22], colors.mirrorTo);
    std::vector<Color> one(1);
    FaceLine(colors, one);
    EXPECT_EQ(one[0], colors.mirror);
}

TEST(Glyph, CheckMarkIsSixteenBySixteenPixelsOfTheSixteenColourPalette) {
    ASSERT_EQ(OKBtnGlyph.size, 16);
    bool red = false;
    for (int y = 0; y < 16; ++y) {
        ASSERT_EQ(std::strlen(OKBtnGlyph.rows[y]), 16u) << "row " << y;
        for (const char* p = OKBtnGlyph.rows[y]; *p; ++p) {
            ASSERT_TRUE(std::strchr(".0123456789ABCDEF", *p)) << "row " << y;
            red |= PaletteColor(*p) == Rgb(0xFF, 0, 0);
        }
    }
    EXPECT_TRUE(red);
}

TEST(Glyph, RenderedAtItsOwnSizeUnchangedAndSmoothWhenScaled) {
    std::vector<std::uint32_t> same = RenderGlyph(OKBtnGlyph, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            char digit = OKBtnGlyph.rows[y][x];
            std::uint32_t expected = digit == '.' ? 0 : 0xFF000000 | DibPixel(PaletteColor(digit));
            ASSERT_EQ(same[y * 16 + x], expected) << x << "," << y;
        }
    }
    // At 150 %: the corners stay clear, the stroke's middle stays solid red,
    // and its edges get partial cover (premultiplied: no channel above alpha).
    std::vector<std::uint32_t> scaled = RenderGlyph(OKBtnGlyph, 24);
    ASSERT_EQ(scaled.size(), 24u * 24u);
    EXPECT_EQ(scaled[0], 0u);
    EXPECT_EQ(scaled[24 * 24 - 1], 0u);
    EXPECT_EQ(scaled[15 * 24 + 9], 0xFFFF0000u);  // source pixel (6, 10): red all round
    bool partial = false;
    for (std::uint32_t p : scaled) {
        std::uint32_t alpha = p >> 24;
        ASSERT_LE((p >> 16) & 0xFF, alpha);
        ASSERT_LE((p >> 8) & 0xFF, alpha);
        ASSERT_LE(p & 0xFF, alpha);
        partial |= alpha > 0 && alpha < 255;
    }
    EXPECT_TRUE(partial);
}

}  // namespace
}  // namespace winkit
