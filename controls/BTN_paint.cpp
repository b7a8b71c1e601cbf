// BTN: skins, the window region, and composing the button's picture.
#include "controls/BTN.h"

#include "controls/modSkinConstants.h"
#include "controls/suite/memory_dc.h"

#include <algorithm>
#include <array>

using namespace tavGFX40;
using namespace modSkinConstants;

namespace {

// Skin pieces per look.  `custom` says whether ApplyCustomSkin asks the host
// for these pieces (the classic look never does).
struct SkinSet {
    int style;
    bool dropDown;
    int body, drop, arrow;
    bool custom;
};
constexpr std::array<SkinSet, 6> kSkinSets = {{
    {BTN::btnStyleXP, false, resButtonStyle1, 0, 0, true},
    {BTN::btnStyleXP, true, resButtonStyle1, 0, 0, true},
    {BTN::btnStyleFlat, false, resButtonStyle2, 0, 0, true},
    {BTN::btnStyleFlat, true, resSplitBodyStyle2, resDropPartStyle2, resDropArrowStyle2, true},
    {BTN::btnStyleClassic, false, resButtonStyle0, 0, 0, false},
    {BTN::btnStyleClassic, true, resSplitBodyStyle0, resDropPartStyle0, resDropArrowStyle0, false},
}};

const SkinSet* findSkinSet(int style, bool dropDown) {
    for (const auto& s : kSkinSets)
        if (s.style == style && s.dropDown == dropDown) return &s;
    return nullptr;
}

// A custom strip is cut into this many frames.
int customFrames(int resource) { return resource == resButtonStyle1 ? 8 : 7; }

}  // namespace

// ---- skins ------------------------------------------------------------------------------------

void BTN::ReleaseSkins() {
    clsSkin::ReleasePiece(m_skinBody);
    clsSkin::ReleasePiece(m_skinDrop);
    clsSkin::ReleasePiece(m_skinArrow);
}

void BTN::LoadDefaultSkins() {
    ReleaseSkins();
    const SkinSet* set = findSkinSet(m_buttonStyle, m_dropDown);
    if (set == nullptr) return;
    clsSkin::LoadStaticPiece(m_skinBody, set->body, m_loadedTheme);
    if (set->drop != 0) clsSkin::LoadStaticPiece(m_skinDrop, set->drop, m_loadedTheme);
    if (set->arrow != 0) clsSkin::LoadStaticPiece(m_skinArrow, set->arrow, m_loadedTheme);
}

void BTN::ApplyDefaultSkin() {
    LoadDefaultSkins();
    Redraw();
}

void BTN::ApplyCustomSkin() {
    ReleaseSkins();
    const SkinSet* set = findSkinSet(m_buttonStyle, m_dropDown);
    bool allAsked = true;
    if (set != nullptr && set->custom) {
        const std::array<std::pair<SkinMapInfo*, int>, 3> pieces = {
            {{&m_skinBody, set->body}, {&m_skinDrop, set->drop}, {&m_skinArrow, set->arrow}}};
        for (const auto& [piece, number] : pieces) {
            if (number == 0) continue;
            SkinSource source;
            if (events.QuerySkin) events.QuerySkin(number, *piece, source);
            if (source.IsEmpty() || piece->ImageName.empty()) {
                allAsked = false;
                break;
            }
            clsSkin::LoadCustomPiece(*piece, source, customFrames(number));
        }
    }
    if (allAsked && (m_skinBody.MemDC == 0 || (m_dropDown && (m_skinDrop.MemDC == 0 || m_skinArrow.MemDC == 0))))
        LoadDefaultSkins();
    Redraw();
}

// ---- geometry --------------------------------------------------------------------------------------

void BTN::SizeHandling() {
    const int minimum = 150 / kTwipsPerPixel;
    const gdi::SIZE size = Size();
    if (size.cx < minimum || size.cy < minimum) {
        Site().Resize({std::max(size.cx, minimum), std::max(size.cy, minimum)});
        return;  // the resize comes back here
    }
    Redraw();
}

gdi::RECT BTN::BodyRect() const {
    const gdi::RECT drop = DropZoneRect();
    const gdi::SIZE size = Size();
    return gdi::RECT{0, 0, size.cx - (button_layout::IsEmpty(drop) ? 0 : button_layout::Width(drop)), size.cy};
}

gdi::RECT BTN::DropZoneRect() const {
    // Presses right of W - d (exclusive) fall on the drop zone, d being the
    // drop part's frame width.
    const int d = m_skinDrop.IMGWidth;
    if (!m_dropDown || d <= 1 || m_skinDrop.MemDC == 0) return {};
    const gdi::SIZE size = Size();
    return gdi::RECT{size.cx - d + 1, 0, size.cx, size.cy};
}

