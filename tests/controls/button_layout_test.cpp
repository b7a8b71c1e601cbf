// Where the command button puts picture and caption, and which frame it shows.
#include "controls/button_layout.h"

#include <gtest/gtest.h>

namespace button_layout {
namespace {

TEST(DrawingArea, StandardInsetsDropZoneAndCustomSpace) {
    EXPECT_EQ(DrawingArea(gdi::SIZE{100, 30}, 0, std::nullopt), Box(4, 4, 92, 22));
    EXPECT_EQ(DrawingArea(gdi::SIZE{100, 30}, 12, std::nullopt), Box(4, 4, 80, 22));
    EXPECT_EQ(DrawingArea(gdi::SIZE{100, 30}, 12, Insets{10, 2, 6, 3}), Box(10, 2, 84, 25));  // no drop inset
    // Edges beyond their far edge are moved back onto it.
    EXPECT_EQ(DrawingArea(gdi::SIZE{6, 6}, 0, std::nullopt), Box(2, 2, 0, 0));
    EXPECT_EQ(DrawingArea(gdi::SIZE{20, 20}, 0, Insets{30, 30, 0, 0}), Box(20, 20, 0, 0));
}

TEST(LayoutButton, PictureAndCaptionPerPosition) {
    // A 100 x 60 area at (0, 0); a 16 x 16 picture; a caption measuring 40 x 12.
    const gdi::RECT area = Box(0, 0, 100, 60);
    const gdi::SIZE pic{16, 16}, text{40, 12};
    const struct {
        const char* what;
        int position;
        Arrangement arrangement;
        gdi::RECT picture, caption;
    } cases[] = {
        // One block of 16 + 4 + 40 = 60 wide (or 16 + 4 + 12 = 32 high), centred.
        {"left", picLeft, Arrangement::Block, Box(20, 22, 16, 16), Box(40, 24, 40, 12)},
        {"right", picRight, Arrangement::Block, Box(64, 22, 16, 16), Box(20, 24, 40, 12)},
        {"above", picAbove, Arrangement::Block, Box(42, 14, 16, 16), Box(30, 34, 40, 12)},
        {"below", picBelow, Arrangement::Block, Box(42, 30, 16, 16), Box(30, 14, 40, 12)},
        {"unknown position", 7, Arrangement::Block, gdi::RECT{}, gdi::RECT{}},
        // The picture at its edge, the caption box the rest of the area.
        {"left, at edge", picLeft, Arrangement::PictureAtEdge, Box(0, 22, 16, 16), Box(20, 0, 80, 60)},
        {"right, at edge", picRight, Arrangement::PictureAtEdge, Box(84, 22, 16, 16), Box(0, 0, 80, 60)},
        {"above, at edge", picAbove, Arrangement::PictureAtEdge, Box(42, 0, 16, 16), Box(0, 20, 100, 40)},
        {"below, at edge", picBelow, Arrangement::PictureAtEdge, Box(42, 44, 16, 16), Box(0, 0, 100, 40)},
    };
    for (const auto& c : cases) {
        const Layout l = layoutButton(area, text, true, pic, c.position, c.arrangement);
        EXPECT_EQ(l.picture, c.picture) << c.what;
        EXPECT_EQ(l.caption, c.caption) << c.what;
    }
}

TEST(LayoutButton, OnlyACaptionOrOnlyAPicture) {
    const gdi::RECT area = Box(4, 4, 92, 22);
    const Layout captionOnly = layoutButton(area, gdi::SIZE{30, 10}, true, gdi::SIZE{}, picLeft, Arrangement::Block);
    EXPECT_TRUE(IsEmpty(captionOnly.picture));
    EXPECT_EQ(captionOnly.caption, area);
    const Layout pictureOnly = layoutButton(area, gdi::SIZE{}, false, gdi::SIZE{16, 16}, picLeft, Arrangement::Block);
    EXPECT_EQ(pictureOnly.picture, Box(42, 7, 16, 16));
}

TEST(ContentExtent, AddsTheGapBetweenPictureAndCaption) {
    EXPECT_EQ(ContentExtent(gdi::SIZE{40, 12}, gdi::SIZE{16, 16}, picLeft), (gdi::SIZE{60, 16}));
    EXPECT_EQ(ContentExtent(gdi::SIZE{40, 12}, gdi::SIZE{16, 16}, picBelow), (gdi::SIZE{40, 32}));
    EXPECT_EQ(ContentExtent(gdi::SIZE{40, 12}, gdi::SIZE{}, picBelow), (gdi::SIZE{40, 12}));
    EXPECT_EQ(ContentExtent(gdi::SIZE{}, gdi::SIZE{16, 16}, picBelow), (gdi::SIZE{16, 16}));
}

TEST(Frames, BodyAndDropFramePerState) {
    auto s = [](auto&& set) {
        State st;
        set(st);
        return st;
    };
    const struct {
        const char* what;
        State state;
        int xp, flat, drop;
    } cases[] = {
        {"normal", State{}, 0, 0, 0},
        {"hover", s([](State& x) { x.mouseOver = true; }), 1, 1, 1},
        {"pressed over", s([](State& x) { x.pressed = x.mouseOver = true; }), 6, 2, 2},
        {"pressed, pointer away", s([](State& x) { x.pressed = true; }), 0, 0, 0},
        {"drop pressed over", s([](State& x) { x.dropPressed = x.mouseOver = true; }), 1, 1, 2},
        {"space down", s([](State& x) { x.spaceDown = true; }), 6, 0, 0},
        {"focused", s([](State& x) { x.focused = true; }), 2, 0, 0},
        {"default, hover", s([](State& x) { x.isDefault = x.mouseOver = true; }), 1, 1, 1},
        {"toggled", s([](State& x) { x.togglePressed = true; }), 0, 4, 4},
        {"toggled, hover", s([](State& x) { x.togglePressed = x.mouseOver = true; }), 1, 5, 5},
        {"grouped down", s([](State& x) { x.grouped = x.togglePressed = true; }), 4, 4, 4},
        {"grouped down, focused", s([](State& x) { x.grouped = x.togglePressed = x.focused = true; }), 6, 4, 4},
        {"grouped down, hover", s([](State& x) { x.grouped = x.togglePressed = x.mouseOver = true; }), 5, 5, 5},
        {"disabled", s([](State& x) { x.enabled = false; }), 3, 0, 0},
        {"disabled, toggled", s([](State& x) { x.enabled = false, x.togglePressed = true; }), 7, 4, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BodyFrame(styleXP, c.state), c.xp) << c.what;
        EXPECT_EQ(BodyFrame(styleFlat, c.state), c.flat) << c.what;
        EXPECT_EQ(BodyFrame(styleClassic, c.state), c.flat) << c.what;
        EXPECT_EQ(BodyFrame(5, c.state), 0) << c.what;
        EXPECT_EQ(DropFrame(c.state), c.drop) << c.what;
    }
}

}  // namespace
}  // namespace button_layout
