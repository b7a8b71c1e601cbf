// The text box's behaviour against a fake host and a fake editor: its size
// and the editor's place, Change and key events, selection, clicks, looks.
#include "controls/modSkinConstants.h"
#include "controls/suite/memory_dc.h"
#include "controls/txt.h"
#include "tests/controls/fake_site.h"

#include <gtest/gtest.h>

using namespace winmsg;
using Log = std::vector<std::string>;
using S = txt::FrameState;

namespace {

struct Box {
    FakeSite site;
    txt box{site, Ambient{HostMode::Run, u"txt", gdi::Font{u"Sans", 0, 11}, true}};
    FakeSite::Editor& editor = *site.editor;
    Log log;
    Box() {
        site.size = {200, 24};
        box.InitProperties();
        box.events.Click = [this] { log.push_back("Click"); };
        box.events.Change = [this] { log.push_back("Change"); };
        box.events.KeyDown = [this](int k, int) { log.push_back("KeyDown " + std::to_string(k)); };
        box.events.KeyPress = [this](int a) { log.push_back("KeyPress " + std::to_string(a)); };
        box.events.KeyUp = [this](int k, int) { log.push_back("KeyUp " + std::to_string(k)); };
        box.PropertyChanged = [this](const char* name) { log.push_back(std::string("changed ") + name); };
    }
    void FromEditor(UINT message, int x = 5) { editor.listener.EditorMessage(message, 0, MAKELPARAM(x, 5), 0); }
};

}  // namespace

TEST(TextBox, NeverBelowItsLimitsAndTheEditorSitsBetweenTheMargins) {
    Box f;  // the editor: a line 14 high in the fake's 11-pixel font, plus 2
    EXPECT_EQ(f.editor.rect, (gdi::RECT{4, 4, 196, 20}));
    f.box.SetMarginLeft(10);
    f.box.SetMarginRight(0);
    EXPECT_EQ(f.editor.rect, (gdi::RECT{12, 4, 198, 20}));
    f.site.size = {3, 3};
    f.site.Send(f.box, WM_SIZE);
    EXPECT_EQ(f.site.size, (gdi::SIZE{10, 20}));  // the editor and its frame: 285 twips is only 19
    f.box.SetFont(gdi::Font{u"Sans", 0, 32});
    EXPECT_EQ(f.site.size.cy, 41);

    f.box.events.QuerySkin = [](long, SkinMapInfo& skin, SkinSource& source) {
        skin.ImageName = u"core-text-frame";  // frame k of colour 20 * k + 10, its margins the frame's
        skin.MapMargin = gdi::RECT{5, 5, 5, 5};
        source.picture = gdi::Image(12, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 12; ++x) source.picture.at(x, y) = gdi::ArgbOf(gdi::RGB(20 * (y / 12) + 10, 0, 0));
    };
    f.box.ApplyCustomSkin();
    EXPECT_EQ(f.editor.rect.Left, 15);
    EXPECT_EQ(f.site.size.cy, 47);
    f.FromEditor(WM_SETFOCUS);
    tavSCls40::MemoryDC mem;
    ASSERT_TRUE(mem.Create(10, 47, 0));
    f.box.Print(mem.hDC());
    EXPECT_EQ(gdi::GetPixel(mem.hDC(), 0, 0), gdi::RGB(50, 0, 0));  // focused: frame 2
}

TEST(TextBox, ChangeFollowsTheTextTheKeysComeFirstAndSelectionStaysInIt) {
    Box f;
    f.box.SetText(u"abc");
    f.box.SetText(u"abc");  // no change
    f.box.SetText(u"");     // emptied: a change too (the dialog's Start follows it)
    f.editor.Type(u'x', 88);
    f.editor.Type(u'\u0416', 0);  // beyond 255: no KeyPress, but typed
    EXPECT_EQ(f.box.Text(), u"x\u0416");
    EXPECT_EQ(f.log, (Log{"changed Text", "Change", "changed Text", "Change", "KeyDown 88", "KeyPress 120",
                          "changed Text", "Change", "KeyUp 88", "KeyDown 0", "changed Text", "Change", "KeyUp 0"}));
    f.box.SetMaxLength(3);
    f.box.SetMaxLength(-3);  // no limit
    EXPECT_EQ(f.editor.maxLength, 32767);

    f.box.SetText(u"hello world");
    f.box.SetSelStart(6);
    f.box.SetSelLength(50);
    EXPECT_TRUE(f.box.SelLength() == 5 && f.box.SelText() == u"world");
    f.log.clear();
    f.box.SetSelText(u"there");
    EXPECT_EQ(f.box.Text(), u"hello there");
    EXPECT_EQ(f.log, (Log{"changed Text", "Change"}));
    f.box.SetSelStart(100);
    EXPECT_EQ(f.box.SelStart(), 11);
}

TEST(TextBox, ClicksHoverAndFocusComeFromTheEditorAndTheFrame) {
    Box f;
    f.FromEditor(WM_LBUTTONUP);
    f.FromEditor(WM_LBUTTONUP, 500);  // released off the editor
    f.FromEditor(WM_RBUTTONUP);
    f.site.Mouse(f.box, WM_LBUTTONDOWN, 1, 1);
    EXPECT_TRUE(f.editor.focus);  // the frame hands the focus on
    f.site.Mouse(f.box, WM_LBUTTONUP, 1, 1);
    f.FromEditor(WM_LBUTTONUP);
    f.FromEditor(WM_LBUTTONDBLCLK);
    f.FromEditor(WM_LBUTTONUP);  // the double click's: no Click
    EXPECT_EQ(f.log, (Log{"Click", "Click", "Click"}));

    f.FromEditor(WM_MOUSEMOVE);
    EXPECT_EQ(f.box.CurrentFrameState(), S::Hover);
    f.site.cursor = {1, 1};  // over the frame, off the editor: not hover
    f.site.Send(f.box, WM_TIMER, modSkinConstants::kHoverTimerId);
    EXPECT_EQ(f.box.CurrentFrameState(), S::Normal);
    EXPECT_TRUE(f.site.timers.empty());
    f.FromEditor(WM_SETFOCUS);
    EXPECT_EQ(f.box.CurrentFrameState(), S::Focused);
    f.box.SetEnabled(false);
    EXPECT_EQ(f.box.CurrentFrameState(), S::Disabled);
    EXPECT_FALSE(f.site.enabled || f.editor.enabled);
}

// Read from the bag, as the dialog does to lock its folder box.
TEST(TextBox, StoredPropertiesComeBackWithoutAChange) {
    Box f;
    PropertyBag bag;
    bag.WriteProperty("Locked", true);
    bag.WriteProperty("Text", u"C:\\Projekte\\\u00c4nderung");
    f.box.ExtenderProperties().ToolTipText = u"Folder to convert";
    f.box.ReadProperties(bag);
    f.site.Send(f.box, WM_SHOWWINDOW, 1);
    EXPECT_TRUE(f.log.empty());
    EXPECT_TRUE(f.box.IsLocked() && f.editor.readOnly);
    EXPECT_EQ(f.box.Text(), u"C:\\Projekte\\\u00c4nderung");
    EXPECT_EQ(f.editor.tip, u"Folder to convert");
    PropertyBag out;
    f.box.WriteProperties(out);
    EXPECT_EQ(out.Keys(), (std::vector<std::string>{"Locked", "Text"}));
}
