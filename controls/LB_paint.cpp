// LB: size handling, the rows' geometry and painting.
#include "controls/LB.h"

#include "controls/suite/memory_dc.h"

#include <algorithm>

using namespace tavGFX40;

// ---- scroll metrics and geometry -------------------------------------------------------------------

void LB::SizeHandling() {
    m_sizedFor = Site().ClientSize();
    const ControlSite::FontLine line = Site().MeasureLine(m_font);
    const int textHeight = std::max(1, line.height);
    m_itemHeight = m_itemHeightAuto ? textHeight : std::max(m_itemHeightSetting, textHeight);
    m_itemsVisible = static_cast<int>(list_rows::ItemsVisible(m_sizedFor.cy, m_itemHeight));
    m_line = list_rows::LineMetrics{line.ascent, line.descent, line.inkAbove, line.inkBelow};
    LayoutScrollBar();
    UpdateScrollMetrics();
    Redraw();
}

void LB::LayoutScrollBar() {
    const int b = Border();
    const int w = m_hidden.ScrollBarWidth;
    const gdi::SIZE size = Site().ClientSize();
    m_barWindow->SetBounds(gdi::RECT{size.cx - b - w, b, size.cx - b, b + std::max(0, size.cy - 2 * b)});
    Bar().SetMetricsSize(w);
}

void LB::UpdateScrollMetrics() {
    const long count = ListCount();
    Bar().SetTotalItems(count);
    Bar().SetItemsVisible(m_itemsVisible);
    Bar().SetMax(count - m_itemsVisible);
    const bool needed = count > m_itemsVisible;
    if (needed != ScrollBarShown()) m_barWindow->SetVisible(needed);
}

bool LB::ScrollBarShown() const { return m_barWindow->IsVisible(); }

int LB::Border() const { return m_appearance == appFlat ? 0 : std::max(0, m_borderWidth); }

gdi::RECT LB::RowsArea() const {
    const int b = Border();
    const gdi::SIZE size = Site().ClientSize();
    const int right = size.cx - b - (ScrollBarShown() ? m_hidden.ScrollBarWidth : 0);
    return gdi::RECT{b, b, right, size.cy - b};
}

list_rows::Page LB::Rows() const {
    const gdi::POINT offset = m_applyItemOffset != 0 ? gdi::POINT{m_itemLeftOffset, m_itemTopOffset} : gdi::POINT{};
    return list_rows::Page{RowsArea(), m_itemHeight, TopIndex(), m_itemsVisible, ListCount(), offset};
}

gdi::RECT LB::ItemRect(long index) const { return Rows().itemRect(index); }

long LB::ItemAt(gdi::POINT point) const { return Rows().itemAt(point); }

// ---- painting ---------------------------------------------------------------------------------------

void LB::Redraw() {
    ++m_redrawRequests;
    m_throttle.Request(m_subclassed, m_tick());
}

void LB::PaintToWindow() {
    if (!m_drawEnabled) return;
    const gdi::SIZE size = Site().ClientSize();
    const int w = size.cx, h = size.cy;
    tavSCls40::MemoryDC mem;
    if (!mem.Create(Site().Window(), w, h, 0xFFFFFF)) return;
    Compose(mem.hDC(), w, h);
    const gdi::HDC window = gdi::GetDC(Site().Window());
    gdi::BitBlt(window, 0, 0, w, h, mem.hDC(), 0, 0, gdi::SRCCOPY);
    gdi::ReleaseDC(Site().Window(), window);
}

void LB::Compose(gdi::HDC dc, int w, int h) const {
    gfxDrawRect(dc, gdi::RECT{0, 0, w, h}, m_skinBackColor);
    for (int i = 0; i < Border(); ++i) gfxDrawRect2(dc, i, i, w - i, h - i, m_borderColor);
    if (m_itemHeight <= 0) return;
    if (ListCount() > 0) {
        gdi::SelectFont(dc, m_font);
        gdi::SetBkMode(dc, gdi::BkMode::Transparent);
        DrawRows(dc);
        DrawSelection(dc);
    }
    DrawFocus(dc);
}

