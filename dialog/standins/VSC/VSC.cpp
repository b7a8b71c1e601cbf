#include "VSC.h"

#include "../standin_skin.h"
#include "modSkinConstants.h"

#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {
using namespace modSkinConstants;
struct PieceDef {
    int number;
    int frames;
};
constexpr PieceDef kPieceDefs[] = {
    {resScrollButtons, 16}, {resScrollArrowGlyphs, 16}, {resScrollShaft, 4}, {resScrollThumb, 4}, {resScrollThumbGripper, 4}};
}  // namespace

VSC::VSC(QWidget* parent, Ambient ambient) : UserControl(parent, std::move(ambient)) { LoadPieces(false); }

VSC::~VSC() {
    for (auto& piece : m_pieces) clsSkin::ReleasePiece(piece);
}

void VSC::LoadPieces(bool custom) {
    for (int i = 0; i < PieceCount; ++i) {
        auto query = [this](long n, SkinMapInfo& s, SkinSource& src) { emit QuerySkin(n, s, src); };
        standin::LoadPiece(m_pieces[static_cast<std::size_t>(i)], kPieceDefs[i].number, kPieceDefs[i].frames,
                           custom ? std::function<void(long, SkinMapInfo&, SkinSource&)>(query) : nullptr);
    }
    update();
}

void VSC::ApplyCustomSkin() { LoadPieces(true); }
void VSC::ApplyDefaultSkin() { LoadPieces(false); }

void VSC::SetValue(long value) {
    m_value = std::clamp(value, m_min, std::max(m_min, m_max));
    update();
}

void VSC::SetMin(long v) {
    m_min = v;
    SetValue(m_value);
}

void VSC::SetMax(long v) {
    m_max = v < m_min ? m_min + 1 : v;
    SetValue(m_value);
}

void VSC::SetEnabled(bool on) {
    m_enabled = on;
    setEnabled(on);
    m_pressed = Part::None;
    update();
}

QRect VSC::UpRect() const { return QRect(0, 0, width(), ArrowHeight()); }
QRect VSC::DownRect() const { return QRect(0, height() - ArrowHeight(), width(), ArrowHeight()); }

QRect VSC::ThumbRect() const {
    const int track = height() - 2 * ArrowHeight();
    const int length = std::max(16, track / 4);
    const double span = static_cast<double>(m_max - m_min);
    const int top = ArrowHeight() + (span > 0 ? static_cast<int>(std::lround((track - length) * (m_value - m_min) / span)) : 0);
    return QRect(0, top, width(), length);
}

VSC::Part VSC::HitTest(QPoint p) const {
    if (!rect().contains(p)) return Part::None;
    if (UpRect().contains(p)) return Part::UpArrow;
    if (DownRect().contains(p)) return Part::DownArrow;
    const QRect thumb = ThumbRect();
    if (thumb.contains(p)) return Part::Thumb;
    return p.y() < thumb.top() ? Part::TrackAbove : Part::TrackBelow;
}

void VSC::Step(long delta) {
    const long before = m_value;
    SetValue(m_value + delta);
    if (m_value != before) emit Change();
}

void VSC::mousePressEvent(QMouseEvent* e) {
    if (!m_enabled || e->button() != Qt::LeftButton) return;
    m_pressed = HitTest(e->position().toPoint());
    switch (m_pressed) {
        case Part::UpArrow: Step(-m_small); break;
        case Part::DownArrow: Step(m_small); break;
        case Part::TrackAbove: Step(-m_large); break;
        case Part::TrackBelow: Step(m_large); break;
        case Part::Thumb: m_dragOffset = e->position().toPoint().y() - ThumbRect().top(); break;
        case Part::None: break;
    }
    update();
}

void VSC::mouseMoveEvent(QMouseEvent* e) {
    if (m_pressed != Part::Thumb) return;
    const QRect thumb = ThumbRect();
    const int track = height() - 2 * ArrowHeight() - thumb.height();
    if (track <= 0) return;
    const int top = std::clamp(e->position().toPoint().y() - m_dragOffset, ArrowHeight(), ArrowHeight() + track);
    const long before = m_value;
    SetValue(m_min + std::lround(static_cast<double>(top - ArrowHeight()) * (m_max - m_min) / track));
    if (m_value != before) emit Scroll();
}

void VSC::mouseReleaseEvent(QMouseEvent*) {
    m_pressed = Part::None;
    update();
}

void VSC::paintEvent(QPaintEvent*) {
    const int state = !m_enabled ? 3 : 0;
    auto pressedState = [&](Part part) { return m_enabled && m_pressed == part ? 2 : state; };
    standin::PaintComposed(this, [&](gdi::HDC dc) {
        const QRect up = UpRect(), down = DownRect(), thumb = ThumbRect();
        clsSkin::DrawPiece(dc, m_pieces[Shaft], state, 0, up.bottom() + 1, width(), down.top());
        clsSkin::DrawPiece(dc, m_pieces[Buttons], pressedState(Part::UpArrow), 0, up.top(), width(), up.bottom() + 1);
        clsSkin::DrawPiece(dc, m_pieces[Buttons], 4 + pressedState(Part::DownArrow), 0, down.top(), width(), down.bottom() + 1);
        const auto& glyph = m_pieces[Glyphs];
        clsSkin::DrawPieceFrame(dc, glyph, pressedState(Part::UpArrow), (width() - glyph.IMGWidth) / 2,
                                up.top() + (up.height() - glyph.IMGHeight) / 2);
        clsSkin::DrawPieceFrame(dc, glyph, 4 + pressedState(Part::DownArrow), (width() - glyph.IMGWidth) / 2,
                                down.top() + (down.height() - glyph.IMGHeight) / 2);
        if (m_enabled) {
            clsSkin::DrawPiece(dc, m_pieces[Thumb], pressedState(Part::Thumb), 0, thumb.top(), width(), thumb.bottom() + 1);
            const auto& grip = m_pieces[Gripper];
            clsSkin::DrawPieceFrame(dc, grip, pressedState(Part::Thumb), (width() - grip.IMGWidth) / 2,
                                    thumb.top() + (thumb.height() - grip.IMGHeight) / 2);
        }
    });
}
