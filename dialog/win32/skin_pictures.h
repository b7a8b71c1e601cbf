// The form's skin pictures on Win32: each file from the folder the user's Bitmaps_Path setting
// names (HKEY_CURRENT_USER\Software\Korvath\Nexaria40\Props, used as a prefix as on Qt), else
// from the skins folder installed beside the library. Uncompressed BMPs are read as the rest of
// the drawing reads them (bmp_image.h); any other picture (the panels' GIF background) through
// the system's own decoder (Windows Imaging Component), into the same ARGB pixels as Qt's reader
// gives. A picture neither reads is left out, and its surface shows its colour.
#pragma once

#include "dialog/skin_files.h"

#include "controls/suite/gdi.h"

#include <windows.h>

namespace dialog::win32 {

gdi::Image LoadSkinPicture(SkinFile file, HINSTANCE module);

}  // namespace dialog::win32
