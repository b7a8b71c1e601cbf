// The two skinned scroll bars' behaviour against a fake host: presses, the
// auto-repeat tick by tick, thumb drags and their rounding, the events and
// their order, paging, disabling and hiding, stored properties and skins.
// The range rules and the thumb arithmetic are scroll_range_test.cpp's.
#include "controls/LBVScroll.h"
#include "controls/VSC.h"
#include "controls/modSkinConstants.h"
#include "tests/controls/fake_site.h"

#include <gtest/gtest.h>

#include <string>

using namespace winmsg;
using scroll_bar::kTimerScrl;
using scroll_bar::kTimerScrlEnable;
using Part = scroll_range::Part;

namespace {

using Log = std::vector<std::string>;

gdi::POINT Centre(const gdi::RECT& r) { return {(r.Left + r.Right - 1) / 2, (r.Top + r.Bottom - 1) / 2}; }

// A 17 x 200 pixel bar: 3000 twips, arrows 255 twips (17 pixels) each.
template <class Bar>
struct Host {
    FakeSite site;
    Bar bar{site};
    Log log;
    Host() {
        site.size = {17, 200};
        bar.InitProperties();
    }
    void Press(gdi::POINT p) { site.Mouse(bar, WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON); }
    void MoveHeld(gdi::POINT p) { site.Mouse(bar, WM_MOUSEMOVE, p.x, p.y, MK_LBUTTON); }
    void Release(gdi::POINT p = {}) { site.Mouse(bar, WM_LBUTTONUP, p.x, p.y); }
    void Tick(std::uintptr_t id) { site.Send(bar, WM_TIMER, id); }
    bool Running(std::uintptr_t id) const { return site.IsTimerRunning(id); }
    // Ticks the repeat until it stops by itself (at most `limit` ticks); the number of ticks.
    int RepeatUntilStopped(int limit = 50) {
        Tick(kTimerScrlEnable);
        int ticks = 0;
        for (; Running(kTimerScrl) && ticks < limit; ++ticks) Tick(kTimerScrl);
        return ticks;
    }
};

// The stand-alone bar, Max 100, raising into `log`.
struct Vsc : Host<VSC> {
    explicit Vsc(long max = 100) {
        bar.SetMax(max);
        bar.Change = [this] { log.push_back("change " + std::to_string(bar.Value())); };
        bar.Scroll = [this] { log.push_back("scroll " + std::to_string(bar.Value())); };
        bar.BarMouseUp = [this] { log.push_back("up"); };
    }
};

// The list box's bar: 100 items, 10 visible, Max 90, pages of `page`.
struct ListBar : Host<LBVScroll> {
    long page = 10;
    explicit ListBar(long max = 90) {
        bar.SetTotalItems(100);
        bar.SetItemsVisible(10);
        bar.SetMax(max);
        bar.BarMouseDown = [this] { log.push_back("down"); };
        bar.Change = [this](long v) { log.push_back("change " + std::to_string(v)); };
        bar.Scroll = [this](long v) { log.push_back("scroll " + std::to_string(v)); };
        bar.BarMouseUp = [this] { log.push_back("up"); };
        bar.QueryPageSize = [this](int direction, long& amount) {
            log.push_back("page " + std::to_string(direction));
            amount = page;
        };
    }
};

TEST(VSC, ArrowsStepAndRepeatWhileThePointerStaysOnThem) {
    Vsc b;
    b.bar.SetSmallChange(3);
    const gdi::POINT down = Centre(b.bar.DownArrowRect());
    b.Press(down);
    EXPECT_TRUE(b.site.capture);
    EXPECT_EQ(b.bar.PressDirection(), VSC::towardsMax);
    EXPECT_TRUE(b.Running(kTimerScrlEnable));
    b.Tick(kTimerScrl);  // not running yet: ignored
    b.Tick(kTimerScrlEnable);
    EXPECT_FALSE(b.Running(kTimerScrlEnable));
    b.Tick(kTimerScrl);
    b.MoveHeld({8, 100});  // pointer left the arrow: no step
    b.Tick(kTimerScrl);
    b.Release(down);
    EXPECT_FALSE(b.Running(kTimerScrl) || b.site.capture);
    // At Min the up arrow moves nothing and raises nothing; only a drag ends with BarMouseUp.
    b.bar.SetValue(0);
    b.Press(Centre(b.bar.UpArrowRect()));
    EXPECT_EQ(b.bar.PressDirection(), VSC::towardsMin);
    EXPECT_EQ(b.log, (Log{"change 3", "change 6"}));
}

TEST(ScrollBars, HeldTrackRepeatsUntilTheThumbReachesThePointerAndFollowsIt) {
    for (const auto& [start, y] : {std::pair{0L, 160}, std::pair{100L, 40}}) {
        Vsc b;
        b.bar.SetValue(start);
        b.Press({8, y});
        const int ticks = b.RepeatUntilStopped(40);
        EXPECT_TRUE(ticks > 1 && ticks < 40) << ticks;
        const double pointer = y * 15.0;
        const long reached = b.bar.Value();
        EXPECT_TRUE(start == 0 ? b.bar.ThumbTop() + b.bar.ThumbLength() >= pointer : b.bar.ThumbTop() <= pointer);
        // One step less would not have reached the pointer.
        b.bar.SetValue(start == 0 ? reached - 10 : reached + 10);
        EXPECT_TRUE(start == 0 ? b.bar.ThumbTop() + b.bar.ThumbLength() < pointer : b.bar.ThumbTop() > pointer);
    }
    ListBar l;
    l.Press({8, 150});
    EXPECT_LT(l.RepeatUntilStopped(), 50);
    EXPECT_GE(l.bar.ThumbTop() + l.bar.ThumbLength(), 150 * 15);
    EXPECT_LT(l.bar.ThumbTop(), 150 * 15);

    Vsc moved;  // the repeat follows the pointer where it moves
    moved.Press({8, 60});
    EXPECT_EQ(moved.bar.Value(), 10);
    moved.MoveHeld({8, 180});
    moved.RepeatUntilStopped(40);
    EXPECT_GT(moved.bar.Value(), 70);
}

TEST(ScrollBars, DisablingOrHidingEndsThePress) {
    Vsc b;
    b.Press(Centre(b.bar.DownArrowRect()));
    b.bar.SetEnabled(false);
    EXPECT_FALSE(b.Running(kTimerScrlEnable));
    b.Press(Centre(b.bar.DownArrowRect()));
    EXPECT_EQ(b.bar.Value(), 1);

    b.bar.SetEnabled(true);
    b.Press(Centre(b.bar.DownArrowRect()));
    b.Tick(kTimerScrlEnable);
    b.site.Send(b.bar, WM_SHOWWINDOW, 0);
    EXPECT_FALSE(b.Running(kTimerScrl));
    EXPECT_EQ(b.bar.PressedPart(), Part::None);

    ListBar l;
    l.bar.SetEnabled(false);
    l.Press(Centre(l.bar.DownArrowRect()));
    EXPECT_EQ(l.bar.Value(), 0);
    EXPECT_TRUE(l.log.empty());
    EXPECT_FALSE(l.Running(kTimerScrlEnable));
}

TEST(VSC, StoredPropertiesRoundTrip) {
    Vsc b;
    Log changed;
    b.bar.PropertyChanged = [&changed](const char* name) { changed.push_back(name); };
    b.bar.SetdFormat(1);
    b.bar.SetMax(400);
    b.bar.SetValue(123);
    b.bar.SetLargeChange(50);
    b.bar.SetLargeChange(5000);  // refused: not marked
    EXPECT_EQ(changed, (Log{"dFormat", "Max", "Value", "LargeChange"}));
    PropertyBag bag;
    b.bar.WriteProperties(bag);
    Host<VSC> copy;
    copy.bar.ReadProperties(bag);
    EXPECT_EQ(copy.bar.Max(), 400);
    EXPECT_EQ(copy.bar.Value(), 123);
    EXPECT_EQ(copy.bar.LargeChange(), 50);
    EXPECT_EQ(copy.bar.dFormat(), 1);
    EXPECT_EQ(copy.bar.ThumbTop(), b.bar.ThumbTop());

    PropertyBag untouched;
    Host<VSC>().bar.WriteProperties(untouched);
    EXPECT_EQ(untouched.Count(), 0);
}

TEST(ScrollBars, ThumbDragRoundsToEvenAndEachBarEndsItItsOwnWay) {
    // 75 steps over 150 pixels of travel: every pixel is half a step.
    Vsc b(75);
    EXPECT_EQ(b.bar.ThumbLength(), 240.0);
    const gdi::POINT grab{8, b.bar.ThumbRect().Top + 2};
    b.Press(grab);
    b.MoveHeld({8, grab.y + 7});
    b.MoveHeld({8, grab.y + 7});  // changes nothing: no second Scroll
    EXPECT_EQ(b.bar.Value(), 4);  // 3.5 steps, to even
    const double dragged = b.bar.ThumbTop();
    b.Release({8, grab.y + 7});
    EXPECT_EQ(b.bar.ThumbTop(), dragged);  // left where it was let go, not where 4 puts it
    EXPECT_FALSE(b.bar.IsDragging());
    EXPECT_EQ(b.log, (Log{"scroll 4", "up"}));

    // The list bar's thumb follows the pointer, then settles where its value puts it.
    ListBar l(20);
    const gdi::POINT at{8, l.bar.ThumbRect().Top + 3};
    l.Press(at);
    EXPECT_TRUE(l.bar.IsDragging());
    // 2241 twips of travel for 20 steps: 14 pixels (210 twips) is 1.87 -> 2.
    l.MoveHeld({8, at.y + 14});
    EXPECT_EQ(l.bar.ThumbTop(), 255.0 + 210.0);
    l.MoveHeld({8, at.y + 500});  // far below: clamped, Max
    EXPECT_EQ(l.bar.ThumbTop() + l.bar.ThumbLength(), 3000.0 - 255.0);
    l.MoveHeld({8, at.y + 20});
    l.Release(at);
    EXPECT_EQ(l.bar.ThumbTop(), 255.0 + 2241.0 * static_cast<double>(l.bar.Value()) / 20.0);
    EXPECT_EQ(l.log, (Log{"down", "scroll 2", "scroll 20", "scroll 3", "up"}));
}

TEST(LBVScroll, PressesNotifyInOrderAndTheTrackAsksForThePage) {
    ListBar l;
    l.bar.SetValue(30);  // from code: raises nothing
    l.bar.SetValue(0);
    l.Press(Centre(l.bar.DownArrowRect()));
    l.Release();
    l.Press(Centre(l.bar.UpArrowRect()));  // back to 0
    l.Press(Centre(l.bar.UpArrowRect()));  // already at Min: no Change
    l.Release();
    EXPECT_EQ(l.log, (Log{"down", "change 1", "up", "down", "change 0", "down", "up"}));

    l.log.clear();
    l.bar.SetValue(45);
    l.page = 7;
    l.Press({8, l.bar.ThumbRect().Top - 5});
    l.Release();
    l.Press({8, l.bar.ThumbRect().Bottom + 4});
    l.Release();
    l.page = 0;  // no answer: no paging, no Change
    l.Press({8, l.bar.ThumbRect().Bottom + 4});
    EXPECT_EQ(l.bar.Value(), 45);
    EXPECT_EQ(l.log, (Log{"down", "page 0", "change 38", "up", "down", "page 1", "change 45", "up", "down", "page 1"}));
}

TEST(LBVScroll, ArrowRepeatsAfterTheDelayOnlyWhileOverTheArrow) {
    ListBar l;
    const gdi::POINT down = Centre(l.bar.DownArrowRect());
    l.Press(down);
    l.MoveHeld(down);
    EXPECT_FALSE(l.Running(kTimerScrl));
    l.Tick(kTimerScrl);  // not running yet: ignored
    l.Tick(kTimerScrlEnable);
    EXPECT_FALSE(l.Running(kTimerScrlEnable));
    l.Tick(kTimerScrl);
    l.Tick(kTimerScrl);
    EXPECT_EQ(l.bar.Value(), 3);
    l.MoveHeld({8, 100});  // off the arrow: no step, the timer stays
    l.Tick(kTimerScrl);
    EXPECT_EQ(l.bar.Value(), 3);
    l.MoveHeld(down);
    l.Tick(kTimerScrl);
    EXPECT_EQ(l.bar.Value(), 4);
    l.Release(down);
    EXPECT_FALSE(l.Running(kTimerScrl) || l.Running(kTimerScrlEnable));
}

TEST(ScrollBars, OnlyTheListBarTakesADoubleClickAsASecondPress) {
    ListBar l;
    const gdi::POINT down = Centre(l.bar.DownArrowRect());
    l.site.Mouse(l.bar, WM_LBUTTONDBLCLK, down.x, down.y, MK_LBUTTON);
    EXPECT_EQ(l.bar.Value(), 1);
    EXPECT_EQ(l.bar.PressedPart(), Part::DownArrow);

    Vsc b;  // the stand-alone bar does not even listen for it
    b.bar.WindowProc(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    EXPECT_EQ(b.bar.Value(), 0);
    EXPECT_EQ(b.bar.PressedPart(), Part::None);
}

TEST(ScrollBars, CustomSkinsAskEveryPieceAndFallBack) {
    ListBar l;
    std::vector<long> asked;
    l.bar.QuerySkin = [&asked](long res, SkinMapInfo& skin, SkinSource& source) {
        asked.push_back(res);
        if (res != modSkinConstants::resScrollThumb) return;
        skin.ImageName = u"scroll-bars-test-thumb";
        skin.MapMargin = gdi::RECT{4, 6, 4, 6};
        source.picture = gdi::Image(17, 4 * 30, gdi::ArgbOf(gdi::RGB(200, 0, 0)));
    };
    l.bar.ApplyCustomSkin();
    EXPECT_EQ(asked, (std::vector<long>{1367, 1382, 1385, 1364, 1379}));
    const auto& skins = l.bar.Skins();
    EXPECT_TRUE(skins.IsCustom(scroll_bar::pieceThumb));
    EXPECT_EQ(skins[scroll_bar::pieceThumb].IMGHeight, 30);
    EXPECT_FALSE(skins.IsCustom(scroll_bar::pieceShaft));
    EXPECT_NE(skins[scroll_bar::pieceShaft].MemDC, 0);      // unanswered: built-in
    EXPECT_EQ(l.bar.MinThumbLength(), (6 + 6 + 8) * 15.0);  // caps and gripper stay whole

    l.bar.ApplyDefaultSkin();
    EXPECT_EQ(l.bar.MinThumbLength(), 240.0);
    EXPECT_FALSE(l.bar.Skins().IsCustom(scroll_bar::pieceThumb));
}

}  // namespace
