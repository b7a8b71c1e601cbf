// BTN: the skinned command button.
//
// Paints itself from skin strips (built-in or supplied by the host through
// QuerySkin), follows the mouse (hover, press, leave), and can be a toggle
// button, one of a group of mutually exclusive toggle buttons, or a split
// button with a drop-down zone at its right edge.  Three looks: ButtonStyle
// 0 (classic bevel), 1 (rounded, glossy) and 2 (flat).
//
// The whole button is composed on a MemoryDC and copied to the window in one
// BitBlt.  In run mode the button subclasses paint, the hover timer, mouse
// moves and buttons, and WM_PARENTNOTIFY; keys and focus come as the host's
// own messages, its access key and the form's Enter / Escape (as the form's
// Default / Cancel button) through AccessKeyPress.  In design mode it only
// paints.
//
// Every property is one row of Properties() (BTN.cpp): its key, default,
// storage and the rule its setter obeys; the setters, ReadProperties and
// WriteProperties all go through that table.  Conflicting settings are told
// in message boxes (see MsgBox for the test seam).  Files: BTN.cpp
// (properties, lifecycle, methods), BTN_input.cpp (mouse, keys, access key,
// group rule, hover), BTN_paint.cpp (skins, region, composing the picture);
// the layout and frame arithmetic is button_layout.h.
#pragma once

#include "controls/UserControl.h"
#include "controls/button_layout.h"
#include "controls/clsSkin.h"
#include "controls/suite/tavGFX40.h"

#include <functional>
#include <string>

class BTN : public UserControl {
  public:
    using OLE_COLOR = tavGFX40::OLE_COLOR;
    // A picture property: nothing, a bitmap (drawn without MaskColor) or an icon.
    using StdPicture = StoredPicture;

    enum ButtonStyles : int {
        btnStyleClassic = button_layout::styleClassic,
        btnStyleXP = button_layout::styleXP,
        btnStyleFlat = button_layout::styleFlat
    };
    enum PicturePositions : int {
        picAbove = button_layout::picAbove,
        picLeft = button_layout::picLeft,
        picRight = button_layout::picRight,
        picBelow = button_layout::picBelow
    };
    enum BackStyles : int { bsTransparent = 0, bsOpaque = 1 };
    // The parts a point of the button can fall on.
    enum class ButtonPart { None, Body, DropZone };

    // Default property values.
    static constexpr int kDefButtonStyle = btnStyleXP;
    static constexpr OLE_COLOR kDefBackColor = 0x8000000F;
    static constexpr int kDefBackStyle = bsOpaque;
    static constexpr OLE_COLOR kDefBorderColor = 0x80000001;
    static constexpr OLE_COLOR kDefDisabledForeColor = tavGFX40::kNoColor;  // -1: embossed text
    static constexpr OLE_COLOR kDefForeColor = 0x80000012;
    static constexpr int kDefPicturePosition = picLeft;
    static constexpr int kDropWidth = 12;  // caption space a split button leaves on its right

    // The events the button raises; a host connects what it needs.
    struct Events {
        std::function<void()> Click;
        std::function<void(int KeyCode, int Shift)> KeyDown, KeyUp;
        std::function<void(int KeyAscii)> KeyPress;
        std::function<void(int Button, int Shift, int X, int Y)> MouseDown, MouseUp, DropDown, DropUp;
        // The host fills `Skin` (ImageName, MapMargin, MaskColor, ...) and
        // `Source` for built-in piece `ResNumber`; leaving either empty stops.
        std::function<void(long ResNumber, SkinMapInfo& Skin, SkinSource& Source)> QuerySkin;
        std::function<void(SkinButtonLayoutInfo& Layout)> QueryLayout;
    };
    Events events;

    explicit BTN(ControlSite& site, Ambient ambient = {});
    ~BTN() override;

    // One row per property (see property_table.h).
    static const auto& Properties();

