#include "LB.h"

#include "modSkinConstants.h"
#include "suite/tavMFC40.h"

#include <QApplication>
#include <QDrag>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

using namespace tavGFX40;

namespace {

// Settings kept in the property bag without a public property, with their
// defaults (the same for reading and writing).
struct HiddenSetting {
    const char* key;
    QVariant defaultValue;
};
const std::array<HiddenSetting, 18>& hiddenSettings() {
    static const std::array<HiddenSetting, 18> table = {{
        {"AutoSelectSize", false},
        {"AutoSelectTheme", false},
        {"AutoComplete", false},
        {"ScrollBarWidth", 13},
        {"FontHoverEffect", QVariant::fromValue<OLE_COLOR>(0xFFFFFF)},
        {"BackSelected", QVariant::fromValue<OLE_COLOR>(0x8000000D)},
        {"BackSelectedG1", QVariant::fromValue<OLE_COLOR>(0x8000000D)},
        {"BackSelectedG2", QVariant::fromValue<OLE_COLOR>(0x80000005)},
        {"GotFocusEffect", false},
        {"GotFocusEffectColor", 1},
        {"HoverListEffect", false},
        {"HoverListEffectColor", QVariant::fromValue<OLE_COLOR>(0xFFFFFF)},
        {"BoxRadius", 0},
        {"Alignment", 0},
        {"Focus", true},
        {"HoverSelection", false},
        {"WordWrap", true},
        {"OrderType", 0},
    }};
    return table;
}

// Key codes of the host's keyboard events.
enum KeyCode : int { vbKeyPageUp = 33, vbKeyPageDown = 34, vbKeyEnd = 35, vbKeyHome = 36, vbKeyUp = 38, vbKeyDown = 40 };

// The system's wheel setting: lines per notch.  The platform reports a wheel
// wherever Qt runs, so the setting is always read.
int systemWheelScrollLines() { return QApplication::wheelScrollLines(); }

std::uint32_t tickCount() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<std::uint32_t>(clock.elapsed());
}

}  // namespace

LB::LB(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)), m_items(1), m_tick(tickCount) {
    m_font = AmbientProperties().Font;
    for (const auto& s : hiddenSettings()) m_hidden.insert(QString::fromLatin1(s.key), s.defaultValue);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    m_sb = new LBVScroll(this, AmbientProperties());
    m_sb->setObjectName(QStringLiteral("sbUC"));
    m_sb->SetMin(0);
    m_sb->hide();
    connect(m_sb, &LBVScroll::Change, this, [this](long) {
        m_hoverItem = -1;
        Redraw();
    });
    connect(m_sb, &LBVScroll::Scroll, this, [this](long) {
        m_hoverItem = -1;
        Redraw();
    });
    connect(m_sb, &LBVScroll::QueryPageSize, this, [this](int, long& amount) { amount = m_itemsVisible; });
    connect(m_sb, &LBVScroll::QuerySkin, this,
            [this](long res, SkinMapInfo& skin, SkinSource& source) { emit QuerySkin(res, skin, source); });
}

LB::~LB() {
    winmsg::KillTimer(this, modSkinConstants::kHoverTimerId);
    winmsg::KillTimer(this, kPaintTimerId);
    winmsg::KillTimer(this, kDragTimerId);
    if (m_subclasser) m_subclasser->DetachAll(this);
}

// ---- lifecycle ------------------------------------------------------------------------------------

