#include "controls/CHKBOX.h"

#include "controls/glyph_control.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/memory_dc.h"

#include <algorithm>

using namespace tavGFX40;
using namespace modSkinConstants;
using glyph_control::kGlyphSize;
using property_table::Storage;

namespace {
template <class T>
using Row = property_table::Row<CHKBOX, T>;
}  // namespace

const auto& CHKBOX::Properties() {
    using C = OLE_COLOR;
    using Text = std::u16string;
    static const auto table = std::make_tuple(
        Row<Text>{"Caption", &CHKBOX::m_caption, {}, Storage::Stored, nullptr, &CHKBOX::CaptionChanged},
        Row<bool>{"Enabled", &CHKBOX::m_enabled, true, Storage::Stored, nullptr, &CHKBOX::EnabledChanged},
        Row<gdi::Font>{"Font", &CHKBOX::m_font, {}, Storage::Stored, nullptr, &CHKBOX::FontChanged},
        Row<Text>{"TipText", &CHKBOX::m_tipText, {}, Storage::Stored, nullptr, &CHKBOX::TipTextChanged},
        // Set from code: stored and redrawn, no event.
        Row<bool>{"Value", &CHKBOX::m_value, false, Storage::Stored, nullptr, &CHKBOX::Redraw},
        // Stored without public properties.
        Row<bool>{"DrawFocusRectangle", &CHKBOX::m_drawFocusRectangle, true},
        Row<C>{"BackColor", &CHKBOX::m_backColor, kDefBackColor},
        Row<C>{"ForeColor", &CHKBOX::m_foreColor, kDefForeColor},
        Row<C>{"DisabledForeColor", &CHKBOX::m_disabledForeColor, kDefDisabledForeColor},
        Row<gdi::Image>{"MouseIcon", &CHKBOX::m_mouseIcon, {}}, Row<short>{"MousePointer", &CHKBOX::m_mousePointer, 0},
        // Written for the host's sake, never read back.
        Row<bool>{"ValueSetClick", &CHKBOX::m_valueSetClick, false, Storage::WriteOnly},
        Row<gdi::Image>{"Picture", &CHKBOX::m_picture, {}, Storage::WriteOnly},
        Row<gdi::Image>{"PictureDisabled", &CHKBOX::m_pictureDisabled, {}, Storage::WriteOnly},
        // Set at run time, not stored.
        Row<int>{"BackStyle", &CHKBOX::m_backStyle, bsOpaque, Storage::RunTime, nullptr, &CHKBOX::Redraw});
    return table;
}

CHKBOX::CHKBOX(ControlSite& site, Ambient ambient) : GlyphControlBase(site, std::move(ambient), resCheckBox) {}

CHKBOX::~CHKBOX() = default;

// ---- lifecycle ----------------------------------------------------------------------

void CHKBOX::InitProperties() {
    TakeAmbientFont();
    StartDrawing();
    Redraw();
}

void CHKBOX::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties(), AmbientProperties().Font);
    ApplyStoredSettings();
    Site().SetToolTip(m_tipText);
    StartDrawing();
    Redraw();
}

void CHKBOX::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties(), AmbientProperties().Font);
}

// ---- properties ----------------------------------------------------------------------------

void CHKBOX::SetCaption(const std::u16string& caption) { SetProperty<CHKBOX>(&CHKBOX::m_caption, caption); }
void CHKBOX::SetEnabled(bool on) { SetProperty<CHKBOX>(&CHKBOX::m_enabled, on); }
void CHKBOX::SetFont(const gdi::Font& font) { SetProperty<CHKBOX>(&CHKBOX::m_font, font); }
void CHKBOX::SetTipText(const std::u16string& text) { SetProperty<CHKBOX>(&CHKBOX::m_tipText, text); }
void CHKBOX::SetValue(bool value) { SetProperty<CHKBOX>(&CHKBOX::m_value, value); }
void CHKBOX::SetBackStyle(int style) { SetProperty<CHKBOX>(&CHKBOX::m_backStyle, style); }

void CHKBOX::TipTextChanged() { Site().SetToolTip(m_tipText); }