    // ---- properties ------------------------------------------------------------
    int ButtonStyle() const { return m_buttonStyle; }
    void SetButtonStyle(int style);
    OLE_COLOR BackColor() const { return m_backColor; }
    void SetBackColor(OLE_COLOR colour);
    int BackStyle() const { return m_backStyle; }
    void SetBackStyle(int style);
    OLE_COLOR BorderColor() const { return m_borderColor; }
    void SetBorderColor(OLE_COLOR colour);
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(const std::u16string& caption);
    OLE_COLOR DisabledForeColor() const { return m_disabledForeColor; }
    void SetDisabledForeColor(OLE_COLOR colour);
    bool DropDown() const { return m_dropDown; }
    void SetDropDown(bool on);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    const gdi::Font& Font() const { return m_font; }
    void SetFont(const gdi::Font& font);
    OLE_COLOR ForeColor() const { return m_foreColor; }
    void SetForeColor(OLE_COLOR colour);
    bool Grouped() const { return m_grouped; }
    void SetGrouped(bool on);
    short GroupID() const { return m_groupID; }
    void SetGroupID(short id);
    std::int32_t MaskColor() const { return m_maskColor; }
    void SetMaskColor(std::int32_t colour);
    int PicturePosition() const { return m_picturePosition; }
    void SetPicturePosition(int position);
    const StdPicture& Picture() const { return m_picture; }
    void SetPicture(const StdPicture& picture);
    const StdPicture& PictureDisabled() const { return m_pictureDisabled; }
    void SetPictureDisabled(const StdPicture& picture);
    const StdPicture& PictureHover() const { return m_pictureHover; }
    void SetPictureHover(const StdPicture& picture);
    const StdPicture& PictureDown() const { return m_pictureDown; }
    void SetPictureDown(const StdPicture& picture);
    bool ShowAsDefault() const { return m_showAsDefault; }
    void SetShowAsDefault(bool on);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void SetShowFocusRect(bool on);
    const std::u16string& TipText() const { return m_tipText; }
    void SetTipText(const std::u16string& text);
    bool Toggle() const { return m_toggle; }
    void SetToggle(bool on);
    bool TogglePressed() const { return m_togglePressed; }
    void SetTogglePressed(bool on);
    short XPTheme() const { return m_xpTheme; }
    void SetXPTheme(short theme);

    // The lower-cased access key taken from the caption ("&x"), or 0.
    char16_t AccessKey() const { return m_accessKey; }

    // ---- methods -------------------------------------------------------------------
    void BeginUpdate();
    void EndUpdate();
    void Refresh();
    void ForceToggleState(bool state);
    void ApplyCustomSkin();
    void ApplyDefaultSkin();
    void ApplyCustomLayout();
    void ApplyDefaultLayout();

    // ---- host lifecycle --------------------------------------------------------------
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    // ---- state, for the host and for checks --------------------------------------------
    bool IsMouseOver() const { return m_mouseOver; }
    bool IsPressed() const { return m_pressed; }
    bool IsDropPressed() const { return m_dropPressed; }
    bool IsSpaceDown() const { return m_spaceDown; }
    bool HasFocusState() const { return m_hasFocus; }
    bool IsDrawingEnabled() const { return m_drawEnabled; }
    int BodyFrame() const;
    int DropFrame() const;  // drop part and arrow
    const SkinMapInfo& BodySkin() const { return m_skinBody; }
    const SkinMapInfo& DropSkin() const { return m_skinDrop; }
    const SkinMapInfo& ArrowSkin() const { return m_skinArrow; }
    int LoadedTheme() const { return m_loadedTheme; }
    int DropWidth() const { return m_dropWidth; }
    // The window's shape for this style and size (the caller owns it), 0 for the whole rectangle.
    gdi::HRGN MakeWindowRegion() const;
    ButtonPart HitTest(gdi::POINT point) const;
    gdi::RECT BodyRect() const;
    gdi::RECT DropZoneRect() const;
    // The drawing area, and where picture and caption go in it.
    gdi::RECT DrawingArea() const;
    // Draws the whole button into `target` (client-sized), as its window shows it.
    void Print(gdi::HDC target) const { Compose(target); }

