#include "dialog/form_surfaces.h"

#include "dialog/form_geometry.h"
#include "dialog/form_labels.h"

#include "controls/modSkinConstants.h"
#include "controls/suite/memory_dc.h"
#include "controls/suite/skin_artwork.h"
#include "controls/suite/tavGFX40.h"

namespace dialog {

using namespace geometry;
using gdi::RGB;

namespace {

constexpr gdi::COLORREF kGradientTop = RGB(226, 232, 241);
constexpr gdi::COLORREF kGradientBottom = RGB(205, 214, 228);
constexpr gdi::COLORREF kPanelFace = RGB(240, 243, 248);
constexpr gdi::COLORREF kHeaderFace = RGB(206, 214, 228);
constexpr gdi::COLORREF kTitleFace = RGB(58, 98, 160);
constexpr gdi::COLORREF kSelectedInk = RGB(20, 40, 80);
// Masked pictures carry their transparency: nothing is left out by colour.
constexpr gdi::COLORREF kNoMask = gdi::CLR_INVALID;

gdi::RECT Rect(const Box& b) { return {b.x, b.y, b.right(), b.bottom()}; }

// `part` of `picture` (all of it when empty) scaled onto `target`, blended by its alpha.
void Draw(gdi::HDC dc, const gdi::Image& picture, const Box& target, Box part = {}) {
    tavSCls40::MemoryDC source;
    if (!source.Create(picture)) return;
    if (part.width == 0) part = {0, 0, picture.width, picture.height};
    gdi::TransparentBlt(dc, target.x, target.y, target.width, target.height, source.hDC(), part.x, part.y, part.width,
                        part.height, kNoMask);
}

// The picture's corners kept, its edges and middle stretched (or all of it tiled) over `target`.
void DrawBorder(gdi::HDC dc, const gdi::Image& picture, const Box& target, int margin,
                tavGFX40::CentreMode centre = tavGFX40::CentreStretch) {
    tavSCls40::MemoryDC source;
    if (!source.Create(picture)) return;
    const bool tile = centre == tavGFX40::CentreTile;
    tavGFX40::gfxDrawSkin(dc, source.hDC(), 0, {margin, margin, margin, margin}, target.x, target.y, target.right(),
                          target.bottom(), picture.height, picture.width, kNoMask, tile, tile, tile, tile, centre);
}

void Fill(gdi::HDC dc, const Box& b, gdi::COLORREF colour) { gdi::FillRect(dc, Rect(b), colour); }

void PaintTab(gdi::HDC dc, const FormPictures& p, const Box& tab, bool on) {
    if (!p.tabBG.IsNull()) {
        const int frameHeight = p.tabBG.height / 2;
        Draw(dc, p.tabBG, tab, {0, on ? 0 : frameHeight, p.tabBG.width, frameHeight});
    } else {
        Fill(dc, {tab.x + 1, tab.y + (on ? 1 : 4), tab.width - 2, tab.height - (on ? 1 : 4)},
             on ? RGB(250, 251, 253) : RGB(220, 226, 236));
    }
}

// The frame of the status line: the text box's read-only frame (the last of the square frames
// stacked in its skin), else the built-in raised face; masked.
gdi::Image StatusStripPicture(const gdi::Image& textBorder) {
    Box frame{0, 0, textBorder.width, textBorder.width};
    gdi::Image strip = textBorder;
    if (textBorder.IsNull() || textBorder.height < textBorder.width) {
        strip = skin_artwork::Strip(modSkinConstants::resButtonStyle0, tavResSrv40::ThemeBlue);
        const auto res = tavResSrv40::FindStaticResource(modSkinConstants::resButtonStyle0);
        if (strip.IsNull() || !res || res->frameWidth > strip.width || res->frameHeight > strip.height) return {};
        frame = {0, 0, res->frameWidth, res->frameHeight};
    } else {
        frame.y = (textBorder.height / textBorder.width - 1) * textBorder.width;
    }
    gdi::Image part(frame.width, frame.height);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) part.at(x, y) = strip.at(frame.x + x, frame.y + y);
    return tavGFX40::MaskedImage(std::move(part), 0);
}

}  // namespace

