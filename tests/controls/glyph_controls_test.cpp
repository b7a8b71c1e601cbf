// The check box's and the option button's behaviour against a fake host:
// glyph frames, mouse and key rules, hover, stored settings, skins, and the
// option button's group rule, BeforeValueChanged and ValueSetClick.
#include "controls/CHKBOX.h"
#include "controls/Opt.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/tavResSrv40.h"
#include "tests/controls/fake_site.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

using namespace winmsg;
using modSkinConstants::kHoverTimerId;

namespace {

using Log = std::vector<std::string>;

void Watch(GlyphControlBase& c, Log& log) {
    c.events.Click = [&log] { log.push_back("Click"); };
    c.events.MouseDown = [&log](int b, int, int, int) { log.push_back("MouseDown " + std::to_string(b)); };
    c.events.MouseUp = [&log](int b, int, int, int) { log.push_back("MouseUp " + std::to_string(b)); };
    c.events.KeyDown = [&log](int k, int) { log.push_back("KeyDown " + std::to_string(k)); };
    c.events.KeyPress = [&log](int a) { log.push_back("KeyPress " + std::to_string(a)); };
    c.events.KeyUp = [&log](int k, int) { log.push_back("KeyUp " + std::to_string(k)); };
}

void Click(FakeSite& site, UserControl& c, UINT down = WM_LBUTTONDOWN, int x = 5) {
    site.Mouse(c, down, x, 10);
    site.Mouse(c, down == WM_LBUTTONDBLCLK ? WM_LBUTTONUP : down + 1, x, 10);
}

struct Box {
    FakeSite site;
    CHKBOX box{site};
    Log log;
    Box() {
        box.InitProperties();
        Watch(box, log);
    }
};

// A fake container of option buttons: each sees the others as siblings.
struct Group {
    struct Member {
        FakeSite site;
        Opt opt{site};
    };
    std::map<const Opt*, std::unique_ptr<Member>> members;
    Log log;
    Opt& Add(short groupID, bool grouped, bool value = false) {
        auto m = std::make_unique<Member>();
        for (auto& [o, other] : members) {
            other->site.siblings.push_back(&m->opt);
            m->site.siblings.push_back(&other->opt);
        }
        Opt& o = m->opt;
        members.emplace(&o, std::move(m));
        o.InitProperties();
        o.SetGroupID(groupID);
        o.SetGrouped(grouped);
        o.SetValue(value);
        return o;
    }
    FakeSite& SiteOf(const Opt& o) { return members.at(&o)->site; }
    void Watch(Opt& o) {
        ::Watch(o, log);
        o.BeforeValueChanged = [this](bool& v, bool&) { log.push_back("BeforeValueChanged " + std::to_string(v)); };
    }
    void Click(Opt& o, UINT down = WM_LBUTTONDOWN) { ::Click(SiteOf(o), o, down); }
};

}  // namespace

TEST(CheckBox, GlyphFrameFollowsStateAndValue) {
    enum class Drive { None, Hover, Press, Space, Disable };
    const std::pair<Drive, int> cases[] = {
        {Drive::None, 0}, {Drive::Hover, 1}, {Drive::Press, 2}, {Drive::Space, 2}, {Drive::Disable, 3}};
    for (const bool value : {false, true}) {
        for (const auto& [drive, frame] : cases) {
            Box f;
            f.box.SetValue(value);
            switch (drive) {
                case Drive::None: break;
                case Drive::Hover: f.site.Mouse(f.box, WM_MOUSEMOVE, 5, 10); break;
                case Drive::Press:
                    f.site.Mouse(f.box, WM_MOUSEMOVE, 5, 10);
                    f.site.Mouse(f.box, WM_LBUTTONDOWN, 5, 10, MK_LBUTTON);
                    break;
                case Drive::Space: f.site.Send(f.box, WM_KEYDOWN, 32); break;
                case Drive::Disable: f.box.SetEnabled(false); break;
            }
            EXPECT_EQ(f.box.GlyphFrame(), frame + (value ? 4 : 0)) << static_cast<int>(drive) << " " << value;
        }
    }
}