    // ---- messages ------------------------------------------------------------------------
    winmsg::LRESULT WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) override;
    MessageResponse MsgResponse(winmsg::UINT message) override;
    void AccessKeyPress(char16_t key) override;
    // Late bound: GroupID, Grouped and TogglePressed; setting TogglePressed
    // forces the toggle state (the group rule's release of a partner).
    std::optional<std::int64_t> NumberProperty(std::string_view name) const override;
    bool SetFlagProperty(std::string_view name, bool value) override;

  protected:
    void AmbientChanged() override;

  private:
    // ---- the property rules (rows of Properties()) ----
    bool AcceptBackStyle(int& style);
    bool AcceptCaption(std::u16string& caption);
    bool AcceptDropDown(bool& on);
    bool AcceptFont(gdi::Font& font);
    bool AcceptToggle(bool& on);
    bool AcceptTogglePressed(bool& on);
    void ButtonStyleChanged();
    void CaptionChanged();
    void DropDownChanged();
    void EnabledChanged();
    void GroupedChanged();
    void GroupIDChanged();
    void TogglePressedChanged();
    void XPThemeChanged();
    void ApplyStoredSettings();

    // ---- painting (BTN_paint.cpp) ----
    void Redraw();
    void PaintToWindow() const;
    void Compose(gdi::HDC target) const;
    void DrawBackground(gdi::HDC dc) const;
    void DrawSkin(gdi::HDC dc) const;
    void DrawPicture(gdi::HDC dc, const gdi::RECT& at) const;
    button_layout::Layout ComputeLayout(gdi::HDC dc, gdi::SIZE pictureSize) const;
    button_layout::State FrameState() const;
    const StdPicture* ChosenPicture(bool& drawDisabled) const;
    void DrawCaption(gdi::HDC dc, const gdi::RECT& rect) const;

    // ---- input (BTN_input.cpp) ----
    void OnButtonDown(const winmsg::MouseParameters& p);
    void OnButtonUp(winmsg::UINT message, const winmsg::MouseParameters& p);
    void OnMouseMove();
    void OnTimer(winmsg::WPARAM id);
    void OnKeyDown(int code, bool repeat);
    void OnKeyUp(int code);
    void OnFocus(bool gained);
    void OnShow(bool shown);
    void OnDisabled();

    void SizeHandling();
    void ApplyWindowRegion();
    void ReadDefaultState();
    void GroupRule();
    void UpdateDropWidth();
    void LoadDefaultSkins();
    void ReleaseSkins();
    void AttachSubclassing();
    void StopHover();
    void ReleaseOverButton(int button, int shift, gdi::POINT p, bool over);
    void UpdateAccessKey();
    void ApplyAutoSize();
    bool Transparent() const;
    gdi::SIZE Size() const { return Site().ClientSize(); }
    // A picture's size; empty for no picture.
    static gdi::SIZE SizeOf(const StdPicture& picture);

    // properties
    int m_buttonStyle = kDefButtonStyle;
    OLE_COLOR m_backColor = kDefBackColor;
    int m_backStyle = kDefBackStyle;
    OLE_COLOR m_borderColor = kDefBorderColor;
    std::u16string m_caption;
    OLE_COLOR m_disabledForeColor = kDefDisabledForeColor;
    bool m_dropDown = false;
    bool m_enabled = true;
    gdi::Font m_font;
    OLE_COLOR m_foreColor = kDefForeColor;
    bool m_grouped = false;
    short m_groupID = 0;
    std::int32_t m_maskColor = 0;
    int m_picturePosition = kDefPicturePosition;
    StdPicture m_picture, m_pictureDisabled, m_pictureHover, m_pictureDown;
    bool m_showAsDefault = false;
    bool m_showFocusRect = true;
    std::u16string m_tipText;
    bool m_toggle = false;
    bool m_togglePressed = false;
    short m_xpTheme = 0;
    short m_mousePointer = 0;

    // run-time state
    bool m_drawEnabled = true;
    bool m_initialised = false;
    bool m_terminating = false;
    bool m_hasFocus = false;
    bool m_isDefault = false;
    bool m_mouseOver = false;
    bool m_pressed = false;
    bool m_dropPressed = false;
    bool m_spaceDown = false;
    int m_dropWidth = 0;
    bool m_customLayout = false;
    SkinButtonLayoutInfo m_layout;
    int m_loadedTheme = 0;
    gdi::SIZE m_cornersCut{};  // the size whose corners the window's region cuts; empty: no region
    SkinMapInfo m_skinBody, m_skinDrop, m_skinArrow;
    char16_t m_accessKey = 0;
};
