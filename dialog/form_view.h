// The loaded conversion form: its window, its controls and the widgets that
// only arrange or paint them.  frmProps owns one while the form is loaded;
// building, layout, skins and painting each work on it from their own file.
#pragma once

#include "dialog/form_controls.h"
#include "dialog/form_skins.h"

#include <QDialog>

#include <array>
#include <functional>

class QWheelEvent;

namespace dialog {

// A window or picture box whose painting, mouse and resize handling belong to the form.
class FormWidget : public QWidget {
  public:
    using QWidget::QWidget;
    std::function<void()> onPaint;  // paints through a gdi window DC (no painter is open)
    std::function<void(QMouseEvent*)> onMouseDown;
    std::function<void(QKeyEvent*)> onKeyDown;
    std::function<void()> onResize;
    std::function<void(QWheelEvent*)> onWheel;

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent*) override { update(); }  // the focus shows in its painting
    void focusOutEvent(QFocusEvent*) override { update(); }
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent* e) override;
};

// Sends the wheel turns over the controls it watches to one handler (the option rows' wheel
// scrolls their panel, whether or not a row would pass the turn on to it).
class WheelForwarder : public QObject {
  public:
    std::function<void(QWheelEvent*)> onWheel;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
};

// The form's window: it asks before it closes (never during a run).
class FormWindow : public QDialog {
  public:
    FormWindow() : QDialog(nullptr) {}
    std::function<void()> onPaint;  // paints through a gdi window DC (no painter is open)
    std::function<void()> onResize;
    std::function<void()> onActivate;
    std::function<bool()> mayClose;
    // The window system's frame became known or changed size (a window manager adds it only
    // once the window is shown).
    std::function<void()> onFrameChanged;

    void reject() override;

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;

  private:
    QMargins m_frame;
};

struct FormView {
    FormWindow window;
    FormControls c;
    QtAmbient ambient;
    FormWidget* panelBody = nullptr;      // clips the scrolling panels below the title
    std::array<FormWidget*, 2> panels{};  // CTRLContainer(0) and (1), as FormWidgets
    std::array<QWidget*, 2> footer{};     // explanatory label and option commands per panel
    std::array<QLabel*, 2> explanation{};
    FormWidget* group = nullptr;  // the folder and log group
    FormSkins skins;
    WheelForwarder rowWheel;
};

}  // namespace dialog
