// tavSCls40: window subclassing (the off-screen drawing surface, free of
// the host, is in memory_dc.h).
//
// A control implements ISubclass and attaches the messages it wants from a
// window with a Subclasser.  The subclasser is a Qt event filter on that
// window: it turns the attached Qt events into window messages (see
// winmsg.h for the numbers and the wParam/lParam packing) and hands them to
// the client's ISubclass_WindowProc.  For every dispatched message the client
// is asked ISubclass_MsgResponse (CurrentMessage tells which message it is):
//   emrConsume    (0): the handler replaces the window's own processing
//                      (the Qt event is filtered out);
//   emrPreprocess (2): the handler runs first, then the window's own
//                      processing (the Qt event goes on).
//
// Events turned into messages:
//   QEvent::Paint                          -> WM_PAINT      (0, 0)
//   QEvent::Timer of a winmsg::SetTimer    -> WM_TIMER      (timer id, 0)
//   QEvent::MouseMove                      -> WM_MOUSEMOVE  (MK_* flags, MAKELPARAM(x, y))
//   mouse press / release / double click   -> WM_[LRM]BUTTON{DOWN,UP,DBLCLK} (same)
//   QEvent::Wheel                          -> WM_MOUSEWHEEL (MAKEWPARAM(MK_*, delta), global x, y)
//   QEvent::ChildAdded / ChildRemoved      -> WM_PARENTNOTIFY (WM_CREATE / WM_DESTROY, 0)
//     (widget children only)
#pragma once

#include "controls/suite/memory_dc.h"
#include "controls/suite/winmsg.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <vector>

namespace tavSCls40 {

using winmsg::HWND;
using winmsg::LPARAM;
using winmsg::LRESULT;
using winmsg::UINT;
using winmsg::WPARAM;

enum EMsgResponse : int { emrConsume = 0, emrPreprocess = 2 };

class ISubclass {
  public:
    virtual ~ISubclass() = default;
    // Asked once per dispatched message, before the handler runs.
    virtual EMsgResponse ISubclass_MsgResponse() = 0;
    virtual LRESULT ISubclass_WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

class Subclasser : public QObject {
    Q_OBJECT
  public:
    explicit Subclasser(QObject* parent = nullptr);
    ~Subclasser() override;
    Subclasser(const Subclasser&) = delete;
    Subclasser& operator=(const Subclasser&) = delete;

    // From now on `message` for `window` reaches `client`.  Attaching the same
    // triple twice has no further effect.
    void AttachMessage(ISubclass* client, HWND window, UINT message);
    // Undoes one attachment; unknown triples are ignored.
    void DetachMessage(ISubclass* client, HWND window, UINT message);
    // Undoes every attachment of `client` (to any window).
    void DetachAll(ISubclass* client);
    // The message being dispatched, 0 outside a dispatch.
    UINT CurrentMessage() const { return m_current; }
    // Number of attachments, for checks.
    std::size_t AttachmentCount() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Attachment {
        ISubclass* client;
        UINT message;
    };
    bool dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void dropWindow(QObject* window);

    QHash<QWidget*, std::vector<Attachment>> m_windows;
    QSet<QObject*> m_childWidgets;
    UINT m_current = 0;
};

}  // namespace tavSCls40