BTN::ButtonPart BTN::HitTest(gdi::POINT p) const {
    if (!ClientContains(p.x, p.y)) return ButtonPart::None;
    const gdi::RECT drop = DropZoneRect();
    const bool inDrop = p.x >= drop.Left && p.x < drop.Right && p.y >= drop.Top && p.y < drop.Bottom;
    return inDrop ? ButtonPart::DropZone : ButtonPart::Body;
}

gdi::RECT BTN::DrawingArea() const {
    std::optional<button_layout::Insets> space;
    if (m_customLayout) {
        const gdi::RECT& ds = m_layout.DrawingSpace;
        space = button_layout::Insets{ds.Left, ds.Top, ds.Right, ds.Bottom};
    }
    return button_layout::DrawingArea(Size(), m_dropWidth, space);
}

// Styles 1 and 2: a rectangle without its four corner pixels.
gdi::HRGN BTN::MakeWindowRegion() const {
    if (m_buttonStyle != btnStyleXP && m_buttonStyle != btnStyleFlat) return 0;
    const gdi::SIZE size = Size();
    const int w = size.cx, h = size.cy;
    const gdi::HRGN rgn = gdi::CreateRectRgn(0, 1, w, h - 1);
    const gdi::HRGN top = gdi::CreateRectRgn(1, 0, w - 1, 1);
    const gdi::HRGN bottom = gdi::CreateRectRgn(1, h - 1, w - 1, h);
    gdi::CombineRgn(rgn, rgn, top, gdi::CombineMode::Or);
    gdi::CombineRgn(rgn, rgn, bottom, gdi::CombineMode::Or);
    gdi::DeleteObject(bottom);
    gdi::DeleteObject(top);
    return rgn;
}

void BTN::ApplyWindowRegion() {
    const bool cut = m_buttonStyle == btnStyleXP || m_buttonStyle == btnStyleFlat;
    const gdi::SIZE shape = cut ? Size() : gdi::SIZE{};
    if (shape == m_cornersCut) return;
    m_cornersCut = shape;
    Site().SetWindowRegion(MakeWindowRegion());
}

// ---- frames ------------------------------------------------------------------------------------------

button_layout::State BTN::FrameState() const {
    return button_layout::State{m_enabled, m_pressed,       m_dropPressed, m_mouseOver, m_spaceDown,
                                m_grouped, m_togglePressed, m_hasFocus,    m_isDefault};
}

int BTN::BodyFrame() const { return button_layout::BodyFrame(m_buttonStyle, FrameState()); }

int BTN::DropFrame() const { return button_layout::DropFrame(FrameState()); }

// ---- drawing -----------------------------------------------------------------------------------------

void BTN::Redraw() {
    if (m_terminating) return;
    ReadDefaultState();
    ApplyWindowRegion();
    Site().Invalidate();
}

void BTN::PaintToWindow() const {
    if (!m_drawEnabled || m_terminating) return;
    const gdi::HWND window = Site().Window();
    const gdi::HDC dc = gdi::GetDC(window);
    Compose(dc);
    gdi::ReleaseDC(window, dc);
}

