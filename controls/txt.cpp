#include "controls/txt.h"

#include "controls/modSkinConstants.h"
#include "controls/suite/memory_dc.h"

#include <algorithm>
#include <array>
#include <utility>

using namespace tavGFX40;
using namespace modSkinConstants;

namespace {

// Outline colour of each look (FrameState order) when no custom skin is loaded.
constexpr std::array<OLE_COLOR, 4> kOutline = {
    gdi::RGB(127, 157, 185),  // normal
    gdi::RGB(49, 106, 197),   // hover
    gdi::RGB(10, 36, 106),    // focused
    gdi::RGB(201, 199, 186),  // disabled
};

// The editor's own maximum when the property says "no limit".
constexpr int kUnlimited = 32767;

bool Contains(const gdi::RECT& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

template <class T>
using Row = property_table::Row<txt, T>;
using property_table::Storage;

}  // namespace

const auto& txt::Properties() {
    static const auto table = std::make_tuple(
        Row<bool>{"Enabled", &txt::m_enabled, true, Storage::Stored, nullptr, &txt::EnabledChanged},
        Row<gdi::Font>{"Font", &txt::m_font, {}, Storage::Stored, nullptr, &txt::FontChanged},
        Row<short>{"MarginLeft", &txt::m_marginLeft, kDefMargin, Storage::Stored, nullptr, &txt::SizeHandling},
        Row<short>{"MarginRight", &txt::m_marginRight, kDefMargin, Storage::Stored, nullptr, &txt::SizeHandling},
        Row<short>{"MaxLength", &txt::m_maxLength, 0, Storage::Stored, &txt::AcceptMaxLength, &txt::MaxLengthChanged},
        Row<OLE_COLOR>{"SkinBackColor", &txt::m_skinBackColor, kDefSkinBackColor, Storage::Stored, nullptr,
                       &txt::Redraw},
        // Stored without a public property.
        Row<bool>{"Locked", &txt::m_locked, false, Storage::Stored, nullptr, &txt::LockedChanged});
    return table;
}

txt::txt(ControlSite& site, Ambient ambient)
    : UserControl(site, std::move(ambient)), m_editor(site.MakeInnerEditor(*this)) {
    m_editor->SetColours(gfxTranslateColor(SystemColor(COLOR_WINDOWTEXT)),
                         gfxTranslateColor(SystemColor(COLOR_WINDOW)));
    m_font = AmbientProperties().Font;
    ApplyFontToEditor();
}

txt::~txt() {
    m_terminating = true;
    Site().KillTimer(kHoverTimerId);
    Site().Subclass({});
    m_editor.reset();
    clsSkin::ReleasePiece(m_skin);
}

// ---- lifecycle ----------------------------------------------------------------------

// The frame's clicks and the hover timer; the editor reports its own input.
void txt::InitProperties() {
    m_font = AmbientProperties().Font;
    ApplyFontToEditor();
    Site().Subclass({winmsg::WM_TIMER, winmsg::WM_LBUTTONDOWN, winmsg::WM_LBUTTONUP});
    SizeHandling();
}

void txt::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties(), AmbientProperties().Font);
    Site().SetEnabled(m_enabled);
    m_editor->SetEnabled(m_enabled);
    ApplyFontToEditor();
    MaxLengthChanged();
    LockedChanged();
    // Reading the stored text is not a change.
    m_knownText = bag.Read<std::u16string>("Text", {});
    m_editor->SetText(m_knownText);
    m_knownText = m_editor->Text();
    Site().Subclass({winmsg::WM_TIMER, winmsg::WM_LBUTTONDOWN, winmsg::WM_LBUTTONUP});
    SizeHandling();
}

void txt::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties(), AmbientProperties().Font);
    bag.Write<std::u16string>("Text", Text(), {});
}

// ---- properties ----------------------------------------------------------------------------

void txt::SetEnabled(bool on) { SetProperty<txt>(&txt::m_enabled, on); }
void txt::SetFont(const gdi::Font& font) { SetProperty<txt>(&txt::m_font, font); }
void txt::SetMarginLeft(short pixels) { SetProperty<txt>(&txt::m_marginLeft, pixels); }
void txt::SetMarginRight(short pixels) { SetProperty<txt>(&txt::m_marginRight, pixels); }
void txt::SetMaxLength(short length) { SetProperty<txt>(&txt::m_maxLength, length); }
void txt::SetSkinBackColor(OLE_COLOR colour) { SetProperty<txt>(&txt::m_skinBackColor, colour); }

