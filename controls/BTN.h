// BTN: the skinned command button.
//
// Paints itself from skin strips (built-in or supplied by the host through
// QuerySkin), follows the mouse (hover, press, leave), and can be a toggle
// button, one of a group of mutually exclusive toggle buttons, or a split
// button with a drop-down zone at its right edge.  Three looks: ButtonStyle
// 0 (classic bevel), 1 (rounded, glossy) and 2 (flat).
//
// The whole button is composed on a MemoryDC and copied to the window in one
// BitBlt.  In run mode the button receives WM_PAINT, WM_TIMER, WM_MOUSEMOVE
// and WM_PARENTNOTIFY through a Subclasser; mouse buttons and keys come
// through the ordinary Qt handlers.  In design mode it only paints.
//
// Every property is one row of Properties() (BTN.cpp): its key, default,
// storage and the rule its setter obeys; the setters, ReadProperties and
// WriteProperties all go through that table.  Conflicting settings are told
// in message boxes (see MsgBox for the test seam).  Files: BTN.cpp
// (properties, lifecycle, methods), BTN_input.cpp (mouse, keys, access key,
// group rule, hover), BTN_paint.cpp (skins, region, composing the picture);
// the layout and frame arithmetic is button_layout.h.
#pragma once

#include "controls/StdPicture.h"
#include "controls/QtUserControl.h"
#include "controls/button_layout.h"
#include "controls/clsSkin.h"
#include "controls/suite/tavGFX40.h"
#include "controls/suite/tavSCls40.h"

#include <memory>

class BTN : public QtUserControl, public tavSCls40::ISubclass {
    Q_OBJECT
    // Read late-bound by the group rule's fall-back walk.
    Q_PROPERTY(short GroupID READ GroupID WRITE SetGroupID)
    Q_PROPERTY(bool TogglePressed READ TogglePressed WRITE SetTogglePressed)
    Q_PROPERTY(bool Grouped READ Grouped WRITE SetGrouped)

  public:
    using OLE_COLOR = tavGFX40::OLE_COLOR;

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

    explicit BTN(QWidget* parent = nullptr, QtAmbient ambient = {});
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
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    OLE_COLOR DisabledForeColor() const { return m_disabledForeColor; }
    void SetDisabledForeColor(OLE_COLOR colour);
    bool DropDown() const { return m_dropDown; }
    void SetDropDown(bool on);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    QFont Font() const { return m_font; }
    void SetFont(const QFont& font);
    OLE_COLOR ForeColor() const { return m_foreColor; }
    void SetForeColor(OLE_COLOR colour);
    bool Grouped() const { return m_grouped; }
    void SetGrouped(bool on);
    short GroupID() const { return m_groupID; }
    void SetGroupID(short id);
    QWidget* hWnd() { return this; }
    std::int32_t MaskColor() const { return m_maskColor; }
    void SetMaskColor(std::int32_t colour);
    int PicturePosition() const { return m_picturePosition; }
    void SetPicturePosition(int position);
    StdPicture Picture() const { return m_picture; }
    void SetPicture(const StdPicture& picture);
    StdPicture PictureDisabled() const { return m_pictureDisabled; }
    void SetPictureDisabled(const StdPicture& picture);
    StdPicture PictureHover() const { return m_pictureHover; }
    void SetPictureHover(const StdPicture& picture);
    StdPicture PictureDown() const { return m_pictureDown; }
    void SetPictureDown(const StdPicture& picture);
    bool ShowAsDefault() const { return m_showAsDefault; }
    void SetShowAsDefault(bool on);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void SetShowFocusRect(bool on);
    QString TipText() const { return m_tipText; }
    void SetTipText(const QString& text);
    bool Toggle() const { return m_toggle; }
    void SetToggle(bool on);
    bool TogglePressed() const { return m_togglePressed; }
    void SetTogglePressed(bool on);
    short XPTheme() const { return m_xpTheme; }
    void SetXPTheme(short theme);

