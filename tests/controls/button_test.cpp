// The command button's behaviour against a fake host: press, release,
// toggle, group, drop zone, keys and access key, frames, painting, the
// window's shape, the property rules and their messages, skins and layout.
#include "controls/BTN.h"
#include "controls/MsgBox.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/memory_dc.h"
#include "controls/suite/tavResSrv40.h"
#include "tests/controls/fake_site.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace winmsg;

namespace {

using Log = std::vector<std::string>;

PropertyBag BagWith(std::initializer_list<std::pair<const char*, PropertyValue>> values) {
    PropertyBag bag;
    for (const auto& [k, v] : values) bag.WriteProperty(k, v);
    return bag;
}

// A form of buttons, each on a fake site of its own: each sees the others as
// its form's controls and its container's.
struct Form {
    std::vector<std::unique_ptr<FakeSite>> sites;
    std::vector<std::unique_ptr<BTN>> buttons;
    Log log;
    BTN& Add(const PropertyBag& bag, gdi::SIZE size = {100, 30}, Ambient a = {HostMode::Run, u"BTN1", {}, true}) {
        auto& site = *sites.emplace_back(std::make_unique<FakeSite>());
        auto& b = *buttons.emplace_back(std::make_unique<BTN>(site, std::move(a)));
        for (std::size_t i = 0; i + 1 < sites.size(); ++i) {
            for (auto [s, other] : {std::pair{sites[i].get(), &b}, {&site, buttons[i].get()}})
                s->formControls.push_back(other), s->siblings.push_back(other);
        }
        site.size = size;
        b.ReadProperties(bag);
        return b;
    }
    FakeSite& SiteOf(const BTN& b) {
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].get() == &b) return *sites[i];
        throw std::logic_error("not on this form");
    }
    void Watch(BTN& b) {
        b.events.Click = [this] { log.push_back("Click"); };
        b.events.MouseDown = [this](int, int, int x, int) { log.push_back("MouseDown " + std::to_string(x)); };
        b.events.MouseUp = [this](int, int, int, int) { log.push_back("MouseUp"); };
        b.events.DropDown = [this](int, int, int, int) { log.push_back("DropDown"); };
        b.events.DropUp = [this](int, int, int, int) { log.push_back("DropUp"); };
        b.events.KeyDown = [this](int k, int) { log.push_back("KeyDown " + std::to_string(k)); };
        b.events.KeyUp = [this](int k, int) { log.push_back("KeyUp " + std::to_string(k)); };
        b.events.KeyPress = [this](int a) { log.push_back("KeyPress " + std::to_string(a)); };
    }
    void Press(BTN& b, int x, int y) { SiteOf(b).Mouse(b, WM_LBUTTONDOWN, x, y); }
    void Release(BTN& b, int x, int y) { SiteOf(b).Mouse(b, WM_LBUTTONUP, x, y); }
    void Click(BTN& b) { Press(b, 20, 10), Release(b, 20, 10); }
    void Hover(BTN& b, int x, int y) { SiteOf(b).Mouse(b, WM_MOUSEMOVE, x, y); }
};

// Answers every piece with a flat strip: frame k is colour Colour(k), the drop part's rotated by three.
struct FlatSkins {
    int frames = 8;
    std::vector<long> asked;
    bool answer = true;
    static gdi::COLORREF Colour(int k) { return gdi::RGB(20 * k, 255 - 20 * k, 90); }
    void operator()(long res, SkinMapInfo& skin, SkinSource& source) {
        asked.push_back(res);
        if (!answer) return;
        const std::string name = "test" + std::to_string(res);
        skin.ImageName = std::u16string(name.begin(), name.end());
        skin.MaskColor = 0xFF00FF;
        skin.MapMargin = gdi::RECT{0, 0, 0, 0};
        const int shift = res == 1517 ? 3 : 0;
        source.picture = gdi::Image(10, 6 * frames);
        for (int y = 0; y < 6 * frames; ++y)
            for (int x = 0; x < 10; ++x) source.picture.at(x, y) = gdi::ArgbOf(Colour((y / 6 + shift) % frames));
    }
};

gdi::COLORREF PixelOf(const BTN& b, gdi::SIZE size, int x, int y) {
    tavSCls40::MemoryDC dc;
    EXPECT_TRUE(dc.Create(size.cx, size.cy, 0));
    b.Print(dc.hDC());
    return gdi::GetPixel(dc.hDC(), x, y);
}

}  // namespace

