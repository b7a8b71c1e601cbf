// The Win32 hosts of the check box, option button, command button, text box and scroll bars: real
// windows driven by posted mouse and key messages; what the check box paints, every gdi handle
// given back; the window's shape, tool tip, pointer and what a see-through box shows of its
// parent; the form's keys and a group across containers; what is typed into the text box's EDIT;
// a scroll bar stepping on a click without taking the focus or keeping the mouse; the list box
// and its bar in a child window; a caption at the screen's resolution.  Wine makes no windows
// without a display: the tests skip.
#include "controls/suite/memory_dc.h"
#include "controls/win32/HostedWindows.h"
#include "controls/suite/win32/gdi_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#undef DrawText  // gdi's, not the system's narrow one: the test calls the system's by its W name

namespace {

// Frame k of the test strip is a flat colour of its own.
// (gdi::RGB in parentheses: windows.h has a macro of that name.)
constexpr gdi::COLORREF FrameColour(int k) { return (gdi::RGB)(20 * k, 255 - 20 * k, 90); }

gdi::Image Strip() {
    gdi::Image strip(13, 13 * 8);
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < strip.width; ++x) strip.at(x, y) = gdi::ArgbOf(FrameColour(y / 13));
    return strip;
}

void AnswerSkin(GlyphControlBase& c, const char16_t* name) {
    c.events.QuerySkin = [name](long, SkinMapInfo& skin, SkinSource& source) {
        skin.ImageName = name;
        source.picture = Strip();
    };
    c.ApplyCustomSkin();
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void ClickAt(HWND window, int x, int y) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
}

// The top level's own painting: its class brush (gray) when erased, a dark
// band right of x = 100 when asked to print its client area.
LRESULT CALLBACK TopLevelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PRINTCLIENT) return ::DefWindowProcW(window, message, wParam, lParam);
    const RECT band{100, 0, 320, 120};
    ::FillRect(reinterpret_cast<HDC>(wParam), &band, static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH)));
    return 0;
}

const wchar_t* TopLevelClass() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TopLevelProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = L"tavKonv40TestTop";
        return ::RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return L"tavKonv40TestTop";
}

}  // namespace

// A shown top-level window for each test.
class GlyphWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        if (top == nullptr) GTEST_SKIP() << "no windows here (Wine needs a display: run under xvfb-run)";
    }
    ~GlyphWindows() override {
        if (top != nullptr) ::DestroyWindow(top);
    }
    HWND top = ::CreateWindowExW(0, TopLevelClass(), L"glyph controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320,
                                 120, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
};

TEST_F(GlyphWindows, MessagesClickChooseStepAndPaintAndHandlesComeBack) {
    const std::size_t handlesBefore = gdi::LiveHandleCount();
    {
        CHKBOXWindow box(top, gdi::RECT{10, 10, 130, 31});
        ASSERT_NE(box.Handle(), nullptr);
        box.Control().InitProperties();
        AnswerSkin(box.Control(), u"win32-check-strip");
        int clicks = 0;
        box.Control().events.Click = [&] { ++clicks; };

        ClickAt(box.Handle(), 5, 10);
        EXPECT_TRUE(box.Control().Value());
        ASSERT_EQ(::GetFocus(), box.Handle());

        // A scroll bar steps on a click without taking the focus or keeping the mouse.
        VSCWindow bar(top, gdi::RECT{200, 0, 217, 100});
        bar.Control().InitProperties();
        int changes = 0;
        bar.Control().Change = [&] { ++changes; };
        ClickAt(bar.Handle(), 8, 95);  // the down arrow
        EXPECT_EQ(bar.Control().Value(), 1);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(::GetFocus(), box.Handle());
        EXPECT_EQ(::GetCapture(), nullptr);  // held while pressed, given back on release
        EXPECT_EQ(::GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & WS_TABSTOP, 0);

        ::PostMessageW(box.Handle(), WM_KEYDOWN, VK_SPACE, 0);
        ::PostMessageW(box.Handle(), WM_KEYUP, VK_SPACE, 0);
        Pump();
        EXPECT_FALSE(box.Control().Value());
        EXPECT_EQ(clicks, 2);

        tavSCls40::MemoryDC mem;  // the glyph's frame, drawn as the window shows it
        ASSERT_TRUE(mem.Create(120, 21, 0));
        box.Control().SetValue(true);
        box.Control().Print(mem.hDC());
        EXPECT_EQ(gdi::GetPixel(mem.hDC(), 6, 10), FrameColour(4));
        box.Control().SetEnabled(false);
        EXPECT_FALSE(::IsWindowEnabled(box.Handle()));
        box.Control().Print(mem.hDC());
        EXPECT_EQ(gdi::GetPixel(mem.hDC(), 6, 10), FrameColour(7));

        OptWindow a(top, gdi::RECT{10, 40, 90, 61}), b(top, gdi::RECT{100, 40, 180, 61});
        for (OptWindow* o : {&a, &b}) {
            o->Control().InitProperties();
            o->Control().SetGroupID(1);
            o->Control().SetGrouped(true);
        }
        a.Control().SetValue(true);
        ClickAt(b.Handle(), 5, 10);
        EXPECT_TRUE(b.Control().Value());
        EXPECT_FALSE(a.Control().Value());  // choosing one clears its group
    }
    EXPECT_EQ(gdi::LiveHandleCount(), handlesBefore);
}

