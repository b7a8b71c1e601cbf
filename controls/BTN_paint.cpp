// BTN: skins, the window region, and composing the button's picture.
#include "controls/BTN.h"

#include "controls/modSkinConstants.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/qt/transparent_background.h"
#include "controls/suite/tavMFC40.h"

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
            emit QuerySkin(number, *piece, source);
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

void BTN::paintEvent(QPaintEvent*) {
    // In run mode WM_PAINT reaches ISubclass_WindowProc instead.
    PaintToWindow();
}

void BTN::resizeEvent(QResizeEvent*) { SizeHandling(); }

void BTN::SizeHandling() {
    const int minimum = 150 / kTwipsPerPixel;
    if (width() < minimum || height() < minimum) {
        resize(std::max(width(), minimum), std::max(height(), minimum));
        return;  // the resize comes back here
    }
    Redraw();
}

QRect BTN::BodyRect() const {
    const QRect drop = DropZoneRect();
    return drop.isEmpty() ? rect() : QRect(0, 0, width() - drop.width(), height());
}

QRect BTN::DropZoneRect() const {
    // Presses right of W - d (exclusive) fall on the drop zone, d being the
    // drop part's frame width.
    const int d = m_skinDrop.IMGWidth;
    if (!m_dropDown || d <= 1 || m_skinDrop.MemDC == 0) return {};
    return QRect(width() - d + 1, 0, d - 1, height());
}

BTN::ButtonPart BTN::HitTest(QPoint point) const {
    if (!rect().contains(point)) return ButtonPart::None;
    return DropZoneRect().contains(point) ? ButtonPart::DropZone : ButtonPart::Body;
}

QRect BTN::DrawingArea() const {
    std::optional<button_layout::Insets> space;
    if (m_customLayout) {
        const gdi::RECT& ds = m_layout.DrawingSpace;
        space = button_layout::Insets{ds.Left, ds.Top, ds.Right, ds.Bottom};
    }
    return button_layout::DrawingArea(size(), m_dropWidth, space);
}

void BTN::ApplyWindowRegion() {
    QRegion region;
    if (m_buttonStyle == btnStyleXP || m_buttonStyle == btnStyleFlat) {
        // A rectangle without its four corner pixels.
        const int w = width(), h = height();
        const gdi::HRGN rgn = gdi::CreateRectRgn(0, 1, w, h - 1);
        const gdi::HRGN top = gdi::CreateRectRgn(1, 0, w - 1, 1);
        const gdi::HRGN bottom = gdi::CreateRectRgn(1, h - 1, w - 1, h);
        gdi::CombineRgn(rgn, rgn, top, gdi::CombineMode::Or);
        gdi::CombineRgn(rgn, rgn, bottom, gdi::CombineMode::Or);
        region = *gdi::qt::RegionOf(rgn);
        gdi::DeleteObject(bottom);
        gdi::DeleteObject(top);
        gdi::DeleteObject(rgn);
    }
    if (region == m_windowRegion) return;
    m_windowRegion = region;
    if (region.isEmpty())
        clearMask();
    else
        setMask(region);
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
    update();
}

void BTN::PaintToWindow() const {
    if (!m_drawEnabled || m_terminating) return;
    auto* self = const_cast<BTN*>(this);
    const gdi::HDC window = gdi::GetDC(gdi::qt::Window(self));
    Compose(window);
    gdi::ReleaseDC(gdi::qt::Window(self), window);
}

void BTN::Compose(gdi::HDC target) const {
    const int w = width(), h = height();
    tavSCls40::MemoryDC mem;
    if (!mem.Create(w, h, 0xFFFFFF)) return;
    const gdi::HDC dc = mem.hDC();
    DrawBackground(dc);
    gdi::SelectFont(dc, gdi::qt::FontOf(m_font));
    DrawSkin(dc);

    bool drawDisabled = false;
    const StdPicture* picture = ChosenPicture(drawDisabled);
    const button_layout::Layout layout = ComputeLayout(dc, picture ? picture->Size() : QSize());
    if (picture != nullptr && !layout.picture.isEmpty()) DrawPicture(dc, layout.picture);
    if (!m_caption.isEmpty()) DrawCaption(dc, layout.caption);

    gdi::BitBlt(target, 0, 0, w, h, dc, 0, 0, gdi::SRCCOPY);
}