    // The lower-cased access key taken from the caption ("&x"), or a null char.
    QChar AccessKey() const { return m_accessKey; }

    // ---- methods -------------------------------------------------------------------
    void BeginUpdate();
    void EndUpdate();
    void Refresh();
    Q_INVOKABLE void ForceToggleState(bool state);
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
    QRegion WindowRegion() const { return m_windowRegion; }
    ButtonPart HitTest(QPoint point) const;
    QRect BodyRect() const;
    QRect DropZoneRect() const;
    // The drawing area, and where picture and caption go in it.
    QRect DrawingArea() const;

    // ---- ISubclass -----------------------------------------------------------------------
    tavSCls40::EMsgResponse ISubclass_MsgResponse() override;
    winmsg::LRESULT ISubclass_WindowProc(winmsg::HWND window, winmsg::UINT message, winmsg::WPARAM wParam,
                                         winmsg::LPARAM lParam) override;

  signals:
    void Click();
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseUp(int Button, int Shift, int X, int Y);
    void DropDown(int Button, int Shift, int X, int Y);
    void DropUp(int Button, int Shift, int X, int Y);
    // The host fills `Skin` (ImageName, MapMargin, MaskColor, ...) and
    // `Source` for built-in piece `ResNumber`; leaving either empty stops.
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);
    void QueryLayout(SkinButtonLayoutInfo& Layout);

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;
    void AmbientChanged() override;

  private:
    // ---- the property rules (rows of Properties()) ----
    bool AcceptBackStyle(int& style);
    bool AcceptCaption(QString& caption);
    bool AcceptDropDown(bool& on);
    bool AcceptFont(QFont& font);
    bool AcceptToggle(bool& on);
    bool AcceptTogglePressed(bool& on);
    void ButtonStyleChanged();
    void CaptionChanged();
    void DropDownChanged();
    void EnabledChanged();
    void ForeColorChanged();
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
    void DrawPicture(gdi::HDC dc, const QRect& at) const;
    button_layout::Layout ComputeLayout(gdi::HDC dc, QSize pictureSize) const;
    button_layout::State FrameState() const;
    const StdPicture* ChosenPicture(bool& drawDisabled) const;
    void DrawCaption(gdi::HDC dc, const QRect& rect) const;

    void SizeHandling();
    void ApplyWindowRegion();
    void ReadDefaultState();
    void GroupRule();
    void UpdateDropWidth();
    void LoadDefaultSkins();
    void ReleaseSkins();
    void AttachSubclassing();
    void DetachSubclassing();
    void StopHover();
    void ReleaseOverButton(int button, int shift, QPoint p, bool over);
    void AccessKeyPress();
    void UpdateAccessKey();
    void ApplyAutoSize();
    bool Transparent() const;

    // properties
    int m_buttonStyle = kDefButtonStyle;
    OLE_COLOR m_backColor = kDefBackColor;
    int m_backStyle = kDefBackStyle;
    OLE_COLOR m_borderColor = kDefBorderColor;
    QString m_caption;
    OLE_COLOR m_disabledForeColor = kDefDisabledForeColor;
    bool m_dropDown = false;
    bool m_enabled = true;
    QFont m_font;
    OLE_COLOR m_foreColor = kDefForeColor;
    bool m_grouped = false;
    short m_groupID = 0;
    std::int32_t m_maskColor = 0;
    int m_picturePosition = kDefPicturePosition;
    StdPicture m_picture, m_pictureDisabled, m_pictureHover, m_pictureDown;
    bool m_showAsDefault = false;
    bool m_showFocusRect = true;
    QString m_tipText;
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
    QRegion m_windowRegion;
    SkinMapInfo m_skinBody, m_skinDrop, m_skinArrow;
    QChar m_accessKey;
    int m_shortcutId = 0;
    std::unique_ptr<tavSCls40::Subclasser> m_subclasser;
};