TEST(Button, PressAndReleaseOfPlainToggleAndSplitButtons) {
    Form f;
    BTN& b = f.Add({});
    f.Watch(b);
    f.Hover(b, 20, 15);
    f.Press(b, 20, 15);
    EXPECT_TRUE(b.IsPressed());
    EXPECT_EQ(b.BodyFrame(), 6);
    f.Release(b, 20, 15);
    f.Press(b, 20, 15);
    f.Release(b, 300, 100);  // released away: neither MouseUp nor Click
    EXPECT_FALSE(b.IsPressed());
    EXPECT_EQ(f.log, (Log{"MouseDown 20", "MouseUp", "Click", "MouseDown 20"}));

    // A toggle flips also when released outside, but not on a double click's second
    // press, which is not the button's: its release neither flips nor clicks.
    BTN& t = f.Add(BagWith({{"ButtonStyle", 0}, {"Toggle", true}}));
    f.Click(t);
    EXPECT_TRUE(t.TogglePressed());
    f.Press(t, 20, 10);
    f.Release(t, 300, 150);
    f.SiteOf(t).Mouse(t, WM_LBUTTONDBLCLK, 20, 10);
    f.Release(t, 20, 10);
    EXPECT_FALSE(t.TogglePressed());

    // A split button: its drop zone presses apart from the body.
    BTN& d = f.Add(BagWith({{"ButtonStyle", 2}, {"DropDown", true}}));
    f.Watch(d);
    f.log.clear();
    EXPECT_EQ(d.DropWidth(), 12);
    EXPECT_EQ(d.DropZoneRect().Left, 100 - 11 + 1);  // right of W - d, d = drop part width 11
    EXPECT_EQ(d.HitTest({100 - 11, 5}), BTN::ButtonPart::Body);
    f.Hover(d, 95, 15);
    f.Press(d, 95, 15);
    EXPECT_TRUE(d.IsDropPressed() && !d.IsPressed());
    EXPECT_EQ(d.DropFrame(), 2);
    EXPECT_EQ(d.BodyFrame(), 1);  // the body only hovers
    f.Release(d, 95, 15);
    f.Press(d, 95, 15);
    f.Release(d, 250, 150);  // pressed in the zone, released outside: DropDown and MouseDown only
    EXPECT_FALSE(d.IsDropPressed());
    EXPECT_EQ(f.log, (Log{"DropDown", "MouseDown 95", "DropUp", "Click", "DropDown", "MouseDown 95"}));
}

TEST(Button, GroupedButtonsReleaseEachOtherAcrossTheForm) {
    Form f;
    const auto grouped = BagWith({{"Grouped", true}, {"GroupID", 3}});
    BTN& a = f.Add(grouped);
    BTN& b = f.Add(grouped);
    BTN& other = f.Add(BagWith({{"Grouped", true}, {"GroupID", 4}}));
    f.SiteOf(b).siblings.clear();  // the form's list, not the container, is walked
    EXPECT_TRUE(a.Toggle());       // a grouped button is always a toggle
    f.Click(other);
    f.Click(a);
    f.Click(b);
    EXPECT_TRUE(b.TogglePressed());
    EXPECT_FALSE(a.TogglePressed());
    EXPECT_TRUE(other.TogglePressed());  // another group
    f.Watch(b);
    f.Click(b);
    EXPECT_TRUE(b.TogglePressed());  // clicking the pressed one leaves it pressed
    EXPECT_EQ(f.log, (Log{"MouseDown 20", "Click"}));

    // A host without the form's list: the container's controls, late-bound, pressed with our GroupID.
    Form g;
    const Ambient noList{HostMode::Run, u"", {}, false};
    BTN& x = g.Add(BagWith({{"Grouped", true}, {"GroupID", 2}}), {100, 30}, noList);
    BTN& plain = g.Add(BagWith({{"Toggle", true}, {"TogglePressed", true}, {"GroupID", 2}}), {100, 30}, noList);
    g.SiteOf(x).formControls.clear();
    x.SetTogglePressed(true);
    EXPECT_FALSE(plain.TogglePressed());
}

