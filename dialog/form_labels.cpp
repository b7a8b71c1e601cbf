#include "dialog/form_labels.h"

#include "controls/suite/memory_dc.h"

namespace dialog {

namespace {

constexpr std::uint32_t kOneLine = gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX;

gdi::Font Sized(gdi::Font font, int pixels, int weight) {
    font.pixelSize = pixels;
    font.weight = weight;
    return font;
}

// Measures `text` within `bounds` on a scratch surface; the extent comes back in `bounds`.
void Measure(const std::u16string& text, gdi::RECT& bounds, std::uint32_t flags, const gdi::Font& font) {
    tavSCls40::MemoryDC scratch;
    if (!scratch.Create(1, 1, 0)) return;
    gdi::SelectFont(scratch.hDC(), font);
    gdi::DrawText(scratch.hDC(), text, bounds, flags | gdi::DT_CALCRECT | gdi::DT_NOPREFIX);
}

}  // namespace

gdi::Font FormFont(const std::u16string& family) {
    gdi::Font font;
    font.family = family;
    font.pixelSize = 11;
    return font;
}

void PaintLabel(gdi::HDC dc, Label label, const std::u16string& text, const Box& at, const gdi::Font& formFont) {
    gdi::Font font = formFont;
    gdi::COLORREF ink = 0;
    std::uint32_t flags = kOneLine;
    Box box = at;
    switch (label) {
        case Label::Title:
            font = Sized(formFont, 20, 700);
            ink = gdi::RGB(34, 60, 104);
            break;
        case Label::PanelTitle:
            font = Sized(formFont, 13, 700);
            ink = gdi::RGB(255, 255, 255);
            break;
        case Label::Plain: break;
        case Label::Status:
            ink = gdi::RGB(44, 52, 66);
            box = {at.x + 6, at.y, at.width - 6, at.height};
            break;
        case Label::Explanation: flags = gdi::DT_LEFT | gdi::DT_WORDBREAK | gdi::DT_NOPREFIX; break;
    }
    gdi::SelectFont(dc, font);
    gdi::SetTextColor(dc, ink);
    gdi::SetBkMode(dc, gdi::BkMode::Transparent);
    gdi::RECT r{box.x, box.y, box.right(), box.bottom()};
    gdi::DrawText(dc, text, r, flags);
}

int TextWidth(const std::u16string& text, const gdi::Font& font) {
    gdi::RECT r{0, 0, 100000, 1000};
    Measure(text, r, gdi::DT_SINGLELINE, font);
    return r.Right - r.Left;
}

int WrappedTextHeight(const std::u16string& text, int width, const gdi::Font& font) {
    gdi::RECT r{0, 0, width, 100000};
    Measure(text, r, gdi::DT_WORDBREAK, font);
    return r.Bottom - r.Top;
}

std::u16string Latin1(std::string_view text) {
    std::u16string out;
    for (const char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

}  // namespace dialog
