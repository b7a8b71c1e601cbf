#include "controls/GlyphControlBase.h"

#include "controls/glyph_control.h"
#include "controls/modSkinConstants.h"

using namespace modSkinConstants;

namespace {
constexpr int kSpaceKey = 32;
}  // namespace

GlyphControlBase::GlyphControlBase(ControlSite& site, Ambient ambient, int glyphResource)
    : UserControl(site, std::move(ambient)), m_glyphResource(glyphResource) {
    m_font = AmbientProperties().Font;
}

GlyphControlBase::~GlyphControlBase() {
    m_terminating = true;
    Site().KillTimer(kHoverTimerId);
    Site().Subclass({});
    clsSkin::ReleasePiece(m_skin);
}

// ---- properties ------------------------------------------------------------------------------

void GlyphControlBase::CaptionChanged() {
    Site().SetText(m_caption);
    Redraw();
}

void GlyphControlBase::EnabledChanged() {
    Site().SetEnabled(m_enabled);
    Redraw();
}

void GlyphControlBase::FontChanged() {
    Site().SetFont(m_font);
    Redraw();
}

void GlyphControlBase::MousePointerChanged() { Site().SetMousePointer(m_mousePointer, m_mouseIcon); }

void GlyphControlBase::ApplyStoredSettings() {
    Site().SetText(m_caption);
    Site().SetEnabled(m_enabled);
    Site().SetFont(m_font);
    MousePointerChanged();
}

void GlyphControlBase::TakeAmbientFont() {
    m_font = AmbientProperties().Font;
    Site().SetFont(m_font);
}

void GlyphControlBase::StartDrawing() {
    LoadBuiltInGlyph();
    m_drawEnabled = true;
    if (UserMode()) AttachSubclassing();
}

// ---- methods ----------------------------------------------------------------------------------

void GlyphControlBase::Redraw() {
    if (m_terminating) return;
    Site().Invalidate();
}

void GlyphControlBase::BeginUpdate() { m_drawEnabled = false; }

void GlyphControlBase::EndUpdate() {
    m_drawEnabled = true;
    Redraw();
}

void GlyphControlBase::LoadBuiltInGlyph() { glyph_control::LoadBuiltInGlyph(m_skin, m_glyphResource); }

void GlyphControlBase::ApplyDefaultSkin() {
    LoadBuiltInGlyph();
    Redraw();
}

void GlyphControlBase::ApplyCustomSkin() {
    glyph_control::LoadCustomGlyph(m_skin, m_glyphResource, [this](int number, SkinMapInfo& piece, SkinSource& source) {
        if (events.QuerySkin) events.QuerySkin(number, piece, source);
    });
    Redraw();
}

int GlyphControlBase::GlyphFrame() const {
    const auto state = glyph_control::GlyphStateOf({m_enabled, m_spaceDown, m_mouseOver, m_pressed});
    return glyph_control::GlyphFrame(state, m_value);
}

// ---- drawing -----------------------------------------------------------------------------------

void GlyphControlBase::PaintToWindow() const {
    if (!m_drawEnabled || m_terminating) return;
    const gdi::HWND window = Site().Window();
    const gdi::HDC dc = gdi::GetDC(window);
    Compose(dc);
    gdi::ReleaseDC(window, dc);
}

void GlyphControlBase::PrepareCaption(gdi::HDC dc) const {
    gdi::SelectFont(dc, m_font);
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    gdi::SetTextColor(dc, tavGFX40::gfxTranslateColor(m_enabled ? m_foreColor : m_disabledForeColor));
}

gdi::SIZE GlyphControlBase::MeasureCaption(gdi::HDC dc, const gdi::RECT& box) const {
    gdi::RECT r = box;
    gdi::DrawText(dc, m_caption, r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
    return gdi::SIZE{r.Right - r.Left, r.Bottom - r.Top};
}

// ---- messages ----------------------------------------------------------------------------------

MessageResponse GlyphControlBase::MsgResponse(winmsg::UINT message) {
    return (message == winmsg::WM_PAINT || message == winmsg::WM_PARENTNOTIFY) ? MessageResponse::Consume
                                                                               : MessageResponse::Preprocess;
}

bool GlyphControlBase::CommonMessage(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) {
    using namespace winmsg;
    switch (message) {
        case WM_PAINT: PaintToWindow(); return true;
        case WM_MOUSEMOVE: OnMouseMove(MouseParametersOf(message, wParam, lParam)); return true;
        case WM_TIMER: OnTimer(wParam); return true;
        case WM_KEYDOWN: OnKeyDown(static_cast<int>(wParam), (lParam & kKeyRepeatFlag) != 0); return true;
        case WM_CHAR:
            if (UserMode() && wParam <= 255 && events.KeyPress) events.KeyPress(static_cast<int>(wParam));
            return true;
        case WM_KEYUP: OnKeyUp(static_cast<int>(wParam)); return true;
        case WM_SETFOCUS:
            m_hasFocus = true;
            Redraw();
            return true;
        case WM_KILLFOCUS: OnLostFocus(); return true;
        case WM_SHOWWINDOW:
            if (wParam == 0) CancelPress();
            return true;
        case WM_ENABLE:
            if (wParam == 0) {
                CancelPress();
                Redraw();
            }
            return true;
        default: return false;
    }
}

void GlyphControlBase::RaiseMouse(const std::function<void(int, int, int, int)>& event,
                                  const winmsg::MouseParameters& p) const {
    if (event) event(p.button, p.shift, p.x, p.y);
}

void GlyphControlBase::RaiseClick() const {
    if (events.Click) events.Click();
}

void GlyphControlBase::StopHover() {
    Site().KillTimer(kHoverTimerId);
    m_mouseOver = false;
}

void GlyphControlBase::CancelPress() {
    StopHover();
    m_pressed = m_spaceDown = false;
}

// The pointer came over the control: the hover timer starts; then MouseMove.
void GlyphControlBase::OnMouseMove(const winmsg::MouseParameters& p) {
    if (!m_enabled) return;
    if (!m_mouseOver && Site().IsMouseOver()) {
        m_mouseOver = true;
        Site().SetTimer(kHoverTimerId, kHoverTimerMs);
        Redraw();
    }
    RaiseMouse(events.MouseMove, p);
}

// The hover ends once the pointer has left.
void GlyphControlBase::OnTimer(winmsg::WPARAM id) {
    const gdi::POINT at = Site().CursorPos();
    if (id == kHoverTimerId && !ClientContains(at.x, at.y)) {
        StopHover();
        Redraw();
    }
}

void GlyphControlBase::OnKeyDown(int code, bool repeat) {
    if (!UserMode()) return;
    if (code == kSpaceKey && !repeat) {
        m_pressed = true;
        m_spaceDown = true;
        Redraw();
    }
    if (events.KeyDown) events.KeyDown(code, Site().ShiftState());
}

void GlyphControlBase::OnKeyUp(int code) {
    if (!UserMode()) return;
    const int shift = Site().ShiftState();
    if (code == kSpaceKey) SpaceReleased();
    if (events.KeyUp) events.KeyUp(code, shift);
}

void GlyphControlBase::OnLostFocus() {
    m_hasFocus = false;
    if (m_spaceDown) m_spaceDown = m_pressed = false;  // the space key's release goes elsewhere
    Redraw();
}