void LB::InitProperties() {
    m_font = AmbientProperties().Font;
    m_wheelLines = systemWheelScrollLines();
    m_sb->InitProperties();
    m_sb->SetTheme(m_theme);
    ApplyEnabled();
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void LB::ReadProperties(const PropertyBag& bag) {
    m_applyItemOffset = bag.Read<int>("ApplyItemOffset", 0);
    m_appearance = bag.Read<int>("Appearance", appBorder);
    m_backNormal = bag.Read<OLE_COLOR>("BackNormal", kDefBackNormal);
    m_borderColor = bag.Read<OLE_COLOR>("BorderColor", kDefBorderColor);
    m_borderWidth = bag.Read<int>("BorderWidth", 1);
    m_boxBorder = bag.Read<OLE_COLOR>("BoxBorder", kDefBoxBorder);
    m_boxOffset = bag.Read<int>("BoxOffset", 1);
    m_boxBorderWidth = bag.Read<int>("BoxBorderWidth", 1);
    m_enabled = bag.Read<bool>("Enabled", true);
    m_leftMargin = bag.Read<int>("LeftMargin", 2);
    m_font = bag.Read<QFont>("Font", AmbientProperties().Font);
    m_fontNormal = bag.Read<OLE_COLOR>("FontNormal", kDefFontNormal);
    m_fontSelected = bag.Read<OLE_COLOR>("FontSelected", kDefFontSelected);
    m_itemHeightSetting = bag.Read<int>("ItemHeight", 0);
    m_itemHeightAuto = bag.Read<bool>("ItemHeightAuto", true);
    m_itemOffset = bag.Read<int>("ItemOffset", 0);
    m_itemLeftOffset = bag.Read<int>("ItemLeftOffset", 0);
    m_itemTopOffset = bag.Read<int>("ItemTopOffset", 0);
    m_itemTextLeft = bag.Read<int>("ItemTextLeft", 2);
    m_skinBackColor = bag.Read<OLE_COLOR>("SkinBackColor", kDefSkinBackColor);
    m_theme = bag.Read<int>("Theme", 0);
    for (const auto& s : hiddenSettings()) {
        const QString key = QString::fromLatin1(s.key);
        QVariant v = bag.ReadProperty(key, s.defaultValue);
        v.convert(s.defaultValue.metaType());
        m_hidden.insert(key, v);
    }

    m_wheelLines = systemWheelScrollLines();
    m_sb->ReadProperties(bag);
    m_sb->SetTheme(m_theme);
    ApplyEnabled();
    if (UserMode()) AttachSubclassing();
    SizeHandling();
}

void LB::WriteProperties(PropertyBag& bag) const {
    bag.Write<int>("ApplyItemOffset", m_applyItemOffset, 0);
    bag.Write<int>("Appearance", m_appearance, appBorder);
    bag.Write<OLE_COLOR>("BackNormal", m_backNormal, kDefBackNormal);
    bag.Write<OLE_COLOR>("BorderColor", m_borderColor, kDefBorderColor);
    bag.Write<int>("BorderWidth", m_borderWidth, 1);
    bag.Write<OLE_COLOR>("BoxBorder", m_boxBorder, kDefBoxBorder);
    bag.Write<int>("BoxOffset", m_boxOffset, 1);
    bag.Write<int>("BoxBorderWidth", m_boxBorderWidth, 1);
    bag.Write<bool>("Enabled", m_enabled, true);
    bag.Write<int>("LeftMargin", m_leftMargin, 2);
    bag.Write<QFont>("Font", m_font, AmbientProperties().Font);
    bag.Write<OLE_COLOR>("FontNormal", m_fontNormal, kDefFontNormal);
    bag.Write<OLE_COLOR>("FontSelected", m_fontSelected, kDefFontSelected);
    bag.Write<int>("ItemHeight", m_itemHeightSetting, 0);
    bag.Write<bool>("ItemHeightAuto", m_itemHeightAuto, true);
    bag.Write<int>("ItemOffset", m_itemOffset, 0);
    bag.Write<int>("ItemLeftOffset", m_itemLeftOffset, 0);
    bag.Write<int>("ItemTopOffset", m_itemTopOffset, 0);
    bag.Write<int>("ItemTextLeft", m_itemTextLeft, 2);
    bag.Write<OLE_COLOR>("SkinBackColor", m_skinBackColor, kDefSkinBackColor);
    bag.Write<int>("Theme", m_theme, 0);
    for (const auto& s : hiddenSettings()) {
        const QString key = QString::fromLatin1(s.key);
        bag.WriteProperty(key, m_hidden.value(key), s.defaultValue);
    }
}

void LB::AttachSubclassing() {
    if (!m_subclasser) m_subclasser = std::make_unique<tavSCls40::Subclasser>();
    m_subclasser->DetachAll(this);
    for (auto msg : {winmsg::WM_PAINT, winmsg::WM_TIMER, winmsg::WM_MOUSEMOVE, winmsg::WM_MOUSEWHEEL})
        m_subclasser->AttachMessage(this, this, msg);
}

// ---- items ----------------------------------------------------------------------------------------

void LB::CheckIndex(long index) const {
    if (index < 0 || index >= ListCount()) throw LBError(LBError::InvalidPropertyArrayIndex);
}

void LB::AddItem(const QString& item) {
    SyncSize();
    m_items.back().text = item;
    m_items.emplace_back();
    m_newIndex = ListCount() - 1;
    if (!m_drawEnabled) return;
    UpdateScrollMetrics();
    const long top = TopIndex();
    if (m_newIndex >= top && m_newIndex < top + m_itemsVisible) Redraw();
}

void LB::RemoveItem(long index) {
    SyncSize();
    CheckIndex(index);
    m_items.erase(m_items.begin() + index);
    if (m_listIndex == index) m_listIndex = -1;
    else if (m_listIndex > index) --m_listIndex;
    m_newIndex = -1;
    m_hoverItem = -1;
    if (!m_drawEnabled) return;
    UpdateScrollMetrics();
    Redraw();
}

void LB::Clear() {
    m_items.assign(1, Item{});
    m_listIndex = -1;
    m_newIndex = -1;
    m_hoverItem = -1;
    m_sb->SetValue(0);
    UpdateScrollMetrics();
    Redraw();
}

QString LB::ItemText(long index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].text;
}