TEST(Button, AccessKeysAndSpace) {
    Form f;
    BTN& b = f.Add(BagWith({{"Caption", u"Fish && &Chips"}}));
    BTN& g = f.Add(BagWith({{"Caption", u"&Grouped"}, {"Grouped", true}, {"GroupID", 1}}));
    EXPECT_EQ(b.AccessKey(), u'c');
    EXPECT_EQ(f.SiteOf(b).accessKeys, u"c");
    f.Watch(b);
    b.AccessKeyPress(u'c');
    EXPECT_EQ(f.log, Log{"Click"});
    g.events.Click = [&] { f.log.push_back("group Click"); };
    g.AccessKeyPress(u'g');
    EXPECT_TRUE(g.TogglePressed());
    g.AccessKeyPress(u'g');  // a pressed group member raises nothing
    b.SetEnabled(false);
    b.AccessKeyPress(u'c');
    b.SetEnabled(true);
    EXPECT_EQ(f.log, (Log{"Click", "group Click"}));  // neither a pressed group member nor a disabled button

    f.log.clear();
    f.SiteOf(b).Send(b, WM_KEYDOWN, 32);
    EXPECT_TRUE(b.IsSpaceDown());
    EXPECT_EQ(b.BodyFrame(), 6);
    f.SiteOf(b).Send(b, WM_CHAR, 32);
    f.SiteOf(b).Send(b, WM_KEYUP, 32);
    EXPECT_FALSE(b.IsSpaceDown());
    f.SiteOf(b).Send(b, WM_KEYDOWN, 65);
    f.SiteOf(b).Send(b, WM_KEYUP, 65);
    EXPECT_EQ(f.log, (Log{"KeyDown 32", "KeyPress 32", "Click", "KeyUp 32", "KeyDown 65", "KeyUp 65"}));

    b.SetCaption(u"&");
    EXPECT_EQ(b.AccessKey(), 0);
    b.SetCaption(u"a&&b");
    EXPECT_EQ(b.AccessKey(), 0);
    EXPECT_EQ(f.SiteOf(b).accessKeys, u"");
    BTN& designed = f.Add(BagWith({{"Caption", u"&Design"}}), {100, 30}, {HostMode::Design, u"", {}, true});
    EXPECT_EQ(designed.AccessKey(), u'd');
    EXPECT_EQ(f.SiteOf(designed).accessKeys, u"");  // no access key while designing
}

// Which frame a state shows is button_layout's (button_layout_test.cpp); here,
// that hover, the host's Default, focus and Enabled reach it.
TEST(Button, FramesFollowTheStateAndPaintWithWhatLiesBehindTheCorners) {
    Form f;
    BTN& h = f.Add(BagWith({{"Grouped", true}}));
    FakeSite& hs = f.SiteOf(h);
    f.Hover(h, 30, 10);
    EXPECT_EQ(hs.timers.count(modSkinConstants::kHoverTimerId), 1u);
    EXPECT_EQ(h.BodyFrame(), 1);
    hs.cursor = {390, 190};
    hs.Send(h, WM_TIMER, modSkinConstants::kHoverTimerId);
    EXPECT_FALSE(h.IsMouseOver());
    EXPECT_TRUE(hs.timers.empty());
    h.SetShowAsDefault(true);
    EXPECT_EQ(h.BodyFrame(), 2);
    h.ExtenderProperties().Default = false;  // the host's Default wins
    h.Refresh();
    EXPECT_EQ(h.BodyFrame(), 0);
    h.SetTogglePressed(true);
    hs.Send(h, WM_SETFOCUS);
    EXPECT_EQ(h.BodyFrame(), 6);
    f.Hover(h, 30, 10);
    h.SetEnabled(false);
    hs.Send(h, WM_ENABLE, 0);
    EXPECT_TRUE(hs.timers.empty());
    EXPECT_EQ(h.BodyFrame(), 7);
    // A split button of a flat test skin paints the frames of its state.
    BTN& b = f.Add(BagWith({{"ButtonStyle", 2}, {"DropDown", true}}), {120, 30});
    FlatSkins skins;
    skins.frames = 7;
    b.events.QuerySkin = [&](long r, SkinMapInfo& s, SkinSource& src) { skins(r, s, src); };
    b.ApplyCustomSkin();
    EXPECT_EQ(skins.asked, (std::vector<long>{1523, 1517, 1511}));
    EXPECT_EQ(b.BodySkin().IMGHeight, 6);  // 7 frames of the custom strip
    const auto body = [&] { return PixelOf(b, {120, 30}, 20, 3); };
    const auto drop = [&] { return PixelOf(b, {120, 30}, 115, 3); };
    EXPECT_EQ(body(), FlatSkins::Colour(0));
    EXPECT_EQ(drop(), FlatSkins::Colour(3));
    f.Hover(b, 20, 15);
    EXPECT_EQ(body(), FlatSkins::Colour(1));
    EXPECT_EQ(drop(), FlatSkins::Colour(4));
    f.Press(b, 20, 15);
    EXPECT_EQ(body(), FlatSkins::Colour(2));
    EXPECT_EQ(drop(), FlatSkins::Colour(5));  // pressing the body presses the drop part too
    f.Release(b, 20, 15);
    f.SiteOf(b).Send(b, WM_SETFOCUS);  // the keyboard's place: a dotted rectangle inside the edge
    EXPECT_EQ(PixelOf(b, {120, 30}, 3, 3), gdi::RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(b, {120, 30}, 4, 3), body());
    b.SetShowFocusRect(false);
    EXPECT_EQ(PixelOf(b, {120, 30}, 3, 3), body());
    b.SetEnabled(false);  // styles 0 and 2 have no disabled frame
    f.SiteOf(b).Send(b, WM_ENABLE, 0);
    EXPECT_EQ(body(), FlatSkins::Colour(0));

    // An XP-look button shows what its host paints behind it where its skin leaves pixels out.
    struct GreenBehind : FakeSite {
        bool PaintBackgroundBehind(gdi::HDC dc) override {
            return gdi::FillRect(dc, gdi::RECT{0, 0, size.cx, size.cy}, gdi::RGB(10, 200, 30));
        }
    } site;
    BTN xp(site);
    xp.ReadProperties({});
    xp.events.QuerySkin = [&](long r, SkinMapInfo& s, SkinSource& src) {
        skins(r, s, src);
        s.MapMargin = gdi::RECT{3, 0, 3, 0};
        for (int y = 0; y < src.picture.height; ++y)
            for (int x = 0; x < 3; ++x) src.picture.at(x, y) = gdi::ArgbOf(0xFF00FF);
    };
    xp.ApplyCustomSkin();
    EXPECT_EQ(PixelOf(xp, site.size, 1, 15), gdi::RGB(10, 200, 30));  // not BackColor's grey
    EXPECT_EQ(PixelOf(xp, site.size, 50, 15), FlatSkins::Colour(0));
    xp.ApplyDefaultSkin();

    // Styles 1 and 2 cut the window's four corner pixels; style 0 keeps its rectangle.
    site.size = {50, 20};
    const gdi::HRGN r = xp.MakeWindowRegion();
    for (auto [x, y] : {std::pair{0, 0}, {49, 0}, {0, 19}, {49, 19}}) EXPECT_FALSE(gdi::PtInRegion(r, x, y));
    for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {48, 19}, {49, 18}, {25, 10}}) EXPECT_TRUE(gdi::PtInRegion(r, x, y));
    gdi::DeleteRegion(r);
    xp.SetButtonStyle(0);
    EXPECT_EQ(xp.MakeWindowRegion(), 0);
}

