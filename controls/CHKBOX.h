// CHKBOX: the skinned check box.
//
// A 13 x 13 glyph from a skin strip (built-in resource 1001 or the host's
// image through QuerySkin), followed by the caption.  The glyph frame follows
// the value and the hover, press, space-key and enabled states (see
// chk_common::kGlyphFrames).  Mouse buttons, moves, paint and the hover timer
// reach the box as window messages through a Subclasser in run mode; keys
// come through the ordinary Qt handlers.  In design mode it only paints.
//
// Colours, the focus rectangle and the mouse pointer are stored settings
// without public properties: they come from the property bag only.
#pragma once

#include "GlyphControlBase.h"

class CHKBOX : public GlyphControlBase {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE SetValue)

public:
    explicit CHKBOX(QWidget* parent = nullptr, Ambient ambient = {});
    ~CHKBOX() override;

    // ---- properties (the rest in GlyphControlBase) ----------------------------------
    void SetCaption(const QString& caption);
    QString TipText() const { return m_tipText; }
    void SetTipText(const QString& text);
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
    QRect GlyphRect() const;
    QRect CaptionRect() const;

    // ---- ISubclass -----------------------------------------------------------------------
    winmsg::LRESULT ISubclass_WindowProc(winmsg::HWND window, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) override;

protected:
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void Compose(gdi::HDC target) const override;
    void AttachSubclassing();

    // properties
    QString m_tipText;
    // stored without public properties
    bool m_drawFocusRectangle = true;
    // written for the host's sake, never read back
    QImage m_picture, m_pictureDisabled;
};