void txt::EnabledChanged() {
    Site().SetEnabled(m_enabled);
    m_editor->SetEnabled(m_enabled);
    Redraw();
}

void txt::FontChanged() {
    ApplyFontToEditor();
    SizeHandling();
}

bool txt::AcceptMaxLength(short& length) {
    length = std::max<short>(length, 0);
    return true;
}

void txt::MaxLengthChanged() { m_editor->SetMaxLength(m_maxLength > 0 ? m_maxLength : kUnlimited); }

void txt::LockedChanged() { m_editor->SetReadOnly(m_locked); }

short txt::SelStart() const { return static_cast<short>(m_editor->GetSelection().start); }

void txt::SetSelStart(short start) {
    const int length = static_cast<int>(Text().size());
    m_editor->SetSelection(std::clamp<int>(start, 0, length), 0);  // also drops the selection
}

short txt::SelLength() const { return static_cast<short>(m_editor->GetSelection().length); }

void txt::SetSelLength(short length) {
    const int start = SelStart();
    const int available = static_cast<int>(Text().size()) - start;
    m_editor->SetSelection(start, std::clamp<int>(length, 0, available));
}

std::u16string txt::SelText() const {
    const InnerEditor::Selection s = m_editor->GetSelection();
    return Text().substr(static_cast<std::size_t>(s.start), static_cast<std::size_t>(s.length));
}

// An editor may or may not report a change it was told to make: the box
// looks for itself, once.
void txt::SetSelText(const std::u16string& text) {
    m_editor->ReplaceSelection(text);
    EditorChanged();
}

std::u16string txt::Text() const { return m_editor->Text(); }

void txt::SetText(const std::u16string& text) {
    m_editor->SetText(text);
    EditorChanged();
}

// ---- methods ------------------------------------------------------------------------------

void txt::Refresh() { Redraw(); }

void txt::ApplyCustomSkin() {
    clsSkin::ReleasePiece(m_skin);
    SkinSource source;
    if (events.QuerySkin) events.QuerySkin(0, m_skin, source);
    if (m_skin.ImageName.empty() || !clsSkin::LoadCustomPiece(m_skin, source, kCustomFrames))
        clsSkin::ReleasePiece(m_skin);  // no image: the outline is drawn instead
    SizeHandling();
}

// ---- geometry ---------------------------------------------------------------------------------

gdi::RECT txt::FrameInsets() const {
    if (m_skin.MemDC != 0) return m_skin.MapMargin;
    return gdi::RECT{kFrameInset, kFrameInset, kFrameInset, kFrameInset};
}

gdi::RECT txt::InnerRect() const {
    const gdi::RECT f = FrameInsets();
    const gdi::SIZE size = Site().ClientSize();
    const int left = f.Left + m_marginLeft;
    const int right = size.cx - f.Right - m_marginRight;
    const int top = f.Top + (size.cy - f.Top - f.Bottom - m_innerHeight) / 2;
    return gdi::RECT{left, top, left + std::max(right - left, 0), top + m_innerHeight};
}

void txt::ApplyFontToEditor() {
    m_editor->SetFont(m_font);
    m_innerHeight = m_editor->TextExtent(u"Wg").cy + 2;
}

void txt::SizeHandling() {
    const gdi::RECT f = FrameInsets();
    const gdi::SIZE size = Site().ClientSize();
    const int minHeight = std::max(kMinHeightTwips / kTwipsPerPixel, m_innerHeight + f.Top + f.Bottom);
    if (size.cy < minHeight || size.cx < kMinWidthPixels)
        Site().Resize(gdi::SIZE{std::max(size.cx, kMinWidthPixels), std::max(size.cy, minHeight)});
    m_editor->SetRect(InnerRect());
    Redraw();
}

// ---- drawing -------------------------------------------------------------------------------

txt::FrameState txt::CurrentFrameState() const {
    if (!m_enabled) return FrameState::Disabled;
    if (m_innerFocused) return FrameState::Focused;
    if (m_mouseOver) return FrameState::Hover;
    return FrameState::Normal;
}

OLE_COLOR txt::OutlineColour(FrameState state) { return kOutline[static_cast<std::size_t>(state)]; }

