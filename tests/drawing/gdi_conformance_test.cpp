// The drawing layer as every backend must draw: the same scenarios and the
// same pixels wherever no font rasteriser is involved, text measured within
// a tolerance, and every handle given back.
#include "controls/suite/gdi.h"
#include "controls/suite/memory_dc.h"
#include "controls/suite/tavGFX40.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

using namespace tavGFX40;
using gdi::RGB;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

gdi::Image Filled(int width, int height, COLORREF colour) { return gdi::Image(width, height, gdi::ArgbOf(colour)); }

// A 9 x 9 frame split in 3 x 3 cells of 3 pixels, each its own colour.
COLORREF Cell(int cx, int cy, int frame = 0) { return RGB(20 * cx + 100 * frame, 20 * cy, 60); }
gdi::Image NineCellFrames(int frames) {
    gdi::Image img(9, 9 * frames);
    for (int k = 0; k < frames; ++k)
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x) img.at(x, k * 9 + y) = gdi::ArgbOf(Cell(x / 3, y / 3, k));
    return img;
}

// A surface over a picture; what it shows is read back by GetPixel.
struct Surface : tavSCls40::MemoryDC {
    explicit Surface(const gdi::Image& picture) { EXPECT_TRUE(Create(picture)); }
    COLORREF at(int x, int y) const { return gdi::GetPixel(hDC(), x, y); }
};

class Drawing : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_EQ(gdi::LiveHandleCount(), 0u); }
};

TEST_F(Drawing, TranslatesOleAndSystemColours) {
    EXPECT_EQ(gfxTranslateColor(0x00123456), 0x123456u);
    EXPECT_EQ(gfxTranslateColor(SystemColor(COLOR_BTNFACE)), RGB(212, 208, 200));
    EXPECT_EQ(gfxTranslateColor(0x80000012), RGB(0, 0, 0));        // button text
    EXPECT_EQ(gfxTranslateColor(0x80000014), RGB(255, 255, 255));  // 3D highlight
    EXPECT_EQ(gfxTranslateColor(0x800000FF), 0u);                  // outside the table
}

