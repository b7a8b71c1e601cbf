#include "LBVScrollParts.h"

#include "modSkinConstants.h"
#include "suite/tavGFX40.h"
#include "suite/tavSCls40.h"

#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace LBVScrollParts {

using namespace modSkinConstants;

const std::array<PieceInfo, kPieceCount> kPieces = {{
    {pieceButtons, resScrollButtons, 16},
    {pieceThumb, resScrollThumb, 4},
    {pieceGripper, resScrollThumbGripper, 4},
    {pieceGlyphs, resScrollArrowGlyphs, 16},
    {pieceShaft, resScrollShaft, 4},
}};

namespace {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4),
// whatever the floating-point rounding mode is.
double roundHalfEven(double x) {
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5) return lower + 1;
    if (diff < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
}

}  // namespace

int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

double ThumbLength(const Geometry& g, double visible, double total, double minimum, double current) {
    if (total == 0) return current;
    const double share = std::min(1.0, visible / total);
    return std::max(g.Track() * share, minimum);
}

double ThumbTop(const Geometry& g, double value, double min, double max) {
    if (max == min || value == min) return g.topArrow;
    return g.topArrow + (g.Track() - g.thumbLength) * (value - min) / (max - min);
}

double ClampThumbTop(const Geometry& g, double thumbTop) {
    const double upper = g.topArrow;
    const double lower = g.innerHeight - g.bottomArrow - g.thumbLength;
    return std::max(upper, std::min(thumbTop, lower));
}

std::int32_t ValueFromThumb(const Geometry& g, double thumbTop, double min, double max) {
    const double lower = g.innerHeight - g.bottomArrow - g.thumbLength;
    if (thumbTop <= g.topArrow) return static_cast<std::int32_t>(min);
    if (thumbTop >= lower) return static_cast<std::int32_t>(max);
    const double span = g.Track() - g.thumbLength;
    return static_cast<std::int32_t>(roundHalfEven(min + (thumbTop - g.topArrow) * (max - min) / span));
}

QRect UpArrowRect(const Geometry& g, int width) { return QRect(0, 0, width, ToPixels(g.topArrow)); }

QRect DownArrowRect(const Geometry& g, int width) {
    const int bottom = ToPixels(g.innerHeight);
    const int h = ToPixels(g.bottomArrow);
    return QRect(0, bottom - h, width, h);
}

QRect TrackRect(const Geometry& g, int width) {
    const int top = ToPixels(g.topArrow);
    return QRect(0, top, width, std::max(0, ToPixels(g.innerHeight - g.bottomArrow) - top));
}

QRect ThumbRect(const Geometry& g, int width) {
    const int top = ToPixels(g.thumbTop);
    return QRect(0, top, width, std::max(0, ToPixels(g.ThumbBottom()) - top));
}

ScrollPart HitTest(const Geometry& g, int width, QPoint point) {
    if (point.x() < 0 || point.x() >= width) return ScrollPart::None;
    if (UpArrowRect(g, width).contains(point)) return ScrollPart::UpArrow;
    if (DownArrowRect(g, width).contains(point)) return ScrollPart::DownArrow;
    if (ThumbRect(g, width).contains(point)) return ScrollPart::Thumb;
    const QRect track = TrackRect(g, width);
    if (!track.contains(point)) return ScrollPart::None;
    return point.y() < ThumbRect(g, width).top() ? ScrollPart::TrackAbove : ScrollPart::TrackBelow;
}

// ---- skins ---------------------------------------------------------------------------

void SkinSet::Release() {
    for (auto& p : m_pieces) clsSkin::ReleasePiece(p);
}

void SkinSet::LoadDefault(int theme) {
    Release();
    for (const auto& info : kPieces) clsSkin::LoadStaticPiece(m_pieces[info.piece], info.resource, theme);
    m_minThumb = kBuiltInMinThumb;
}

void SkinSet::LoadCustom(int theme, const Asker& ask) {
    Release();
    for (const auto& info : kPieces) {
        SkinMapInfo& piece = m_pieces[info.piece];
        SkinMapInfo answer{};  // the host fills what it knows and leaves the rest at zero
        SkinSource source;
        if (ask) ask(info.resource, answer, source);
        bool loaded = false;
        if (!source.IsEmpty() && !answer.ImageName.isEmpty()) {
            piece = answer;
            loaded = clsSkin::LoadCustomPiece(piece, source, info.frames);
            if (!loaded) piece = SkinMapInfo{};
        }
        if (!loaded) clsSkin::LoadStaticPiece(piece, info.resource, theme);
    }
    UpdateMinThumb();
}

void SkinSet::UpdateMinThumb() {
    // A custom thumb keeps its end caps and its gripper whole.
    const SkinMapInfo& thumb = m_pieces[pieceThumb];
    if (thumb.ImageName.isEmpty()) {
        m_minThumb = kBuiltInMinThumb;
        return;
    }
    const int caps = thumb.MapMargin.Top + thumb.MapMargin.Bottom;
    const int gripper = m_pieces[pieceGripper].IMGHeight;
    m_minThumb = ToTwips(std::max(caps + gripper, caps + 2));
}