TEST(CheckBox, ClickFlipsOnlyWhenReleasedOverTheBoxSpaceOnReleaseAndHoverEnds) {
    Box f;
    Click(f.site, f.box);
    EXPECT_TRUE(f.box.Value());
    EXPECT_EQ(f.log, (Log{"MouseDown 1", "Click", "MouseUp 1"}));

    f.log.clear();
    f.site.Mouse(f.box, WM_LBUTTONDOWN, 5, 10);
    f.site.Mouse(f.box, WM_LBUTTONUP, -20, 40);
    EXPECT_TRUE(f.box.Value());
    EXPECT_FALSE(f.box.IsPressed());
    EXPECT_EQ(f.log, (Log{"MouseDown 1", "MouseUp 1"}));

    f.log.clear();  // a release without a press first does nothing
    f.site.Mouse(f.box, WM_LBUTTONUP, 5, 10);
    EXPECT_TRUE(f.log.empty());

    Click(f.site, f.box);  // a double click is two clicks
    Click(f.site, f.box, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(f.box.Value());
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "Click"), 2);
    f.log.clear();

    f.site.Send(f.box, WM_KEYDOWN, 32);
    EXPECT_TRUE(f.box.IsSpaceDown() && f.box.IsPressed());
    f.site.Send(f.box, WM_KEYUP, 32);
    EXPECT_FALSE(f.box.Value());
    EXPECT_FALSE(f.box.IsSpaceDown() || f.box.IsPressed());
    EXPECT_EQ(f.log, (Log{"KeyDown 32", "Click", "KeyUp 32"}));

    f.log.clear();
    f.site.Send(f.box, WM_KEYDOWN, 65);
    f.site.Send(f.box, WM_CHAR, 97);
    f.site.Send(f.box, WM_KEYUP, 65);
    EXPECT_FALSE(f.box.Value());
    EXPECT_EQ(f.log, (Log{"KeyDown 65", "KeyPress 97", "KeyUp 65"}));

    // Hover ends once the cursor leaves, or the box is disabled or hidden.
    f.site.Mouse(f.box, WM_MOUSEMOVE, 5, 10);
    EXPECT_TRUE(f.box.IsMouseOver());
    EXPECT_TRUE(f.site.IsTimerRunning(kHoverTimerId));
    f.site.Send(f.box, WM_TIMER, kHoverTimerId);  // still inside: nothing changes
    EXPECT_TRUE(f.box.IsMouseOver());

    f.site.cursor = {200, 10};
    f.site.Send(f.box, WM_TIMER, kHoverTimerId);
    EXPECT_FALSE(f.box.IsMouseOver());
    EXPECT_FALSE(f.site.IsTimerRunning(kHoverTimerId));

    for (const UINT stop : {WM_ENABLE, WM_SHOWWINDOW}) {
        f.site.Mouse(f.box, WM_MOUSEMOVE, 5, 10);
        ASSERT_TRUE(f.site.IsTimerRunning(kHoverTimerId));
        f.site.Send(f.box, stop, 0);
        EXPECT_FALSE(f.site.IsTimerRunning(kHoverTimerId));
        EXPECT_FALSE(f.box.IsMouseOver());
    }
}