TEST_F(Drawing, FillsRectanglesAndLinesWithoutTheirFarEdges) {
    tavSCls40::MemoryDC mem;
    ASSERT_TRUE(mem.Create(6, 6, kWhite));
    EXPECT_TRUE(gfxDrawRect(mem.hDC(), RECT{1, 1, 3, 3}, SystemColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(gfxDrawRect2(mem.hDC(), 0, 0, 6, 6, 0x0000FF));
    EXPECT_TRUE(gfxDrawLine(mem.hDC(), 4, 4, 1, 4, 0x00FF00));
    // (1, 4): a line's end is left out, whichever way it runs.
    const std::tuple<int, int, COLORREF> points[] = {
        {1, 1, RGB(128, 128, 128)}, {3, 3, kWhite}, {5, 0, RGB(255, 0, 0)},  {4, 4, RGB(0, 255, 0)},
        {2, 4, RGB(0, 255, 0)},     {1, 4, kWhite}, {6, 0, gdi::CLR_INVALID}};
    for (const auto& [x, y, colour] : points) EXPECT_EQ(gdi::GetPixel(mem.hDC(), x, y), colour) << x << "," << y;
}

TEST_F(Drawing, CopiesStretchesAndLeavesTheMaskColourOut) {
    gdi::Image two(2, 1);
    two.at(0, 0) = gdi::ArgbOf(kMagenta);
    two.at(1, 0) = gdi::ArgbOf(RGB(1, 2, 3));
    Surface src(two), dst(Filled(4, 2, kWhite));
    EXPECT_TRUE(gfxDrawTransparentDC(dst.hDC(), src.hDC(), 0, 0, 4, 2, 0, 0, 0, 0, 2, 1, kMagenta));
    EXPECT_EQ(dst.at(1, 1), kWhite);
    EXPECT_EQ(dst.at(2, 0), RGB(1, 2, 3));
    EXPECT_EQ(dst.at(3, 1), RGB(1, 2, 3));
    EXPECT_TRUE(gdi::BitBlt(dst.hDC(), 2, 0, 2, 1, src.hDC(), 0, 0));
    EXPECT_EQ(dst.at(2, 0), kMagenta);
    EXPECT_TRUE(gdi::StretchBlt(dst.hDC(), 0, 0, 4, 2, src.hDC(), 1, 0, 1, 1));
    EXPECT_EQ(dst.at(0, 1), RGB(1, 2, 3));
    EXPECT_EQ(dst.at(3, 0), RGB(1, 2, 3));

    gdi::Image clear = two;
    clear.at(0, 0) = 0x00FFFFFFu;  // fully transparent: kept out by blending, not by a mask
    EXPECT_TRUE(gfxDrawTransparentBitmap(dst.hDC(), clear, 0, 0, kNoColor));
    EXPECT_EQ(dst.at(0, 0), RGB(1, 2, 3));
    EXPECT_TRUE(gfxDrawTransparentBitmap(dst.hDC(), two, 2, 1, kNoColor));  // no mask colour: magenta shows
    EXPECT_EQ(dst.at(2, 1), kMagenta);
}

TEST_F(Drawing, GradientRunsTopToBottomAndDotsOutlineOnly) {
    tavSCls40::MemoryDC mem;
    ASSERT_TRUE(mem.Create(7, 11, kWhite));
    EXPECT_TRUE(gdi::GradientFillV(mem.hDC(), RECT{1, 1, 6, 11}, RGB(0, 0, 200), RGB(200, 0, 0)));
    const auto at = [&](int x, int y) { return gdi::GetPixel(mem.hDC(), x, y); };
    const auto red = [](COLORREF c) { return static_cast<int>(c & 0xFF); };
    const auto blue = [](COLORREF c) { return static_cast<int>(c >> 16); };
    EXPECT_EQ(at(0, 5), kWhite);
    EXPECT_EQ(at(3, 0), kWhite);
    EXPECT_NEAR(blue(at(1, 1)), 200, 25);
    EXPECT_NEAR(red(at(5, 10)), 200, 25);
    EXPECT_NEAR(red(at(3, 5)), 100, 30);
    EXPECT_EQ(at(1, 5), at(5, 5));  // the same along a row

    ASSERT_TRUE(mem.Create(30, 12, kWhite));
    EXPECT_TRUE(gdi::DrawDottedRect(mem.hDC(), RECT{0, 0, 30, 12}, RGB(1, 2, 3)));
    int top = 0, bottom = 0, left = 0, right = 0;
    for (int x = 0; x < 30; ++x) {
        top += at(x, 0) != kWhite;
        bottom += at(x, 11) != kWhite;
    }
    for (int y = 0; y < 12; ++y) {
        left += at(0, y) != kWhite;
        right += at(29, y) != kWhite;
        for (int x = 1; x < 29 && y > 0 && y < 11; ++x) EXPECT_EQ(at(x, y), kWhite) << x << "," << y;
    }
    EXPECT_GE(top, 6);  // dots, not a line
    EXPECT_LE(top, 15);
    EXPECT_GE(bottom, 6);
    EXPECT_GE(left, 2);
    EXPECT_GE(right, 2);
    EXPECT_FALSE(gdi::GradientFillV(mem.hDC(), RECT{2, 2, 2, 4}, 0, 0));
}

TEST_F(Drawing, StaleOrEmptySourcesDrawNothing) {
    Surface dst(Filled(4, 4, kWhite));
    EXPECT_FALSE(gfxDrawSkin(dst.hDC(), 0, 0, {}, 0, 0, 4, 4, 3, 3, 0));
    EXPECT_FALSE(gfxDrawTransparentDC(dst.hDC(), 12345, 0, 0, 4, 4, 0, 0, 0, 0, 4, 4, 0));
    EXPECT_FALSE(gfxDrawTransparentBitmap(dst.hDC(), gdi::Image(), 0, 0, 0));
    EXPECT_EQ(dst.at(1, 1), kWhite);
}

TEST_F(Drawing, DisabledPictureIsItsDarkShapeEmbossed) {
    gdi::Image picture = Filled(3, 1, RGB(230, 230, 230));  // light pixels are not part of the shape
    picture.at(0, 0) = gdi::ArgbOf(RGB(10, 10, 10));
    Surface dst(Filled(4, 2, RGB(50, 60, 70)));
    EXPECT_TRUE(gfxDrawDisabledPicture(dst.hDC(), picture, PictureKind::Bitmap, 0, 0, kMagenta));
    EXPECT_EQ(dst.at(0, 0), RGB(128, 128, 128));  // shadow over
    EXPECT_EQ(dst.at(1, 1), RGB(255, 255, 255));  // the highlight, one pixel down and right
    EXPECT_EQ(dst.at(1, 0), RGB(50, 60, 70));
}

TEST_F(Drawing, SkinKeepsCornersAndStretchesEdgesAndMiddle) {
    Surface src(NineCellFrames(2)), dst(Filled(30, 20, kWhite));
    EXPECT_TRUE(gfxDrawSkin(dst.hDC(), src.hDC(), 1, RECT{3, 3, 3, 3}, 0, 0, 30, 20, 9, 9, kMagenta));
    // Corners; the middle from right after the margins to right before the far ones; the edges.
    const std::array<int, 4> points[] = {{0, 0, 0, 0},   {2, 2, 0, 0},  {3, 3, 1, 1},  {26, 16, 1, 1}, {27, 17, 2, 2},
                                         {29, 19, 2, 2}, {15, 1, 1, 0}, {1, 10, 0, 1}, {28, 10, 2, 1}};
    for (const auto& [x, y, cx, cy] : points) EXPECT_EQ(dst.at(x, y), Cell(cx, cy, 1)) << x << "," << y;
}

TEST_F(Drawing, SkinLeavesMaskPixelsAndCanSkipTheMiddle) {
    gdi::Image frame = Filled(6, 6, RGB(10, 20, 30));
    for (const auto& [x, y] : {std::pair{0, 0}, {5, 0}, {0, 5}, {5, 5}}) frame.at(x, y) = gdi::ArgbOf(kMagenta);
    Surface src(frame), dst(Filled(12, 12, kWhite));
    EXPECT_TRUE(gfxDrawSkin(dst.hDC(), src.hDC(), 0, RECT{2, 2, 2, 2}, 0, 0, 12, 12, 6, 6, kMagenta, false, false,
                            false, false, CentreNone));
    // Masked corners and the middle (6, 6) left out.
    const std::tuple<int, int, COLORREF> points[] = {
        {0, 0, kWhite}, {11, 11, kWhite}, {1, 0, RGB(10, 20, 30)}, {6, 6, kWhite}, {6, 1, RGB(10, 20, 30)}};
    for (const auto& [x, y, colour] : points) EXPECT_EQ(dst.at(x, y), colour) << x << "," << y;
}

TEST_F(Drawing, SkinTilesWhatItIsAskedToTile) {
    // A 1-pixel-wide frame: a top and bottom row of margin, three distinct rows between.
    gdi::Image frame(1, 5);
    const COLORREF rows[5] = {RGB(9, 9, 9), RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(9, 9, 9)};
    for (int y = 0; y < 5; ++y) frame.at(0, y) = gdi::ArgbOf(rows[y]);
    Surface src(frame), dst(Filled(2, 9, kWhite));
    EXPECT_TRUE(gfxDrawSkin(dst.hDC(), src.hDC(), 0, RECT{0, 1, 0, 1}, 0, 0, 1, 9, 5, 1, kMagenta, false, false, false,
                            false, CentreTile));
    EXPECT_TRUE(gfxDrawSkin(dst.hDC(), src.hDC(), 0, RECT{0, 1, 0, 1}, 1, 0, 2, 9, 5, 1, kMagenta));
    for (int y = 1; y < 8; ++y) EXPECT_EQ(dst.at(0, y), rows[1 + (y - 1) % 3]) << "tiled row " << y;
    EXPECT_EQ(dst.at(1, 1), rows[1]);  // stretched: each row twice or more, in order
    EXPECT_EQ(dst.at(1, 2), rows[1]);
    EXPECT_EQ(dst.at(1, 7), rows[3]);
    EXPECT_EQ(dst.at(0, 8), rows[4]);
}

TEST_F(Drawing, RegionsCombineAndAreDeletedOnce) {
    const gdi::HRGN a = gdi::CreateRectRgn(0, 0, 4, 4), b = gdi::CreateRectRgn(2, 2, 6, 6);
    const gdi::HRGN out = gdi::CreateRectRgn(0, 0, 0, 0);
    const auto has = [&](int x, int y) { return gdi::PtInRegion(out, x, y); };
    ASSERT_TRUE(gdi::CombineRgn(out, a, b, gdi::CombineMode::And));
    EXPECT_TRUE(has(2, 2) && has(3, 3) && !has(1, 1) && !has(4, 4));
    ASSERT_TRUE(gdi::CombineRgn(out, a, b, gdi::CombineMode::Or));
    EXPECT_TRUE(has(0, 0) && has(5, 5) && has(3, 2) && !has(5, 0) && !has(6, 6));
    ASSERT_TRUE(gdi::CombineRgn(out, a, b, gdi::CombineMode::Diff));
    EXPECT_TRUE(has(0, 0) && has(3, 1) && !has(2, 2) && !has(5, 5));
    ASSERT_TRUE(gdi::CombineRgn(out, a, b, gdi::CombineMode::Xor));
    EXPECT_TRUE(has(0, 0) && has(5, 5) && !has(3, 3));
    EXPECT_TRUE(gdi::DeleteObject(b));
    EXPECT_FALSE(gdi::DeleteObject(b));
    EXPECT_FALSE(gdi::CombineRgn(out, a, b, gdi::CombineMode::Or));
    EXPECT_TRUE(gdi::DeleteObject(a) && gdi::DeleteObject(out));
}

TEST_F(Drawing, MemoryDcReleasesEverything) {
    {
        tavSCls40::MemoryDC mem;
        EXPECT_FALSE(mem.Create(0, 5, 0));
        EXPECT_EQ(mem.hDC(), 0);
        EXPECT_TRUE(mem.Create(3, 2, RGB(1, 2, 3)));
        EXPECT_TRUE(mem.Create(4, 2, RGB(1, 2, 3)));  // re-creating frees the first
        EXPECT_EQ(gdi::LiveHandleCount(gdi::ObjectKind::DeviceContext), 1u);
        EXPECT_EQ(gdi::LiveHandleCount(gdi::ObjectKind::Bitmap), 1u);
        EXPECT_EQ(gdi::GetPixel(mem.hDC(), 3, 1), RGB(1, 2, 3));
    }
    EXPECT_EQ(gdi::LiveHandleCount(), 0u);
}

TEST_F(Drawing, TextIsMeasuredWithinTheWidthAndDrawnInItsColour) {
    tavSCls40::MemoryDC mem;
    ASSERT_TRUE(mem.Create(80, 60, kWhite));
    gdi::SelectFont(mem.hDC(), gdi::Font{u"Tahoma", 0, 13, 400, false, false, false});
    const auto measure = [&](const std::u16string& text, std::uint32_t flags, int width = 400) {
        RECT r{10, 20, 10 + width, 400};
        gdi::DrawText(mem.hDC(), text, r, flags | gdi::DT_CALCRECT);
        EXPECT_TRUE(r.Left == 10 && r.Top == 20);
        return gdi::SIZE{r.Right - r.Left, r.Bottom - r.Top};
    };
    const gdi::SIZE line = measure(u"Convert", gdi::DT_SINGLELINE);
    EXPECT_TRUE(line.cy >= 12 && line.cy <= 20) << line.cy;
    EXPECT_TRUE(line.cx >= 30 && line.cx <= 70) << line.cx;
    const gdi::SIZE wrapped = measure(u"one two three four five six", gdi::DT_WORDBREAK, 60);
    EXPECT_LE(wrapped.cx, 60);
    EXPECT_GE(wrapped.cy, 3 * line.cy - 3);
    EXPECT_NEAR(measure(u"A&&B", 0).cx, measure(u"A&B", gdi::DT_NOPREFIX).cx, 1);
    EXPECT_NEAR(measure(u"&Save", 0).cx, measure(u"Save", gdi::DT_NOPREFIX).cx, 1);

    gdi::SetTextColor(mem.hDC(), RGB(0, 0, 255));
    gdi::SetBkMode(mem.hDC(), gdi::BkMode::Transparent);
    RECT box{10, 10, 70, 50};
    gdi::DrawText(mem.hDC(), u"Hello", box, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE);
    int inked = 0, outside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 80; ++x) {
            const COLORREF c = gdi::GetPixel(mem.hDC(), x, y);
            if (c == kWhite) continue;
            const bool in = x >= 10 && x < 70 && y >= 10 && y < 50;
            in ? ++inked : ++outside;
            EXPECT_GT(c >> 16, c & 0xFF) << "ink is blue at " << x << "," << y;
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(outside, 0);
}

}  // namespace