void LB::SetItemText(long index, const QString& text) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].text = text;
    Redraw();
}

QVariant LB::ItemData(long index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].data;
}

void LB::SetItemData(long index, const QVariant& data) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].data = data;
}

QString LB::ItemStringData(long index) const {
    CheckIndex(index);
    return m_items[static_cast<std::size_t>(index)].stringData;
}

void LB::SetItemStringData(long index, const QString& data) {
    CheckIndex(index);
    m_items[static_cast<std::size_t>(index)].stringData = data;
}

void LB::SetListIndex(long value) {
    SyncSize();
    if (value > ListCount() - 1 || value < -1) throw LBError(LBError::InvalidPropertyValue);
    m_listIndex = (ListCount() > 0 && value >= 0) ? value : -1;
    if (m_listIndex >= 0) {
        const long top = TopIndex();
        if (m_listIndex < top) ScrollTo(m_listIndex);
        else if (m_listIndex > top + m_itemsVisible - 1) ScrollTo(value - m_itemsVisible + 1);
    }
    Redraw();
    MarkChanged("ListIndex");
    emit ListIndexChange();
}

void LB::SetTopIndex(long value) {
    SyncSize();
    if (value > ListCount() - m_itemsVisible || value < 0) throw LBError(LBError::InvalidPropertyValue);
    ScrollTo(value);
    Redraw();
    emit TopIndexChange();
}

void LB::ScrollTo(long top) {
    m_sb->SetValue(top);
    m_hoverItem = -1;
}

// ---- scroll metrics and geometry -------------------------------------------------------------------

void LB::SizeHandling() {
    m_sizedFor = size();
    const int textHeight = std::max(1, QFontMetrics(m_font).height());
    m_itemHeight = m_itemHeightAuto ? textHeight : std::max(m_itemHeightSetting, textHeight);
    m_itemsVisible = height() / m_itemHeight;
    LayoutScrollBar();
    UpdateScrollMetrics();
    Redraw();
}

void LB::LayoutScrollBar() {
    const int b = Border();
    const int w = m_hidden.value(QStringLiteral("ScrollBarWidth")).toInt();
    m_sb->setGeometry(width() - b - w, b, w, std::max(0, height() - 2 * b));
    m_sb->SetMetricsSize(w);
}

void LB::UpdateScrollMetrics() {
    const long count = ListCount();
    m_sb->SetTotalItems(count);
    m_sb->SetItemsVisible(m_itemsVisible);
    m_sb->SetMax(count - m_itemsVisible);
    const bool needed = count > m_itemsVisible;
    if (needed != m_sb->isVisibleTo(this)) m_sb->setVisible(needed);
}

