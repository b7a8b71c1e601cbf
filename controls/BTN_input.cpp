// BTN: mouse, keys, focus, the access key, the group rule and hover.
#include "controls/BTN.h"

#include "controls/modSkinConstants.h"

using namespace modSkinConstants;

namespace {
constexpr int kSpaceKey = 32;
}  // namespace

// ---- messages -------------------------------------------------------------------------------

MessageResponse BTN::MsgResponse(winmsg::UINT message) {
    return (message == winmsg::WM_PAINT || message == winmsg::WM_PARENTNOTIFY) ? MessageResponse::Consume
                                                                               : MessageResponse::Preprocess;
}

winmsg::LRESULT BTN::WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) {
    using namespace winmsg;
    switch (message) {
        case WM_PAINT: PaintToWindow(); break;
        case WM_MOUSEMOVE: OnMouseMove(); break;
        case WM_TIMER: OnTimer(wParam); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: OnButtonDown(MouseParametersOf(message, wParam, lParam)); break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: OnButtonUp(message, MouseParametersOf(message, wParam, lParam)); break;
        case WM_KEYDOWN: OnKeyDown(static_cast<int>(wParam), (lParam & kKeyRepeatFlag) != 0); break;
        case WM_CHAR:
            if (UserMode() && wParam <= 255 && events.KeyPress) events.KeyPress(static_cast<int>(wParam));
            break;
        case WM_KEYUP: OnKeyUp(static_cast<int>(wParam)); break;
        case WM_SETFOCUS: OnFocus(true); break;
        case WM_KILLFOCUS: OnFocus(false); break;
        case WM_SHOWWINDOW: OnShow(wParam != 0); break;
        case WM_ENABLE:
            if (wParam == 0) OnDisabled();
            break;
        case WM_SIZE: SizeHandling(); break;
        default: break;
    }
    return 0;
}

void BTN::AttachSubclassing() {
    using namespace winmsg;
    Site().Subclass({WM_PAINT, WM_TIMER, WM_MOUSEMOVE, WM_PARENTNOTIFY, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                     WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP});
}

// ---- mouse ---------------------------------------------------------------------------------

void BTN::OnButtonDown(const winmsg::MouseParameters& p) {
    if (!UserMode()) return;
    const bool drop = HitTest({p.x, p.y}) == ButtonPart::DropZone;
    (drop ? m_dropPressed : m_pressed) = true;
    Redraw();
    if (drop && events.DropDown) events.DropDown(p.button, p.shift, p.x, p.y);
    if (events.MouseDown) events.MouseDown(p.button, p.shift, p.x, p.y);
}

// A double click's second press is the host's DblClick, which the button neither
// subclasses nor raises: it presses nothing, so its release neither clicks nor toggles.
void BTN::OnButtonUp(winmsg::UINT message, const winmsg::MouseParameters& p) {
    if (!UserMode() || (!m_pressed && !m_dropPressed)) return;
    const bool over = ClientContains(p.x, p.y);
    ReleaseOverButton(p.button, p.shift, {p.x, p.y}, over);
    // The host's own click: left button released over the control.
    if (message == winmsg::WM_LBUTTONUP && over && events.Click) events.Click();
}

// The release rules of a plain, a toggle and a grouped button.
void BTN::ReleaseOverButton(int button, int shift, gdi::POINT p, bool over) {
    const bool wasDrop = m_dropPressed;
    m_pressed = false;
    const auto raise = [&](const std::function<void(int, int, int, int)>& event) {
        if (event) event(button, shift, p.x, p.y);
    };
    if (m_grouped) {
        m_dropPressed = false;
        if (!m_togglePressed && over) {
            m_togglePressed = true;
            Redraw();
            GroupRule();
            MarkChanged("TogglePressed");
            raise(events.MouseUp);
        } else {
            Redraw();
        }
    } else if (m_toggle) {
        m_dropPressed = false;
        m_togglePressed = !m_togglePressed;  // also when released outside
        Redraw();
        MarkChanged("TogglePressed");
        if (over) raise(events.MouseUp);
    } else {
        if (wasDrop && over) raise(events.DropUp);
        if (!wasDrop && over) raise(events.MouseUp);
        m_dropPressed = false;
        Redraw();
    }
}

// ---- keys and the access key -------------------------------------------------------------------

