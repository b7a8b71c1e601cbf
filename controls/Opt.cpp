#include "controls/Opt.h"

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
template <class T>
using Row = property_table::Row<Opt, T>;
}  // namespace

const auto& Opt::Properties() {
    using C = OLE_COLOR;
    static const auto table = std::make_tuple(
        Row<int>{"Alignment", &Opt::m_alignment, optGlyphLeft, Storage::Stored, nullptr, &Opt::Redraw},
        Row<C>{"BackColor", &Opt::m_backColor, kDefBackColor, Storage::Stored, nullptr, &Opt::BackgroundChanged},
        Row<int>{"BackStyle", &Opt::m_backStyle, bsOpaque, Storage::Stored, nullptr, &Opt::BackgroundChanged},
        Row<C>{"DisabledForeColor", &Opt::m_disabledForeColor, kDefDisabledForeColor, Storage::Stored, nullptr,
               &Opt::Redraw},
        Row<bool>{"Enabled", &Opt::m_enabled, true, Storage::Stored, nullptr, &Opt::EnabledChanged},
        Row<QFont>{"Font", &Opt::m_font, {}, Storage::Stored, nullptr, &Opt::FontChanged},
        Row<C>{"ForeColor", &Opt::m_foreColor, kDefForeColor, Storage::Stored, nullptr, &Opt::Redraw},
        Row<short>{"GroupID", &Opt::m_groupID, 0}, Row<bool>{"Grouped", &Opt::m_grouped, false},
        Row<QImage>{"MouseIcon", &Opt::m_mouseIcon, {}, Storage::Stored, nullptr, &Opt::MousePointerChanged},
        Row<short>{"MousePointer", &Opt::m_mousePointer, 0, Storage::Stored, nullptr, &Opt::MousePointerChanged},
        Row<bool>{"Value", &Opt::m_value, false, Storage::Stored, &Opt::AcceptValue, &Opt::ValueChanged},
        Row<bool>{"ValueSetClick", &Opt::m_valueSetClick, false},
        // Set at run time, not stored.
        Row<QString>{"Caption", &Opt::m_caption, {}, Storage::RunTime, nullptr, &Opt::CaptionChanged},
        Row<int>{"ControlWidth", &Opt::m_controlWidth, 0, Storage::RunTime, nullptr, &Opt::Redraw},
        Row<int>{"ControlHeight", &Opt::m_controlHeight, 0, Storage::RunTime, nullptr, &Opt::Redraw},
        Row<int>{"XOffset", &Opt::m_xOffset, 0, Storage::RunTime, nullptr, &Opt::Redraw},
        Row<int>{"YOffset", &Opt::m_yOffset, 0, Storage::RunTime, nullptr, &Opt::Redraw});
    return table;
}

Opt::Opt(QWidget* parent, Ambient ambient) : GlyphControlBase(parent, std::move(ambient), resOptionButton) {}

Opt::~Opt() = default;

// ---- lifecycle ----------------------------------------------------------------------

void Opt::InitProperties() {
    m_font = AmbientProperties().Font;
    QWidget::setFont(m_font);
    LoadBuiltInGlyph();
    m_drawEnabled = true;
    if (UserMode()) AttachSubclassing();
    RebuildBackground();
    Redraw();
}

void Opt::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties(), AmbientProperties().Font);
    ApplyStoredSettings();
    LoadBuiltInGlyph();
    if (UserMode()) AttachSubclassing();
    m_drawEnabled = true;
    RebuildBackground();
    Redraw();
}

void Opt::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties(), AmbientProperties().Font);
}

// ---- properties ---------------------------------------------------------------------------