int LB::Border() const { return m_appearance == appFlat ? 0 : std::max(0, m_borderWidth); }

QRect LB::RowsArea() const {
    const int b = Border();
    const int right = width() - b - (m_sb->isVisibleTo(this) ? m_sb->width() : 0);
    return QRect(QPoint(b, b), QPoint(right - 1, height() - b - 1));
}

QRect LB::ItemRect(long index) const {
    const long top = TopIndex();
    if (index < top || index >= top + m_itemsVisible || index >= ListCount()) return {};
    const QRect area = RowsArea();
    QRect r(area.left(), area.top() + static_cast<int>(index - top) * m_itemHeight, area.width(), m_itemHeight);
    if (m_applyItemOffset != 0) r.translate(m_itemLeftOffset, m_itemTopOffset);
    return r;
}

long LB::ItemAt(QPoint point) const {
    const QRect area = RowsArea();
    if (!area.contains(point) || m_itemHeight <= 0) return -1;
    const long index = TopIndex() + (point.y() - area.top()) / m_itemHeight;
    return index < ListCount() && index < TopIndex() + m_itemsVisible ? index : -1;
}

// ---- painting ---------------------------------------------------------------------------------------

void LB::Redraw() {
    ++m_redrawRequests;
    m_throttle.Request(m_subclasser != nullptr, m_tick());
}

void LB::PaintToWindow() {
    if (!m_drawEnabled) return;
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, 0xFFFFFF)) return;
    Compose(mem.hDC(), w, h);
    const gdi::HDC window = gdi::GetDC(this);
    gdi::BitBlt(window, 0, 0, w, h, mem.hDC(), 0, 0, gdi::SRCCOPY);
    gdi::ReleaseDC(this, window);
}

void LB::Compose(gdi::HDC dc, int w, int h) const {
    gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_skinBackColor);
    for (int i = 0; i < Border(); ++i) gfxDrawRect2(dc, i, i, w - i, h - i, m_borderColor);
    if (ListCount() == 0 || m_itemHeight <= 0) return;

    gdi::SelectFont(dc, m_font);
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    const int alignment = m_hidden.value(QStringLiteral("Alignment")).toInt();
    const std::uint32_t align = alignment == alignRight ? gdi::DT_RIGHT : alignment == alignCenter ? gdi::DT_CENTER
                                                                                                   : gdi::DT_LEFT;
    const std::uint32_t flags = gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX | align;
    const bool hoverEffect = m_hidden.value(QStringLiteral("HoverListEffect")).toBool();
    const OLE_COLOR hoverBack = m_hidden.value(QStringLiteral("HoverListEffectColor")).value<OLE_COLOR>();
    const OLE_COLOR hoverFore = m_hidden.value(QStringLiteral("FontHoverEffect")).value<OLE_COLOR>();
    const int textInset = m_leftMargin + m_itemTextLeft + (m_applyItemOffset != 0 ? m_itemOffset : 0);

    auto drawRow = [&](long index, OLE_COLOR back, OLE_COLOR fore) {
        const QRect r = ItemRect(index);
        if (r.isEmpty()) return;
        gfxDrawRect(dc, gdi::RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, back);
        gdi::SetTextColor(dc, gfxTranslateColor(m_enabled ? fore : SystemColor(COLOR_GRAYTEXT)));
        gdi::RECT tr{r.left() + textInset, r.top(), r.right() + 1 - 2, r.bottom() + 1};
        gdi::DrawText(dc, m_items[static_cast<std::size_t>(index)].text, tr, flags);
    };

    const long top = TopIndex();
    const long last = std::min<long>(ListCount(), top + m_itemsVisible);
    for (long i = top; i < last; ++i) {
        if (i == m_listIndex) continue;
        if (hoverEffect && i == m_hoverItem) drawRow(i, hoverBack, hoverFore);
        else drawRow(i, m_backNormal, m_fontNormal);
    }

    // The selection box: the selected row's background, then its outline.
    if (m_listIndex >= top && m_listIndex < last) {
        drawRow(m_listIndex, m_hidden.value(QStringLiteral("BackSelected")).value<OLE_COLOR>(), m_fontSelected);
        const QRect r = ItemRect(m_listIndex).adjusted(m_boxOffset, m_boxOffset, -m_boxOffset, -m_boxOffset);
        for (int i = 0; i < m_boxBorderWidth && r.width() > 2 * i && r.height() > 2 * i; ++i)
            gfxDrawRect2(dc, r.left() + i, r.top() + i, r.right() + 1 - i, r.bottom() + 1 - i, m_boxBorder);
    }
}

