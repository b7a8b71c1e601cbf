#include "controls/CHKBOX.h"

#include "controls/glyph_control.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/qt/transparent_background.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavMFC40.h"

#include <QKeyEvent>

using namespace tavGFX40;
using namespace modSkinConstants;
using glyph_control::kGlyphSize;
using property_table::Storage;

namespace {

// The caption's box: right of the glyph, measured with word break and
// centred vertically in the control.
QRect captionBox(gdi::HDC dc, const QString& caption, int w, int h) {
    const int left = kGlyphSize + glyph_control::kCaptionGap;
    gdi::RECT r{left, 0, w, h};
    gdi::DrawText(dc, gdi::qt::Text(caption), r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
    const int textHeight = r.Bottom - r.Top;
    const int top = (h - textHeight) / 2;
    return QRect(left, top, std::min(r.Right, w) - left, textHeight);
}

template <class T>
using Row = property_table::Row<CHKBOX, T>;

}  // namespace

const auto& CHKBOX::Properties() {
    using C = OLE_COLOR;
    static const auto table = std::make_tuple(
        Row<QString>{"Caption", &CHKBOX::m_caption, {}, Storage::Stored, nullptr, &CHKBOX::CaptionChanged},
        Row<bool>{"Enabled", &CHKBOX::m_enabled, true, Storage::Stored, nullptr, &CHKBOX::EnabledChanged},
        Row<QFont>{"Font", &CHKBOX::m_font, {}, Storage::Stored, nullptr, &CHKBOX::FontChanged},
        Row<QString>{"TipText", &CHKBOX::m_tipText, {}, Storage::Stored, nullptr, &CHKBOX::TipTextChanged},
        // Set from code: stored and redrawn, no event.
        Row<bool>{"Value", &CHKBOX::m_value, false, Storage::Stored, nullptr, &CHKBOX::Redraw},
        // Stored without public properties.
        Row<bool>{"DrawFocusRectangle", &CHKBOX::m_drawFocusRectangle, true},
        Row<C>{"BackColor", &CHKBOX::m_backColor, kDefBackColor},
        Row<C>{"ForeColor", &CHKBOX::m_foreColor, kDefForeColor},
        Row<C>{"DisabledForeColor", &CHKBOX::m_disabledForeColor, kDefDisabledForeColor},
        Row<QImage>{"MouseIcon", &CHKBOX::m_mouseIcon, {}}, Row<short>{"MousePointer", &CHKBOX::m_mousePointer, 0},
        // Written for the host's sake, never read back.
        Row<bool>{"ValueSetClick", &CHKBOX::m_valueSetClick, false, Storage::WriteOnly},
        Row<QImage>{"Picture", &CHKBOX::m_picture, {}, Storage::WriteOnly},
        Row<QImage>{"PictureDisabled", &CHKBOX::m_pictureDisabled, {}, Storage::WriteOnly},
        // Set at run time, not stored.
        Row<int>{"BackStyle", &CHKBOX::m_backStyle, bsOpaque, Storage::RunTime, nullptr, &CHKBOX::Redraw});
    return table;
}

CHKBOX::CHKBOX(QWidget* parent, Ambient ambient) : GlyphControlBase(parent, std::move(ambient), resCheckBox) {}

CHKBOX::~CHKBOX() = default;

// ---- lifecycle ----------------------------------------------------------------------

void CHKBOX::InitProperties() {
    m_font = AmbientProperties().Font;
    QWidget::setFont(m_font);
    LoadBuiltInGlyph();
    m_drawEnabled = true;
    if (UserMode()) AttachSubclassing();
    Redraw();
}

void CHKBOX::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties(), AmbientProperties().Font);
    ApplyStoredSettings();
    setToolTip(m_tipText);
    LoadBuiltInGlyph();
    if (UserMode()) AttachSubclassing();
    m_drawEnabled = true;
    Redraw();
}

void CHKBOX::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties(), AmbientProperties().Font);
}

// ---- properties ----------------------------------------------------------------------------

