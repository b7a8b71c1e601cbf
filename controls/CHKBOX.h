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

#include "UserControl.h"
#include "clsSkin.h"
#include "suite/tavGFX40.h"
#include "suite/tavSCls40.h"

#include <QImage>

#include <memory>

class CHKBOX : public UserControl, public tavSCls40::ISubclass {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE SetValue)

public:
    using OLE_COLOR = tavGFX40::OLE_COLOR;

    static constexpr OLE_COLOR kDefBackColor = 0x8000000F;
    static constexpr OLE_COLOR kDefForeColor = 0x00000000;
    static constexpr OLE_COLOR kDefDisabledForeColor = 0x80000011;

    explicit CHKBOX(QWidget* parent = nullptr, Ambient ambient = {});
    ~CHKBOX() override;

    // ---- properties ------------------------------------------------------------
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    QFont Font() const { return m_font; }
    void SetFont(const QFont& font);
    QString TipText() const { return m_tipText; }
    void SetTipText(const QString& text);
    bool Value() const { return m_value; }
    // Stores and redraws; raises no event.
    void SetValue(bool value);
    QWidget* hWnd() { return this; }

    // ---- methods -------------------------------------------------------------------
    void Refresh();
    void Redraw();
    void BeginUpdate();
    void EndUpdate();
    void ApplyCustomSkin();
    void ApplyDefaultSkin();

    // ---- host lifecycle --------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks --------------------------------------------
    bool IsMouseOver() const { return m_mouseOver; }
    bool IsPressed() const { return m_pressed; }
    bool IsSpaceDown() const { return m_spaceDown; }
    int GlyphFrame() const;
    const SkinMapInfo& GlyphSkin() const { return m_skin; }
    // Where the glyph and the caption go.
    QRect GlyphRect() const;
    QRect CaptionRect() const;

    // ---- ISubclass -----------------------------------------------------------------------
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override;
    winmsg::LRESULT ISubclass_WindowProc(winmsg::HWND window, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) override;

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
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void PaintToWindow() const;
    void Compose(gdi::HDC target) const;
    void AttachSubclassing();
    void StopHover();
    void MarkChanged(const char* name) { emit PropertyChanged(QString::fromLatin1(name)); }

    // properties
    QString m_caption;
    bool m_enabled = true;
    QFont m_font;
    QString m_tipText;
    bool m_value = false;
    // stored without public properties
    bool m_drawFocusRectangle = true;
    OLE_COLOR m_backColor = kDefBackColor;
    OLE_COLOR m_foreColor = kDefForeColor;
    OLE_COLOR m_disabledForeColor = kDefDisabledForeColor;
    QImage m_mouseIcon;
    short m_mousePointer = 0;
    // written for the host's sake, never read back
    bool m_valueSetClick = false;
    QImage m_picture, m_pictureDisabled;

    // run-time state
    bool m_drawEnabled = true;
    bool m_terminating = false;
    bool m_hasFocus = false;
    bool m_mouseOver = false;
    bool m_pressed = false;
    bool m_spaceDown = false;
    SkinMapInfo m_skin;
    std::unique_ptr<tavSCls40::Subclasser> m_subclasser;
};
