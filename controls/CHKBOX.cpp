#include "CHKBOX.h"

#include "CHKBOX_Opt_common.h"
#include "modSkinConstants.h"
#include "suite/tavMFC40.h"

#include <QKeyEvent>

using namespace tavGFX40;
using namespace modSkinConstants;
using chk_common::kGlyphSize;

namespace {

// The caption's box: right of the glyph, measured with word break and
// centred vertically in the control.
QRect captionBox(gdi::HDC dc, const QString& caption, int w, int h) {
    const int left = kGlyphSize + chk_common::kCaptionGap;
    gdi::RECT r{left, 0, w, h};
    gdi::DrawText(dc, caption, r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
    const int textHeight = r.Bottom - r.Top;
    const int top = (h - textHeight) / 2;
    return QRect(left, top, std::min(r.Right, w) - left, textHeight);
}

}  // namespace

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
    m_caption = bag.Read<QString>("Caption", QString());
    setWindowTitle(m_caption);
    m_enabled = bag.Read<bool>("Enabled", true);
    QWidget::setEnabled(m_enabled);
    m_font = bag.Read<QFont>("Font", AmbientProperties().Font);
    QWidget::setFont(m_font);
    m_tipText = bag.Read<QString>("TipText", QString());
    setToolTip(m_tipText);
    m_value = bag.Read<bool>("Value", false);
    m_drawFocusRectangle = bag.Read<bool>("DrawFocusRectangle", true);
    m_backColor = bag.Read<OLE_COLOR>("BackColor", kDefBackColor);
    m_foreColor = bag.Read<OLE_COLOR>("ForeColor", kDefForeColor);
    m_disabledForeColor = bag.Read<OLE_COLOR>("DisabledForeColor", kDefDisabledForeColor);
    m_mouseIcon = bag.Read<QImage>("MouseIcon", QImage());
    m_mousePointer = bag.Read<short>("MousePointer", 0);
    chk_common::ApplyMousePointer(*this, m_mousePointer, m_mouseIcon);
    // "ValueSetClick", "Picture" and "PictureDisabled" are written but never read.

    LoadBuiltInGlyph();
    if (UserMode()) AttachSubclassing();
    m_drawEnabled = true;
    Redraw();
}

void CHKBOX::WriteProperties(PropertyBag& bag) const {
    bag.Write<QString>("Caption", m_caption, QString());
    bag.Write<bool>("Enabled", m_enabled, true);
    bag.Write<QFont>("Font", m_font, AmbientProperties().Font);
    bag.Write<QString>("TipText", m_tipText, QString());
    bag.Write<bool>("Value", m_value, false);
    bag.Write<bool>("DrawFocusRectangle", m_drawFocusRectangle, true);
    bag.Write<OLE_COLOR>("BackColor", m_backColor, kDefBackColor);
    bag.Write<OLE_COLOR>("ForeColor", m_foreColor, kDefForeColor);
    bag.Write<OLE_COLOR>("DisabledForeColor", m_disabledForeColor, kDefDisabledForeColor);
    bag.Write<QImage>("MouseIcon", m_mouseIcon, QImage());
    bag.Write<short>("MousePointer", m_mousePointer, 0);
    bag.Write<bool>("ValueSetClick", m_valueSetClick, false);
    bag.Write<QImage>("Picture", m_picture, QImage());
    bag.Write<QImage>("PictureDisabled", m_pictureDisabled, QImage());
}

// ---- properties ----------------------------------------------------------------------------

void CHKBOX::SetCaption(const QString& caption) {
    m_caption = caption;
    setWindowTitle(m_caption);
    Redraw();
    MarkChanged("Caption");
}

void CHKBOX::SetTipText(const QString& text) {
    m_tipText = text;
    setToolTip(text);
    MarkChanged("TipText");
}

void CHKBOX::SetValue(bool value) {
    m_value = value;
    Redraw();
    MarkChanged("Value");
}

// ---- methods ------------------------------------------------------------------------------

void CHKBOX::Refresh() { Redraw(); }

// ---- geometry and frames ------------------------------------------------------------------

QRect CHKBOX::GlyphRect() const { return QRect(0, height() / 2 - kGlyphSize / 2, kGlyphSize, kGlyphSize); }

QRect CHKBOX::CaptionRect() const {
    tavSCls40::MemoryDC mem;
    if (!mem.Create(1, 1, 0)) return {};
    gdi::SelectFont(mem.hDC(), m_font);
    return captionBox(mem.hDC(), m_caption, width(), height());
}

// ---- drawing -------------------------------------------------------------------------------

void CHKBOX::Compose(gdi::HDC target) const {
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, gfxTranslateColor(m_backColor))) return;
    const gdi::HDC dc = mem.hDC();

    gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_backColor);
    const QRect glyph = GlyphRect();
    clsSkin::DrawPieceFrame(dc, m_skin, GlyphFrame(), glyph.x(), glyph.y());

    if (!m_caption.isEmpty()) {
        gdi::SelectFont(dc, m_font);
        gdi::SetBkMode(dc, gdi::BkMode::Transparent);
        gdi::SetTextColor(dc, gfxTranslateColor(m_enabled ? m_foreColor : m_disabledForeColor));
        const QRect box = captionBox(dc, m_caption, w, h);
        gdi::RECT r{box.left(), box.top(), w, box.top() + box.height()};
        gdi::DrawText(dc, m_caption, r, gdi::DT_WORDBREAK);
        if (m_hasFocus && m_drawFocusRectangle) {
            chk_common::DrawFocusRect(dc, gdi::RECT{std::max(box.left() - 1, 0), std::max(box.top() - 1, 0),
                                                    std::min(box.left() + box.width() + 1, w),
                                                    std::min(box.top() + box.height() + 1, h)});
        }
    }
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
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
        case winmsg::WM_PAINT:
            PaintToWindow();
            break;
        case winmsg::WM_MOUSEMOVE:
            OnMouseMoveMessage(button, shift, x, y);
            break;
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
        case winmsg::WM_TIMER:
            OnTimerMessage(wParam);
            break;
        default:
            break;
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