void txt::Redraw() {
    if (m_terminating) return;
    Site().Invalidate();
}

void txt::PaintToWindow() const {
    if (m_terminating) return;
    const gdi::HWND window = Site().Window();
    const gdi::HDC dc = gdi::GetDC(window);
    Compose(dc);
    gdi::ReleaseDC(window, dc);
}

void txt::Compose(gdi::HDC target) const {
    const gdi::SIZE size = Site().ClientSize();
    const int w = size.cx, h = size.cy;
    tavSCls40::MemoryDC mem;
    if (!mem.Create(Site().Window(), w, h, gfxTranslateColor(m_skinBackColor))) return;
    const gdi::HDC dc = mem.hDC();
    gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_skinBackColor);
    const FrameState state = CurrentFrameState();
    if (!clsSkin::DrawPiece(dc, m_skin, static_cast<int>(state), 0, 0, w, h))
        gfxDrawRect2(dc, 0, 0, w, h, OutlineColour(state));
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

// ---- the control's window ---------------------------------------------------------------------

winmsg::LRESULT txt::WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) {
    using namespace winmsg;
    if (m_terminating) return 0;  // the editor may be gone
    switch (message) {
        case WM_PAINT: PaintToWindow(); break;
        case WM_SIZE: SizeHandling(); break;
        case WM_TIMER: HoverTick(wParam); break;
        // The frame hands the focus to the editor; a click on it is the box's click.
        case WM_SETFOCUS:
        case WM_LBUTTONDOWN: m_editor->TakeFocus(); break;
        case WM_LBUTTONUP:
            if (ClientContains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) RaiseClick();
            break;
        case WM_SHOWWINDOW:
            if (wParam != 0)
                m_editor->SetToolTip(ExtenderProperties().ToolTipText);
            else
                StopHover();
            break;
        case WM_ENABLE:
            if (wParam == 0) {
                StopHover();
                Redraw();
            }
            break;
        default: break;
    }
    return 0;
}

// ---- the editor ------------------------------------------------------------------------------

void txt::EditorChanged() {
    std::u16string now = m_editor->Text();
    if (now == m_knownText) return;
    m_knownText = std::move(now);
    MarkChanged("Text");
    if (events.Change) events.Change();
}

void txt::EditorMessage(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam, int shift) {
    using namespace winmsg;
    switch (message) {
        case WM_MOUSEMOVE:
            if (!UserMode()) break;
            m_mouseOver = true;
            Site().SetTimer(kHoverTimerId, kHoverTimerMs);
            Redraw();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            m_innerFocused = message == WM_SETFOCUS;
            Redraw();
            break;
        case WM_KEYDOWN:
            if (events.KeyDown) events.KeyDown(static_cast<int>(wParam), shift);
            break;
        case WM_CHAR:
            if (wParam <= 255 && events.KeyPress) events.KeyPress(static_cast<int>(wParam));
            break;
        case WM_KEYUP:
            if (events.KeyUp) events.KeyUp(static_cast<int>(wParam), shift);
            break;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: m_innerDoubleClick = true; break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: EditorReleased(message, lParam); break;
        default: break;
    }
}

// A double click's second release raises no Click (the host raises DblClick for it).
void txt::EditorReleased(winmsg::UINT message, winmsg::LPARAM lParam) {
    const bool endsDoubleClick = std::exchange(m_innerDoubleClick, false);
    const gdi::RECT inner = InnerRect();
    const gdi::RECT editor{0, 0, inner.Right - inner.Left, inner.Bottom - inner.Top};
    if (message == winmsg::WM_LBUTTONUP && !endsDoubleClick &&
        Contains(editor, winmsg::GET_X_LPARAM(lParam), winmsg::GET_Y_LPARAM(lParam)))
        RaiseClick();
}

// The hover ends once the pointer has left the editor.
void txt::HoverTick(winmsg::WPARAM id) {
    const gdi::POINT at = Site().CursorPos();
    if (id == kHoverTimerId && !Contains(InnerRect(), at.x, at.y)) {
        StopHover();
        Redraw();
    }
}

void txt::StopHover() {
    Site().KillTimer(kHoverTimerId);
    m_mouseOver = false;
}

void txt::RaiseClick() const {
    if (events.Click) events.Click();
}
