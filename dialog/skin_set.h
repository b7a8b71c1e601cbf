// The dialog's skin pictures on Qt: where they are found.
//
// Each file is looked for first in the configured bitmap folder (the setting's
// value, with the name appended as it is) and then in the folder the program
// ships; a file found in neither gives a null picture, and the control it was
// meant for keeps its built-in skin.
#pragma once

#include "dialog/skin_files.h"

#include <QImage>
#include <QString>

namespace dialog {

// The folder the skin pictures ship in, with a trailing separator: in share/ beside
// the hosting program's folder, else the install location, else the source tree.
QString ShippedSkinsFolder();

// The picture `name` from `bitmapFolder` + name, else from the shipped folder;
// a null image when neither has a readable file.
QImage LoadSkinPicture(const QString& bitmapFolder, const char* name);

}  // namespace dialog
