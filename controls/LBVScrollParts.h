// What the list scroll bar (LBVScroll) and the stand-alone vertical scroll
// bar (VSC) have in common: the five skin strips, the thumb arithmetic, the
// part rectangles and hit test, the drawing, and the delay-then-repeat timer.
//
// Scale: the bars measure in twips, the host's unit (15 per pixel), so a
// minimum thumb length of 240 is 16 pixels.  Geometry is kept as doubles in
// twips and turned into pixels only for drawing and hit testing.
#pragma once

#include "clsSkin.h"
#include "suite/winmsg.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <functional>

namespace LBVScrollParts {

constexpr double kTwipsPerPixel = 15.0;
// The minimum thumb length that comes with the built-in pieces.
constexpr double kBuiltInMinThumb = 240.0;

// The five skin strips, in the order they are loaded and asked for.
enum Piece : int { pieceButtons = 0, pieceThumb, pieceGripper, pieceGlyphs, pieceShaft, kPieceCount };

struct PieceInfo {
    Piece piece;
    int resource;
    int frames;  // a custom strip is cut into this many frames
};
extern const std::array<PieceInfo, kPieceCount> kPieces;

// Frame of a part per state; the button and glyph strips hold four states per
// direction (up 0-3, down 4-7).
enum PartState : int { stateNormal = 0, stateHover = 1, statePressed = 2, stateDisabled = 3 };
constexpr int kDownFrameOffset = 4;

// The parts a point of a bar can fall on.
enum class ScrollPart { None, UpArrow, DownArrow, TrackAbove, TrackBelow, Thumb };

// Geometry of a bar, in twips.
struct Geometry {
    double innerHeight = 0;  // whole bar
    double topArrow = 0;     // up-arrow height
    double bottomArrow = 0;  // down-arrow height
    double thumbTop = 0;
    double thumbLength = 0;

    double Track() const { return innerHeight - topArrow - bottomArrow; }
    double ThumbBottom() const { return thumbTop + thumbLength; }
};

// Thumb length: the track times the visible share (at most all of it),
// raised to the minimum.  `total` 0 keeps `current`.
double ThumbLength(const Geometry& g, double visible, double total, double minimum, double current);
// Thumb top for `value` in min..max; the top arrow height at min (and when
// the range is empty).
double ThumbTop(const Geometry& g, double value, double min, double max);
// The value the dragged thumb stands for: min at the upper limit, max at the
// lower, otherwise proportional, rounded to the nearest whole number with
// ties to even.  `thumbTop` must already be clamped (ClampThumbTop).
std::int32_t ValueFromThumb(const Geometry& g, double thumbTop, double min, double max);
double ClampThumbTop(const Geometry& g, double thumbTop);

// Part rectangles in pixels, for a bar `width` pixels wide.
QRect UpArrowRect(const Geometry& g, int width);
QRect DownArrowRect(const Geometry& g, int width);
QRect TrackRect(const Geometry& g, int width);
QRect ThumbRect(const Geometry& g, int width);
ScrollPart HitTest(const Geometry& g, int width, QPoint point);

inline double ToTwips(int pixels) { return pixels * kTwipsPerPixel; }
int ToPixels(double twips);

// The five skin pieces of one bar.
class SkinSet {
public:
    // Asked for each piece by ApplyCustom: fill the record and the source,
    // or leave either empty to keep the built-in piece.
    using Asker = std::function<void(long resource, SkinMapInfo& skin, SkinSource& source)>;

    SkinSet() = default;
    ~SkinSet() { Release(); }
    SkinSet(const SkinSet&) = delete;
    SkinSet& operator=(const SkinSet&) = delete;

    // Releases everything and loads the built-in pieces in `theme`.
    void LoadDefault(int theme);
    // Releases everything and asks for each piece; unanswered pieces (and
    // custom ones that cannot be loaded) get their built-in strip.
    void LoadCustom(int theme, const Asker& ask);
    void Release();

    const SkinMapInfo& operator[](Piece p) const { return m_pieces[static_cast<std::size_t>(p)]; }
    bool IsCustom(Piece p) const { return !m_pieces[static_cast<std::size_t>(p)].ImageName.isEmpty(); }
    // The minimum thumb length these pieces need, in twips.
    double MinThumb() const { return m_minThumb; }
    // Height of one arrow button frame, in pixels.
    int ButtonHeight() const;

private:
    void UpdateMinThumb();
    std::array<SkinMapInfo, kPieceCount> m_pieces{};
    double m_minThumb = kBuiltInMinThumb;
};

// What a bar looks like at one moment; Draw reads it and nothing else.
struct Look {
    int width = 0;
    int height = 0;
    bool enabled = true;
    bool showGripper = true;
    PartState up = stateNormal;
    PartState down = stateNormal;
    PartState thumb = stateNormal;
    PartState track = stateNormal;
};

// Composes the bar on a MemoryDC and copies it to `window` in one transfer.
void Paint(winmsg::HWND window, const SkinSet& skins, const Geometry& g, const Look& look);

// Window-timer ids the bars use.
constexpr std::uintptr_t kTimerScrlEnable = 2;  // delay before repeating
constexpr std::uintptr_t kTimerScrl = 3;        // repeat
constexpr int kRepeatDelayMs = 350;
constexpr int kFirstRepeatMs = 100;
constexpr int kRepeatMs = 50;

// The auto-repeat of a held arrow or track: tScrlEnable fires once, turns
// itself off and turns tScrl on.  At most one of the two runs at a time.
class RepeatTimer {
public:
    enum class Tick { NotMine, DelayOver, Step };
    explicit RepeatTimer(winmsg::HWND window) : m_window(window) {}
    void Start();  // enables tScrlEnable
    void Stop();   // disables both
    // Handles a WM_TIMER id.  DelayOver: tScrl has just been enabled.
    // Step: a tScrl tick, which sets its interval to the repeat interval.
    Tick OnTimer(std::uintptr_t id);
    // Disables tScrl only (the track repeat reached the pointer).
    void StopRepeat();

private:
    winmsg::HWND m_window;
    bool m_delay = false;
    bool m_repeat = false;
    int m_interval = 0;
};

// Caps a control's repaints at one per frame.  A request a frame or more
// after the last one is passed on at once (QWidget::update); a request inside
// the frame arms a one-shot window timer, and that timer's WM_TIMER passes on
// one repaint for all requests of the frame.  Without subclassing (design
// mode) there is no WM_TIMER, so every request is passed on.
class FrameThrottle {
public:
    static constexpr int kFrameMs = 16;
    FrameThrottle(winmsg::HWND window, std::uintptr_t timerId) : m_window(window), m_timerId(timerId) {}
    // `timers`: whether WM_TIMER reaches the control; `now`: milliseconds.
    void Request(bool timers, std::int64_t now);
    // True when `id` was the throttle's timer (the repaint has been passed on).
    bool OnTimer(std::uintptr_t id, std::int64_t now);
    // Passes on a deferred repaint now (for hide).
    void Flush(std::int64_t now);

private:
    winmsg::HWND m_window;
    std::uintptr_t m_timerId;
    bool m_deferred = false;
    std::int64_t m_last = -1;
};

// A millisecond clock for the throttle of the bars.
std::int64_t NowMs();
constexpr std::uintptr_t kTimerPaint = 4;

}  // namespace LBVScrollParts
