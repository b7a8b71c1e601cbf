#include "controls/txt.h"

#include "controls/control_input.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavMFC40.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <utility>
#include <array>

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

// The inner box's own maximum when the property says "no limit".
constexpr int kUnlimited = 32767;

template <class T>
using Row = property_table::Row<txt, T>;
using property_table::Storage;

}  // namespace

const auto& txt::Properties() {
    static const auto table = std::make_tuple(
        Row<bool>{"Enabled", &txt::m_enabled, true, Storage::Stored, nullptr, &txt::EnabledChanged},
        Row<QFont>{"Font", &txt::m_font, {}, Storage::Stored, nullptr, &txt::FontChanged},
        Row<short>{"MarginLeft", &txt::m_marginLeft, kDefMargin, Storage::Stored, nullptr, &txt::SizeHandling},
        Row<short>{"MarginRight", &txt::m_marginRight, kDefMargin, Storage::Stored, nullptr, &txt::SizeHandling},
        Row<short>{"MaxLength", &txt::m_maxLength, 0, Storage::Stored, &txt::AcceptMaxLength, &txt::MaxLengthChanged},
        Row<OLE_COLOR>{"SkinBackColor", &txt::m_skinBackColor, kDefSkinBackColor, Storage::Stored, nullptr,
                       &txt::Redraw},
        // Stored without a public property.
        Row<bool>{"Locked", &txt::m_locked, false, Storage::Stored, nullptr, &txt::LockedChanged});
    return table;
}

txt::txt(QWidget* parent, QtAmbient ambient) : QtUserControl(parent, std::move(ambient)), m_inner(new QLineEdit(this)) {
    m_inner->setObjectName(QStringLiteral("txtText"));
    m_inner->setFrame(false);
    m_inner->setMouseTracking(true);
    m_inner->installEventFilter(this);
    connect(m_inner, &QLineEdit::textChanged, this, [this] {
        MarkChanged("Text");
        emit Change();
    });
    setFocusProxy(m_inner);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    m_font = AmbientProperties().Font;
    ApplyFontToInner();
}

txt::~txt() {
    m_terminating = true;
    winmsg::KillTimer(m_inner, kHoverTimerId);
    if (m_subclasser) m_subclasser->DetachAll(this);
    clsSkin::ReleasePiece(m_skin);
}

// ---- lifecycle ----------------------------------------------------------------------

void txt::InitProperties() {
    m_font = AmbientProperties().Font;
    ApplyFontToInner();
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void txt::ReadProperties(const PropertyBag& bag) {
    property_table::ReadAll(*this, bag, Properties(), AmbientProperties().Font);
    QWidget::setEnabled(m_enabled);
    ApplyFontToInner();
    MaxLengthChanged();
    LockedChanged();
    {
        // Reading the stored text is not a change.
        const QSignalBlocker quiet(m_inner);
        m_inner->setText(bag.Read<QString>("Text", QString()));
    }
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void txt::WriteProperties(PropertyBag& bag) const {
    property_table::WriteAll(*this, bag, Properties(), AmbientProperties().Font);
    bag.Write<QString>("Text", m_inner->text(), QString());
}

// ---- properties ----------------------------------------------------------------------------

void txt::SetEnabled(bool on) { SetProperty<txt>(&txt::m_enabled, on); }
void txt::SetFont(const QFont& font) { SetProperty<txt>(&txt::m_font, font); }
void txt::SetMarginLeft(short pixels) { SetProperty<txt>(&txt::m_marginLeft, pixels); }
void txt::SetMarginRight(short pixels) { SetProperty<txt>(&txt::m_marginRight, pixels); }
void txt::SetMaxLength(short length) { SetProperty<txt>(&txt::m_maxLength, length); }
void txt::SetSkinBackColor(OLE_COLOR colour) { SetProperty<txt>(&txt::m_skinBackColor, colour); }

void txt::EnabledChanged() {
    QWidget::setEnabled(m_enabled);
    Redraw();
}

void txt::FontChanged() {
    ApplyFontToInner();
    SizeHandling();
}

bool txt::AcceptMaxLength(short& length) {
    length = std::max<short>(length, 0);
    return true;
}

void txt::MaxLengthChanged() { m_inner->setMaxLength(m_maxLength > 0 ? m_maxLength : kUnlimited); }

void txt::LockedChanged() { m_inner->setReadOnly(m_locked); }

short txt::SelStart() const {
    return static_cast<short>(m_inner->hasSelectedText() ? m_inner->selectionStart() : m_inner->cursorPosition());
}

void txt::SetSelStart(short start) {
    const int length = static_cast<int>(m_inner->text().size());
    m_inner->setCursorPosition(std::clamp<int>(start, 0, length));  // also drops the selection
}

short txt::SelLength() const { return static_cast<short>(m_inner->selectedText().size()); }

void txt::SetSelLength(short length) {
    const int start = SelStart();
    const int available = static_cast<int>(m_inner->text().size()) - start;
    m_inner->setSelection(start, std::clamp<int>(length, 0, available));
}

QString txt::SelText() const { return m_inner->selectedText(); }

void txt::SetSelText(const QString& text) { m_inner->insert(text); }

QString txt::Text() const { return m_inner->text(); }

void txt::SetText(const QString& text) { m_inner->setText(text); }

// ---- methods ------------------------------------------------------------------------------

void txt::Refresh() { Redraw(); }

void txt::ApplyCustomSkin() {
    clsSkin::ReleasePiece(m_skin);
    SkinSource source;
    emit QuerySkin(0, m_skin, source);
    if (m_skin.ImageName.empty() || !clsSkin::LoadCustomPiece(m_skin, source, kCustomFrames))
        clsSkin::ReleasePiece(m_skin);  // no image: the outline is drawn instead
    SizeHandling();
}

// ---- geometry ---------------------------------------------------------------------------------

gdi::RECT txt::FrameInsets() const {
    if (m_skin.MemDC != 0) return m_skin.MapMargin;
    return gdi::RECT{kFrameInset, kFrameInset, kFrameInset, kFrameInset};
}

QRect txt::InnerRect() const {
    const gdi::RECT f = FrameInsets();
    const int left = f.Left + m_marginLeft;
    const int right = width() - f.Right - m_marginRight;
    const int top = f.Top + (height() - f.Top - f.Bottom - m_innerHeight) / 2;
    return QRect(left, top, std::max(right - left, 0), m_innerHeight);
}

void txt::ApplyFontToInner() {
    m_inner->setFont(m_font);
    m_innerHeight = QFontMetrics(m_font).size(Qt::TextSingleLine, QStringLiteral("Wg")).height() + 2;
}

void txt::SizeHandling() {
    const gdi::RECT f = FrameInsets();
    const int minHeight = std::max(kMinHeightTwips / kTwipsPerPixel, m_innerHeight + f.Top + f.Bottom);
    if (height() < minHeight || width() < kMinWidthPixels)
        resize(std::max(width(), kMinWidthPixels), std::max(height(), minHeight));
    m_inner->setGeometry(InnerRect());
    Redraw();
}

void txt::resizeEvent(QResizeEvent*) { SizeHandling(); }

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
    update();
}

void txt::paintEvent(QPaintEvent*) {
    if (m_terminating) return;
    const gdi::HDC window = gdi::GetDC(gdi::qt::Window(this));
    Compose(window);
    gdi::ReleaseDC(gdi::qt::Window(this), window);
}

void txt::Compose(gdi::HDC target) const {
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, gfxTranslateColor(m_skinBackColor))) return;
    const gdi::HDC dc = mem.hDC();
    gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_skinBackColor);
    const FrameState state = CurrentFrameState();
    if (!clsSkin::DrawPiece(dc, m_skin, static_cast<int>(state), 0, 0, w, h))
        gfxDrawRect2(dc, 0, 0, w, h, OutlineColour(state));
    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