TEST(Button, PropertyRulesMessagesStorageAndSkinFallBacks) {
    std::vector<MsgBox::Request> shown;
    MsgBox::ScopedHandler recorder([&](const MsgBox::Request& r) { return shown.push_back(r), int(MsgBox::vbOK); });
    Form f;
    BTN& b = f.Add(BagWith({{"ButtonStyle", 2}, {"DropDown", true}}));
    b.SetBackStyle(0);
    b.SetButtonStyle(1);  // back to opaque, no drop-down
    EXPECT_EQ(b.BackStyle(), 1);
    EXPECT_FALSE(b.DropDown());
    b.SetBackStyle(0);
    EXPECT_EQ(b.BackStyle(), 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].title == u"QV Command Button Property Manger");
    EXPECT_TRUE(shown[0].prompt == u"This value is not allowed for Windows XP style buttons.");
    EXPECT_EQ(shown[0].icon(), int(MsgBox::vbExclamation));

    b.SetDropDown(true);  // refused silently in run mode
    EXPECT_FALSE(b.DropDown());
    EXPECT_EQ(shown.size(), 1u);
    BTN& designed = f.Add({}, {100, 30}, {HostMode::Design, u"", {}, true});
    designed.SetDropDown(true);
    EXPECT_TRUE(shown.back().prompt == u"Drop Down is not allowed for this button style.");
    EXPECT_TRUE(shown.back().title == u"QV Command Button Property Manager");

    const auto told = [&](std::u16string_view start) { return shown.back().prompt.starts_with(start); };
    b.SetButtonStyle(2);
    b.SetToggle(true);
    b.SetDropDown(true);
    EXPECT_TRUE(!b.Toggle() && b.DropDown());
    EXPECT_TRUE(told(u"Grouped and Toggle properties must be False"));
    b.SetGrouped(true);
    EXPECT_TRUE(b.Grouped() && b.Toggle() && !b.DropDown());
    EXPECT_TRUE(told(u"The DropDown property must be False"));
    b.SetToggle(false);
    EXPECT_TRUE(b.Toggle());
    EXPECT_TRUE(shown.back().prompt.ends_with(u"then set it's Grouped property to false."));
    EXPECT_EQ(shown.back().icon(), int(MsgBox::vbInformation));

    b.SetGrouped(false);
    b.SetToggle(false);
    b.SetTogglePressed(true);  // ignored unless Toggle
    EXPECT_FALSE(b.TogglePressed());
    b.SetCaption(std::u16string(u"O\0K", 3));
    EXPECT_TRUE(b.Caption() == u"OK");

    BTN& plain = f.Add({});
    PropertyBag bag;
    plain.WriteProperties(bag);
    EXPECT_TRUE(bag.Keys().empty());
    plain.SetCaption(u"&Go");
    plain.SetButtonStyle(0);
    plain.SetXPTheme(2);
    plain.SetForeColor(0xFF);
    plain.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"ButtonStyle", "Caption", "ForeColor"}));  // not XPTheme

    PropertyBag stored = bag;
    stored.Write<short>("XPTheme", 2, 0);
    stored.Write<bool>("Grouped", true, false);
    BTN& loaded = f.Add(stored);
    EXPECT_TRUE(loaded.Caption() == u"&Go");
    EXPECT_EQ(loaded.XPTheme(), 2);
    EXPECT_EQ(loaded.LoadedTheme(), 0);  // the stored theme does not reload the skins
    EXPECT_TRUE(loaded.Toggle());        // a grouped button is made a toggle
    loaded.SetXPTheme(1);
    EXPECT_EQ(loaded.LoadedTheme(), 1);
    loaded.InitProperties();  // a new instance takes the host's name
    EXPECT_TRUE(loaded.Caption() == u"BTN1");

    BTN& xp = f.Add({});
    xp.ApplyCustomSkin();  // nobody answers: style 1 stays without pieces until ApplyDefaultSkin
    EXPECT_EQ(xp.BodySkin().MemDC, 0);
    xp.ApplyDefaultSkin();
    EXPECT_TRUE(xp.BodySkin().MemDC != 0 && xp.BodySkin().ImageName.empty());

    // Style 0 is never asked and gets its built-in pieces.
    BTN& classic = f.Add(BagWith({{"ButtonStyle", 0}, {"DropDown", true}}));
    FlatSkins skins;
    classic.events.QuerySkin = [&](long r, SkinMapInfo& s, SkinSource& src) { skins(r, s, src); };
    classic.ApplyCustomSkin();
    EXPECT_TRUE(skins.asked.empty());
    EXPECT_TRUE(classic.BodySkin().MemDC != 0 && classic.DropSkin().MemDC != 0 && classic.ArrowSkin().MemDC != 0);

    // A style 1 custom strip is cut into 8 frames; a name with no picture stops.
    xp.events.QuerySkin = classic.events.QuerySkin;
    xp.ApplyCustomSkin();
    EXPECT_TRUE(xp.BodySkin().ImageName == u"test1100");
    EXPECT_TRUE(xp.BodySkin().IMGHeight == 6 && xp.BodySkin().DCWidth == 10);
    skins.answer = false;
    xp.ApplyCustomSkin();
    EXPECT_EQ(xp.BodySkin().MemDC, 0);
}

