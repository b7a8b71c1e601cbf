// LB: the skinned single-selection list box, with its own scroll bar (an
// LBVScroll in a child window the host makes) along the right edge.
//
// Items carry a text, a numeric datum and a string datum.  The selection
// moves only through ListIndex, the keyboard and the drag auto-scroll (a
// click does not select).  The first visible item is the scroll bar's Value.
//
// Appending is cheap: AddItem fills a spare slot at the end, updates the
// scroll bar's numbers and repaints the list only when the new item is on
// the visible page.  Repaints are requests that the window system merges and
// that a frame throttle caps, so a burst of AddItem + ListIndex (a progress
// log) paints once per frame.  The list is composed on one off-screen
// surface and copied to the window in one transfer.
//
// A wheel turn is used while the scroll bar shows; otherwise it goes on to
// what lies under the list (a scrolling panel): the host passes on what the
// list does not consume (MsgResponse).
//
// While the list has the keyboard focus, dots go round the current row (the
// first visible row when none is chosen); a row too narrow for its text
// offers the whole text as the list's tip while the mouse is over it.
//
// Bad indices throw LBError (380 for ListIndex/TopIndex values, 381 for
// item indices).
//
// Every stored property is one row of Properties(), the settings without a
// public property rows of HiddenProperties() over LBHiddenSettings.  Files:
// LB.cpp (properties, lifecycle, items, selection), LB_input.cpp (keyboard,
// mouse, wheel, drag auto-scroll, messages), LB_paint.cpp (size handling and
// painting); the row arithmetic is list_rows.h.
#pragma once

#include "controls/LBError.h"
#include "controls/LBVScroll.h"
#include "controls/UserControl.h"
#include "controls/frame_throttle.h"
#include "controls/list_rows.h"
#include "controls/suite/tavGFX40.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Settings the list box keeps in the property bag without a public property.
struct LBHiddenSettings {
    using OLE_COLOR = tavGFX40::OLE_COLOR;
    bool AutoSelectSize = false;
    bool AutoSelectTheme = false;
    bool AutoComplete = false;
    int ScrollBarWidth = 13;  // pixels
    OLE_COLOR FontHoverEffect = 0xFFFFFF;
    OLE_COLOR BackSelected = 0x8000000D;
    OLE_COLOR BackSelectedG1 = 0x8000000D;
    OLE_COLOR BackSelectedG2 = 0x80000005;
    bool GotFocusEffect = false;
    int GotFocusEffectColor = 1;
    bool HoverListEffect = false;
    OLE_COLOR HoverListEffectColor = 0xFFFFFF;
    int BoxRadius = 0;
    int Alignment = 0;  // LB::Alignments
    bool Focus = true;
    bool HoverSelection = false;
    bool WordWrap = true;
    int OrderType = 0;
};

class LB : public UserControl {
  public:
    using OLE_COLOR = tavGFX40::OLE_COLOR;
    enum Appearances : int { appFlat = 0, appBorder = 1 };
    enum Alignments : int { alignLeft = 0, alignRight = 1, alignCenter = 2 };

    // Defaults of the public properties.
    static constexpr OLE_COLOR kDefBackNormal = 0x80000005;
    static constexpr OLE_COLOR kDefBorderColor = 0x00B99D7F;
    static constexpr OLE_COLOR kDefBoxBorder = 0x8000000E;
    static constexpr OLE_COLOR kDefFontNormal = 0x80000008;
    static constexpr OLE_COLOR kDefFontSelected = 0x8000000E;
    static constexpr OLE_COLOR kDefSkinBackColor = 0xFFFFFF;

    // Window-timer id of the drag auto-scroll (the hover timer is 1).
    static constexpr std::uintptr_t kDragTimerId = 2;
    static constexpr int kDragPollMs = 10;
    // Repaints are at most one per frame: a burst of changes (a log line per
    // event-loop pass) paints once per frame instead of once per change.
    static constexpr std::uintptr_t kPaintTimerId = 3;
    static constexpr int kFrameMs = FrameThrottle<ControlSite>::kFrameMs;

    explicit LB(ControlSite& site, Ambient ambient = {});
    ~LB() override;

    // One row per property and per hidden setting (see property_table.h).
    static const auto& Properties();
    static const auto& HiddenProperties();

