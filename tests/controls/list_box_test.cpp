// The list box against a fake host: range errors, selection and scrolling rules, keyboard, wheel, clicks,
// drag auto-scroll, its own scroll bar, repaint economy, stored settings.  Row arithmetic: list_rows_test.
#include "controls/LB.h"
#include "tests/controls/fake_site.h"

#include <gtest/gtest.h>

#include <string>

using namespace winmsg;

namespace {

constexpr int kLine = 13;  // FakeSite's line height

// A list in run mode sized to show exactly five rows, with `items` items.
struct List {
    FakeSite site;
    LB lb{site, Ambient{}};
    explicit List(int items) {
        site.size = {200, kLine * 5 + 2};
        lb.InitProperties();
        for (int i = 0; i < items; ++i) lb.AddItem(u"item " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
    }
    void Mouse(UINT message, int x, int y, WPARAM flags = 0) { site.Mouse(lb, message, x, y, flags); }
    void Wheel(int delta) { site.Send(lb, WM_MOUSEWHEEL, MAKEWPARAM(0, delta)); }
    void Tick(std::uintptr_t id) { site.Send(lb, WM_TIMER, id); }
    bool BarShown() const { return site.child->visible; }
};

template <typename Fn>
int ErrorOf(Fn&& fn) try {
    fn();
    return 0;
} catch (const LBError& e) {
    return e.number();
}

}  // namespace

TEST(ListBox, RangeErrorsAndRemoveItemShiftingDataAndTheSelection) {
    List empty(0), l(6);
    EXPECT_EQ(ErrorOf([&] { empty.lb.RemoveItem(0); }) + ErrorOf([&] { empty.lb.SetListIndex(0); }), 381 + 380);
    EXPECT_EQ(ErrorOf([&] { l.lb.SetListIndex(-2); }) + ErrorOf([&] { l.lb.SetListIndex(6); }), 2 * 380);
    EXPECT_EQ(ErrorOf([&] { l.lb.ItemText(6); }) + ErrorOf([&] { l.lb.SetItemData(-1, 5); }), 2 * 381);
    l.lb.SetItemData(1, 42);
    l.lb.SetItemStringData(1, u"forty-two");
    l.lb.SetListIndex(4);
    int changed = 0;
    l.lb.ListIndexChange = [&] { ++changed; };
    l.lb.RemoveItem(0);
    EXPECT_EQ(l.lb.ItemText(0), u"item 1");
    EXPECT_EQ(l.lb.ItemData(0), 42);
    EXPECT_EQ(l.lb.ItemStringData(0), u"forty-two");
    EXPECT_EQ(l.lb.ListIndex(), 3L);
    l.lb.RemoveItem(4);  // after the selection: unchanged; then the chosen one
    l.lb.RemoveItem(3);
    EXPECT_EQ(l.lb.ListIndex(), -1L);
    EXPECT_EQ(changed, 0);
    l.lb.AddItem(u"new");
    EXPECT_EQ(l.lb.NewIndex(), 3L);
    EXPECT_EQ(l.lb.ItemData(3), 0);  // the spare slot starts empty
    // The change is raised also when unchanged; -1 clears the selection.
    l.lb.SetListIndex(1);
    l.lb.SetListIndex(1);
    EXPECT_EQ(ErrorOf([&] { l.lb.SetListIndex(-1); }), 0);
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(l.lb.ListIndex(), -1L);
}

TEST(ListBox, TopIndexLimitsAndTheScrollBar) {
    List l(3);
    EXPECT_EQ(l.lb.ItemsVisible(), 5);
    EXPECT_FALSE(l.BarShown());
    for (int top : {-1, 0, 1, 2}) EXPECT_EQ(ErrorOf([&] { l.lb.SetTopIndex(top); }), 380);  // everything fits
    for (const char16_t* text : {u"4", u"5"}) l.lb.AddItem(text);
    EXPECT_FALSE(l.BarShown());
    l.lb.AddItem(u"6");
    EXPECT_TRUE(l.BarShown());
    EXPECT_EQ(l.lb.sbUC().Max(), 1L);
    EXPECT_EQ(l.site.child->bounds, (gdi::RECT{200 - 1 - 13, 1, 200 - 1, kLine * 5 + 1}));  // inside the border
    l.lb.RemoveItem(0);
    EXPECT_FALSE(l.BarShown());
    for (int i = 5; i < 20; ++i) l.lb.AddItem(u"more");
    int top = 0;
    l.lb.TopIndexChange = [&] { ++top; };
    l.lb.SetTopIndex(15);
    EXPECT_EQ(l.lb.sbUC().Value(), 15L);
    EXPECT_EQ(ErrorOf([&] { l.lb.SetTopIndex(16); }) + ErrorOf([&] { l.lb.SetTopIndex(-1); }), 2 * 380);
    l.lb.SetTopIndex(0);
    EXPECT_EQ(top, 2);
    LBVScroll& sb = l.lb.sbUC();
    l.site.childSite->Mouse(sb, WM_LBUTTONDOWN, 5, sb.ThumbRect().Bottom + 2, MK_LBUTTON);
    EXPECT_EQ(l.lb.TopIndex(), 5L);  // the bar pages by the visible rows
}

TEST(ListBox, KeyboardMoves) {
    List l(20);
    std::vector<int> keys;
    l.lb.KeyDown = [&](int code, int) { keys.push_back(code); };
    l.site.Send(l.lb, WM_KEYDOWN, 40);  // Down with no selection: nothing moves
    EXPECT_EQ(l.lb.ListIndex(), -1L);
    l.lb.SetListIndex(2);
    // Each key once, with this list's page and length; the moves' rules are list_rows'.
    for (const auto& [key, expected] : {std::pair{34, 7L}, {35, 19L}, {38, 18L}, {33, 13L}, {36, 0L}, {40, 1L}}) {
        l.site.Send(l.lb, WM_KEYDOWN, static_cast<WPARAM>(key));
        EXPECT_EQ(l.lb.ListIndex(), expected) << key;
    }
    EXPECT_EQ(keys, (std::vector<int>{40, 34, 35, 38, 33, 36, 40}));
}

// Lines per notch are read at load; a turn is kept while the bar shows, passed on over a list that fits.
TEST(ListBox, WheelUsesTheSystemLinesAndPassesOnWhatItDoesNotUse) {
    List l(20);
    l.site.wheelLines = 7;
    EXPECT_EQ(l.lb.WheelScrollLines(), 3);
    EXPECT_EQ(l.lb.MsgResponse(WM_MOUSEWHEEL), MessageResponse::Consume);
    l.Wheel(-120);  // towards the user: down the list
    EXPECT_EQ(l.lb.TopIndex(), 3L);
    l.Wheel(-1200);
    EXPECT_EQ(l.lb.TopIndex(), 15L);   // at most the scroll bar's Max
    EXPECT_EQ(l.lb.ListIndex(), -1L);  // the wheel never selects

    List fits(3);
    fits.Wheel(-360);  // held within the hidden bar's range, whose Max is 1
    EXPECT_EQ(fits.lb.TopIndex(), 1L);
    EXPECT_EQ(fits.lb.MsgResponse(WM_MOUSEWHEEL), MessageResponse::Preprocess);
}

// A click chooses nothing; it raises Click when an item is chosen (a double click's second, DblClick).
// A drag out of the list steps the choice; the speed's arithmetic is list_rows', the list's height its own.
TEST(ListBox, ClicksAndDragAutoScroll) {
    List l(20);
    int clicks = 0, doubles = 0, moves = 0;
    l.lb.Click = [&] { ++clicks; };
    l.lb.DblClick = [&] { ++doubles; };
    l.lb.MouseMove = [&](int, int, int, int) { ++moves; };
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP}) l.Mouse(m, 20, 5);
    l.lb.SetListIndex(10);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) l.Mouse(m, 20, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    const int h = l.site.size.cy;
    std::uint32_t now = 1000;
    l.lb.SetTickSource([&] { return now; });
    l.Mouse(WM_LBUTTONDOWN, 50, 10, MK_LBUTTON);
    l.Mouse(WM_MOUSEMOVE, 50, h + 11, MK_LBUTTON);  // 300 ms a step
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(l.lb.ListIndex(), 11L);  // first step at once
    now += 299;
    l.Tick(LB::kDragTimerId);
    EXPECT_EQ(l.lb.ListIndex(), 11L);
    now += 1;
    l.Tick(LB::kDragTimerId);
    EXPECT_EQ(l.lb.ListIndex(), 12L);
    l.Mouse(WM_LBUTTONUP, 50, h + 11);
    EXPECT_FALSE(l.site.IsTimerRunning(LB::kDragTimerId));
}

