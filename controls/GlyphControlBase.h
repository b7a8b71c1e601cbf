// GlyphControlBase: what the check box (CHKBOX) and the option button (Opt)
// share as controls.
//
// Both draw a 13 x 13 glyph from one skin strip beside a caption, take mouse
// buttons, moves, paint and the hover timer as window messages through a
// Subclasser in run mode and keys through the ordinary Qt handlers.  This
// class holds their common settings and state, skin loading, hover, the key
// press, focus and the events they raise alike.  What a click or the space
// key does, which mouse buttons count and how the caption is laid out stay
// with each control.
#pragma once

#include "controls/UserControl.h"
#include "controls/clsSkin.h"
#include "controls/suite/tavGFX40.h"
#include "controls/suite/tavSCls40.h"

#include <QImage>

#include <initializer_list>
#include <memory>

class GlyphControlBase : public UserControl, public tavSCls40::ISubclass {
    Q_OBJECT
  public:
    using OLE_COLOR = tavGFX40::OLE_COLOR;

    static constexpr OLE_COLOR kDefBackColor = 0x8000000F;
    static constexpr OLE_COLOR kDefForeColor = 0x00000000;
    static constexpr OLE_COLOR kDefDisabledForeColor = 0x80000011;

    ~GlyphControlBase() override;

    // ---- properties both controls have ----------------------------------------------
    QString Caption() const { return m_caption; }
    bool Enabled() const { return m_enabled; }
    QFont Font() const { return m_font; }
    bool Value() const { return m_value; }
    QWidget* hWnd() { return this; }
    // What a host draws on: the control's own surface, as QPainter takes it.
    QPaintDevice* Hdc() { return this; }

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

    // ---- ISubclass --------------------------------------------------------------------------
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override;

  signals:
    void Click();
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseMove(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);

  protected:
    // `glyphResource`: the built-in strip of this control.
    GlyphControlBase(QWidget* parent, Ambient ambient, int glyphResource);

    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

    // Draws the whole control into `target`.
    virtual void Compose(gdi::HDC target) const = 0;

    void PaintToWindow() const;
    // Rules of the properties both controls have (rows of each control's table).
    void CaptionChanged();
    void EnabledChanged();
    void FontChanged();
    void MousePointerChanged();
    // The window's own state from what ReadProperties stored.
    void ApplyStoredSettings();
    void LoadBuiltInGlyph();
    // Routes `messages` of this control to ISubclass_WindowProc.
    void AttachMessages(std::initializer_list<winmsg::UINT> messages);
    // WM_MOUSEMOVE: the pointer came over the control (starts the hover timer),
    // then MouseMove.
    void OnMouseMoveMessage(int button, int shift, int x, int y);
    // WM_TIMER: the hover ends once the pointer has left.
    void OnTimerMessage(winmsg::WPARAM id);
    void StopHover();

    // properties
    QString m_caption;
    bool m_enabled = true;
    QFont m_font;
    bool m_value = false;
    OLE_COLOR m_backColor = kDefBackColor;
    OLE_COLOR m_foreColor = kDefForeColor;
    OLE_COLOR m_disabledForeColor = kDefDisabledForeColor;
    QImage m_mouseIcon;
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
    std::unique_ptr<tavSCls40::Subclasser> m_subclasser;

  private:
    int m_glyphResource;
};