void LB::paintEvent(QPaintEvent*) { PaintToWindow(); }

void LB::resizeEvent(QResizeEvent*) { SizeHandling(); }

// ---- property setters ----------------------------------------------------------------------------------

void LB::SetApplyItemOffset(int v) { m_applyItemOffset = v; Redraw(); MarkChanged("ApplyItemOffset"); }
void LB::SetAppearance(int v) { m_appearance = v; SizeHandling(); MarkChanged("Appearance"); }
void LB::SetBackNormal(OLE_COLOR c) { m_backNormal = gfxTranslateColor(c); Redraw(); MarkChanged("BackNormal"); }
void LB::SetBorderColor(OLE_COLOR c) { m_borderColor = c; Redraw(); MarkChanged("BorderColor"); }
void LB::SetBorderWidth(int v) { m_borderWidth = v; SizeHandling(); MarkChanged("BorderWidth"); }
void LB::SetBoxBorder(OLE_COLOR c) { m_boxBorder = gfxTranslateColor(c); Redraw(); MarkChanged("BoxBorder"); }
void LB::SetBoxOffset(int v) { m_boxOffset = v; Redraw(); MarkChanged("BoxOffset"); }
void LB::SetBoxBorderWidth(int v) { m_boxBorderWidth = v; Redraw(); MarkChanged("BoxBorderWidth"); }
void LB::SetLeftMargin(int v) { m_leftMargin = v; Redraw(); MarkChanged("LeftMargin"); }
void LB::SetFontNormal(OLE_COLOR c) { m_fontNormal = gfxTranslateColor(c); Redraw(); MarkChanged("FontNormal"); }
void LB::SetFontSelected(OLE_COLOR c) { m_fontSelected = gfxTranslateColor(c); Redraw(); MarkChanged("FontSelected"); }
void LB::SetItemHeight(int v) { m_itemHeightSetting = v; SizeHandling(); MarkChanged("ItemHeight"); }
void LB::SetItemHeightAuto(bool on) { m_itemHeightAuto = on; SizeHandling(); MarkChanged("ItemHeightAuto"); }
void LB::SetItemOffset(int v) { m_itemOffset = v; Redraw(); MarkChanged("ItemOffset"); }
void LB::SetItemLeftOffset(int v) { m_itemLeftOffset = v; Redraw(); MarkChanged("ItemLeftOffset"); }
void LB::SetItemTopOffset(int v) { m_itemTopOffset = v; Redraw(); MarkChanged("ItemTopOffset"); }
void LB::SetItemTextLeft(int v) { m_itemTextLeft = v; Redraw(); MarkChanged("ItemTextLeft"); }
void LB::SetSkinBackColor(OLE_COLOR c) { m_skinBackColor = c; Redraw(); MarkChanged("SkinBackColor"); }

void LB::SetFont(const QFont& font) {
    m_font = font;
    SizeHandling();
    MarkChanged("Font");
}

void LB::SetTheme(int theme) {
    m_theme = theme;
    m_sb->SetTheme(theme);
    MarkChanged("Theme");
}

void LB::SetEnabled(bool on) {
    m_enabled = on;
    ApplyEnabled();
    Redraw();
    MarkChanged("Enabled");
}

void LB::ApplyEnabled() {
    m_sb->SetEnabled(m_enabled);
    if (!m_enabled) StopDragScroll();
    setFocusPolicy(m_enabled ? Qt::StrongFocus : Qt::NoFocus);
}