TEST_F(GlyphWindows, ShapeTipPointerAndParentBehind) {
    const std::size_t handlesBefore = gdi::LiveHandleCount();
    HWND tip = nullptr;
    {
        CHKBOXWindow box(top, gdi::RECT{10, 10, 130, 31});
        box.Control().InitProperties();

        box.SetWindowRegion(gdi::CreateRectRgn(0, 0, 60, 21));
        HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(::GetWindowRgn(box.Handle(), shape), SIMPLEREGION);
        EXPECT_TRUE(::PtInRegion(shape, 59, 20));
        EXPECT_FALSE(::PtInRegion(shape, 60, 20));
        ::DeleteObject(shape);

        EXPECT_EQ(box.ToolTipWindow(), nullptr);  // made once there is a text
        box.Control().SetTipText(u"first");
        box.Control().SetTipText(u"second");
        tip = box.ToolTipWindow();
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

        box.SetMousePointer(11, gdi::Image());
        const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
        EXPECT_EQ(::SendMessageW(box.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(box.Handle()), overClient), TRUE);
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // the hourglass

        box.Control().SetBackStyle(CHKBOX::bsTransparent);
        tavSCls40::MemoryDC mem;
        ASSERT_TRUE(mem.Create(120, 21, 0));
        box.Control().Print(mem.hDC());
        EXPECT_EQ(gdi::GetPixel(mem.hDC(), 80, 10), (gdi::RGB)(128, 128, 128));  // erased, x = 90 in the parent
        EXPECT_EQ(gdi::GetPixel(mem.hDC(), 95, 10), (gdi::RGB)(64, 64, 64));     // printed, x = 105
    }
    EXPECT_FALSE(::IsWindow(tip));  // gone with its control
    EXPECT_EQ(gdi::LiveHandleCount(), handlesBefore);
}

namespace {

// The bounding box of what differs from `background` in `pixels` (width wide) right of `fromX`,
// and that part's mask, row by row.
std::pair<RECT, std::vector<bool>> Ink(const std::vector<std::uint32_t>& pixels, int width, int fromX,
                                       std::uint32_t background) {
    RECT box{width, 0, 0, 0};
    box.top = static_cast<LONG>(pixels.size()) / width;
    const auto inked = [&](int x, int y) { return x >= fromX && pixels[std::size_t(y * width + x)] != background; };
    for (int y = 0; y < static_cast<int>(pixels.size()) / width; ++y)
        for (int x = 0; x < width; ++x)
            if (inked(x, y))
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
    std::vector<bool> mask;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) mask.push_back(inked(x, y));
    return {box, mask};
}

// A 32-bit DIB DC of width x height with `draw` run on it, and its pixels without alpha.
template <typename Draw>
std::vector<std::uint32_t> PixelsOf(int width, int height, Draw draw) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(dc, dib);
    draw(dc);
    ::GdiFlush();
    std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + width * height);
    for (auto& p : pixels) p &= 0xFFFFFFu;
    ::SelectObject(dc, previous);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
    return pixels;
}

}  // namespace