FormPictures FormPicturesFrom(const std::function<gdi::Image(SkinFile)>& picture) {
    // Skin pictures use black as their "not drawn" colour.
    const auto masked = [&](SkinFile f) { return tavGFX40::MaskedImage(picture(f), 0); };
    FormPictures p;
    p.tabTitle = picture(SkinFile::TabTitle);
    p.tabHeaderBG = picture(SkinFile::TabHeaderBG);
    p.panelBackground = picture(SkinFile::PanelBackground);
    p.transBG = masked(SkinFile::TransBG);
    p.tabBG = masked(SkinFile::TabBG);
    p.tabHeaderConv = masked(SkinFile::TabHeaderConv);
    p.panels = masked(SkinFile::PanelsBG);
    p.logo = masked(SkinFile::Logo);
    p.statusStrip = StatusStripPicture(picture(SkinFile::TextBorder));
    return p;
}

void PaintFormSurface(gdi::HDC dc, const FormPictures& p, const Box& area, const Box& status) {
    gdi::GradientFillV(dc, Rect(area), kGradientTop, kGradientBottom);
    if (!p.logo.IsNull()) Draw(dc, p.logo, {12, 8, p.logo.width, p.logo.height});
    if (!p.statusStrip.IsNull())
        DrawBorder(dc, p.statusStrip, {status.x, status.y - 2, status.width, status.height + 4},
                   p.statusStrip.width / 4);
}

void PaintTabHeaderSurface(gdi::HDC dc, const FormPictures& p, const Box& area, Panel selected, HeaderFocus focus,
                           gdi::Font font) {
    if (!p.tabHeaderBG.IsNull())
        Draw(dc, p.tabHeaderBG, area);
    else
        Fill(dc, area, kHeaderFace);
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    for (const Panel tab : {Panel::Suite, Panel::Microsoft}) {
        const bool on = tab == selected;
        const Box t{static_cast<int>(tab) * kTabWidth, 0, kTabWidth, area.height};
        PaintTab(dc, p, t, on);
        font.weight = on ? 700 : 400;
        gdi::SelectFont(dc, font);
        gdi::SetTextColor(dc, on ? kSelectedInk : RGB(70, 80, 100));
        const std::u16string caption = Latin1(DialogModel::panelName(tab));
        gdi::RECT text{t.x, t.y + (on ? 1 : 3), t.right(), t.bottom()};
        constexpr std::uint32_t kOneLine = gdi::DT_SINGLELINE | gdi::DT_NOPREFIX;
        gdi::DrawText(dc, caption, text, gdi::DT_CENTER | gdi::DT_VCENTER | kOneLine);
        // The keyboard's place: a dotted rectangle round the selected tab's caption.
        if (!on || focus != HeaderFocus::Here) continue;
        gdi::RECT extent{0, 0, t.width, t.height};
        gdi::DrawText(dc, caption, extent, gdi::DT_CALCRECT | kOneLine);
        // Centred at half pixels, the text's box takes in the pixel it half covers.
        const int slackX = text.Right - text.Left - extent.Right, slackY = text.Bottom - text.Top - extent.Bottom;
        const int x = text.Left + slackX / 2, y = text.Top + slackY / 2;
        const int w = extent.Right + slackX % 2, h = extent.Bottom + slackY % 2;
        gdi::DrawDottedRect(dc, {x - 3, y - 1, x + w + 3, y + h + 1}, kSelectedInk);
    }
}

void PaintTabTitleSurface(gdi::HDC dc, const FormPictures& p, const Box& area) {
    if (!p.tabTitle.IsNull())
        Draw(dc, p.tabTitle, area);
    else
        Fill(dc, area, kTitleFace);
    const gdi::Image& icon = p.tabHeaderConv;
    if (!icon.IsNull()) Draw(dc, icon, {10, (area.height - icon.height) / 2, icon.width, icon.height});
}

void PaintPanelSurface(gdi::HDC dc, const FormPictures& p, const Box& area) {
    if (!p.panelBackground.IsNull())
        DrawBorder(dc, p.panelBackground, area, 0, tavGFX40::CentreTile);
    else
        Fill(dc, area, kPanelFace);
}

void PaintPanelFrameSurface(gdi::HDC dc, const FormPictures& p, const Box& area) {
    PaintPanelSurface(dc, p, area);
    if (!p.transBG.IsNull())
        DrawBorder(dc, p.transBG,
                   {area.x, area.y + kTabHeaderHeight - 2, area.width, area.height - kTabHeaderHeight + 2}, 8);
}

void PaintFolderGroupSurface(gdi::HDC dc, const FormPictures& p, const Box& area) {
    if (!p.panels.IsNull()) DrawBorder(dc, p.panels, area, 10);
}

}  // namespace dialog
