// txt: the skinned single-line text box.
//
// An inner line editor (txtText) does the editing; the user control draws a
// frame around it.  The frame shows four looks: normal, hover (the mouse is
// over the inner box), focused (the inner box has focus) and disabled.  With
// a custom skin (ApplyCustomSkin, answered through QuerySkin) the frame is
// that image, a strip of four frames in the order of FrameState, drawn with
// its margins kept; otherwise it is a one-pixel outline in the look's colour.
//
// Hover is tracked through the inner box: its mouse moves and timer ticks
// reach this control as window messages through a Subclasser.  Focus, keys
// and clicks of the inner box come through an event filter.
//
// Geometry: the frame is kFrameInset pixels thick (a custom skin's margins
// instead); the inner box is as high as the text "Wg" in the font plus two
// pixels, centred vertically, between MarginLeft and MarginRight inside the
// frame.  The control is never lower than 285 twips, nor narrower than 10
// pixels, nor lower than the inner box and its frame.
#pragma once

#include "controls/QtUserControl.h"
#include "controls/clsSkin.h"
#include "controls/suite/tavGFX40.h"
#include "controls/suite/tavSCls40.h"

#include <memory>

class QLineEdit;

class txt : public QtUserControl, public tavSCls40::ISubclass {
    Q_OBJECT

  public:
    using OLE_COLOR = tavGFX40::OLE_COLOR;

    enum class FrameState { Normal = 0, Hover = 1, Focused = 2, Disabled = 3 };
    static constexpr int kCustomFrames = 4;

    static constexpr OLE_COLOR kDefSkinBackColor = 0xFFFFFF;
    static constexpr short kDefMargin = 2;
    static constexpr int kFrameInset = 2;  // outline and one pixel of padding
    static constexpr int kMinHeightTwips = 285;
    static constexpr int kMinWidthPixels = 10;

    explicit txt(QWidget* parent = nullptr, QtAmbient ambient = {});
    ~txt() override;

    // One row per property held by the control itself (see property_table.h);
    // Text lives in the inner box and is read and written beside the table.
    static const auto& Properties();

    // ---- properties ------------------------------------------------------------
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    QFont Font() const { return m_font; }
    void SetFont(const QFont& font);
    short MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(short pixels);
    short MarginRight() const { return m_marginRight; }
    void SetMarginRight(short pixels);
    short MaxLength() const { return m_maxLength; }
    void SetMaxLength(short length);  // 0: no limit
    short SelLength() const;
    void SetSelLength(short length);
    short SelStart() const;
    void SetSelStart(short start);
    QString SelText() const;
    void SetSelText(const QString& text);
    OLE_COLOR SkinBackColor() const { return m_skinBackColor; }
    void SetSkinBackColor(OLE_COLOR colour);
    QString Text() const;
    void SetText(const QString& text);
    QWidget* hWnd() { return this; }
    QLineEdit* hWndToolTip() const { return m_inner; }

    // ---- methods -------------------------------------------------------------------
    void Refresh();
    void ApplyCustomSkin();

    // ---- host lifecycle --------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks --------------------------------------------
    bool IsLocked() const { return m_locked; }
    bool IsMouseOver() const { return m_mouseOver; }
    FrameState CurrentFrameState() const;
    int InnerHeight() const { return m_innerHeight; }
    gdi::RECT FrameInsets() const;
    QRect InnerRect() const;
    const SkinMapInfo& FrameSkin() const { return m_skin; }
    // The outline colour of a look when no custom skin is loaded.
    static OLE_COLOR OutlineColour(FrameState state);

    // ---- ISubclass (the inner box) ----------------------------------------------------
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override;
    winmsg::LRESULT ISubclass_WindowProc(winmsg::HWND window, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) override;

  signals:
    void Click();
    void Change();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    bool AcceptMaxLength(short& length);
    void EnabledChanged();
    void FontChanged();
    void MaxLengthChanged();
    void LockedChanged();
    void SizeHandling();
    void ApplyFontToInner();
    void Redraw();
    void Compose(gdi::HDC target) const;
    void AttachSubclassing();
    void StopHover();

    QLineEdit* m_inner;  // txtText, owned as a child
    bool m_enabled = true;
    QFont m_font;
    short m_marginLeft = kDefMargin;
    short m_marginRight = kDefMargin;
    short m_maxLength = 0;
    OLE_COLOR m_skinBackColor = kDefSkinBackColor;
    bool m_locked = false;

    int m_innerHeight = 0;
    bool m_mouseOver = false;
    bool m_innerFocused = false;
    bool m_innerDoubleClick = false;  // the inner box's held button made a double click
    bool m_terminating = false;
    SkinMapInfo m_skin;
    std::unique_ptr<tavSCls40::Subclasser> m_subclasser;
};