// The keyboard's place while the list has the focus: dots round the current
// row, or round the first visible row when none is chosen, or where the first
// row will come in an empty list.
void LB::DrawFocus(gdi::HDC dc) const {
    if (!Site().HasFocus()) return;
    const long index = m_listIndex >= 0 ? m_listIndex : TopIndex();
    const list_rows::Page rows = Rows();
    gdi::RECT r = rows.itemRect(index);
    if (ListCount() == 0) {
        const int left = rows.area.Left + rows.itemOffset.x, top = rows.area.Top + rows.itemOffset.y;
        r = gdi::RECT{left, top, rows.area.Right + rows.itemOffset.x, top + rows.itemHeight};
    }
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    gdi::DrawDottedRect(dc, r, gfxTranslateColor(index == m_listIndex ? m_fontSelected : m_fontNormal));
}

void LB::DrawRows(gdi::HDC dc) const {
    const list_rows::Page rows = Rows();
    for (long i = rows.top; i < rows.end(); ++i) {
        if (i == m_listIndex) continue;
        if (m_hidden.HoverListEffect && i == m_hoverItem)
            DrawRow(dc, i, m_hidden.HoverListEffectColor, m_hidden.FontHoverEffect);
        else
            DrawRow(dc, i, m_backNormal, m_fontNormal);
    }
}

// One row: its background, then its text, moved so that the selection
// outline never crosses the text's ink.
void LB::DrawRow(gdi::HDC dc, long index, OLE_COLOR back, OLE_COLOR fore) const {
    const gdi::RECT r = Rows().itemRect(index);
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    const int alignment = m_hidden.Alignment;
    const std::uint32_t align = alignment == alignRight    ? gdi::DT_RIGHT
                                : alignment == alignCenter ? gdi::DT_CENTER
                                                           : gdi::DT_LEFT;
    const std::uint32_t flags = gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX | align;
    const int textInset = TextInset();
    const int shift = list_rows::DrawRow(r, m_line, m_boxOffset, m_boxBorderWidth).textShift;
    gfxDrawRect(dc, r, back);
    gdi::SetTextColor(dc, gfxTranslateColor(m_enabled ? fore : SystemColor(COLOR_GRAYTEXT)));
    gdi::RECT tr{r.Left + textInset, r.Top + shift, r.Right - 2, r.Bottom + shift};
    gdi::DrawText(dc, m_items[static_cast<std::size_t>(index)].text, tr, flags);
}

int LB::TextInset() const { return m_leftMargin + m_itemTextLeft + (m_applyItemOffset != 0 ? m_itemOffset : 0); }

// A row too narrow for its text offers the whole text as the list's tip while
// the mouse is over it (a long log line can be read without widening the list).
void LB::ShowWholeText(long item) {
    std::u16string tip;
    if (item >= 0 && item < ListCount()) {
        const std::u16string& text = m_items[static_cast<std::size_t>(item)].text;
        const gdi::RECT row = Rows().itemRect(item);
        tavSCls40::MemoryDC mem;
        gdi::RECT extent{0, 0, 1 << 20, m_itemHeight};
        if (mem.Create(1, 1, 0xFFFFFF)) {
            gdi::SelectFont(mem.hDC(), m_font);
            gdi::DrawText(mem.hDC(), text, extent, gdi::DT_CALCRECT | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX);
            if (extent.Right - extent.Left > row.Right - 2 - (row.Left + TextInset())) tip = text;
        }
    }
    if (tip == m_tip) return;
    m_tip = tip;
    Site().SetToolTip(tip);
}

// The selection box: the selected row's background and text, then its outline.
void LB::DrawSelection(gdi::HDC dc) const {
    const gdi::RECT row = Rows().itemRect(m_listIndex);
    if (m_listIndex < 0 || row.Right <= row.Left || row.Bottom <= row.Top) return;
    DrawRow(dc, m_listIndex, m_hidden.BackSelected, m_fontSelected);
    const gdi::RECT r = list_rows::DrawRow(row, m_line, m_boxOffset, m_boxBorderWidth).box;
    for (int i = 0; i < m_boxBorderWidth && r.Right - r.Left > 2 * i && r.Bottom - r.Top > 2 * i; ++i)
        gfxDrawRect2(dc, r.Left + i, r.Top + i, r.Right - i, r.Bottom - i, m_boxBorder);
}
