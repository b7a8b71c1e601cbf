// Message boxes, behind a seam.
//
// Controls tell the developer about property conflicts with MsgBox::Show.  By
// default a modal QMessageBox appears; a test or a batch host installs a
// handler (ScopedHandler) that records the request and answers at once, so
// nothing ever blocks.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace MsgBox {

// Style bits, as the host's MsgBox function takes them.
enum Style : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum Result : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

struct Request {
    QWidget* parent = nullptr;
    QString prompt;
    int style = vbOKOnly;
    QString title;
    int icon() const { return style & 0x70; }
};

using Handler = std::function<int(const Request&)>;

// Shows the message (or hands it to the installed handler) and returns the answer.
int Show(QWidget* parent, const QString& prompt, int style, const QString& title);

// Installs `handler` (an empty one restores the real message box) and returns
// the previous one.
Handler SetHandler(Handler handler);

// Installs a handler for its lifetime.
class ScopedHandler {
  public:
    explicit ScopedHandler(Handler handler) : m_previous(SetHandler(std::move(handler))) {}
    ~ScopedHandler() { SetHandler(std::move(m_previous)); }
    ScopedHandler(const ScopedHandler&) = delete;
    ScopedHandler& operator=(const ScopedHandler&) = delete;

  private:
    Handler m_previous;
};

}  // namespace MsgBox
