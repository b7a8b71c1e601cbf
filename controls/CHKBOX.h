// CHKBOX: the skinned check box.
//
// A 13 x 13 glyph from a skin strip (built-in resource 1001 or the host's
// image through QuerySkin), followed by the caption.  The glyph frame follows
// the value and the hover, press, space-key and enabled states (see
// glyph_control::kGlyphFrames).  Mouse buttons, moves, paint and the hover
// timer reach the box as subclassed messages in run mode; keys come as the
// host's key messages.  In design mode it only paints.
//
// Colours, the focus rectangle and the mouse pointer are stored settings
// without public properties: they come from the property bag only (rows of
// Properties()).  BackStyle (set at run time, not stored) makes the box show
// what lies behind it instead of BackColor, like the option button's, so a
// row of boxes on a picture shows the picture.
#pragma once

#include "controls/GlyphControlBase.h"

class CHKBOX : public GlyphControlBase {
  public:
    enum BackStyles : int { bsTransparent = 0, bsOpaque = 1 };

    explicit CHKBOX(ControlSite& site, Ambient ambient = {});
    ~CHKBOX() override;

    // One row per property (see property_table.h).
    static const auto& Properties();

    // ---- properties (the getters in GlyphControlBase) ----------------------------------
    void SetCaption(const std::u16string& caption);
    void SetEnabled(bool on);
    void SetFont(const gdi::Font& font);
    int BackStyle() const { return m_backStyle; }
    void SetBackStyle(int style);  // run time only: not stored
    const std::u16string& TipText() const { return m_tipText; }
    void SetTipText(const std::u16string& text);
    // Stores and redraws; raises no event.
    void SetValue(bool value);

    // ---- methods (the rest in GlyphControlBase) -----------------------------------------
    void Refresh();

    // ---- host lifecycle --------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks (the rest in GlyphControlBase) -------------------
    // Where the glyph and the caption go.
    gdi::RECT GlyphRect() const;
    gdi::RECT CaptionRect() const;

    winmsg::LRESULT WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) override;

  private:
    void Compose(gdi::HDC target) const override;
    void SpaceReleased() override;
    gdi::RECT CaptionBox(gdi::HDC dc) const;
    void DrawCaption(gdi::HDC dc) const;
    void AttachSubclassing() override;
    void TipTextChanged();
    void Toggle();

    // properties
    std::u16string m_tipText;
    int m_backStyle = bsOpaque;
    // stored without public properties
    bool m_drawFocusRectangle = true;
    // written for the host's sake, never read back
    gdi::Image m_picture, m_pictureDisabled;
};