void Opt::SetAlignment(int alignment) { SetProperty<Opt>(&Opt::m_alignment, alignment); }
void Opt::SetBackColor(OLE_COLOR colour) { SetProperty<Opt>(&Opt::m_backColor, colour); }
void Opt::SetBackStyle(int style) { SetProperty<Opt>(&Opt::m_backStyle, style); }
void Opt::SetDisabledForeColor(OLE_COLOR colour) { SetProperty<Opt>(&Opt::m_disabledForeColor, colour); }
void Opt::SetEnabled(bool on) { SetProperty<Opt>(&Opt::m_enabled, on); }
void Opt::SetFont(const QFont& font) { SetProperty<Opt>(&Opt::m_font, font); }
void Opt::SetForeColor(OLE_COLOR colour) { SetProperty<Opt>(&Opt::m_foreColor, colour); }
void Opt::SetGroupID(short id) { SetProperty<Opt>(&Opt::m_groupID, id); }
void Opt::SetGrouped(bool on) { SetProperty<Opt>(&Opt::m_grouped, on); }
void Opt::SetMouseIcon(const QImage& icon) { SetProperty<Opt>(&Opt::m_mouseIcon, icon); }
void Opt::SetMousePointer(short pointer) { SetProperty<Opt>(&Opt::m_mousePointer, pointer); }
void Opt::SetValue(bool value) { SetProperty<Opt>(&Opt::m_value, value); }
void Opt::SetValueSetClick(bool on) { SetProperty<Opt>(&Opt::m_valueSetClick, on); }
void Opt::SetCaption(const QString& caption) { SetProperty<Opt>(&Opt::m_caption, caption); }
void Opt::SetControlWidth(int pixels) { SetProperty<Opt>(&Opt::m_controlWidth, pixels); }
void Opt::SetControlHeight(int pixels) { SetProperty<Opt>(&Opt::m_controlHeight, pixels); }
void Opt::SetXOffset(int pixels) { SetProperty<Opt>(&Opt::m_xOffset, pixels); }
void Opt::SetYOffset(int pixels) { SetProperty<Opt>(&Opt::m_yOffset, pixels); }

void Opt::BackgroundChanged() {
    RebuildBackground();
    Redraw();
}

// With ValueSetClick, a change of the value is noted: a change to True raises Click.
bool Opt::AcceptValue(bool& value) {
    m_clickOnValueChange = m_valueSetClick && value != m_value;
    return true;
}

void Opt::ValueChanged() {
    if (m_value && m_grouped) GroupRule();
    Redraw();
    if (m_clickOnValueChange && m_value) emit Click();
}

// ---- methods ------------------------------------------------------------------------------

void Opt::Refresh() {
    RebuildBackground();
    Redraw();
}

// ---- groups -----------------------------------------------------------------------------------

void Opt::GroupRule() {
    QWidget* container = parentWidget();
    if (container == nullptr) return;
    for (QObject* other : container->children()) {
        if (other == this) continue;
        bool numeric = false;
        const int id = other->property("GroupID").toInt(&numeric);
        if (!numeric || id != m_groupID) continue;
        if (other->property("Value").toBool()) other->setProperty("Value", false);
    }
}

bool Opt::HasOtherGroupMember() const {
    const QWidget* container = parentWidget();
    if (container == nullptr) return false;
    for (const QObject* other : container->children()) {
        if (other == this) continue;
        bool numeric = false;
        const int id = other->property("GroupID").toInt(&numeric);
        if (numeric && id == m_groupID) return true;
    }
    return false;
}

void Opt::UserChoice(ChoiceBy by) {
    const bool before = m_value;
    if (!(m_grouped && m_value && HasOtherGroupMember())) {
        bool newValue = !m_value;
        bool cancel = false;
        emit BeforeValueChanged(newValue, cancel);
        if (!cancel && newValue != m_value) {
            // Stored directly: the setter's own Click (ValueSetClick) would
            // come on top of the click raised below.
            m_value = newValue;
            MarkChanged("Value");
        }
    }
    // A grouped button clears its group whatever came of the choice.
    if (m_grouped) GroupRule();
    Redraw();
    if (by == ChoiceBy::LeftButton && !before && m_value) emit Click();
}

// ---- geometry and frames ------------------------------------------------------------------

QRect Opt::GlyphRect() const {
    const int y = height() / 2 - kGlyphSize / 2;
    switch (m_alignment) {
        case optGlyphLeft: return QRect(0, y, kGlyphSize, kGlyphSize);
        case optGlyphRight: return QRect(width() - (kGlyphSize + 1), y, kGlyphSize, kGlyphSize);
        default: return {};
    }
}

QRect Opt::CaptionBox() const {
    const int w = width(), h = height();
    const int beside = kGlyphSize + glyph_control::kCaptionGap;
    QRect box(0, 0, w, h);
    if (m_alignment == optGlyphLeft)
        box.setLeft(beside);
    else if (m_alignment == optGlyphRight)
        box.setRight(w - 1 - beside - 1);
    if (m_controlWidth > 0) box.setWidth(m_controlWidth);
    if (m_controlHeight > 0) box.setHeight(m_controlHeight);
    return box.translated(m_xOffset, m_yOffset);
}

// ---- drawing -------------------------------------------------------------------------------

