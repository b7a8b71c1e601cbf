// txt: the skinned single-line text box.
//
// The window system's own line editor (an InnerEditor the host makes) does
// the editing; the control draws a frame around it and decides what the
// editor shows and where.  The frame shows four looks: normal, hover (the
// mouse is over the editor), focused (the editor has the focus) and
// disabled.  With a custom skin (ApplyCustomSkin, answered through QuerySkin)
// the frame is that image, a strip of four frames in the order of
// FrameState, drawn with its margins kept; otherwise it is a one-pixel
// outline in the look's colour.
//
// The editor's keys, focus, mouse moves and clicks reach the control through
// the editor (InnerEditorListener); the frame's own clicks and the hover
// timer are subclassed messages of the control's window.
//
// Geometry: the frame is kFrameInset pixels thick (a custom skin's margins
// instead); the editor is as high as the text "Wg" in the font plus two
// pixels, centred vertically, between MarginLeft and MarginRight inside the
// frame.  The control is never lower than 285 twips, nor narrower than 10
// pixels, nor lower than the editor and its frame.
#pragma once

#include "controls/InnerEditor.h"
#include "controls/UserControl.h"
#include "controls/clsSkin.h"
#include "controls/suite/tavGFX40.h"

#include <functional>
#include <memory>
#include <string>

class txt : public UserControl, private InnerEditorListener {
  public:
    using OLE_COLOR = tavGFX40::OLE_COLOR;

    enum class FrameState { Normal = 0, Hover = 1, Focused = 2, Disabled = 3 };
    static constexpr int kCustomFrames = 4;

    static constexpr OLE_COLOR kDefSkinBackColor = 0xFFFFFF;
    static constexpr short kDefMargin = 2;
    static constexpr int kFrameInset = 2;  // outline and one pixel of padding
    static constexpr int kMinHeightTwips = 285;
    static constexpr int kMinWidthPixels = 10;

    // The events the box raises; a host connects what it needs.
    struct Events {
        std::function<void()> Click, Change;
        std::function<void(int KeyCode, int Shift)> KeyDown, KeyUp;
        std::function<void(int KeyAscii)> KeyPress;
        // The host fills `Skin` and `Source` to give the frame its own strip.
        std::function<void(long ResNumber, SkinMapInfo& Skin, SkinSource& Source)> QuerySkin;
    };
    Events events;

    explicit txt(ControlSite& site, Ambient ambient = {});
    ~txt() override;

    // One row per property held by the control itself (see property_table.h);
    // Text lives in the editor and is read and written beside the table.
    static const auto& Properties();

    // ---- properties ------------------------------------------------------------
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    const gdi::Font& Font() const { return m_font; }
    void SetFont(const gdi::Font& font);
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
    std::u16string SelText() const;
    void SetSelText(const std::u16string& text);
    OLE_COLOR SkinBackColor() const { return m_skinBackColor; }
    void SetSkinBackColor(OLE_COLOR colour);
    std::u16string Text() const;
    void SetText(const std::u16string& text);

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
    // Where the editor lies, in client coordinates.
    gdi::RECT InnerRect() const;
    const SkinMapInfo& FrameSkin() const { return m_skin; }
    // The outline colour of a look when no custom skin is loaded.
    static OLE_COLOR OutlineColour(FrameState state);
    // Draws the frame into `target` (client-sized), as the window shows it.
    void Print(gdi::HDC target) const { Compose(target); }

    winmsg::LRESULT WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) override;

  private:
    // InnerEditorListener
    void EditorChanged() override;
    void EditorMessage(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam, int shift) override;

    bool AcceptMaxLength(short& length);
    void EnabledChanged();
    void FontChanged();
    void MaxLengthChanged();
    void LockedChanged();
    void SizeHandling();
    void ApplyFontToEditor();
    void Redraw();
    void Compose(gdi::HDC target) const;
    void PaintToWindow() const;
    void EditorReleased(winmsg::UINT message, winmsg::LPARAM lParam);
    void HoverTick(winmsg::WPARAM id);
    void StopHover();
    void RaiseClick() const;

    std::unique_ptr<InnerEditor> m_editor;
    bool m_enabled = true;
    gdi::Font m_font;
    short m_marginLeft = kDefMargin;
    short m_marginRight = kDefMargin;
    short m_maxLength = 0;
    OLE_COLOR m_skinBackColor = kDefSkinBackColor;
    bool m_locked = false;

    std::u16string m_knownText;  // the editor's text when last looked at
    int m_innerHeight = 0;
    bool m_mouseOver = false;
    bool m_innerFocused = false;
    bool m_innerDoubleClick = false;  // the editor's held button made a double click
    bool m_terminating = false;
    SkinMapInfo m_skin;
};