void LB::SetHiddenSetting(const QString& key, const QVariant& value) {
    if (!m_hidden.contains(key)) return;
    m_hidden.insert(key, value);
    if (key == QLatin1String("ScrollBarWidth")) SizeHandling();
    else Redraw();
    emit PropertyChanged(key);
}

// ---- methods ------------------------------------------------------------------------------------------

void LB::BeginUpdate() { m_drawEnabled = false; }

void LB::EndUpdate() {
    m_drawEnabled = true;
    UpdateScrollMetrics();
    Redraw();
}

void LB::Refresh() { Redraw(); }

void LB::OLEDrag() {
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    if (m_listIndex >= 0) mime->setText(m_items[static_cast<std::size_t>(m_listIndex)].text);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
}

// ---- keyboard ---------------------------------------------------------------------------------------------

void LB::keyPressEvent(QKeyEvent* e) {
    if (!UserMode() || !m_enabled) return;
    SyncSize();
    const int code = tavMFC40::KeyCodeFromQt(e->key());
    const long count = ListCount();
    if (count > 0 && m_listIndex != -1) {
        const long page = m_itemsVisible;
        switch (code) {
            case vbKeyPageUp: SetListIndex(std::max(0L, m_listIndex - page)); break;
            case vbKeyPageDown: SetListIndex(std::min(count - 1, m_listIndex + page)); break;
            case vbKeyEnd: SetListIndex(count - 1); break;
            case vbKeyHome: SetListIndex(0); break;
            case vbKeyUp:
                if (m_listIndex > 0) SetListIndex(m_listIndex - 1);
                break;
            case vbKeyDown:
                if (m_listIndex < count - 1) SetListIndex(m_listIndex + 1);
                break;
            default: break;
        }
    }
    emit KeyDown(code, tavMFC40::ShiftFromQt(e->modifiers()));
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).unicode() < 256 && text.at(0).unicode() != 0) emit KeyPress(text.at(0).unicode());
}

void LB::keyReleaseEvent(QKeyEvent* e) {
    if (!UserMode() || !m_enabled) return;
    emit KeyUp(tavMFC40::KeyCodeFromQt(e->key()), tavMFC40::ShiftFromQt(e->modifiers()));
}

// ---- mouse ------------------------------------------------------------------------------------------------

void LB::mousePressEvent(QMouseEvent* e) {
    if (!UserMode() || !m_enabled) return;
    m_buttonHeld = true;
    const QPoint p = e->position().toPoint();
    emit MouseDown(tavMFC40::ButtonsFromQt(e->button()), tavMFC40::ShiftFromQt(e->modifiers()), p.x(), p.y());
}

void LB::mouseReleaseEvent(QMouseEvent* e) {
    if (!UserMode() || !m_enabled) return;
    m_buttonHeld = false;
    StopDragScroll();
    const QPoint p = e->position().toPoint();
    emit MouseUp(tavMFC40::ButtonsFromQt(e->button()), tavMFC40::ShiftFromQt(e->modifiers()), p.x(), p.y());
    if (e->button() == Qt::LeftButton && rect().contains(p) && m_listIndex != -1) emit Click();
}

void LB::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!UserMode() || !m_enabled) return;
    m_buttonHeld = true;
    if (e->button() == Qt::LeftButton && m_listIndex != -1) emit DblClick();
}

void LB::mouseMoveEvent(QMouseEvent* e) {
    if (!UserMode() || !m_enabled) return;
    const QPoint p = e->position().toPoint();
    if (p.y() < 0 || p.y() >= height())
        emit MouseMove(tavMFC40::ButtonsFromQt(e->buttons()), tavMFC40::ShiftFromQt(e->modifiers()), p.x(), p.y());
    if (m_buttonHeld) DragAutoScroll(p.y());
}

void LB::wheelEvent(QWheelEvent* e) {
    // The subclassed WM_MOUSEWHEEL has scrolled already; the list keeps the wheel.
    e->accept();
}

