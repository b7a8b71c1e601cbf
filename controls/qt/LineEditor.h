// LineEditor: the Qt host's inner editor (InnerEditor over a QLineEdit).
//
// A frameless QLineEdit child of the host widget, which takes the host's
// keyboard focus (its focus proxy).  Its focus, key, mouse and text-change
// events reach the control as InnerEditorListener calls.
#pragma once

#include "controls/InnerEditor.h"

#include <QObject>

class QLineEdit;
class QWidget;

class LineEditor final : public QObject, public InnerEditor {
  public:
    LineEditor(QWidget& host, InnerEditorListener& listener);
    ~LineEditor() override;

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

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Report(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam, Qt::KeyboardModifiers modifiers);

    QWidget& m_host;
    InnerEditorListener& m_listener;
    QLineEdit* m_edit;  // a child of m_host
};
