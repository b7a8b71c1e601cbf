// tavMFC40: platform and mouse queries of the suite.
#pragma once

#include "controls/suite/winmsg.h"

#include <QPoint>

#include <optional>

namespace tavMFC40 {

using winmsg::HWND;
using winmsg::LPARAM;
using winmsg::UINT;
using winmsg::WPARAM;

using winmsg::MouseButton;
using winmsg::ShiftState;
using winmsg::vbAltMask;
using winmsg::vbCtrlMask;
using winmsg::vbLeftButton;
using winmsg::vbMiddleButton;
using winmsg::vbRightButton;
using winmsg::vbShiftMask;

// True where wide-character text calls exist.  Qt text is always Unicode, so
// this is always true; the controls still ask it once, at initialisation.
bool IsUnicodePlatform();

// Starts following the cursor (idempotent).  The subclasser calls it, so a
// control that receives messages always has a current cursor position.
void EnsureCursorTracking();

// The cursor position in global coordinates.  It follows every mouse event
// the application sees (so synthetic events move it too), and falls back to
// the platform cursor before the first one.
QPoint GetCursorPos();

// True when the cursor is over the visible window's rectangle.
bool IsMouseOver(HWND window);

// Unpacks a mouse message: the button (vbLeftButton, ... for button
// messages, the held buttons for others), the shift state and the signed
// client coordinates.
void GetMouseParameters(UINT message, WPARAM wParam, LPARAM lParam, int& button, int& shift, int& x, int& y);

// Key codes and shift state of the controls' KeyDown / KeyUp events, from a
// Qt key and modifiers (letters and digits keep their ASCII codes; keys
// without a code give 0).
int KeyCodeFromQt(int qtKey);
int ShiftFromQt(Qt::KeyboardModifiers modifiers);
// The button mask of the controls' mouse events (other buttons give 0).
int ButtonsFromQt(Qt::MouseButtons buttons);

// The cursor of a standard MousePointer number (1..15); none for 0 (the
// default), 99 (custom) and numbers without a cursor.
std::optional<Qt::CursorShape> StandardCursor(int mousePointer);

// Asks the window's parent to repaint the area under the window.
void UpdateParent(HWND window);

// Gives the window a transparent background: it no longer fills itself, so
// what it does not paint shows its parent.
void ChangeWindowStyle(HWND window);

}  // namespace tavMFC40