void LB::hideEvent(QHideEvent*) {
    m_throttle.Flush(m_tick());
    StopDragScroll();
    winmsg::KillTimer(this, modSkinConstants::kHoverTimerId);
    m_hoverItem = -1;
}

int LB::DragStepInterval(int y) const {
    if (y < 0) return std::max(40, 500 + 20 * y);
    return std::max(40, 500 - 20 * (y - height() - 1));
}

void LB::DragAutoScroll(int y) {
    m_dragY = y;
    const bool outside = y < 0 || y >= height();
    if (!outside) {
        StopDragScroll();
        return;
    }
    if (winmsg::IsTimerRunning(this, kDragTimerId)) return;
    // The first step comes at once, the next ones per interval.
    m_lastDragStep = m_tick() - static_cast<std::uint32_t>(DragStepInterval(y));
    winmsg::SetTimer(this, kDragTimerId, kDragPollMs);
    DragTimerTick();
}

void LB::DragTimerTick() {
    if (!m_buttonHeld || (m_dragY >= 0 && m_dragY < height())) {
        StopDragScroll();
        return;
    }
    const std::uint32_t now = m_tick();
    if (now - m_lastDragStep < static_cast<std::uint32_t>(DragStepInterval(m_dragY))) return;
    m_lastDragStep = now;
    const long count = ListCount();
    if (m_dragY < 0) {
        if (m_listIndex > 0) SetListIndex(m_listIndex - 1);
    } else if (m_listIndex < count - 1) {
        SetListIndex(m_listIndex + 1);
    }
}

void LB::StopDragScroll() { winmsg::KillTimer(this, kDragTimerId); }

// ---- subclassed messages ----------------------------------------------------------------------------------

tavSCls40::EMsgResponse LB::ISubclass_MsgResponse() {
    const auto msg = m_subclasser ? m_subclasser->CurrentMessage() : 0;
    return msg == winmsg::WM_PAINT ? tavSCls40::emrConsume : tavSCls40::emrPreprocess;
}

winmsg::LRESULT LB::ISubclass_WindowProc(winmsg::HWND, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) {
    switch (message) {
        case winmsg::WM_PAINT: PaintToWindow(); break;
        case winmsg::WM_MOUSEWHEEL:
            if (m_enabled) OnWheel(static_cast<std::int16_t>(winmsg::HIWORD(wParam)));
            break;
        case winmsg::WM_MOUSEMOVE:
            OnHoverMove(QPoint(winmsg::GET_X_LPARAM(lParam), winmsg::GET_Y_LPARAM(lParam)));
            break;
        case winmsg::WM_TIMER:
            if (wParam == modSkinConstants::kHoverTimerId) {
                if (!rect().contains(mapFromGlobal(tavMFC40::GetCursorPos()))) {
                    winmsg::KillTimer(this, wParam);
                    m_hoverItem = -1;
                    Redraw();
                }
            } else if (wParam == kDragTimerId) {
                DragTimerTick();
            } else {
                m_throttle.OnTimer(wParam, m_tick());
            }
            break;
        default: break;
    }
    return 0;
}

void LB::OnHoverMove(QPoint p) {
    if (!winmsg::IsTimerRunning(this, modSkinConstants::kHoverTimerId))
        winmsg::SetTimer(this, modSkinConstants::kHoverTimerId, modSkinConstants::kHoverTimerMs);
    const long item = ItemAt(p);
    if (item != m_hoverItem) {
        m_hoverItem = item;
        if (m_hidden.value(QStringLiteral("HoverListEffect")).toBool()) Redraw();
    }
}

void LB::OnWheel(int delta) {
    SyncSize();
    long lines = static_cast<long>(delta / 120) * m_wheelLines;
    if (lines == 0) lines = delta > 0 ? 1 : delta < 0 ? -1 : 0;
    if (lines == 0) return;
    long top = TopIndex();
    // A negative delta is a turn towards the user: the list moves on.
    if (delta < 0) top = std::min(static_cast<long>(m_sb->Max()), top + std::labs(lines));
    else top = std::max(0L, top - std::labs(lines));
    ScrollTo(top);
    Redraw();
}
