// ControlWidget: the Qt host of a control written against ControlSite.
//
// A plain QWidget that implements the site over itself (its size, repaint,
// focus, tool tip, cursor, window timers of winmsg) and hands the control its
// messages: the subclassed ones through a tavSCls40::Subclasser (an event
// filter on this widget that turns Qt events into window messages), the
// others from the widget's own event handlers (keys, focus, show and hide,
// enabling, size, move, and paint in design mode).
#pragma once

#include "controls/UserControl.h"
#include "controls/suite/tavSCls40.h"

#include <QWidget>

#include <memory>

struct QtAmbient;

class ControlWidget : public QWidget, public ControlSite {
    Q_OBJECT
  public:
    ~ControlWidget() override;

    // ---- ControlSite ----------------------------------------------------------------------
    gdi::HWND Window() override;
    gdi::SIZE ClientSize() const override;
    void Invalidate() override;
    void SetWindowRegion(gdi::HRGN region) override;
    bool PaintBackgroundBehind(gdi::HDC dc) override;
    void MakeSeeThrough() override;
    void SetText(const std::u16string& text) override;
    void SetFont(const gdi::Font& font) override;
    void SetEnabled(bool on) override;
    void SetToolTip(const std::u16string& text) override;
    void SetMousePointer(int pointer, const gdi::Image& icon) override;
    void SetCapture(bool on) override;
    bool HasCapture() const override;
    gdi::POINT CursorPos() const override;
    bool IsMouseOver() const override;
    bool HasFocus() const override;
    void TakeFocus() override;
    int ShiftState() const override;
    void SetTimer(std::uintptr_t id, int milliseconds) override;
    void KillTimer(std::uintptr_t id) override;
    bool IsTimerRunning(std::uintptr_t id) const override;
    void Subclass(const std::vector<winmsg::UINT>& messages) override;
    void ForEachSibling(const std::function<void(LateBound&)>& visit) override;

    // ---- the text box: an inner editor, the window's size ----
    std::unique_ptr<InnerEditor> MakeInnerEditor(InnerEditorListener& listener) override;

    // The control's ambient properties from the Qt host's.
    static Ambient PortableAmbient(const QtAmbient& ambient);

  protected:
    explicit ControlWidget(QWidget* parent);
    // The control this widget hosts; called once, from the derived host's constructor.
    void Bind(UserControl& control);

    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

  private:
    class Bridge;
    void Send(winmsg::UINT message, winmsg::WPARAM wParam = 0, winmsg::LPARAM lParam = 0);

    UserControl* m_control = nullptr;
    std::unique_ptr<Bridge> m_bridge;
    std::unique_ptr<tavSCls40::Subclasser> m_subclasser;
    Qt::KeyboardModifiers m_keyModifiers;  // of the key event being handed on
    bool m_inKeyEvent = false;

    // ---- the command button: access keys, default / cancel, the form's controls, size ----
  public:
    void SetAccessKeys(const std::u16string& keys) override;
    void ForEachFormControl(const std::function<void(LateBound&)>& visit) override;
    void Resize(gdi::SIZE size) override;
    // Makes the control its form's Default (Enter) or Cancel (Escape) control
    // through its extender; that key then reaches it from anywhere in the form.
    void SetDefault(bool on);
    void SetCancel(bool on);

  protected:
    bool event(QEvent* e) override;

  private:
    // Window shortcuts for the access keys and the extender's Default and Cancel.
    void GrabFormKeys();
    void ExtenderChanged();
    std::u16string m_accessKeys;
    std::vector<std::pair<int, char16_t>> m_formKeys;  // shortcut id, the key handed on

    // ---- the list box: its scroll bar's window, the font's line, the wheel ----
  public:
    std::unique_ptr<ChildWindow> MakeChildWindow() override;
    FontLine MeasureLine(const gdi::Font& font) const override;
    int WheelScrollLines() const override;
};
