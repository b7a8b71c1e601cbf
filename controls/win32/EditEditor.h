// EditEditor: the Win32 host's inner editor (InnerEditor over an EDIT child
// window, ES_AUTOHSCROLL).
//
// The EDIT's own messages (keys, focus, mouse) reach the control through
// the system's subclassing of the EDIT; what the EDIT tells its parent (its
// colours, WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC, and EN_CHANGE) through a
// subclassing of the parent, the control's window.  The EDIT draws with a
// font made from the control's and a brush of its background colour, both
// freed with it; its tool tip is a tool tip control made when there first is
// a text.
#pragma once

#include "controls/InnerEditor.h"

struct HWND__;    // the system's window handle is HWND__*
struct HFONT__;   // and its font
struct HBRUSH__;  // and its brush

class EditEditor final : public InnerEditor {
  public:
    EditEditor(HWND__* parent, InnerEditorListener& listener);
    ~EditEditor() override;
    EditEditor(const EditEditor&) = delete;
    EditEditor& operator=(const EditEditor&) = delete;

    HWND__* Handle() const { return m_edit; }

    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;
    void SetMaxLength(int units) override;
    Selection GetSelection() const override;
    void SetSelection(int start, int length) override;
    void ReplaceSelection(const std::u16string& text) override;
    void SetReadOnly(bool on) override;
    void SetEnabled(bool on) override;
    void SetFont(const gdi::Font& font) override;
    gdi::SIZE TextExtent(const std::u16string& text) const override;
    void SetColours(gdi::COLORREF text, gdi::COLORREF back) override;
    void SetRect(const gdi::RECT& rect) override;
    void TakeFocus() override;
    void SetToolTip(const std::u16string& text) override;

    // Called by the subclass procedures only.
    InnerEditorListener& Listener() const { return m_listener; }
    // The brush of an EDIT colour message (`dc` gets the colours), or nullptr.
    HBRUSH__* Colour(void* dc) const;

  private:
    HWND__* m_parent;
    HWND__* m_edit = nullptr;
    InnerEditorListener& m_listener;
    HFONT__* m_font = nullptr;
    HBRUSH__* m_brush = nullptr;
    gdi::COLORREF m_text = 0;
    gdi::COLORREF m_back = 0xFFFFFF;
    HWND__* m_toolTip = nullptr;
};