int SkinSet::ButtonHeight() const {
    const int h = m_pieces[pieceButtons].IMGHeight;
    return h > 0 ? h : 17;
}

// ---- drawing -------------------------------------------------------------------------

void Paint(winmsg::HWND window, const SkinSet& skins, const Geometry& g, const Look& look) {
    tavSCls40::MemoryDC mem;
    if (!mem.Create(look.width, look.height, 0xFFFFFF)) return;
    const gdi::HDC dc = mem.hDC();
    tavGFX40::gfxDrawRect(dc, gdi::RECT{0, 0, look.width, look.height},
                          tavGFX40::SystemColor(tavGFX40::COLOR_SCROLLBAR));

    auto state = [&](PartState s) { return look.enabled ? s : stateDisabled; };
    auto drawIn = [&](Piece piece, int frame, const QRect& r) {
        if (r.isEmpty()) return;
        clsSkin::DrawPiece(dc, skins[piece], frame, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    };
    auto glyph = [&](int frame, const QRect& r) {
        const SkinMapInfo& s = skins[pieceGlyphs];
        clsSkin::DrawPieceFrame(dc, s, frame, r.left() + (r.width() - s.IMGWidth) / 2,
                                r.top() + (r.height() - s.IMGHeight) / 2);
    };

    drawIn(pieceShaft, state(look.track), TrackRect(g, look.width));
    const QRect up = UpArrowRect(g, look.width), down = DownArrowRect(g, look.width);
    drawIn(pieceButtons, state(look.up), up);
    glyph(state(look.up), up);
    drawIn(pieceButtons, kDownFrameOffset + state(look.down), down);
    glyph(kDownFrameOffset + state(look.down), down);

    const QRect thumb = ThumbRect(g, look.width);
    drawIn(pieceThumb, state(look.thumb), thumb);
    const SkinMapInfo& grip = skins[pieceGripper];
    const SkinMapInfo& thumbSkin = skins[pieceThumb];
    const int room = thumb.height() - thumbSkin.MapMargin.Top - thumbSkin.MapMargin.Bottom;
    if (look.showGripper && grip.MemDC != 0 && room >= grip.IMGHeight) {
        clsSkin::DrawPieceFrame(dc, grip, state(look.thumb), thumb.left() + (thumb.width() - grip.IMGWidth) / 2,
                                thumb.top() + (thumb.height() - grip.IMGHeight) / 2);
    }

    const gdi::HDC target = gdi::GetDC(window);
    gdi::BitBlt(target, 0, 0, look.width, look.height, dc, 0, 0, gdi::SRCCOPY);
    gdi::ReleaseDC(window, target);
}

// ---- repeat ----------------------------------------------------------------------------

void RepeatTimer::Start() {
    winmsg::KillTimer(m_window, kTimerScrl);
    m_repeat = false;
    m_delay = winmsg::SetTimer(m_window, kTimerScrlEnable, kRepeatDelayMs);
}

void RepeatTimer::Stop() {
    if (m_delay) winmsg::KillTimer(m_window, kTimerScrlEnable);
    if (m_repeat) winmsg::KillTimer(m_window, kTimerScrl);
    m_delay = m_repeat = false;
}

void RepeatTimer::StopRepeat() {
    if (m_repeat) winmsg::KillTimer(m_window, kTimerScrl);
    m_repeat = false;
}

RepeatTimer::Tick RepeatTimer::OnTimer(std::uintptr_t id) {
    if (id == kTimerScrlEnable && m_delay) {
        winmsg::KillTimer(m_window, kTimerScrlEnable);
        m_delay = false;
        m_interval = kFirstRepeatMs;
        m_repeat = winmsg::SetTimer(m_window, kTimerScrl, m_interval);
        return Tick::DelayOver;
    }
    if (id == kTimerScrl && m_repeat) {
        if (m_interval != kRepeatMs) {
            m_interval = kRepeatMs;
            winmsg::SetTimer(m_window, kTimerScrl, m_interval);
        }
        return Tick::Step;
    }
    return Tick::NotMine;
}

// ---- repaint throttle ------------------------------------------------------------------

void FrameThrottle::Request(bool timers, std::int64_t now) {
    if (!timers) {
        m_window->update();
        return;
    }
    if (m_deferred) return;  // the frame's timer will repaint
    const std::int64_t since = now - m_last;
    if (m_last < 0 || since < 0 || since >= kFrameMs) {
        m_last = now;
        m_window->update();
        return;
    }
    m_deferred = true;
    winmsg::SetTimer(m_window, m_timerId, static_cast<int>(kFrameMs - since));
}

bool FrameThrottle::OnTimer(std::uintptr_t id, std::int64_t now) {
    if (id != m_timerId) return false;
    Flush(now);
    return true;
}

void FrameThrottle::Flush(std::int64_t now) {
    winmsg::KillTimer(m_window, m_timerId);
    if (!m_deferred) return;
    m_deferred = false;
    m_last = now;
    m_window->update();
}

std::int64_t NowMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

}  // namespace LBVScrollParts