// Appending repaints only for the visible page, and a burst of changes (a log
// line per event-loop pass) paints once per frame.
TEST(ListBox, AppendingRepaintsOnlyForTheVisiblePageAtMostOncePerFrame) {
    List l(4);
    auto before = l.lb.RedrawRequests();
    l.lb.AddItem(u"on the page");
    EXPECT_GT(l.lb.RedrawRequests(), before);
    before = l.lb.RedrawRequests();
    l.lb.AddItem(u"below the page");
    EXPECT_EQ(l.lb.RedrawRequests(), before);
    l.lb.SetListIndex(l.lb.NewIndex());  // the log's way: the newest line chosen comes into view
    EXPECT_EQ(l.lb.sbUC().Value(), l.lb.ListCount() - 5);
    l.lb.BeginUpdate();
    before = l.lb.RedrawRequests();
    l.lb.AddItem(u"quiet");
    EXPECT_EQ(l.lb.RedrawRequests(), before);
    EXPECT_EQ(l.lb.sbUC().TotalItems(), l.lb.ListCount() - 1);
    l.lb.EndUpdate();
    EXPECT_EQ(l.lb.sbUC().TotalItems(), l.lb.ListCount());
    std::uint32_t now = 5000;
    l.lb.SetTickSource([&] { return now; });
    l.Tick(LB::kPaintTimerId);  // whatever went before is passed on
    now += LB::kFrameMs;
    const int painted = l.site.invalidations;
    l.lb.SetListIndex(0);  // passed on at once
    now += 5;
    l.lb.SetListIndex(1);  // same frame: deferred
    l.lb.SetListIndex(2);
    EXPECT_EQ(l.site.invalidations, painted + 1);
    l.Tick(LB::kPaintTimerId);
    EXPECT_EQ(l.site.invalidations, painted + 2);
}