void CHKBOX::SetCaption(const QString& caption) { SetProperty<CHKBOX>(&CHKBOX::m_caption, caption); }
void CHKBOX::SetEnabled(bool on) { SetProperty<CHKBOX>(&CHKBOX::m_enabled, on); }
void CHKBOX::SetFont(const QFont& font) { SetProperty<CHKBOX>(&CHKBOX::m_font, font); }
void CHKBOX::SetTipText(const QString& text) { SetProperty<CHKBOX>(&CHKBOX::m_tipText, text); }
void CHKBOX::SetValue(bool value) { SetProperty<CHKBOX>(&CHKBOX::m_value, value); }
void CHKBOX::SetBackStyle(int style) { SetProperty<CHKBOX>(&CHKBOX::m_backStyle, style); }

void CHKBOX::TipTextChanged() { setToolTip(m_tipText); }

// ---- methods ------------------------------------------------------------------------------

void CHKBOX::Refresh() { Redraw(); }

// ---- geometry and frames ------------------------------------------------------------------

QRect CHKBOX::GlyphRect() const { return QRect(0, height() / 2 - kGlyphSize / 2, kGlyphSize, kGlyphSize); }

QRect CHKBOX::CaptionRect() const {
    tavSCls40::MemoryDC mem;
    if (!mem.Create(1, 1, 0)) return {};
    gdi::SelectFont(mem.hDC(), gdi::qt::FontOf(m_font));
    return captionBox(mem.hDC(), m_caption, width(), height());
}

// ---- drawing -------------------------------------------------------------------------------

void CHKBOX::Compose(gdi::HDC target) const {
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, gfxTranslateColor(m_backColor))) return;
    const gdi::HDC dc = mem.hDC();

    const bool seeThrough = UserMode() && m_backStyle == bsTransparent;
    if (!seeThrough || !gfxGetTransBG(dc, const_cast<CHKBOX*>(this)))
        gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_backColor);
    const QRect glyph = GlyphRect();
    clsSkin::DrawPieceFrame(dc, m_skin, GlyphFrame(), glyph.x(), glyph.y());
    if (!m_caption.isEmpty()) DrawCaption(dc, w, h);
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

void CHKBOX::DrawCaption(gdi::HDC dc, int w, int h) const {
    gdi::SelectFont(dc, gdi::qt::FontOf(m_font));
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    gdi::SetTextColor(dc, gfxTranslateColor(m_enabled ? m_foreColor : m_disabledForeColor));
    const QRect box = captionBox(dc, m_caption, w, h);
    gdi::RECT r{box.left(), box.top(), w, box.top() + box.height()};
    gdi::DrawText(dc, gdi::qt::Text(m_caption), r, gdi::DT_WORDBREAK);
    if (m_hasFocus && m_drawFocusRectangle) {
        glyph_control::DrawFocusRect(
            dc, gdi::RECT{std::max(box.left() - 1, 0), std::max(box.top() - 1, 0),
                          std::min(box.left() + box.width() + 1, w), std::min(box.top() + box.height() + 1, h)});
    }
}

// ---- subclassing and timers -------------------------------------------------------------------

void CHKBOX::AttachSubclassing() {
    AttachMessages({winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                    winmsg::WM_LBUTTONUP, winmsg::WM_PARENTNOTIFY});
}

winmsg::LRESULT CHKBOX::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                             winmsg::LPARAM lParam) {
    int button = 0, shift = 0, x = 0, y = 0;
    tavMFC40::GetMouseParameters(message, wParam, lParam, button, shift, x, y);
    switch (message) {
        case winmsg::WM_PAINT: PaintToWindow(); break;
        case winmsg::WM_MOUSEMOVE: OnMouseMoveMessage(button, shift, x, y); break;
        case winmsg::WM_LBUTTONDOWN:
            m_pressed = true;
            Redraw();
            emit MouseDown(button, shift, x, y);
            break;
        case winmsg::WM_LBUTTONUP:
            if (!m_pressed) break;
            m_pressed = false;
            if (rect().contains(x, y)) {
                SetValue(!m_value);
                emit Click();
            } else {
                Redraw();
            }
            emit MouseUp(button, shift, x, y);
            break;
        case winmsg::WM_TIMER: OnTimerMessage(wParam); break;
        default: break;
    }
    return 0;
}

// ---- Qt events -----------------------------------------------------------------------------------

void CHKBOX::keyReleaseEvent(QKeyEvent* e) {
    if (!UserMode() || e->isAutoRepeat()) return;
    const int code = tavMFC40::KeyCodeFromQt(e->key()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    if (code == 32) {
        m_spaceDown = false;
        m_pressed = false;
        SetValue(!m_value);
        emit Click();
    }
    emit KeyUp(code, shift);
}