void BTN::Compose(gdi::HDC target) const {
    const gdi::SIZE size = Size();
    const int w = size.cx, h = size.cy;
    tavSCls40::MemoryDC mem;
    if (!mem.Create(Site().Window(), w, h, 0xFFFFFF)) return;
    const gdi::HDC dc = mem.hDC();
    DrawBackground(dc);
    gdi::SelectFont(dc, m_font);
    DrawSkin(dc);

    bool drawDisabled = false;
    const StdPicture* picture = ChosenPicture(drawDisabled);
    const button_layout::Layout layout = ComputeLayout(dc, picture ? SizeOf(*picture) : gdi::SIZE{});
    if (picture != nullptr && !button_layout::IsEmpty(layout.picture)) DrawPicture(dc, layout.picture);
    if (!m_caption.empty()) DrawCaption(dc, layout.caption);
    // The keyboard's place, as a system dialog's buttons show it: the skins' focused frame looks
    // like the plain one in most skins, so a dotted rectangle inside the edge says it.
    if (m_hasFocus && m_showFocusRect && UserMode()) gfxDrawFocusRect(dc, gdi::RECT{3, 3, w - 3, h - 3});

    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

// In run mode a transparent button, and an XP-look button (which cannot be
// made transparent), show what lies behind them wherever their skin leaves
// pixels out (the XP look's rounded corners); otherwise BackColor fills.
void BTN::DrawBackground(gdi::HDC dc) const {
    const bool seeThrough =
        UserMode() && (m_buttonStyle == btnStyleXP ||
                       ((m_buttonStyle == btnStyleClassic || m_buttonStyle == btnStyleFlat) && Transparent()));
    if (!seeThrough || !Site().PaintBackgroundBehind(dc)) gfxDrawRect(dc, ClientRect(), m_backColor);
}

void BTN::DrawSkin(gdi::HDC dc) const {
    const gdi::SIZE size = Size();
    const int w = size.cx, h = size.cy;
    const int bodyFrame = BodyFrame();
    if ((m_buttonStyle == btnStyleClassic || m_buttonStyle == btnStyleFlat) && m_dropDown) {
        const int d = m_skinDrop.IMGWidth;
        const int dropFrame = DropFrame();
        clsSkin::DrawPiece(dc, m_skinBody, bodyFrame, 0, 0, w - d, h);
        clsSkin::DrawPiece(dc, m_skinDrop, dropFrame, w - d, 0, w, h);
        int x = (w - d) + (d / 2 - 5 / 2) - 1, y = h / 2 - 3 / 2;
        if (dropFrame == 2) ++x, ++y;
        clsSkin::DrawPieceFrame(dc, m_skinArrow, dropFrame, x, y);
    } else {
        clsSkin::DrawPiece(dc, m_skinBody, bodyFrame, 0, 0, w, h);
    }
}

void BTN::DrawPicture(gdi::HDC dc, const gdi::RECT& place) const {
    bool drawDisabled = false;
    const StdPicture* picture = ChosenPicture(drawDisabled);
    const bool pressedLook = (m_pressed && m_mouseOver) || m_togglePressed;
    gdi::POINT at{place.Left, place.Top};
    const int shift = (m_buttonStyle == btnStyleClassic && m_mouseOver && !m_pressed) || (m_dropPressed && m_mouseOver)
                          ? -3
                      : pressedLook ? 1
                                    : 0;
    at = gdi::POINT{at.x + shift, at.y + shift};
    const auto kind = picture->type == StdPicture::Type::Icon ? PictureKind::Icon : PictureKind::Bitmap;
    // An icon keeps its own transparency: no mask colour.
    const auto mask = kind == PictureKind::Icon ? kNoColor : static_cast<gdi::COLORREF>(m_maskColor);
    if (drawDisabled)
        gfxDrawDisabledPicture(dc, picture->image, kind, at.x, at.y, mask);
    else
        gfxDrawTransparentBitmap(dc, picture->image, at.x, at.y, mask);
}

const BTN::StdPicture* BTN::ChosenPicture(bool& drawDisabled) const {
    drawDisabled = false;
    const auto none = [](const StdPicture& p) { return button_layout::IsEmpty(SizeOf(p)); };
    const StdPicture* fallback = none(m_picture) ? nullptr : &m_picture;
    if (!m_enabled) {
        if (!none(m_pictureDisabled)) return &m_pictureDisabled;
        drawDisabled = true;
        return fallback;
    }
    const bool pressedLook = (m_pressed && m_mouseOver) || m_togglePressed;
    if (pressedLook) return none(m_pictureDown) ? fallback : &m_pictureDown;
    if (m_mouseOver) return none(m_pictureHover) ? fallback : &m_pictureHover;
    return fallback;
}

button_layout::Layout BTN::ComputeLayout(gdi::HDC dc, gdi::SIZE pictureSize) const {
    const gdi::RECT area = DrawingArea();
    gdi::SIZE text{};
    if (!m_caption.empty()) {
        gdi::RECT r = area;
        gdi::DrawText(dc, m_caption, r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK | gdi::DT_CENTER);
        text = gdi::SIZE{std::min(r.Right - r.Left, button_layout::Width(area)), r.Bottom - r.Top};
    }
    const auto arrangement = m_customLayout && m_layout.LayoutMode == sknLayoutSeperates
                                 ? button_layout::Arrangement::PictureAtEdge
                                 : button_layout::Arrangement::Block;
    return button_layout::layoutButton(area, text, !m_caption.empty(), pictureSize, m_picturePosition, arrangement);
}

void BTN::DrawCaption(gdi::HDC dc, const gdi::RECT& rect) const {
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    const auto moved = [](gdi::RECT box, int by) {
        return gdi::RECT{box.Left + by, box.Top + by, box.Right + by, box.Bottom + by};
    };
    gdi::RECT r = rect;
    if ((m_buttonStyle == btnStyleXP || m_buttonStyle == btnStyleFlat) &&
        ((m_pressed && !m_dropPressed && m_mouseOver) || m_togglePressed))
        r = moved(r, 1);
    const std::uint32_t flags = gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_WORDBREAK;
    auto draw = [&](gdi::RECT box, OLE_COLOR colour) {
        gdi::SetTextColor(dc, gfxTranslateColor(colour));
        gdi::DrawText(dc, m_caption, box, flags);
    };
    if (m_enabled) {
        draw(r, m_foreColor);
    } else if (m_disabledForeColor == kDefDisabledForeColor) {
        draw(moved(r, 1), SystemColor(COLOR_BTNHIGHLIGHT));
        draw(r, SystemColor(COLOR_BTNSHADOW));
    } else {
        draw(r, m_disabledForeColor);
    }
}
