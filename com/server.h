// The in-process server's module state: its handle, its object and lock counts (which decide
// whether it may be unloaded), and the one dialog object, made on first use and kept until the
// library is unloaded.
#pragma once

#include "dialog/win32/frmProps.h"

#include <windows.h>

#include <string>

namespace com {

HINSTANCE Module();
// The DLL's full path, as registered and as the type library is loaded from.
std::wstring ModulePath();

void ObjectMade();
void ObjectGone();
void LockServer(bool lock);

dialog::win32::frmProps& DialogObject();

}  // namespace com