// In run mode a transparent button, and an XP-look button (which cannot be
// made transparent), show what lies behind them wherever their skin leaves
// pixels out (the XP look's rounded corners); otherwise BackColor fills.
void BTN::DrawBackground(gdi::HDC dc) const {
    const bool seeThrough =
        UserMode() && (m_buttonStyle == btnStyleXP ||
                       ((m_buttonStyle == btnStyleClassic || m_buttonStyle == btnStyleFlat) && Transparent()));
    if (!seeThrough || !gfxGetTransBG(dc, const_cast<BTN*>(this)))
        gfxDrawRect(dc, gdi::RECT{0, 0, width(), height()}, m_backColor);
}

void BTN::DrawSkin(gdi::HDC dc) const {
    const int w = width(), h = height();
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

void BTN::DrawPicture(gdi::HDC dc, const QRect& place) const {
    bool drawDisabled = false;
    const StdPicture* picture = ChosenPicture(drawDisabled);
    const bool pressedLook = (m_pressed && m_mouseOver) || m_togglePressed;
    QPoint at = place.topLeft();
    if ((m_buttonStyle == btnStyleClassic && m_mouseOver && !m_pressed) || (m_dropPressed && m_mouseOver))
        at -= QPoint(3, 3);
    else if (pressedLook)
        at += QPoint(1, 1);
    const auto kind = picture->type == StdPicture::Type::Icon ? PictureKind::Icon : PictureKind::Bitmap;
    // An icon keeps its own transparency: no mask colour.
    const auto mask = kind == PictureKind::Icon ? kNoColor : static_cast<gdi::COLORREF>(m_maskColor);
    const gdi::Image image = gdi::qt::FromQImage(picture->image);
    if (drawDisabled)
        gfxDrawDisabledPicture(dc, image, kind, at.x(), at.y(), mask);
    else
        gfxDrawTransparentBitmap(dc, image, at.x(), at.y(), mask);
}

const StdPicture* BTN::ChosenPicture(bool& drawDisabled) const {
    drawDisabled = false;
    const StdPicture* fallback = m_picture.IsEmpty() ? nullptr : &m_picture;
    if (!m_enabled) {
        if (!m_pictureDisabled.IsEmpty()) return &m_pictureDisabled;
        drawDisabled = true;
        return fallback;
    }
    const bool pressedLook = (m_pressed && m_mouseOver) || m_togglePressed;
    if (pressedLook) return m_pictureDown.IsEmpty() ? fallback : &m_pictureDown;
    if (m_mouseOver) return m_pictureHover.IsEmpty() ? fallback : &m_pictureHover;
    return fallback;
}

button_layout::Layout BTN::ComputeLayout(gdi::HDC dc, QSize pictureSize) const {
    const QRect area = DrawingArea();
    QSize text;
    if (!m_caption.isEmpty()) {
        gdi::RECT r = gdi::qt::ToRECT(area);
        gdi::DrawText(dc, gdi::qt::Text(m_caption), r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK | gdi::DT_CENTER);
        text = QSize(std::min(r.Right - r.Left, area.width()), r.Bottom - r.Top);
    }
    const auto arrangement = m_customLayout && m_layout.LayoutMode == sknLayoutSeperates
                                 ? button_layout::Arrangement::PictureAtEdge
                                 : button_layout::Arrangement::Block;
    return button_layout::layoutButton(area, text, !m_caption.isEmpty(), pictureSize, m_picturePosition, arrangement);
}

void BTN::DrawCaption(gdi::HDC dc, const QRect& rect) const {
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    QRect r = rect;
    if ((m_buttonStyle == btnStyleXP || m_buttonStyle == btnStyleFlat) &&
        ((m_pressed && !m_dropPressed && m_mouseOver) || m_togglePressed))
        r.translate(1, 1);
    const std::uint32_t flags = gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_WORDBREAK;
    auto draw = [&](const QRect& box, OLE_COLOR colour) {
        gdi::SetTextColor(dc, gfxTranslateColor(colour));
        gdi::RECT wr = gdi::qt::ToRECT(box);
        gdi::DrawText(dc, gdi::qt::Text(m_caption), wr, flags);
    };
    if (m_enabled) {
        draw(r, m_foreColor);
    } else if (m_disabledForeColor == kDefDisabledForeColor) {
        draw(r.translated(1, 1), SystemColor(COLOR_BTNHIGHLIGHT));
        draw(r, SystemColor(COLOR_BTNSHADOW));
    } else {
        draw(r, m_disabledForeColor);
    }
}