// ---- the inner box ------------------------------------------------------------------------------

void txt::AttachSubclassing() {
    if (!m_subclasser) m_subclasser = std::make_unique<tavSCls40::Subclasser>();
    m_subclasser->DetachAll(this);
    m_subclasser->AttachMessage(this, m_inner, winmsg::WM_MOUSEMOVE);
    m_subclasser->AttachMessage(this, m_inner, winmsg::WM_TIMER);
}

void txt::StopHover() {
    winmsg::KillTimer(m_inner, kHoverTimerId);
    m_mouseOver = false;
}

tavSCls40::EMsgResponse txt::ISubclass_MsgResponse() { return tavSCls40::emrPreprocess; }

winmsg::LRESULT txt::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM) {
    switch (message) {
        case winmsg::WM_MOUSEMOVE:
            m_mouseOver = true;
            winmsg::SetTimer(m_inner, kHoverTimerId, kHoverTimerMs);
            Redraw();
            break;
        case winmsg::WM_TIMER:
            if (wParam == kHoverTimerId &&
                !m_inner->rect().contains(m_inner->mapFromGlobal(tavMFC40::GetCursorPos()))) {
                StopHover();
                Redraw();
            }
            break;
        default: break;
    }
    return 0;
}

bool txt::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_inner) return QtUserControl::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            m_innerFocused = event->type() == QEvent::FocusIn;
            Redraw();
            break;
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(event);
            emit KeyDown(tavMFC40::KeyCodeFromQt(ke->key()), tavMFC40::ShiftFromQt(ke->modifiers()));
            if (const int ascii = control_input::KeyAsciiOf(ke->text()); ascii >= 0) emit KeyPress(ascii);
            break;
        }
        case QEvent::KeyRelease: {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (!ke->isAutoRepeat())
                emit KeyUp(tavMFC40::KeyCodeFromQt(ke->key()), tavMFC40::ShiftFromQt(ke->modifiers()));
            break;
        }
        case QEvent::MouseButtonDblClick: m_innerDoubleClick = true; break;
        case QEvent::MouseButtonRelease: {
            // A double click's second release raises no Click (the host raises DblClick for it).
            auto* me = static_cast<QMouseEvent*>(event);
            const bool endsDoubleClick = std::exchange(m_innerDoubleClick, false);
            if (me->button() == Qt::LeftButton && m_inner->rect().contains(me->position().toPoint()) &&
                !endsDoubleClick)
                emit Click();
            break;
        }
        default: break;
    }
    return false;
}

// ---- the frame ---------------------------------------------------------------------------------

void txt::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) m_inner->setFocus(Qt::MouseFocusReason);
}

void txt::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit Click();
}

void txt::showEvent(QShowEvent*) { m_inner->setToolTip(ExtenderProperties().ToolTipText); }

void txt::hideEvent(QHideEvent*) { StopHover(); }

void txt::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange && !isEnabled()) {
        StopHover();
        Redraw();
    }
    QtUserControl::changeEvent(e);
}