TEST(Button, CustomLayoutTakesTheDrawingSpaceAndTheSizeHasAFloor) {
    const std::size_t handles = gdi::LiveHandleCount();
    const int requests = tavResSrv40::OutstandingRequests();
    auto f = std::make_unique<Form>();
    BTN& b = f->Add(BagWith({{"ButtonStyle", 2}, {"DropDown", true}}), {112, 40});
    EXPECT_EQ(b.DrawingArea(), (gdi::RECT{4, 4, 96, 36}));  // 12 less for the drop zone
    b.events.QueryLayout = [](SkinButtonLayoutInfo& l) {
        l.LayoutMode = sknLayoutSeperates;
        l.DrawingSpace = gdi::RECT{0, 2, 0, 5};
    };
    b.ApplyCustomLayout();
    EXPECT_EQ(b.DrawingArea(), (gdi::RECT{0, 2, 112, 35}));
    f->Hover(b, 20, 10);
    f->Press(b, 20, 10);
    PixelOf(b, {112, 40}, 1, 1);
    f->SiteOf(b).size = {6, 6};
    f->SiteOf(b).Send(b, WM_SIZE);
    EXPECT_EQ(f->SiteOf(b).size, (gdi::SIZE{10, 10}));  // never under 150 twips
    EXPECT_GT(gdi::LiveHandleCount(), handles);
    f.reset();  // and a destroyed button leaves no handle behind
    EXPECT_EQ(gdi::LiveHandleCount(), handles);
    EXPECT_EQ(tavResSrv40::OutstandingRequests(), requests);
}