// At any resolution the window takes the screen's device pixels for its logical place and its
// caption is drawn on them glyph for glyph as the system draws a plain label there: neither a
// 1x picture stretched nor a 96-DPI font under a transform.  (The Windows job runs it at 144 DPI
// too, with TAVKONV40_TEST_DPI=144.)
TEST_F(GlyphWindows, CaptionAtTheScreensResolution) {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (const char* expected = std::getenv("TAVKONV40_TEST_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected));
    }
    const gdi::Font font{u"Tahoma", 8.25};
    CHKBOXWindow box(top, gdi::RECT{10, 10, 130, 31}, Ambient{HostMode::Run, {}, font, true});
    box.Control().InitProperties();
    AnswerSkin(box.Control(), u"win32-check-strip");
    box.Control().SetCaption(u"Hex Caption");
    RECT client{};
    ::GetClientRect(box.Handle(), &client);
    ASSERT_EQ(client.right, std::lround(120 * dpi / 96.0));
    ASSERT_EQ(client.bottom, std::lround(21 * dpi / 96.0));
    ::RedrawWindow(box.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto shown = PixelsOf(client.right, client.bottom, [&](HDC dc) {
        HDC window = ::GetDC(box.Handle());
        ::BitBlt(dc, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
        ::ReleaseDC(box.Handle(), window);
    });
    const std::uint32_t background = shown.back();  // the caption ends short of the corner
    const auto label = PixelsOf(client.right, client.bottom, [&](HDC dc) {
        HBRUSH brush = ::CreateSolidBrush(RGB(background >> 16, (background >> 8) & 0xFF, background & 0xFF));
        ::FillRect(dc, &client, brush);
        ::DeleteObject(brush);
        HFONT native = gdi::win32::MakeNativeFont(font, dpi);
        HGDIOBJ previous = ::SelectObject(dc, native);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        RECT at = client;
        ::DrawTextW(dc, L"Hex Caption", -1, &at, DT_SINGLELINE | DT_VCENTER);
        ::DeleteObject(::SelectObject(dc, previous));
    });
    const int afterGlyph = std::lround(16 * dpi / 96.0);
    const auto [caption, captionInk] = Ink(shown, client.right, afterGlyph, background);
    const auto [plain, plainInk] = Ink(label, client.right, 0, background);
    ASSERT_FALSE(plainInk.empty());
    EXPECT_EQ(caption.right - caption.left, plain.right - plain.left);
    EXPECT_EQ(caption.bottom - caption.top, plain.bottom - plain.top);
    EXPECT_TRUE(captionInk == plainInk) << "the caption's ink is not the plain label's";

    // Measured in the font it is drawn in: a box made to fit a caption holds it on one line.
    const gdi::HBITMAP bits = gdi::CreateCompatibleBitmap(gdi::win32::Window(top), 300, 40);
    const gdi::HDC dc = gdi::CreateCompatibleDC();
    gdi::SelectBitmap(dc, bits);
    gdi::SelectFont(dc, font);
    const std::u16string wide = u"Wide Wrapped Words Measured With Care";
    gdi::RECT fit{0, 0, 300, 40};
    const int line = gdi::DrawText(dc, wide, fit, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(gdi::DrawText(dc, wide, fit, DT_WORDBREAK), line) << "wrapped in its own measured box";
    // A focus outline's dots fall evenly on the device's pixels.
    gdi::DrawDottedRect(dc, gdi::RECT{0, 30, 40, 40}, 0xFFFFFF);  // below the text
    HDC native = gdi::win32::NativeDC(dc);
    const int saved = ::SaveDC(native);
    ::ModifyWorldTransform(native, nullptr, MWT_IDENTITY);
    const int across = std::lround(40 * dpi / 96.0);
    const auto edge = PixelsOf(
        across, 1, [&](HDC to) { ::BitBlt(to, 0, 0, across, 1, native, 0, std::lround(30 * dpi / 96.0), SRCCOPY); });
    ::RestoreDC(native, saved);
    std::vector<int> gaps;
    for (int x = 0, last = -1; x < across; ++x)
        if (edge[std::size_t(x)] != 0) gaps.push_back(x - std::exchange(last, x));
    ASSERT_GT(gaps.size(), 3u);
    EXPECT_EQ(std::count(gaps.begin() + 1, gaps.end(), std::lround(3 * dpi / 96.0)), gaps.size() - 1);
    gdi::DeleteDC(dc);
    gdi::DeleteBitmap(bits);
}

TEST_F(GlyphWindows, ButtonFormKeysGroupAcrossContainersAndSizeFloor) {
    HWND panel = ::CreateWindowExW(0, TopLevelClass(), L"", WS_CHILD | WS_VISIBLE, 160, 0, 150, 100, top, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    BTNWindow a(top, gdi::RECT{10, 10, 110, 40}), b(panel, gdi::RECT{10, 10, 110, 40}),
        go(top, gdi::RECT{10, 50, 110, 80});
    PropertyBag bag;
    bag.WriteProperty("Grouped", true);
    for (BTNWindow* w : {&a, &b}) w->Control().ReadProperties(bag);
    bag.Clear();
    bag.WriteProperty("Caption", u"&Go");
    go.Control().ReadProperties(bag);
    int clicks = 0;
    go.Control().events.Click = [&] { ++clicks; };
    ::PostMessageW(b.Handle(), WM_SYSCHAR, 'G', 0);  // Alt+G in another container's control
    go.SetDefault(true);
    ::PostMessageW(b.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    a.SetCancel(true);
    ::PostMessageW(go.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(a.Control().TogglePressed());
    ClickAt(b.Handle(), 10, 10);
    EXPECT_TRUE(b.Control().TogglePressed());
    EXPECT_FALSE(a.Control().TogglePressed());  // released from the other container
    ::SetWindowPos(a.Handle(), nullptr, 0, 0, 4, 4, SWP_NOMOVE | SWP_NOZORDER);
    RECT r{};
    ::GetClientRect(a.Handle(), &r);
    EXPECT_EQ(r.right, 10);  // never under 150 twips
}

TEST_F(GlyphWindows, TextBoxTypedCharactersReachTheBoxThroughItsEdit) {
    txtWindow box(top, gdi::RECT{10, 10, 210, 34});
    box.Control().InitProperties();
    int changes = 0;
    std::vector<int> pressed;
    box.Control().events.Change = [&] { ++changes; };
    box.Control().events.KeyPress = [&](int ascii) { pressed.push_back(ascii); };
    HWND edit = ::GetWindow(box.Handle(), GW_CHILD);
    RECT at{};
    ::GetWindowRect(edit, &at);
    ::MapWindowPoints(nullptr, box.Handle(), reinterpret_cast<POINT*>(&at), 2);
    EXPECT_EQ((gdi::RECT{at.left, at.top, at.right, at.bottom}), box.Control().InnerRect());

    for (const wchar_t c : std::wstring(L"C:\\\u0416\r")) ::PostMessageW(edit, WM_CHAR, c, 1);
    Pump();
    EXPECT_EQ(box.Control().Text(), u"C:\\\u0416");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(pressed, (std::vector<int>{'C', ':', '\\', '\r'}));  // Enter too: the dialog's Start
}

// The list's bar is a child window that shows once the items overflow and leaves the focus where it
// is; a click on an item raises Click but chooses nothing; the wheel scrolls.
TEST_F(GlyphWindows, ListBoxItemsClickWheelAndTheBarWindow) {
    LBWindow list(top, gdi::RECT{10, 0, 210, 100});
    LB& lb = list.Control();
    lb.InitProperties();
    for (int i = 0; i < 40; ++i) lb.AddItem(u"item");
    HWND bar = ::GetWindow(list.Handle(), GW_CHILD);
    ASSERT_TRUE(bar != nullptr && ::IsWindowVisible(bar));
    lb.SetListIndex(2);
    int clicks = 0;
    lb.Click = [&] { ++clicks; };
    ClickAt(list.Handle(), 20, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(lb.ListIndex(), 2);
    ::PostMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);  // the list ignores where
    Pump();
    EXPECT_EQ(lb.TopIndex(), lb.WheelScrollLines());
    ClickAt(bar, 6, 95);  // its down arrow: the bar is 13 x 98 inside the list's border
    EXPECT_EQ(lb.TopIndex(), lb.WheelScrollLines() + 1);
    EXPECT_EQ(::GetFocus(), list.Handle());
}
