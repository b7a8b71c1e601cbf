// InnerEditor: the window system's own single-line editor, a child window of
// a control, which a control asks its host for (ControlSite::MakeInnerEditor)
// when the editing itself is better left to the system (the text box: caret,
// selection, clipboard, input methods).  The control decides what the editor
// shows and where; the editor reports back what the user did through an
// InnerEditorListener.
//
// Text is UTF-16 throughout.  Positions and lengths count UTF-16 code units.
#pragma once

#include "controls/suite/gdi.h"
#include "controls/suite/window_messages.h"

#include <string>

// What an editor tells the control that owns it.
class InnerEditorListener {
  public:
    virtual ~InnerEditorListener() = default;
    // The editor's text may have changed (typed, pasted, or set through the
    // editor); the control compares it with what it last knew.
    virtual void EditorChanged() = 0;
    // A window message of the editor, after its own processing has been
    // asked for: WM_KEYDOWN (bit 30 of lParam for a repeat), WM_CHAR (a UTF-16
    // unit), WM_KEYUP (not for a held key's repeats), WM_SETFOCUS,
    // WM_KILLFOCUS, WM_MOUSEMOVE, and the buttons' WM_xBUTTONUP and
    // WM_xBUTTONDBLCLK (the editor's client coordinates).  `shift` is the
    // keyboard's shift state (winmsg::vbShiftMask, ...) that came with it.
    virtual void EditorMessage(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam, int shift) = 0;
};

class InnerEditor {
  public:
    struct Selection {
        int start = 0;  // the caret when nothing is selected
        int length = 0;
    };

    // The editor goes with its window; it reports nothing while it goes.
    virtual ~InnerEditor() = default;

    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    // The most units the user can type in.
    virtual void SetMaxLength(int units) = 0;
    virtual Selection GetSelection() const = 0;
    // Selects `length` units from `start` (both within the text), the caret at
    // the end; length 0 only places the caret.
    virtual void SetSelection(int start, int length) = 0;
    // Replaces the selection (inserts at the caret) with `text`.
    virtual void ReplaceSelection(const std::u16string& text) = 0;
    virtual void SetReadOnly(bool on) = 0;
    virtual void SetEnabled(bool on) = 0;
    virtual void SetFont(const gdi::Font& font) = 0;
    // The size of `text` on one line in the editor's font.
    virtual gdi::SIZE TextExtent(const std::u16string& text) const = 0;
    // The text's and the background's colours while the editor is enabled
    // (disabled, it looks as the window system shows a disabled editor).
    virtual void SetColours(gdi::COLORREF text, gdi::COLORREF back) = 0;
    // Where the editor lies, in its control's client coordinates.
    virtual void SetRect(const gdi::RECT& rect) = 0;
    virtual void TakeFocus() = 0;
    virtual void SetToolTip(const std::u16string& text) = 0;
};