TEST(CheckBox, StoredSettingsComeBackAndValueFromCodeRaisesNoClick) {
    FakeSite site;
    PropertyBag bag;
    bag.WriteProperty("BackColor", std::int64_t{0x0000C0});
    bag.WriteProperty("DrawFocusRectangle", false);
    bag.WriteProperty("ValueSetClick", true);  // never read back
    bag.WriteProperty("Caption", u"Stored");
    bag.WriteProperty("Value", true);
    CHKBOX box(site, Ambient{HostMode::Run, u"chk", gdi::Font{u"Sans", 0, 11}, true});
    box.ReadProperties(bag);
    EXPECT_TRUE(box.Value());
    EXPECT_EQ(box.Caption(), u"Stored");
    EXPECT_FALSE(site.subclassed.empty());
    box.SetBackStyle(CHKBOX::bsTransparent);

    PropertyBag out;
    box.WriteProperties(out);
    EXPECT_EQ((out.Keys()), (std::vector<std::string>{"BackColor", "Caption", "DrawFocusRectangle", "Value"}));
    EXPECT_EQ(out.Read<int>("BackColor", 0), 0xC0);

    int clicks = 0, changes = 0;
    box.events.Click = [&] { ++clicks; };
    box.PropertyChanged = [&](const char*) { ++changes; };
    box.SetValue(false);
    box.SetValue(true);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(changes, 2);

    FakeSite designSite;  // in design mode the box only paints: nothing subclassed
    CHKBOX designed(designSite, Ambient{HostMode::Design, u"chk", {}, true});
    designed.InitProperties();
    EXPECT_TRUE(designSite.subclassed.empty());
}

TEST(CheckBox, SkinsFallBackToBuiltInAndAreReleased) {
    const int before = tavResSrv40::OutstandingRequests();
    {
        Box f;
        f.box.ApplyCustomSkin();  // nobody answers
        EXPECT_NE(f.box.GlyphSkin().MemDC, 0);
        EXPECT_TRUE(f.box.GlyphSkin().ImageName.empty());
        f.box.events.QuerySkin = [](long, SkinMapInfo& skin, SkinSource& source) {
            skin.ImageName = u"core-check-strip";
            source.picture = gdi::Image(13, 13 * 8, 0xFF336699);
        };
        f.box.ApplyCustomSkin();
        EXPECT_EQ(f.box.GlyphSkin().ImageName, u"core-check-strip");
        EXPECT_EQ(f.box.GlyphSkin().IMGHeight, 13);
    }
    EXPECT_EQ(tavResSrv40::OutstandingRequests(), before);
}

TEST(OptionButton, TrueValueClearsTheOthersOfTheGroup) {
    Group g;
    Opt& a = g.Add(1, true, true);
    Opt& b = g.Add(1, true);
    Opt& other = g.Add(2, true, true);
    Opt& loose = g.Add(1, false, true);  // same GroupID, not grouped itself
    EXPECT_TRUE(a.Value());              // `loose` is not grouped: it cleared nobody
    b.SetValue(true);
    EXPECT_TRUE(b.Value());
    EXPECT_FALSE(a.Value());
    EXPECT_FALSE(loose.Value());  // cleared: the rule looks at GroupID and Value only
    EXPECT_TRUE(other.Value());
    loose.SetValue(true);  // a non-grouped button set True clears nobody
    EXPECT_TRUE(b.Value());
}

