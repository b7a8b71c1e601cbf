// GlyphControlBase: what the check box (CHKBOX) and the option button (Opt)
// share as controls.
//
// Both draw a 13 x 13 glyph from one skin strip beside a caption, take mouse
// buttons, moves, paint and the hover timer as subclassed window messages in
// run mode and keys as the host's key messages.  This class holds their
// common settings and state, skin loading, hover, the key press, focus and
// the events they raise alike.  What a click or the space key does, which
// mouse buttons count and how the caption is laid out stay with each control.
#pragma once

#include "controls/UserControl.h"
#include "controls/clsSkin.h"
#include "controls/suite/tavGFX40.h"

#include <functional>
#include <string>
#include <vector>

class GlyphControlBase : public UserControl {
  public:
    using OLE_COLOR = tavGFX40::OLE_COLOR;

    static constexpr OLE_COLOR kDefBackColor = 0x8000000F;
    static constexpr OLE_COLOR kDefForeColor = 0x00000000;
    static constexpr OLE_COLOR kDefDisabledForeColor = 0x80000011;

    // The events both controls raise; a host connects what it needs.
    struct Events {
        std::function<void()> Click;
        std::function<void(int Button, int Shift, int X, int Y)> MouseDown, MouseMove, MouseUp;
        std::function<void(int KeyCode, int Shift)> KeyDown, KeyUp;
        std::function<void(int KeyAscii)> KeyPress;
        // The host fills `Skin` and `Source` to give the glyph its own strip.
        std::function<void(long ResNumber, SkinMapInfo& Skin, SkinSource& Source)> QuerySkin;
    };
    Events events;

    ~GlyphControlBase() override;

    // ---- properties both controls have ----------------------------------------------
    const std::u16string& Caption() const { return m_caption; }
    bool Enabled() const { return m_enabled; }
    const gdi::Font& Font() const { return m_font; }
    bool Value() const { return m_value; }

    // ---- methods ----------------------------------------------------------------------
    void Redraw();
    void BeginUpdate();
    void EndUpdate();
    void ApplyCustomSkin();
    void ApplyDefaultSkin();

    // ---- state, for the host and for checks -----------------------------------------------
    bool IsMouseOver() const { return m_mouseOver; }
    bool IsPressed() const { return m_pressed; }
    bool IsSpaceDown() const { return m_spaceDown; }
    int GlyphFrame() const;
    const SkinMapInfo& GlyphSkin() const { return m_skin; }
    // Draws the whole control into `target` (client-sized), as its window shows it.
    void Print(gdi::HDC target) const { Compose(target); }

    MessageResponse MsgResponse(winmsg::UINT message) override;

  protected:
    // `glyphResource`: the built-in strip of this control.
    GlyphControlBase(ControlSite& site, Ambient ambient, int glyphResource);

    // Draws the whole control into `target`.
    virtual void Compose(gdi::HDC target) const = 0;
    // The space key went up after it went down over this control.
    virtual void SpaceReleased() = 0;

    void PaintToWindow() const;
    // Messages both controls handle alike: paint, mouse moves, the hover
    // timer, keys, focus, hiding and disabling.  False for any other message.
    bool CommonMessage(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam);
    void RaiseMouse(const std::function<void(int, int, int, int)>& event, const winmsg::MouseParameters& p) const;
    void RaiseClick() const;

    // Rules of the properties both controls have (rows of each control's table).
    void CaptionChanged();
    void EnabledChanged();
    void FontChanged();
    void MousePointerChanged();
    // The window's own state from what ReadProperties stored.
    void ApplyStoredSettings();
    // InitProperties' start: the ambient font is the control's.
    void TakeAmbientFont();
    // What InitProperties and ReadProperties end with: the built-in glyph, the subclassing (in
    // run mode) and drawing from now on.
    void StartDrawing();
    // Asks the site for the messages the control handles itself.
    virtual void AttachSubclassing() = 0;
    void LoadBuiltInGlyph();
    void StopHover();
    // Caption with word break measured in `dc` (font selected): its height and width.
    gdi::SIZE MeasureCaption(gdi::HDC dc, const gdi::RECT& box) const;
    // Sets up the text drawing of the caption in `dc`.
    void PrepareCaption(gdi::HDC dc) const;

    // properties
    std::u16string m_caption;
    bool m_enabled = true;
    gdi::Font m_font;
    bool m_value = false;
    OLE_COLOR m_backColor = kDefBackColor;
    OLE_COLOR m_foreColor = kDefForeColor;
    OLE_COLOR m_disabledForeColor = kDefDisabledForeColor;
    gdi::Image m_mouseIcon;
    short m_mousePointer = 0;
    bool m_valueSetClick = false;

    // run-time state
    bool m_drawEnabled = true;
    bool m_terminating = false;
    bool m_hasFocus = false;
    bool m_mouseOver = false;
    bool m_pressed = false;
    bool m_spaceDown = false;
    SkinMapInfo m_skin;

  private:
    void OnMouseMove(const winmsg::MouseParameters& p);
    void OnTimer(winmsg::WPARAM id);
    void OnKeyDown(int code, bool repeat);
    void OnKeyUp(int code);
    void OnLostFocus();
    void CancelPress();

    int m_glyphResource;
};