TEST(ListBox, ItemHeightAndSettingsRoundTripThroughThePropertyBag) {
    List l(0);
    PropertyBag empty;
    l.lb.WriteProperties(empty);
    EXPECT_EQ(empty.Count(), 0);  // all at their defaults
    EXPECT_EQ(l.lb.CurrentItemHeight(), kLine);
    l.lb.SetItemHeightAuto(false);
    l.lb.SetItemHeight(kLine + 6);
    EXPECT_EQ(l.lb.ItemsVisible(), (kLine * 5 + 2) / (kLine + 6));
    l.lb.SetItemHeight(2);  // never below the text
    EXPECT_EQ(l.lb.CurrentItemHeight(), kLine);
    LBHiddenSettings hidden = l.lb.HiddenSettings();
    hidden.ScrollBarWidth = 17;
    hidden.WordWrap = false;
    l.lb.SetHiddenSettings(hidden);
    l.lb.SetBorderWidth(3);
    l.lb.SetBackNormal(0x80000005);  // kept as the colour it stands for
    EXPECT_EQ(l.lb.BackNormal(), tavGFX40::gfxTranslateColor(0x80000005));
    PropertyBag bag;
    l.lb.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"BackNormal", "BorderWidth", "ItemHeight", "ItemHeightAuto",
                                                    "ScrollBarWidth", "WordWrap"}));
    FakeSite site;
    site.size = {200, 100};
    LB copy(site, Ambient{});
    copy.ReadProperties(bag);
    EXPECT_FALSE(copy.HiddenSettings().WordWrap);
    EXPECT_EQ(copy.BorderWidth(), 3);
    EXPECT_EQ(site.child->bounds.Right - site.child->bounds.Left, 17);
    PropertyBag again;
    copy.WriteProperties(again);
    EXPECT_EQ(again.Keys(), bag.Keys());
}