TEST(OptionButton, ClicksChooseKeepOrTurnOffAndBeforeValueChangedCanCancelOrChangeTheChoice) {
    Group g;
    Opt& a = g.Add(1, true, true);
    Opt& b = g.Add(1, true);
    Opt& lone = g.Add(7, true, true);
    Opt& free = g.Add(8, false, true);
    g.Watch(b);
    g.Click(b);
    EXPECT_TRUE(b.Value());
    EXPECT_FALSE(a.Value());
    EXPECT_EQ(g.log, (Log{"MouseDown 1", "BeforeValueChanged 1", "Click", "MouseUp 1"}));

    g.log.clear();  // clicked again while on, with a partner in the container: kept, nobody asked
    g.Click(b);
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(g.log, (Log{"MouseDown 1", "MouseUp 1"}));

    g.Watch(lone);  // a lone grouped button and a non-grouped one turn off, without Click
    g.Watch(free);
    g.log.clear();
    g.Click(lone);
    g.Click(free);
    EXPECT_FALSE(lone.Value() || free.Value());
    EXPECT_EQ(std::count(g.log.begin(), g.log.end(), "BeforeValueChanged 0"), 2);
    EXPECT_EQ(std::count(g.log.begin(), g.log.end(), "Click"), 0);
    g.Click(free);  // a double click chooses twice: on, then off again
    g.Click(free, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(free.Value());

    // BeforeValueChanged can cancel or change the choice.
    a.SetValue(true);  // b cleared
    int clicks = 0;
    b.events.Click = [&] { ++clicks; };
    bool cancel = true;
    b.BeforeValueChanged = [&](bool&, bool& bCancel) { bCancel = cancel; };
    g.Click(b);
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(a.Value());  // the grouped button still clears its group after a cancelled choice

    free.BeforeValueChanged = [](bool& newValue, bool&) { newValue = false; };
    g.Click(free);
    EXPECT_FALSE(free.Value());

    cancel = false;
    g.Click(b);
    EXPECT_TRUE(b.Value());
}

TEST(OptionButton, OtherButtonsChooseWithoutClickReleaseOutsideChangesNothingAndValueSetClick) {
    Group g;
    Opt& o = g.Add(3, false);
    g.Watch(o);
    FakeSite& site = g.SiteOf(o);
    site.Mouse(o, WM_LBUTTONDOWN, 5, 10);
    EXPECT_TRUE(o.IsPressed());
    site.Mouse(o, WM_LBUTTONUP, 200, 10);
    EXPECT_FALSE(o.Value() || o.IsPressed());
    g.Click(o, WM_RBUTTONDOWN);
    EXPECT_TRUE(o.Value());
    g.Click(o, WM_MBUTTONDOWN);
    EXPECT_FALSE(o.Value());
    EXPECT_EQ(g.log, (Log{"MouseDown 1", "MouseUp 1", "MouseDown 2", "BeforeValueChanged 1", "MouseUp 2", "MouseDown 4",
                          "BeforeValueChanged 0", "MouseUp 4"}));

    // With ValueSetClick a change from code raises Click; a click and the space key raise one.
    g.log.clear();
    o.SetValue(true);
    o.SetValue(false);
    o.SetValueSetClick(true);
    o.SetValue(true);
    o.SetValue(true);  // no change
    o.SetValue(false);
    EXPECT_EQ(g.log, (Log{"Click"}));

    g.log.clear();  // a click by mouse still raises exactly one Click
    g.Click(o);
    EXPECT_EQ(std::count(g.log.begin(), g.log.end(), "Click"), 1);

    Opt& a = g.Add(1, true, true);
    Opt& b = g.Add(1, true);
    g.Watch(b);
    g.log.clear();
    g.SiteOf(b).Send(b, WM_KEYDOWN, 32);
    EXPECT_EQ(b.GlyphFrame(), 2);
    g.SiteOf(b).Send(b, WM_CHAR, 32);
    g.SiteOf(b).Send(b, WM_KEYUP, 32);
    EXPECT_TRUE(b.Value() && !a.Value());
    EXPECT_EQ(g.log, (Log{"KeyDown 32", "KeyPress 32", "BeforeValueChanged 1", "Click", "KeyUp 32"}));
}

TEST(OptionButton, GlyphAndCaptionBoxFollowAlignmentAndPlacement) {
    Group g;
    Opt& o = g.Add(3, false);
    g.SiteOf(o).size = {80, 21};
    EXPECT_EQ(o.GlyphRect(), (gdi::RECT{0, 4, 13, 17}));
    EXPECT_EQ(o.CaptionBox(), (gdi::RECT{17, 0, 80, 21}));
    o.SetAlignment(Opt::optGlyphRight);
    EXPECT_EQ(o.GlyphRect(), (gdi::RECT{66, 4, 79, 17}));  // the last column stays free
    EXPECT_EQ(o.CaptionBox(), (gdi::RECT{0, 0, 62, 21}));
    o.SetAlignment(2);
    EXPECT_EQ(o.GlyphRect(), gdi::RECT{});
    o.SetControlWidth(30);
    o.SetXOffset(2);
    o.SetYOffset(-1);
    EXPECT_EQ(o.CaptionBox(), (gdi::RECT{2, -1, 32, 20}));
}