// ---- methods ------------------------------------------------------------------------------

void CHKBOX::Refresh() { Redraw(); }

// ---- geometry ------------------------------------------------------------------------------

gdi::RECT CHKBOX::GlyphRect() const {
    const int top = Site().ClientSize().cy / 2 - kGlyphSize / 2;
    return gdi::RECT{0, top, kGlyphSize, top + kGlyphSize};
}

// Right of the glyph, measured with word break and centred vertically.
gdi::RECT CHKBOX::CaptionBox(gdi::HDC dc) const {
    const gdi::SIZE size = Site().ClientSize();
    const int left = kGlyphSize + glyph_control::kCaptionGap;
    const gdi::SIZE text = MeasureCaption(dc, gdi::RECT{left, 0, size.cx, size.cy});
    const int top = (size.cy - text.cy) / 2;
    return gdi::RECT{left, top, std::min(left + text.cx, size.cx), top + text.cy};
}

gdi::RECT CHKBOX::CaptionRect() const {
    tavSCls40::MemoryDC mem;
    if (!mem.Create(1, 1, 0)) return {};
    gdi::SelectFont(mem.hDC(), m_font);
    return CaptionBox(mem.hDC());
}

// ---- drawing -------------------------------------------------------------------------------

void CHKBOX::Compose(gdi::HDC target) const {
    const gdi::SIZE size = Site().ClientSize();
    const int w = size.cx, h = size.cy;
    tavSCls40::MemoryDC mem;
    if (!mem.Create(Site().Window(), w, h, gfxTranslateColor(m_backColor))) return;
    const gdi::HDC dc = mem.hDC();

    const bool seeThrough = UserMode() && m_backStyle == bsTransparent;
    if (!seeThrough || !Site().PaintBackgroundBehind(dc)) gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_backColor);
    const gdi::RECT glyph = GlyphRect();
    clsSkin::DrawPieceFrame(dc, m_skin, GlyphFrame(), glyph.Left, glyph.Top);
    if (!m_caption.empty()) DrawCaption(dc);
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

void CHKBOX::DrawCaption(gdi::HDC dc) const {
    const gdi::SIZE size = Site().ClientSize();
    PrepareCaption(dc);
    const gdi::RECT box = CaptionBox(dc);
    gdi::RECT r{box.Left, box.Top, size.cx, box.Bottom};
    gdi::DrawText(dc, m_caption, r, gdi::DT_WORDBREAK);
    if (m_hasFocus && m_drawFocusRectangle) {
        gfxDrawFocusRect(dc, gdi::RECT{std::max(box.Left - 1, 0), std::max(box.Top - 1, 0),
                                       std::min(box.Right + 1, size.cx), std::min(box.Bottom + 1, size.cy)});
    }
}

// ---- messages ---------------------------------------------------------------------------------

void CHKBOX::AttachSubclassing() {
    Site().Subclass({winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                     winmsg::WM_LBUTTONUP, winmsg::WM_LBUTTONDBLCLK, winmsg::WM_PARENTNOTIFY});
}

void CHKBOX::Toggle() {
    SetValue(!m_value);
    RaiseClick();
}

void CHKBOX::SpaceReleased() {
    m_spaceDown = false;
    m_pressed = false;
    Toggle();
}

winmsg::LRESULT CHKBOX::WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) {
    if (CommonMessage(message, wParam, lParam)) return 0;
    const auto p = MouseParametersOf(message, wParam, lParam);
    switch (message) {
        // The second press of a double click arrives as a double click: it presses the box
        // again, so a double click toggles twice, as the system's own check boxes do.
        case winmsg::WM_LBUTTONDBLCLK:
        case winmsg::WM_LBUTTONDOWN:
            m_pressed = true;
            Redraw();
            RaiseMouse(events.MouseDown, p);
            break;
        case winmsg::WM_LBUTTONUP:
            if (!m_pressed) break;
            m_pressed = false;
            if (ClientContains(p.x, p.y))
                Toggle();
            else
                Redraw();
            RaiseMouse(events.MouseUp, p);
            break;
        default: break;
    }
    return 0;
}
