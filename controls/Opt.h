// Opt: the skinned option button.
//
// A 13 x 13 glyph from a skin strip (built-in resource 1006 or the host's
// image through QuerySkin) and a caption, composed on one off-screen surface
// over a cached background and copied to the window in one BitBlt.  The
// glyph sits at the left (Alignment 0) or the right (Alignment 1); other
// alignments draw no glyph.
//
// Groups: a Grouped button that becomes True clears every other control of
// its container with the same GroupID whose Value is True (late-bound, by the
// GroupID and Value properties, through the host's ForEachSibling).  A click asks BeforeValueChanged first, and
// its handler may cancel or change the new value.  A grouped button that is
// on keeps its value while another member of its group is in the container;
// a non-grouped button that is on turns off when clicked.
//
// Caption placement (run-time properties, in pixels, not stored): the caption
// box is the space beside the glyph; ControlWidth / ControlHeight, when above
// zero, give the box that size instead, and XOffset / YOffset move it.  The
// caption is word-wrapped and centred vertically in its box.
#pragma once

#include "controls/GlyphControlBase.h"
#include "controls/suite/memory_dc.h"

class Opt : public GlyphControlBase {
  public:
    enum Alignments : int { optGlyphLeft = 0, optGlyphRight = 1 };
    enum BackStyles : int { bsTransparent = 0, bsOpaque = 1 };

    explicit Opt(ControlSite& site, Ambient ambient = {});
    ~Opt() override;

    // One row per property (see property_table.h).
    static const auto& Properties();

    // ---- stored properties (the getters of the shared ones in GlyphControlBase) -------
    void SetEnabled(bool on);
    void SetFont(const gdi::Font& font);
    int Alignment() const { return m_alignment; }
    void SetAlignment(int alignment);
    OLE_COLOR BackColor() const { return m_backColor; }
    void SetBackColor(OLE_COLOR colour);
    int BackStyle() const { return m_backStyle; }
    void SetBackStyle(int style);
    OLE_COLOR DisabledForeColor() const { return m_disabledForeColor; }
    void SetDisabledForeColor(OLE_COLOR colour);
    OLE_COLOR ForeColor() const { return m_foreColor; }
    void SetForeColor(OLE_COLOR colour);
    short GroupID() const { return m_groupID; }
    void SetGroupID(short id);
    bool Grouped() const { return m_grouped; }
    void SetGrouped(bool on);
    const gdi::Image& MouseIcon() const { return m_mouseIcon; }
    void SetMouseIcon(const gdi::Image& icon);
    short MousePointer() const { return m_mousePointer; }
    void SetMousePointer(short pointer);
    void SetValue(bool value);
    bool ValueSetClick() const { return m_valueSetClick; }
    void SetValueSetClick(bool on);

    // ---- run-time properties (Caption in GlyphControlBase) -----------------------------
    void SetCaption(const std::u16string& caption);
    int ControlWidth() const { return m_controlWidth; }
    void SetControlWidth(int pixels);
    int ControlHeight() const { return m_controlHeight; }
    void SetControlHeight(int pixels);
    int XOffset() const { return m_xOffset; }
    void SetXOffset(int pixels);
    int YOffset() const { return m_yOffset; }
    void SetYOffset(int pixels);

    // ---- methods (the rest in GlyphControlBase) -----------------------------------------
    void Refresh();

    // ---- host lifecycle --------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks (the rest in GlyphControlBase) -------------------
    // Empty when the alignment draws no glyph.
    gdi::RECT GlyphRect() const;
    // The box the caption is measured and centred in.
    gdi::RECT CaptionBox() const;

    winmsg::LRESULT WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) override;
    // Late-bound: GroupID, Value and Grouped.
    std::optional<std::int64_t> NumberProperty(std::string_view name) const override;
    bool SetFlagProperty(std::string_view name, bool value) override;

    // Raised before a click changes the value; the handler may change
    // NewValue or set bCancel to keep the value as it is.
    std::function<void(bool& NewValue, bool& bCancel)> BeforeValueChanged;

  private:
    // Whose turn a user choice is: the left button (or the space key) raises Click.
    enum class ChoiceBy { LeftButton, OtherButton };

    void Compose(gdi::HDC target) const override;
    void SpaceReleased() override;
    void DrawCaption(gdi::HDC dc) const;
    void OnButton(winmsg::UINT message, const winmsg::MouseParameters& p);
    void OnShow();
    void RebuildBackground();
    void BackgroundChanged();
    bool AcceptValue(bool& value);
    void ValueChanged();
    void GroupRule();
    bool HasOtherGroupMember() const;
    void UserChoice(ChoiceBy by);
    void AttachSubclassing() override;

    // stored properties (the rest in GlyphControlBase)
    int m_alignment = optGlyphLeft;
    int m_backStyle = bsOpaque;
    short m_groupID = 0;
    bool m_grouped = false;
    // run-time properties
    int m_controlWidth = 0;
    int m_controlHeight = 0;
    int m_xOffset = 0;
    int m_yOffset = 0;

    // run-time state
    bool m_clickOnValueChange = false;  // ValueSetClick noted a change
    tavSCls40::MemoryDC m_background;   // what lies under the glyph and caption
};