void Opt::RebuildBackground() {
    const int w = width(), h = height();
    if (!m_background.Create(w, h, gfxTranslateColor(m_backColor))) return;
    const bool seeThrough = UserMode() && m_backStyle == bsTransparent;
    if (!seeThrough || !gfxGetTransBG(m_background.hDC(), this))
        gfxDrawRect(m_background.hDC(), gdi::RECT{0, 0, w, h}, m_backColor);
}

void Opt::Compose(gdi::HDC target) const {
    // The scale size over the screen's twips per pixel: the widget's own size.
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, gfxTranslateColor(m_backColor))) return;
    const gdi::HDC dc = mem.hDC();

    if (m_background.hDC() != 0) gdi::BitBlt(dc, 0, 0, w, h, m_background.hDC(), 0, 0, gdi::SRCCOPY);
    if (const QRect glyph = GlyphRect(); !glyph.isEmpty())
        clsSkin::DrawPieceFrame(dc, m_skin, GlyphFrame(), glyph.x(), glyph.y());
    if (!m_caption.isEmpty()) DrawCaption(dc, w, h);
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

// Word-wrapped and centred vertically in the caption box.
void Opt::DrawCaption(gdi::HDC dc, int w, int h) const {
    gdi::SelectFont(dc, gdi::qt::FontOf(m_font));
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    gdi::SetTextColor(dc, gfxTranslateColor(m_enabled ? m_foreColor : m_disabledForeColor));
    const QRect box = CaptionBox();
    gdi::RECT r{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
    gdi::DrawText(dc, gdi::qt::Text(m_caption), r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK);
    const int textHeight = r.Bottom - r.Top, textWidth = std::min(r.Right - r.Left, box.width());
    const int top = box.top() + (box.height() - textHeight) / 2;
    gdi::RECT out{box.left(), top, box.left() + box.width(), top + textHeight};
    gdi::DrawText(dc, gdi::qt::Text(m_caption), out, gdi::DT_WORDBREAK);
    if (m_hasFocus) {
        glyph_control::DrawFocusRect(
            dc, gdi::RECT{std::max(box.left() - 1, 0), std::max(top - 1, 0), std::min(box.left() + textWidth + 1, w),
                          std::min(top + textHeight + 1, h)});
    }
}

// ---- subclassing and timers -------------------------------------------------------------------

void Opt::AttachSubclassing() {
    AttachMessages({winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_LBUTTONDOWN,
                    winmsg::WM_LBUTTONUP, winmsg::WM_RBUTTONDOWN, winmsg::WM_RBUTTONUP, winmsg::WM_MBUTTONDOWN,
                    winmsg::WM_MBUTTONUP});
}

winmsg::LRESULT Opt::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                          winmsg::LPARAM lParam) {
    using namespace winmsg;
    int button = 0, shift = 0, x = 0, y = 0;
    tavMFC40::GetMouseParameters(message, wParam, lParam, button, shift, x, y);
    switch (message) {
        case WM_PAINT: PaintToWindow(); break;
        case WM_MOUSEMOVE: OnMouseMoveMessage(button, shift, x, y); break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            m_pressed = true;
            Redraw();
            emit MouseDown(button, shift, x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (!m_pressed) break;
            m_pressed = false;
            if (rect().contains(x, y))
                UserChoice(message == WM_LBUTTONUP ? ChoiceBy::LeftButton : ChoiceBy::OtherButton);
            else
                Redraw();
            emit MouseUp(button, shift, x, y);
            break;
        case WM_TIMER: OnTimerMessage(wParam); break;
        default: break;
    }
    return 0;
}

// ---- Qt events -----------------------------------------------------------------------------------

void Opt::resizeEvent(QResizeEvent*) {
    RebuildBackground();
    Redraw();
}

void Opt::moveEvent(QMoveEvent*) {
    if (m_backStyle == bsTransparent) {
        RebuildBackground();
        Redraw();
    }
}

void Opt::showEvent(QShowEvent*) {
    if (UserMode() && m_backStyle == bsTransparent) tavMFC40::ChangeWindowStyle(this);
    RebuildBackground();
}

// The space key chooses like a left click over the button.
void Opt::keyReleaseEvent(QKeyEvent* e) {
    if (!UserMode() || e->isAutoRepeat()) return;
    const int code = tavMFC40::KeyCodeFromQt(e->key()), shift = tavMFC40::ShiftFromQt(e->modifiers());
    if (code == 32 && m_spaceDown) {
        m_spaceDown = false;
        m_pressed = false;
        UserChoice(ChoiceBy::LeftButton);
    }
    emit KeyUp(code, shift);
}