void BTN::OnKeyDown(int code, bool repeat) {
    if (!UserMode()) return;
    if (code == kSpaceKey && !repeat) {
        m_spaceDown = true;
        Redraw();
    }
    if (events.KeyDown) events.KeyDown(code, Site().ShiftState());
}

void BTN::OnKeyUp(int code) {
    if (!UserMode()) return;
    const int shift = Site().ShiftState();
    m_spaceDown = false;
    if (code == kSpaceKey) {
        Redraw();
        if (events.Click) events.Click();
    }
    if (events.KeyUp) events.KeyUp(code, shift);
}

namespace {
// The lower case of an access key's letter (Latin, Latin-1, Greek and Cyrillic capitals).
char16_t LowerKey(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
    return c;
}
}  // namespace

void BTN::UpdateAccessKey() {
    m_accessKey = 0;
    for (std::size_t i = 0; i + 1 < m_caption.size(); ++i) {
        if (m_caption[i] != u'&') continue;
        if (m_caption[i + 1] == u'&') {  // "&&" is a literal ampersand
            ++i;
            continue;
        }
        m_accessKey = LowerKey(m_caption[i + 1]);
        break;
    }
    Site().SetAccessKeys(UserMode() && m_accessKey != 0 ? std::u16string(1, m_accessKey) : std::u16string());
}

// The access key, or Enter / Escape as the form's Default / Cancel button: a click.
void BTN::AccessKeyPress(char16_t) {
    if (!m_enabled) return;
    if (m_grouped) {
        if (m_togglePressed) return;  // a pressed group member stays as it is
        m_togglePressed = true;
        Redraw();
        GroupRule();
    } else if (m_toggle) {
        m_togglePressed = !m_togglePressed;
        Redraw();
    }
    if (events.Click) events.Click();
}

// ---- group rule -------------------------------------------------------------------------------

// A pressed grouped button releases the other members of its group in the
// whole form; a host that cannot list the form's controls has its container's
// walked late-bound instead: anything with our GroupID that is itself pressed.
void BTN::GroupRule() {
    if (m_togglePressed) {
        if (AmbientProperties().EnumeratesParentControls) {
            Site().ForEachFormControl([this](LateBound& other) {
                if (other.NumberProperty("Grouped").value_or(0) != 0 && other.NumberProperty("GroupID") == m_groupID)
                    other.SetFlagProperty("TogglePressed", false);
            });
        } else {
            Site().ForEachSibling([this](LateBound& other) {
                if (other.NumberProperty("GroupID") == m_groupID &&
                    other.NumberProperty("TogglePressed").value_or(0) != 0)
                    other.SetFlagProperty("TogglePressed", false);
            });
        }
    }
    Redraw();
}

std::optional<std::int64_t> BTN::NumberProperty(std::string_view name) const {
    if (name == "GroupID") return m_groupID;
    if (name == "Grouped") return m_grouped ? 1 : 0;
    if (name == "TogglePressed") return m_togglePressed ? 1 : 0;
    return std::nullopt;
}

bool BTN::SetFlagProperty(std::string_view name, bool value) {
    if (name != "TogglePressed") return false;
    ForceToggleState(value);
    return true;
}

// ---- focus, visibility ----------------------------------------------------------------------------

void BTN::OnFocus(bool gained) {
    m_hasFocus = gained;
    if (gained) {
        Site().Invalidate();
        return;
    }
    m_isDefault = false;
    if (m_initialised)
        Redraw();
    else
        Site().Invalidate();
}

void BTN::OnShow(bool shown) {
    if (!shown) StopHover();
    if (shown && UserMode() && m_backStyle == bsTransparent) Site().MakeSeeThrough();
}

void BTN::OnDisabled() {
    StopHover();
    m_pressed = m_dropPressed = m_spaceDown = false;
}

// ---- hover ----------------------------------------------------------------------------------------

void BTN::StopHover() {
    Site().KillTimer(kHoverTimerId);
    m_mouseOver = false;
}

void BTN::OnMouseMove() {
    if (!m_mouseOver && Site().IsMouseOver()) {
        m_mouseOver = true;
        Site().SetTimer(kHoverTimerId, kHoverTimerMs);
        Redraw();
    }
}

void BTN::OnTimer(winmsg::WPARAM id) {
    const gdi::POINT at = Site().CursorPos();
    if (id == kHoverTimerId && !ClientContains(at.x, at.y)) {
        StopHover();
        Redraw();
    }
}