    // ---- items ----------------------------------------------------------------------
    void AddItem(const std::u16string& item);
    void RemoveItem(long index);
    void Clear();
    long ListCount() const { return static_cast<long>(m_items.size()) - 1; }
    long NewIndex() const { return m_newIndex; }
    const std::u16string& ItemText(long index) const;
    void SetItemText(long index, const std::u16string& text);
    std::int64_t ItemData(long index) const;
    void SetItemData(long index, std::int64_t value);
    const std::u16string& ItemStringData(long index) const;
    void SetItemStringData(long index, const std::u16string& value);

    long ListIndex() const { return m_listIndex; }
    void SetListIndex(long value);
    long TopIndex() const { return Bar().Value(); }
    void SetTopIndex(long value);

    // ---- appearance ----------------------------------------------------------------------
    int ApplyItemOffset() const { return m_applyItemOffset; }
    void SetApplyItemOffset(int v);
    int Appearance() const { return m_appearance; }
    void SetAppearance(int v);
    OLE_COLOR BackNormal() const { return m_backNormal; }
    void SetBackNormal(OLE_COLOR c);
    OLE_COLOR BorderColor() const { return m_borderColor; }
    void SetBorderColor(OLE_COLOR c);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int v);
    OLE_COLOR BoxBorder() const { return m_boxBorder; }
    void SetBoxBorder(OLE_COLOR c);
    int BoxOffset() const { return m_boxOffset; }
    void SetBoxOffset(int v);
    int BoxBorderWidth() const { return m_boxBorderWidth; }
    void SetBoxBorderWidth(int v);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    int LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(int v);
    const gdi::Font& Font() const { return m_font; }
    void SetFont(const gdi::Font& font);
    OLE_COLOR FontNormal() const { return m_fontNormal; }
    void SetFontNormal(OLE_COLOR c);
    OLE_COLOR FontSelected() const { return m_fontSelected; }
    void SetFontSelected(OLE_COLOR c);
    int ItemHeight() const { return m_itemHeightSetting; }
    void SetItemHeight(int v);
    bool ItemHeightAuto() const { return m_itemHeightAuto; }
    void SetItemHeightAuto(bool on);
    int ItemOffset() const { return m_itemOffset; }
    void SetItemOffset(int v);
    int ItemLeftOffset() const { return m_itemLeftOffset; }
    void SetItemLeftOffset(int v);
    int ItemTopOffset() const { return m_itemTopOffset; }
    void SetItemTopOffset(int v);
    int ItemTextLeft() const { return m_itemTextLeft; }
    void SetItemTextLeft(int v);
    OLE_COLOR SkinBackColor() const { return m_skinBackColor; }
    void SetSkinBackColor(OLE_COLOR c);
    int Theme() const { return m_theme; }
    void SetTheme(int theme);

    // Settings kept in the property bag without a public property; the
    // painting uses some of them.  Setting them marks each changed one.
    const LBHiddenSettings& HiddenSettings() const { return m_hidden; }
    void SetHiddenSettings(const LBHiddenSettings& settings);

    // ---- methods ----------------------------------------------------------------------------
    void BeginUpdate();
    void EndUpdate();
    void Refresh();

    // ---- host lifecycle ------------------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks ---------------------------------------------------
    // The scroll bar, and whether its window shows.
    LBVScroll& sbUC() const { return *m_bar; }
    bool ScrollBarShown() const;
    int ItemsVisible() const { return m_itemsVisible; }
    int CurrentItemHeight() const { return m_itemHeight; }
    int WheelScrollLines() const { return m_wheelLines; }
    bool IsButtonHeld() const { return m_buttonHeld; }
    bool IsDrawingEnabled() const { return m_drawEnabled; }
    // Number of repaints asked for since creation.
    std::uint64_t RedrawRequests() const { return m_redrawRequests; }
    // Rectangle of the row that shows item `index` (empty when off the page).
    gdi::RECT ItemRect(long index) const;
    // The item at a point of the list, or -1.
    long ItemAt(gdi::POINT point) const;
    // The millisecond clock of the drag auto-scroll and the repaint throttle
    // (a test can set its own).
    void SetTickSource(std::function<std::uint32_t()> tick) { m_tick = std::move(tick); }
    // Interval between two drag auto-scroll steps at pointer row y.
    int DragStepInterval(int y) const;

    // ---- messages ------------------------------------------------------------------------------------
    winmsg::LRESULT WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) override;
    // The paint is the list's own; a wheel turn is kept only while the bar shows.
    MessageResponse MsgResponse(winmsg::UINT message) override;

    // ---- events --------------------------------------------------------------------------------------
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int KeyCode, int Shift)> KeyDown;
    std::function<void(int KeyAscii)> KeyPress;
    std::function<void(int KeyCode, int Shift)> KeyUp;
    std::function<void()> ListIndexChange;
    std::function<void(int Button, int Shift, int X, int Y)> MouseDown;
    std::function<void(int Button, int Shift, int X, int Y)> MouseMove;
    std::function<void(int Button, int Shift, int X, int Y)> MouseUp;
    std::function<void()> TopIndexChange;
    // Passed on unchanged from the scroll bar.
    std::function<void(long ResNumber, SkinMapInfo& Skin, SkinSource& Source)> QuerySkin;

  private:
    struct Item {
        std::u16string text;
        std::int64_t data = 0;
        std::u16string stringData;
    };

    void CheckIndex(long index) const;
    bool TranslateColour(OLE_COLOR& colour);
    void ThemeChanged();
    void EnabledChanged();
    void SizeHandling();
    // A hidden widget learns of its new size only when shown: catch up first.
    void SyncSize() {
        const gdi::SIZE now = Site().ClientSize();
        if (now.cx != m_sizedFor.cx || now.cy != m_sizedFor.cy) SizeHandling();
    }
    void LayoutScrollBar();
    void UpdateScrollMetrics();
    void ScrollTo(long top);
    void Redraw();
    void PaintToWindow();
    void Compose(gdi::HDC dc, int w, int h) const;
    void DrawRows(gdi::HDC dc) const;
    void DrawRow(gdi::HDC dc, long index, OLE_COLOR back, OLE_COLOR fore) const;
    void DrawSelection(gdi::HDC dc) const;
    void DrawFocus(gdi::HDC dc) const;
    int TextInset() const;
    void ShowWholeText(long item);
    int Border() const;
    gdi::RECT RowsArea() const;
    list_rows::Page Rows() const;
    void AttachSubclassing();
    void OnButton(winmsg::UINT message, const winmsg::MouseParameters& p);
    void OnMouseMove(const winmsg::MouseParameters& p);
    void OnKeyDown(int code);
    void OnTimer(std::uintptr_t id);
    void OnHidden();
    void OnWheel(int delta);
    void OnHoverMove(gdi::POINT p);
    void DragAutoScroll(int y);
    void DragTimerTick();
    void StopDragScroll();
    void ApplyEnabled();

    // items
    std::vector<Item> m_items;  // always one spare slot at the end
    long m_listIndex = -1;
    long m_newIndex = -1;

    // properties
    int m_applyItemOffset = 0;
    int m_appearance = appBorder;
    OLE_COLOR m_backNormal = kDefBackNormal;
    OLE_COLOR m_borderColor = kDefBorderColor;
    int m_borderWidth = 1;
    OLE_COLOR m_boxBorder = kDefBoxBorder;
    int m_boxOffset = 1;
    int m_boxBorderWidth = 1;
    bool m_enabled = true;
    int m_leftMargin = 2;
    gdi::Font m_font;
    OLE_COLOR m_fontNormal = kDefFontNormal;
    OLE_COLOR m_fontSelected = kDefFontSelected;
    int m_itemHeightSetting = 0;
    bool m_itemHeightAuto = true;
    int m_itemOffset = 0;
    int m_itemLeftOffset = 0;
    int m_itemTopOffset = 0;
    int m_itemTextLeft = 2;
    OLE_COLOR m_skinBackColor = kDefSkinBackColor;
    int m_theme = 0;
    LBHiddenSettings m_hidden;

    // run-time state
    std::unique_ptr<ControlSite::ChildWindow> m_barWindow;  // made before the bar, which lives on its site
    std::unique_ptr<LBVScroll> m_bar;
    LBVScroll& Bar() const { return *m_bar; }
    int m_itemHeight = 1;
    int m_itemsVisible = 0;
    list_rows::LineMetrics m_line;  // the font's line and ink, for placing row text
    gdi::SIZE m_sizedFor{-1, -1};   // the size the metrics were computed for
    bool m_drawEnabled = true;
    bool m_subclassed = false;
    bool m_buttonHeld = false;
    bool m_doubleClickHeld = false;  // the held button's press was a double click's second
    long m_hoverItem = -1;
    std::u16string m_tip;  // the whole text of the row under the mouse, when it does not fit
    int m_wheelLines = 3;
    int m_dragY = 0;
    std::uint32_t m_lastDragStep = 0;
    std::uint64_t m_redrawRequests = 0;
    FrameThrottle<ControlSite> m_throttle;
    std::function<std::uint32_t()> m_tick;
};
